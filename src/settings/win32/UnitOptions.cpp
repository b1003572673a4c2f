#include "settings/win32/UnitOptions.h"

#include <algorithm>

#include "core/win32/DialogOpener.h"
#include "core/Globals.h"
#include "core/OsServices.h"
#include "core/SharedRoutines.h"
#include "core/win32/UnitMenuBar.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace {
constexpr int GroupGeneralHeight = 90;
constexpr int GroupClipboardHeight = 120;
constexpr int GroupLanguageHeight = 90;
constexpr int ButtonWidth = 75;
constexpr int ButtonSpacing = 8;
constexpr wchar_t DefaultLanguageItem[] = L"Default(English)";

// A rectangle at (x, y) inside a group box at the origin given.
RECT In(POINT group, int x, int y, int width, int height)
{
    return {group.x + x, group.y + y, group.x + x + width, group.y + y + height};
}

} // namespace

TFmOptions::TFmOptions(TOptionsFields fields)
    : TDialogForm(u"TFmOptions", TBorder::Fixed), fields_(std::move(fields))
{
}

void TFmOptions::CreateControls()
{
    SetCaption(u"Options");
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);

    POINT general{FormBorderWidth, FormBorderWidth};
    Ui.GroupBoxGeneral = std::make_unique<TGroupBox>(*this, In(general, 0, 0, LayoutWidth, GroupGeneralHeight),
                                                  u"General:");
    Ui.CheckBoxAutoHide = std::make_unique<TCheckBox>(*this, In(general, 16, 24, 344, 17), u"Auto hide menu bar");
    Ui.CheckBoxTurnOnHotkey = std::make_unique<TCheckBox>(*this, In(general, 16, 54, 344, 17), u"T&urn on hotkey");
    Ui.CheckBoxTurnOnHotkey->SetChecked(true);

    POINT clipboard{FormBorderWidth, general.y + GroupGeneralHeight};
    Ui.GroupBoxClipboard = std::make_unique<TGroupBox>(*this, In(clipboard, 0, 0, LayoutWidth, GroupClipboardHeight),
                                                    u"Clipboard:");
    Ui.CheckBoxAutoCapture =
        std::make_unique<TCheckBox>(*this, In(clipboard, 16, 24, 344, 17), u"Auto capture clipboard message");
    Ui.CheckBoxAutoCapture->SetChecked(true);
    Ui.CheckBoxAutoDelete =
        std::make_unique<TCheckBox>(*this, In(clipboard, 16, 54, 344, 17), u"Auto delete old clipboard message");
    Ui.CheckBoxAutoDelete->SetChecked(true);
    Ui.CheckBoxAutoDelete->OnClick = [this] { CheckBoxAutoDeleteClick(); };
    Ui.LabelMaxCount =
        std::make_unique<TStaticText>(*this, POINT{clipboard.x + 32, clipboard.y + 85}, u"Maximum message count:");
    // At 170 in the group, or right of the label where the font makes the label longer.
    const int fieldX = std::max<int>(170, Ui.LabelMaxCount->BoundsRect().right - clipboard.x + 6);
    Ui.SpinEditMaxCount = std::make_unique<TSpinEdit>(*this, In(clipboard, fieldX, 80, 100, 22), MinClipboardMaxCount,
                                                   MaxClipboardMaxCount, 5);

    POINT language{FormBorderWidth, clipboard.y + GroupClipboardHeight};
    Ui.GroupBoxLanguage = std::make_unique<TGroupBox>(*this, In(language, 0, 0, LayoutWidth, GroupLanguageHeight),
                                                   u"Language:");
    Ui.LabelChangeLanguage =
        std::make_unique<TStaticText>(*this, POINT{language.x + 16, language.y + 28}, u"Change Language:");
    Ui.ComboBoxLanguages = std::make_unique<TComboBox>(*this, In(language, 16, 48, 200, 21));
    Ui.ComboBoxLanguages->AddItem(FromW(DefaultLanguageItem));
    Ui.ComboBoxLanguages->SetItemIndex(0);
    Ui.BtnEditLanguageFile =
        std::make_unique<TButton>(*this, In(language, 224, 46, 140, ButtonHeight), u"Edit Language File...");
    Ui.BtnEditLanguageFile->OnClick = [this] { BtnEditLanguageFileClick(); };

    Ui.BtnDefault = std::make_unique<TButton>(*this, RECT{}, u"&Default");
    Ui.BtnDefault->OnClick = [this] { BtnDefaultClick(); };
    Ui.BtnOk = std::make_unique<TButton>(*this, RECT{}, u"&Ok");
    Ui.BtnOk->OnClick = [this] { BtnOkClick(); };
    SetDefaultButton(Ui.BtnOk.get());
    Ui.BtnCancel = std::make_unique<TButton>(*this, RECT{}, u"&Cancel", mrCancel);
    CancelButton = Ui.BtnCancel.get();

    FormCreate();
}

