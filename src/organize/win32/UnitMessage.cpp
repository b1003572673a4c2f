#include "organize/win32/UnitMessage.h"

#include <functional>
#include <optional>
#include <string>

#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/win32/DialogOpener.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"
#include "core/PasteEngine.h"
#include "core/SharedRoutines.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMenuBar.h"

namespace {
constexpr int LabelHeight = 20;
constexpr int EditHeight = 21;
constexpr int Gap = 8;
constexpr int InsertButtonWidth = 97;
constexpr int HotkeyGap = 20;
constexpr int HotKeyWidth = 128;
constexpr int HotKeyHeight = 19;
constexpr int CheckBoxHeight = 17;
constexpr int RuleHeight = 10;
constexpr int RuleGap = 12;
constexpr int ButtonWidth = 88;
constexpr int BottomGap = 4;
constexpr int ImageSize = 16;
constexpr COLORREF ImageMask = RGB(255, 0, 255);
// Yes/No with the warning icon, Yes the default.
constexpr int AskAnotherHotkey = MB_YESNO | MB_ICONWARNING;

// "F1" to "F12" for the index 0 to 11.
String FunctionKeyText(size_t index)
{
    const std::string number = std::to_string(index + 1);
    return u"F" + String(number.begin(), number.end());
}

bool ModifierHeld()
{
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
        if (OsInput().KeyState(key) & 0x8000)
            return true;
    return false;
}
} // namespace

TFmMessage::TFmMessage(TMessageFields fields, TTreeNode* node)
    : TDialogForm(u"TFmMessage", TBorder::Sizeable), CurNode(node), fields_(std::move(fields))
{
}

