#include "settings/UnitOptions.h"

#include <algorithm>

#include "core/ClipboardCapture.h"
#include "core/Globals.h"
#include "core/OsServices.h"
#include "core/SharedRoutines.h"
#include "core/UnitMenuBar.h"
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

TFmOptions::TFmOptions() : TDialogForm(u"TFmOptions", TBorder::Fixed) {}

void TFmOptions::CreateControls()
{
    SetCaption(u"Options");
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);

    POINT general{FormBorderWidth, FormBorderWidth};
    GroupBoxGeneral = std::make_unique<TGroupBox>(*this, In(general, 0, 0, LayoutWidth, GroupGeneralHeight),
                                                  u"General:");
    CheckBoxAutoHide = std::make_unique<TCheckBox>(*this, In(general, 16, 24, 344, 17), u"Auto hide menu bar");
    CheckBoxTurnOnHotkey = std::make_unique<TCheckBox>(*this, In(general, 16, 54, 344, 17), u"T&urn on hotkey");
    CheckBoxTurnOnHotkey->SetChecked(true);

    POINT clipboard{FormBorderWidth, general.y + GroupGeneralHeight};
    GroupBoxClipboard = std::make_unique<TGroupBox>(*this, In(clipboard, 0, 0, LayoutWidth, GroupClipboardHeight),
                                                    u"Clipboard:");
    CheckBoxAutoCapture =
        std::make_unique<TCheckBox>(*this, In(clipboard, 16, 24, 344, 17), u"Auto capture clipboard message");
    CheckBoxAutoCapture->SetChecked(true);
    CheckBoxAutoDelete =
        std::make_unique<TCheckBox>(*this, In(clipboard, 16, 54, 344, 17), u"Auto delete old clipboard message");
    CheckBoxAutoDelete->SetChecked(true);
    CheckBoxAutoDelete->OnClick = [this] { CheckBoxAutoDeleteClick(); };
    LabelMaxCount =
        std::make_unique<TStaticText>(*this, POINT{clipboard.x + 32, clipboard.y + 85}, u"Maximum message count:");
    // At 170 in the group, or right of the label where the font makes the label longer.
    const int fieldX = std::max<int>(170, LabelMaxCount->BoundsRect().right - clipboard.x + 6);
    SpinEditMaxCount = std::make_unique<TSpinEdit>(*this, In(clipboard, fieldX, 80, 100, 22), MinClipboardMaxCount,
                                                   MaxClipboardMaxCount, 5);
    SpinEditMaxCount->SetValue(DefaultClipboardMaxCount);

    POINT language{FormBorderWidth, clipboard.y + GroupClipboardHeight};
    GroupBoxLanguage = std::make_unique<TGroupBox>(*this, In(language, 0, 0, LayoutWidth, GroupLanguageHeight),
                                                   u"Language:");
    LabelChangeLanguage =
        std::make_unique<TStaticText>(*this, POINT{language.x + 16, language.y + 28}, u"Change Language:");
    ComboBoxLanguages = std::make_unique<TComboBox>(*this, In(language, 16, 48, 200, 21));
    ComboBoxLanguages->AddItem(FromW(DefaultLanguageItem));
    ComboBoxLanguages->SetItemIndex(0);
    BtnEditLanguageFile =
        std::make_unique<TButton>(*this, In(language, 224, 46, 140, ButtonHeight), u"Edit Language File...");
    BtnEditLanguageFile->OnClick = [this] { BtnEditLanguageFileClick(); };

    BtnDefault = std::make_unique<TButton>(*this, RECT{}, u"&Default");
    BtnDefault->OnClick = [this] { BtnDefaultClick(); };
    BtnOk = std::make_unique<TButton>(*this, RECT{}, u"&Ok");
    BtnOk->OnClick = [this] { BtnOkClick(); };
    SetDefaultButton(BtnOk.get());
    BtnCancel = std::make_unique<TButton>(*this, RECT{}, u"&Cancel", mrCancel);
    CancelButton = BtnCancel.get();

    FormCreate();
}

void TFmOptions::FormCreate()
{
    GroupBoxLanguage->SetVisible(false);
    LabelChangeLanguage->SetVisible(false);
    ComboBoxLanguages->SetVisible(false);
    BtnEditLanguageFile->SetVisible(false);
    SetHeight(Height() - GroupLanguageHeight);
    AlignButtons();
    CenterOnScreen();

    CheckBoxAutoHide->SetChecked(AutoHide);
    CheckBoxTurnOnHotkey->SetChecked(TurnOnHotkey);
    CheckBoxAutoCapture->SetChecked(AutoCapture);
    CheckBoxAutoDelete->SetChecked(AutoDelete);
    SpinEditMaxCount->SetValue(ClipboardHistoryLimit());
    AddLanguagesFileToList(LanguagesFolder + u"\\");
    ComboBoxLanguages->SetItemIndex(0);
    for (int i = 0; i < ComboBoxLanguages->Count(); ++i) {
        if (SameAsciiText(ComboBoxLanguages->Item(i), CurrentLanguage)) {
            ComboBoxLanguages->SetItemIndex(i);
            break;
        }
    }
}

void TFmOptions::AlignButtons()
{
    // The buttons stand at the right of the bottom row, inside the form's border.
    const int top = ClientHeight() - FormBorderWidth - ButtonHeight;
    int right = ClientWidth() - FormBorderWidth;
    for (TButton* button : {BtnCancel.get(), BtnOk.get(), BtnDefault.get()}) {
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
            ComboBoxLanguages->AddItem(name.substr(0, dot));
    } while (FindNextFileW(search.get(), &entry));
}

void TFmOptions::CheckBoxAutoDeleteClick()
{
    const bool enabled = CheckBoxAutoDelete->Checked();
    LabelMaxCount->SetEnabled(enabled);
    SpinEditMaxCount->SetEnabled(enabled);
}

void TFmOptions::BtnDefaultClick()
{
    CheckBoxAutoHide->SetChecked(false);
    CheckBoxTurnOnHotkey->SetChecked(true);
    CheckBoxAutoCapture->SetChecked(true);
    CheckBoxAutoDelete->SetChecked(true);
    SpinEditMaxCount->SetValue(DefaultClipboardMaxCount);
}

void TFmOptions::BtnOkClick()
{
    AutoHide = CheckBoxAutoHide->Checked();
    TurnOnHotkey = CheckBoxTurnOnHotkey->Checked();
    AutoCapture = CheckBoxAutoCapture->Checked();
    AutoDelete = CheckBoxAutoDelete->Checked();
    ClipboardMaxCount = SpinEditMaxCount->Value();
    CurrentLanguage = ComboBoxLanguages->Item(ComboBoxLanguages->ItemIndex());
    ModalResult = mrOk;
}

void TFmOptions::BtnEditLanguageFileClick()
{
    const String path = LanguagesFolder + u"\\" + u"EditLanguageFile.exe";
    if (OsFiles().FileExists(path))
        RunProgram(path); // nothing waits for the editor
    else
        ShowMessageBox(CannotFindLanguageFileMsg + u" \"" + path + u"\"", ProgramName, MB_ICONWARNING);
}

void SaveSettings() { WriteSettings(FmMenuBar->Left(), FmMenuBar->Top()); }