void TFmOptions::FormCreate()
{
    Ui.GroupBoxLanguage->SetVisible(false);
    Ui.LabelChangeLanguage->SetVisible(false);
    Ui.ComboBoxLanguages->SetVisible(false);
    Ui.BtnEditLanguageFile->SetVisible(false);
    SetHeight(Height() - GroupLanguageHeight);
    AlignButtons();
    CenterOnScreen();

    ShowSettings(fields_);
    AddLanguagesFileToList(LanguagesFolder + u"\\");
    Ui.ComboBoxLanguages->SetItemIndex(0);
    for (int i = 0; i < Ui.ComboBoxLanguages->Count(); ++i) {
        if (SameAsciiText(Ui.ComboBoxLanguages->Item(i), fields_.CurrentLanguage)) {
            Ui.ComboBoxLanguages->SetItemIndex(i);
            break;
        }
    }
}

void TFmOptions::AlignButtons()
{
    // The buttons stand at the right of the bottom row, inside the form's border.
    const int top = ClientHeight() - FormBorderWidth - ButtonHeight;
    int right = ClientWidth() - FormBorderWidth;
    for (TButton* button : {Ui.BtnCancel.get(), Ui.BtnOk.get(), Ui.BtnDefault.get()}) {
        SetWindowPos(button->Handle(), nullptr, right - ButtonWidth, top, ButtonWidth, ButtonHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        right -= ButtonWidth + ButtonSpacing;
    }
}

void TFmOptions::AddLanguagesFileToList(const String& dir)
{
    WIN32_FIND_DATAW entry{};
    const UniqueFind search(FindFirstFileW(ToW(dir + u"*.*").c_str(), &entry));
    if (!search)
        return;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const String name = FromW(entry.cFileName);
        const size_t dot = name.find_last_of(u'.');
        if (dot != String::npos && SameAsciiText(name.substr(dot), u".ini"))
            Ui.ComboBoxLanguages->AddItem(name.substr(0, dot));
    } while (FindNextFileW(search.get(), &entry));
}

void TFmOptions::CheckBoxAutoDeleteClick()
{
    const bool enabled = Ui.CheckBoxAutoDelete->Checked();
    Ui.LabelMaxCount->SetEnabled(enabled);
    Ui.SpinEditMaxCount->SetEnabled(enabled);
}

void TFmOptions::ShowSettings(const TOptionsFields& fields)
{
    // Setting a check box runs its click handler: the count controls follow AutoDelete.
    Ui.CheckBoxAutoHide->SetChecked(fields.AutoHide);
    Ui.CheckBoxTurnOnHotkey->SetChecked(fields.TurnOnHotkey);
    Ui.CheckBoxAutoCapture->SetChecked(fields.AutoCapture);
    Ui.CheckBoxAutoDelete->SetChecked(fields.AutoDelete);
    Ui.SpinEditMaxCount->SetValue(fields.ClipboardMaxCount);
}

// The language choice stays.
void TFmOptions::BtnDefaultClick() { ShowSettings(TOptionsFields{}); }

void TFmOptions::BtnOkClick() { ModalResult = mrOk; }