void TFmMessage::CreateControls()
{
    SetCaption(u"New Message");
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);
    CancelOnEscape = false; // one key must never throw away what the user typed

    const int left = FormBorderWidth;
    const int right = FormBorderWidth + LayoutWidth;
    const int nameTop = FormBorderWidth + LabelHeight;
    const int contentTop = nameTop + EditHeight + Gap;
    const int bottom = FormBorderWidth + LayoutHeight - BottomGap;
    const int buttonsTop = bottom - ButtonHeight;
    const int ruleTop = buttonsTop - RuleGap - RuleHeight;
    const int rowTop = ruleTop - ButtonHeight;
    const int memoBottom = rowTop - Gap;

    Ui.EditName = std::make_unique<TEdit>(*this, RECT{left, nameTop, right, nameTop + EditHeight});
    Ui.EditName->SetMaxLength(static_cast<int>(MaxNameLength));
    Ui.LabelName = std::make_unique<TStaticLabel>(*this, RECT{left, FormBorderWidth, right, nameTop}, u"&Name:",
                                               Ui.EditName.get(), true);

    Ui.BtnInsert = std::make_unique<TButton>(*this, RECT{left, rowTop, left + InsertButtonWidth, rowTop + ButtonHeight},
                                          u"&Insert");
    Ui.BtnInsert->OnClick = [this] { BtnInsertClick(); };
    const int labelLeft = left + InsertButtonWidth + HotkeyGap;
    const int labelRight = labelLeft + DialogTextSize(ShownCaption(u"&Hotkey:")).cx;
    const int hotKeyTop = rowTop + (ButtonHeight - HotKeyHeight) / 2;
    Ui.HotKey1 = std::make_unique<THotKey>(
        *this, RECT{labelRight + Gap, hotKeyTop, labelRight + Gap + HotKeyWidth, hotKeyTop + HotKeyHeight});
    Ui.LabelHotkey = std::make_unique<TStaticLabel>(*this, RECT{labelLeft, rowTop, labelRight, rowTop + ButtonHeight},
                                                 u"&Hotkey:", Ui.HotKey1.get(), true);
    const int checkTop = rowTop + (ButtonHeight - CheckBoxHeight) / 2;
    Ui.CheckBoxWordWarp =
        std::make_unique<TCheckBox>(*this, RECT{right - 80, checkTop, right, checkTop + CheckBoxHeight}, u"&Word Warp");
    Ui.CheckBoxWordWarp->SetChecked(true);
    Ui.CheckBoxWordWarp->OnClick = [this] { CheckBoxWordWarpClick(); };

    Ui.BtnOk = std::make_unique<TButton>(
        *this, RECT{right - 2 * ButtonWidth - Gap, buttonsTop, right - ButtonWidth - Gap, bottom}, u"&Ok");
    Ui.BtnOk->OnClick = [this] { BtnOkClick(); };
    SetDefaultButton(Ui.BtnOk.get());
    Ui.BtnCancel = std::make_unique<TButton>(*this, RECT{right - ButtonWidth, buttonsTop, right, bottom}, u"&Cancel",
                                          mrCancel);

    Ui.MemoText = std::make_unique<TMemo>(*this, RECT{left, contentTop + LabelHeight, right, memoBottom});
    Ui.MemoText->OnKeyDown = [this](unsigned key) { return MemoTextKeyDown(key); };
    Ui.LabelContent = std::make_unique<TStaticLabel>(
        *this, RECT{left, contentTop, right, contentTop + LabelHeight}, u"Con&tent:", Ui.MemoText.get(), true);
    Ui.Bevel1 = std::make_unique<TBevel>(*this, RECT{left, ruleTop, right, ruleTop + RuleHeight});

    Ui.EditName->Anchor(akLeft | akTop | akRight);
    Ui.LabelName->Anchor(akLeft | akTop | akRight);
    Ui.LabelContent->Anchor(akLeft | akTop | akRight);
    Ui.MemoText->Anchor(akLeft | akTop | akRight | akBottom);
    for (TStdControl* control : {static_cast<TStdControl*>(Ui.BtnInsert.get()),
                                 static_cast<TStdControl*>(Ui.HotKey1.get()),
                                 static_cast<TStdControl*>(Ui.LabelHotkey.get())})
        control->Anchor(akLeft | akBottom);
    for (TStdControl* control : {static_cast<TStdControl*>(Ui.CheckBoxWordWarp.get()),
                                 static_cast<TStdControl*>(Ui.BtnOk.get()),
                                 static_cast<TStdControl*>(Ui.BtnCancel.get())})
        control->Anchor(akRight | akBottom);
    Ui.Bevel1->Anchor(akLeft | akRight | akBottom);

    Ui.ImageListButton.CreateDrawn(ImageSize, ImageSize, ImageMask, [](HDC dc) {
        // A black triangle pointing down, 7 pixels wide and 4 high, in the middle of the picture.
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        for (int row = 0; row < 4; ++row) {
            const RECT line{4 + row, 6 + row, 11 - row, 7 + row};
            FillRect(dc, &line, black);
        }
    });
    Ui.BtnInsert->SetImageRight(Ui.ImageListButton.Handle());
    CreateInsertMenu();

    Ui.EditName->SetText(fields_.Name);
    if (CurNode)
        Ui.EditName->SelectAll();
    Ui.MemoText->SetText(fields_.Text);
    Ui.HotKey1->SetValue(fields_.Hotkey);

    MinWidth = MinOuterWidth;
    MinHeight = MinOuterHeight;
    FormCreate();
}

void TFmMessage::CreateInsertMenu()
{
    Ui.MnInsertDate = &Ui.PopupMenuKey.Add(u"Insert Date", [this](TMenuItem&) { MnInsertDateClick(); });
    Ui.MnInsertDate->ShortCut = FunctionKeyText(0);
    Ui.MnInsertTime = &Ui.PopupMenuKey.Add(u"Insert Time", [this](TMenuItem&) { MnInsertTimeClick(); });
    Ui.MnInsertTime->ShortCut = FunctionKeyText(1);
    Ui.MnInsertKey = &Ui.PopupMenuKey.Add(u"Insert Key");
    Ui.FunctionKeyItems[0] = Ui.MnInsertDate;
    Ui.FunctionKeyItems[1] = Ui.MnInsertTime;
    const struct {
        const char16_t* caption;
        int key;
    } keys[] = {{u"Tab", VK_TAB},   {u"Enter", VK_RETURN}, {u"-", 0},        {u"Left", VK_LEFT},
                {u"Right", VK_RIGHT}, {u"Up", VK_UP},      {u"Down", VK_DOWN}, {u"-", 0},
                {u"Home", VK_HOME}, {u"End", VK_END},      {u"Page Up", VK_PRIOR}, {u"Page Down", VK_NEXT}};
    size_t next = 2;
    for (const auto& key : keys) {
        if (key.key == 0) {
            Ui.MnInsertKey->Add(key.caption);
            continue;
        }
        TMenuItem& item = Ui.MnInsertKey->Add(key.caption, [this](TMenuItem& sender) { MnTabClick(sender); });
        item.Tag = key.key;
        item.ShortCut = FunctionKeyText(next);
        Ui.FunctionKeyItems[next++] = &item;
    }
    // Kept for the language files that name them; never shown.
    Ui.InsertKeystroke1 = &Ui.PopupMenuKey.Add(u"Insert Keystroke...");
    Ui.InsertMosee1 = &Ui.PopupMenuKey.Add(u"Insert Mouse...");
    Ui.InsertVariable1 = &Ui.PopupMenuKey.Add(u"Insert Variable...");
    for (TMenuItem* hidden : {Ui.InsertKeystroke1, Ui.InsertMosee1, Ui.InsertVariable1})
        hidden->Visible = false;
}

