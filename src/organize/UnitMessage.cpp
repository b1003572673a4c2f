#include "organize/UnitMessage.h"

#include <functional>
#include <string>

#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/DialogOpener.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"
#include "core/PasteEngine.h"
#include "core/SharedRoutines.h"
#include "core/TreeRoutines.h"
#include "core/UnitMenuBar.h"

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

TFmMessage::TFmMessage() : TDialogForm(u"TFmMessage", TBorder::Sizeable) {}

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

    EditName = std::make_unique<TEdit>(*this, RECT{left, nameTop, right, nameTop + EditHeight});
    EditName->SetMaxLength(static_cast<int>(MaxNameLength));
    LabelName = std::make_unique<TStaticLabel>(*this, RECT{left, FormBorderWidth, right, nameTop}, u"&Name:",
                                               EditName.get(), true);

    BtnInsert = std::make_unique<TButton>(*this, RECT{left, rowTop, left + InsertButtonWidth, rowTop + ButtonHeight},
                                          u"&Insert");
    BtnInsert->OnClick = [this] { BtnInsertClick(); };
    const int labelLeft = left + InsertButtonWidth + HotkeyGap;
    const int labelRight = labelLeft + DialogTextSize(ShownCaption(u"&Hotkey:")).cx;
    const int hotKeyTop = rowTop + (ButtonHeight - HotKeyHeight) / 2;
    HotKey1 = std::make_unique<THotKey>(
        *this, RECT{labelRight + Gap, hotKeyTop, labelRight + Gap + HotKeyWidth, hotKeyTop + HotKeyHeight});
    LabelHotkey = std::make_unique<TStaticLabel>(*this, RECT{labelLeft, rowTop, labelRight, rowTop + ButtonHeight},
                                                 u"&Hotkey:", HotKey1.get(), true);
    const int checkTop = rowTop + (ButtonHeight - CheckBoxHeight) / 2;
    CheckBoxWordWarp =
        std::make_unique<TCheckBox>(*this, RECT{right - 80, checkTop, right, checkTop + CheckBoxHeight}, u"&Word Warp");
    CheckBoxWordWarp->SetChecked(true);
    CheckBoxWordWarp->OnClick = [this] { CheckBoxWordWarpClick(); };

    BtnOk = std::make_unique<TButton>(
        *this, RECT{right - 2 * ButtonWidth - Gap, buttonsTop, right - ButtonWidth - Gap, bottom}, u"&Ok");
    BtnOk->OnClick = [this] { BtnOkClick(); };
    SetDefaultButton(BtnOk.get());
    BtnCancel = std::make_unique<TButton>(*this, RECT{right - ButtonWidth, buttonsTop, right, bottom}, u"&Cancel",
                                          mrCancel);

    MemoText = std::make_unique<TMemo>(*this, RECT{left, contentTop + LabelHeight, right, memoBottom});
    MemoText->OnKeyDown = [this](unsigned key) { return MemoTextKeyDown(key); };
    LabelContent = std::make_unique<TStaticLabel>(
        *this, RECT{left, contentTop, right, contentTop + LabelHeight}, u"Con&tent:", MemoText.get(), true);
    Bevel1 = std::make_unique<TBevel>(*this, RECT{left, ruleTop, right, ruleTop + RuleHeight});

    EditName->Anchor(akLeft | akTop | akRight);
    LabelName->Anchor(akLeft | akTop | akRight);
    LabelContent->Anchor(akLeft | akTop | akRight);
    MemoText->Anchor(akLeft | akTop | akRight | akBottom);
    for (TStdControl* control : {static_cast<TStdControl*>(BtnInsert.get()), static_cast<TStdControl*>(HotKey1.get()),
                                 static_cast<TStdControl*>(LabelHotkey.get())})
        control->Anchor(akLeft | akBottom);
    for (TStdControl* control : {static_cast<TStdControl*>(CheckBoxWordWarp.get()),
                                 static_cast<TStdControl*>(BtnOk.get()), static_cast<TStdControl*>(BtnCancel.get())})
        control->Anchor(akRight | akBottom);
    Bevel1->Anchor(akLeft | akRight | akBottom);

    ImageListButton.CreateDrawn(ImageSize, ImageSize, ImageMask, [](HDC dc) {
        // A black triangle pointing down, 7 pixels wide and 4 high, in the middle of the picture.
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        for (int row = 0; row < 4; ++row) {
            const RECT line{4 + row, 6 + row, 11 - row, 7 + row};
            FillRect(dc, &line, black);
        }
    });
    BtnInsert->SetImageRight(ImageListButton.Handle());
    CreateInsertMenu();

    MinWidth = MinOuterWidth;
    MinHeight = MinOuterHeight;
    FormCreate();
}