TOptionsFields TFmOptions::Fields() const
{
    // The language group is hidden: its list still holds the item that matched when the window
    // opened, or "Default(English)".
    return {Ui.CheckBoxAutoHide->Checked(),    Ui.CheckBoxTurnOnHotkey->Checked(),
            Ui.CheckBoxAutoCapture->Checked(), Ui.CheckBoxAutoDelete->Checked(),
            Ui.SpinEditMaxCount->Value(),      Ui.ComboBoxLanguages->Item(Ui.ComboBoxLanguages->ItemIndex())};
}

std::optional<TOptionsFields> TFmOptions::Edit(const TOptionsFields& fields)
{
    std::optional<TOptionsFields> result;
    TDialogCommand<TFmOptions> command;
    command.Create = [&] { return MakeWindow<TFmOptions>(fields); };
    command.Apply = [&](TFmOptions& options, int modalResult) {
        if (modalResult == mrOk)
            result = options.Fields();
    };
    OpenDialog(FmOptions, command);
    return result;
}

void TFmOptions::BtnEditLanguageFileClick()
{
    const String path = LanguagesFolder + u"\\" + u"EditLanguageFile.exe";
    if (OsFiles().FileExists(path))
        RunProgram(path); // nothing waits for the editor
    else
        ShowMessageBox(Ui.CannotFindLanguageFileMsg + u" \"" + path + u"\"", ProgramName, MB_ICONWARNING);
}

void SaveSettings() { WriteSettings(FmMenuBar->Left(), FmMenuBar->Top()); }

void TFmOptions::ApplyLanguageTexts(TLanguageRun& run)
{
    run.Section(u"OptionsWindow");
    SetCaption(run.Text(u"OptionsWindow/Title/Options", u"Options"));
    Ui.GroupBoxGeneral->SetText(run.Text(u"OptionsWindow/GroupBox/General", u"General:"));
    Ui.CheckBoxAutoHide->SetText(
        run.Text(u"OptionsWindow/GroupBox/General/AutoHideMenubar", u"Auto hide menu bar"));
    Ui.CheckBoxTurnOnHotkey->SetText(run.Text(u"OptionsWindow/GroupBox/General/TurnOnHotkey", u"Turn on hotkey"));
    Ui.GroupBoxClipboard->SetText(run.Text(u"OptionsWindow/GroupBox/Clipboard", u"Clipboard:"));
    Ui.CheckBoxAutoCapture->SetText(
        run.Text(u"OptionsWindow/GroupBox/Clipboard/AutoCaptureClipboardMessage", u"Auto capture clipboard message"));
    Ui.CheckBoxAutoDelete->SetText(run.Text(u"OptionsWindow/GroupBox/Clipboard/AutoDeleteOldClipboardMessage",
                                                 u"Auto delete old clipboard message"));
    Ui.LabelMaxCount->SetText(
        run.Text(u"OptionsWindow/GroupBox/Clipboard/MaximumMessageCount", u"Maximum message count:"));
    Ui.GroupBoxLanguage->SetText(run.Text(u"OptionsWindow/GroupBox/Language", u"Language:"));
    Ui.LabelChangeLanguage->SetText(
        run.Text(u"OptionsWindow/GroupBox/Language/ChangeLanguage", u"Change Language:"));
    Ui.BtnEditLanguageFile->SetText(
        run.Text(u"OptionsWindow/GroupBox/Language/EditLanguageFile", u"Edit Language File..."));
    Ui.CannotFindLanguageFileMsg = run.Text(
        u"OptionsWindow/GroupBox/Language/EditLanguageFile/CannotFindProgramFile", u"Cannot find the program file");
    Ui.BtnDefault->SetText(run.Text(u"OptionsWindow/Button/Default", u"Default"));
    Ui.BtnOk->SetText(run.Text(u"OptionsWindow/Button/Ok", u"Ok"));
    Ui.BtnCancel->SetText(run.Text(u"OptionsWindow/Button/Cancel", u"Cancel"));
}