void TFmMessage::FormCreate()
{
    SetCheckBoxWidth();
    CenterOnScreen();
}

void TFmMessage::SetCheckBoxWidth()
{
    const RECT r = Ui.CheckBoxWordWarp->BoundsRect();
    const int width = DialogTextSize(ShownCaption(Ui.CheckBoxWordWarp->Text())).cx + 20;
    Ui.CheckBoxWordWarp->SetBounds({r.right - width, r.top, r.right, r.bottom});
}

void TFmMessage::Panel4Resize() { SetCheckBoxWidth(); }

void TFmMessage::BtnInsertClick()
{
    const RECT r = Ui.BtnInsert->BoundsRect();
    const POINT at = ClientToScreen({r.left, r.bottom});
    Ui.PopupMenuKey.Popup(Handle(), at.x, at.y);
}

void TFmMessage::InsertMacro(StringView macro)
{
    Ui.MemoText->InsertText(macro);
    Ui.MemoText->SetFocus();
}

void TFmMessage::MnInsertDateClick() { InsertMacro(DateMacro); }

void TFmMessage::MnInsertTimeClick() { InsertMacro(TimeMacro); }

void TFmMessage::MnTabClick(TMenuItem& sender)
{
    InsertMacro(KeyMacroText(sender.Tag));
    OsInput().MessageBeep(0);
}

void TFmMessage::CheckBoxWordWarpClick() { Ui.MemoText->SetWordWrap(Ui.CheckBoxWordWarp->Checked()); }

bool TFmMessage::MemoTextKeyDown(unsigned key)
{
    if (key < VK_F1 || key > VK_F12 || ModifierHeld())
        return false;
    Ui.FunctionKeyItems[key - VK_F1]->Click();
    return true;
}

void TFmMessage::BtnOkClick()
{
    if (Ui.EditName->Text().empty()) {
        Ui.EditName->SetFocus();
        OsInput().MessageBeep(0);
        return;
    }
    if (GetWindowTextLengthW(Ui.MemoText->Handle()) == 0) {
        Ui.MemoText->SetFocus();
        OsInput().MessageBeep(0);
        return;
    }
    const int hotkey = Ui.HotKey1->Value();
    if (IsHotkeyInUse(SnippetTree(), CurNode.Get(), hotkey) &&
        ShowMessageBox(Ui.HotkeyAlreadyExistsMsg, ProgramName, AskAnotherHotkey) == IDYES) {
        Ui.HotKey1->SetFocus();
        return;
    }
    // A message without hotkey registers nothing: whatever the system answers for the value 0,
    // there is no conflict to ask about.
    if (hotkey != 0 && !CanRegisterHotkey(hotkey) &&
        ShowMessageBox(Ui.HotkeyRegistrationFailedMsg, ProgramName, AskAnotherHotkey) == IDYES) {
        Ui.HotKey1->SetFocus();
        return;
    }
    ModalResult = mrOk;
}

namespace {
// A new message at the end of folder.
TTreeNode* AddMessage(TTreeNode* folder)
{
    TTreeNode* node = SnippetTree().AddChild(folder, String());
    node->ImageIndex = nkMessage;
    return node;
}

// Runs the editor on fields with the program's hotkeys released; they are registered again once
// the tree has what the user confirmed. On OK, place gives the node that takes the fields; the
// data file is written then.
TTreeNode* RunEditor(const TMessageFields& fields, TTreeNode* node,
                     const std::function<TTreeNode*(const TMessageFields&)>& place)
{
    TTreeNode* result = nullptr;
    WithHotkeysReleased(SnippetTree(), [&] {
        const std::optional<TMessageFields> confirmed = TFmMessage::Edit(fields, node);
        if (!confirmed)
            return;
        result = place(*confirmed);
        result->Text = confirmed->Name;
        result->Data = confirmed->Text;
        result->StateIndex = confirmed->Hotkey & 0xFFFF;
        result->ExpandedImageIndex = 0;
        SaveDataFile(SnippetTree(), RootNode);
    });
    return result;
}
} // namespace