void TFmMessage::CreateInsertMenu()
{
    MnInsertDate = &PopupMenuKey.Add(u"Insert Date", [this](TMenuItem&) { MnInsertDateClick(); });
    MnInsertDate->ShortCut = FunctionKeyText(0);
    MnInsertTime = &PopupMenuKey.Add(u"Insert Time", [this](TMenuItem&) { MnInsertTimeClick(); });
    MnInsertTime->ShortCut = FunctionKeyText(1);
    MnInsertKey = &PopupMenuKey.Add(u"Insert Key");
    FunctionKeyItems[0] = MnInsertDate;
    FunctionKeyItems[1] = MnInsertTime;
    const struct {
        const char16_t* caption;
        int key;
    } keys[] = {{u"Tab", VK_TAB},   {u"Enter", VK_RETURN}, {u"-", 0},        {u"Left", VK_LEFT},
                {u"Right", VK_RIGHT}, {u"Up", VK_UP},      {u"Down", VK_DOWN}, {u"-", 0},
                {u"Home", VK_HOME}, {u"End", VK_END},      {u"Page Up", VK_PRIOR}, {u"Page Down", VK_NEXT}};
    size_t next = 2;
    for (const auto& key : keys) {
        if (key.key == 0) {
            MnInsertKey->Add(key.caption);
            continue;
        }
        TMenuItem& item = MnInsertKey->Add(key.caption, [this](TMenuItem& sender) { MnTabClick(sender); });
        item.Tag = key.key;
        item.ShortCut = FunctionKeyText(next);
        FunctionKeyItems[next++] = &item;
    }
    // Kept for the language files that name them; never shown.
    InsertKeystroke1 = &PopupMenuKey.Add(u"Insert Keystroke...");
    InsertMosee1 = &PopupMenuKey.Add(u"Insert Mouse...");
    InsertVariable1 = &PopupMenuKey.Add(u"Insert Variable...");
    for (TMenuItem* hidden : {InsertKeystroke1, InsertMosee1, InsertVariable1})
        hidden->Visible = false;
}

void TFmMessage::FormCreate()
{
    SetCheckBoxWidth();
    CenterOnScreen();
}

void TFmMessage::SetCheckBoxWidth()
{
    const RECT r = CheckBoxWordWarp->BoundsRect();
    const int width = DialogTextSize(ShownCaption(CheckBoxWordWarp->Text())).cx + 20;
    CheckBoxWordWarp->SetBounds({r.right - width, r.top, r.right, r.bottom});
}

void TFmMessage::Panel4Resize() { SetCheckBoxWidth(); }

void TFmMessage::BtnInsertClick()
{
    const RECT r = BtnInsert->BoundsRect();
    const POINT at = ClientToScreen({r.left, r.bottom});
    PopupMenuKey.Popup(Handle(), at.x, at.y);
}

void TFmMessage::InsertMacro(StringView macro)
{
    MemoText->InsertText(macro);
    MemoText->SetFocus();
}

void TFmMessage::MnInsertDateClick() { InsertMacro(DateMacro); }

void TFmMessage::MnInsertTimeClick() { InsertMacro(TimeMacro); }

void TFmMessage::MnTabClick(TMenuItem& sender)
{
    InsertMacro(KeyMacroText(sender.Tag));
    OsInput().MessageBeep(0);
}

void TFmMessage::CheckBoxWordWarpClick() { MemoText->SetWordWrap(CheckBoxWordWarp->Checked()); }

bool TFmMessage::MemoTextKeyDown(unsigned key)
{
    if (key < VK_F1 || key > VK_F12 || ModifierHeld())
        return false;
    FunctionKeyItems[key - VK_F1]->Click();
    return true;
}

void TFmMessage::BtnOkClick()
{
    if (EditName->Text().empty()) {
        EditName->SetFocus();
        OsInput().MessageBeep(0);
        return;
    }
    if (GetWindowTextLengthW(MemoText->Handle()) == 0) {
        MemoText->SetFocus();
        OsInput().MessageBeep(0);
        return;
    }
    const int hotkey = HotKey1->Value();
    if (IsHotkeyInUse(SnippetTree(), CurNode.Get(), hotkey) &&
        ShowMessageBox(HotkeyAlreadyExistsMsg, ProgramName, AskAnotherHotkey) == IDYES) {
        HotKey1->SetFocus();
        return;
    }
    // A message without hotkey registers nothing: whatever the system answers for the value 0,
    // there is no conflict to ask about.
    if (hotkey != 0 && !CanRegisterHotkey(hotkey) &&
        ShowMessageBox(HotkeyRegistrationFailedMsg, ProgramName, AskAnotherHotkey) == IDYES) {
        HotKey1->SetFocus();
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

// Runs the editor with the program's hotkeys released and registers them again on every path.
// On OK, place gives the node that takes the
// editor's fields; the data file is written then.
TTreeNode* RunEditor(const std::function<void(TFmMessage&)>& prepare,
                     const std::function<TTreeNode*(TFmMessage&)>& place)
{
    TTreeNode* result = nullptr;
    TDialogCommand<TFmMessage> command;
    command.Prepare = [&](TFmMessage& editor) {
        UnregisterAllHotkeys(SnippetTree());
        prepare(editor);
    };
    command.Apply = [&](TFmMessage& editor, int modalResult) {
        if (modalResult != mrOk)
            return;
        TTreeNode* node = place(editor);
        node->Text = editor.EditName->Text();
        node->Data = editor.MemoText->Text();
        node->StateIndex = editor.HotKey1->Value() & 0xFFFF;
        node->ExpandedImageIndex = 0;
        result = node;
        SaveDataFile(SnippetTree(), RootNode);
    };
    command.Always = [] { RegisterAllHotkeys(SnippetTree()); };
    OpenDialog(FmMessage, command);
    return result;
}
} // namespace

TTreeNode* NewMessage(TTreeNode* folder)
{
    const TNodeRef target(folder);
    return RunEditor([](TFmMessage&) {}, [&](TFmMessage&) { return AddMessage(FolderOrMessages(target.Get())); });
}

TTreeNode* NewMessageFromClipboard(TTreeNode* folder, const String& text)
{
    const TNodeRef target(folder);
    return RunEditor(
        [&](TFmMessage& editor) {
            editor.EditName->SetText(LeadingText(text, MaxNameLength));
            editor.MemoText->SetText(text);
        },
        [&](TFmMessage&) { return AddMessage(FolderOrMessages(target.Get())); });
}

void EditMessage(TTreeNode* node)
{
    if (!node)
        return;
    const bool historyEntry = node->Parent() == ClipboardsNode;
    RunEditor(
        [&](TFmMessage& editor) {
            editor.EditName->SetText(node->Text);
            editor.EditName->SelectAll();
            editor.MemoText->SetText(node->Content());
            editor.HotKey1->SetValue(node->StateIndex);
            editor.CurNode = node;
        },
        [&](TFmMessage& editor) -> TTreeNode* {
            if (editor.CurNode)
                return editor.CurNode.Get();
            // The message went while the editor was open (a capture trimmed the history, or its
            // folder was deleted); what the user typed is kept where such a message belongs.
            if (historyEntry)
                return InsertNewestEntry(SnippetTree(), ClipboardsNode, editor.MemoText->Text());
            return AddMessage(MessagesNode);
        });
}