std::optional<TMessageFields> TFmMessage::Edit(const TMessageFields& fields, TTreeNode* node)
{
    std::optional<TMessageFields> result;
    TDialogCommand<TFmMessage> command;
    command.Create = [&] { return MakeWindow<TFmMessage>(fields, node); };
    command.Apply = [&](TFmMessage& editor, int modalResult) {
        if (modalResult == mrOk)
            result = TMessageFields{editor.Ui.EditName->Text(), editor.Ui.MemoText->Text(),
                                    editor.Ui.HotKey1->Value()};
    };
    OpenDialog(FmMessage, command);
    return result;
}

TTreeNode* NewMessage(TTreeNode* folder)
{
    const TNodeRef target(folder);
    return RunEditor({}, nullptr,
                     [&](const TMessageFields&) { return AddMessage(FolderOrMessages(target.Get())); });
}

TTreeNode* NewMessageFromClipboard(TTreeNode* folder, const String& text)
{
    const TNodeRef target(folder);
    return RunEditor({LeadingText(text, MaxNameLength), text, 0}, nullptr,
                     [&](const TMessageFields&) { return AddMessage(FolderOrMessages(target.Get())); });
}

void EditMessage(TTreeNode* node)
{
    if (!node)
        return;
    const bool historyEntry = node->Parent() == ClipboardsNode;
    const TNodeRef edited(node);
    RunEditor({node->Text, String(node->Content()), node->StateIndex}, node,
              [&](const TMessageFields& fields) -> TTreeNode* {
                  if (edited)
                      return edited.Get();
                  // The message went while the editor was open (a capture trimmed the history, or
                  // its folder was deleted); what the user typed is kept where such a message belongs.
                  if (historyEntry)
                      return InsertNewestEntry(SnippetTree(), ClipboardsNode, fields.Text);
                  return AddMessage(MessagesNode);
              });
}

void TFmMessage::ApplyLanguageTexts(TLanguageRun& run)
{
    run.Section(u"MessageWindow");
    if (CurNode)
        SetCaption(run.Text(u"MessageWindow/Title/EditMessage", u"Edit Message"));
    else
        SetCaption(run.Text(u"MessageWindow/Title/NewMessage", u"New Message"));
    Ui.LabelName->SetText(run.Text(u"MessageWindow/Label/Name", u"Name:"));
    Ui.LabelContent->SetText(run.Text(u"MessageWindow/Label/Content", u"Content:"));
    Ui.LabelHotkey->SetText(run.Text(u"MessageWindow/Label/Hotkey", u"Hotkey:"));
    Ui.CheckBoxWordWarp->SetText(run.Text(u"MessageWindow/CheckBox/WordWarp", u"Word Warp"));
    SetCheckBoxWidth();
    Ui.BtnInsert->SetText(run.Text(u"MessageWindow/Button/Insert", u"Insert"));
    Ui.MnInsertDate->Caption = run.Text(u"MessageWindow/Button/Insert/InsertDate", u"Insert Date");
    Ui.MnInsertTime->Caption = run.Text(u"MessageWindow/Button/Insert/InsertTime", u"Insert Time");
    Ui.MnInsertKey->Caption = run.Text(u"MessageWindow/Button/Insert/InsertKey", u"Insert Key");
    Ui.BtnOk->SetText(run.Text(u"MessageWindow/Button/Ok", u"Ok"));
    Ui.HotkeyAlreadyExistsMsg = run.Text(u"MessageWindow/Button/Ok/Message/HotkeyAlreadyExists",
                                             u"The hotkey already exists. Do you want to select another hotkey?");
    Ui.HotkeyRegistrationFailedMsg =
        run.Text(u"MessageWindow/Button/Ok/Message/HotkeyRegistrationFailed",
                 u"Hotkey registration failed. Do you want to select another hotkey?");
    Ui.BtnCancel->SetText(run.Text(u"MessageWindow/Button/Cancel", u"Cancel"));
}
