#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DialogAccess.h"
#include "Environment.h"
#include "ModalDriver.h"
#include "core/ClipboardCapture.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarClipboard.h"
#include "core/win32/UnitMenuBar.h"
#include "OsDoubles.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/UnitRename.h"
#include "settings/Language.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Application.h"
#include "ui/DeferredRelease.h"
#include "ui/Timer.h"
#include "ui/WinText.h"

namespace {

// The real OS services, except that message boxes, beeps, hotkey registrations, modifier keys
// and the clipboard's text are scripted and recorded.
class EditorOs : public TWin32Files, public TWin32Clipboard, public TWin32Input, public TWin32Shell {
public:
    struct Box {
        String text, caption;
        int flags;
    };
    std::vector<Box> boxes;
    std::vector<int> answers; // the buttons pressed, in turn; IDNO once they run out
    int beeps = 0;
    std::vector<std::string> hotkeyCalls;
    std::set<int> refused; // hotkey values the system will not register
    std::set<int> heldKeys;
    std::optional<String> clipboard;
    int saves = 0;

    int MessageDialog(StringView text, StringView caption, int flags) override
    {
        boxes.push_back({String(text), String(caption), flags});
        if (answers.empty())
            return IDNO;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void MessageBeep(unsigned) override { ++beeps; }
    bool RegisterHotkey(int id, unsigned, unsigned) override
    {
        hotkeyCalls.push_back("Register " + std::to_string(HotkeyValueOfId(id)));
        return !refused.count(HotkeyValueOfId(id));
    }
    bool UnregisterHotkey(int id) override
    {
        hotkeyCalls.push_back("Unregister " + std::to_string(HotkeyValueOfId(id)));
        return true;
    }
    int KeyState(int key) override { return heldKeys.count(key) ? -128 : 0; }
    bool ClipboardHasText() override { return clipboard.has_value(); }
    std::optional<String> ReadClipboardText() override { return clipboard; }
    void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) override
    {
        if (path == DataFile)
            ++saves;
        TWin32Files::WriteWholeFile(path, bytes);
    }
};

// Runs act on the editor once its modal loop runs.
class WhenOpen {
public:
    explicit WhenOpen(std::function<void(TFmMessage&)> act)
        : driver_([] { return FmMessage && FmMessage->InModal() && FmMessage->Visible(); },
                  [act = std::move(act)] { act(*FmMessage); })
    {
    }
    bool Ran() const { return driver_.Acted(); }

private:
    TWhileModal driver_;
};

constexpr int CtrlF2 = HotkeyCtrl | VK_F2;
constexpr int AltF3 = HotkeyAlt | VK_F3;
constexpr int ShiftF4 = HotkeyShift | VK_F4;

struct MessageEditor : testing::Test {
    TOsServices real;
    EditorOs os;
    bool turnOnHotkey = true, autoDelete = true;
    int maxCount = 20;
    std::vector<std::unique_ptr<TNodeRef>> added;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        real = OsServices();
        os.HotkeyWindow = FmMenuBar->Handle();
        SetOsServices(WithDouble(real, os));
        turnOnHotkey = TurnOnHotkey;
        autoDelete = AutoDelete;
        maxCount = ClipboardMaxCount;
        TurnOnHotkey = true;
    }
    void TearDown() override
    {
        for (auto& node : added)
            if (*node)
                DeleteNodeTree(node->Get());
        while (ClipboardsNode->Count() > 3)
            SnippetTree().Delete(ClipboardsNode->Item(3));
        TurnOnHotkey = turnOnHotkey;
        AutoDelete = autoDelete;
        ClipboardMaxCount = maxCount;
        CaptureTargetNode = nullptr;
        SetOsServices(real);
    }
    TTreeNode* Keep(TTreeNode* node)
    {
        if (node)
            added.push_back(std::make_unique<TNodeRef>(node));
        return node;
    }
    TTreeNode* AddNode(TTreeNode* parent, const String& name, int kind, const String& content = {}, int hotkey = 0)
    {
        TTreeNode* node = SnippetTree().AddChild(parent, name);
        node->ImageIndex = kind;
        if (kind == nkMessage)
            node->Data = content;
        node->StateIndex = hotkey;
        return Keep(node);
    }
    static void Click(const TStdControl& control) { SendMessageW(control.Handle(), BM_CLICK, 0, 0); }
    static std::string Utf8(const TStdControl& control) { return ToUtf8(control.Text()); }
    static String Content(const TMemo& memo) { return memo.Text(); }
};

std::string Rect(RECT r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST_F(MessageEditor, LayoutTabOrderAndStartingState)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    EXPECT_EQ(editor.Caption(), u"New Message");
    const DWORD style = static_cast<DWORD>(GetWindowLongW(editor.Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(editor.Handle(), GW_OWNER), FmMain->Handle());
    EXPECT_EQ(editor.ClientWidth(), 608 + 16);
    EXPECT_EQ(editor.ClientHeight(), 426 + 16);
    EXPECT_EQ(editor.Left(), (GetSystemMetrics(SM_CXSCREEN) - editor.Width()) / 2);
    EXPECT_EQ(editor.Top(), (GetSystemMetrics(SM_CYSCREEN) - editor.Height()) / 2);
    EXPECT_FALSE(editor.CancelOnEscape);

    const int labelRight = Ui(editor).LabelHotkey->BoundsRect().right;
    const int checkWidth = Ui(editor).CheckBoxWordWarp->BoundsRect().right - Ui(editor).CheckBoxWordWarp->BoundsRect().left;
    const struct {
        const TStdControl* control;
        RECT bounds;
        const char* caption;
    } controls[] = {
        {Ui(editor).LabelName.get(), {8, 8, 616, 28}, "&Name:"},
        {Ui(editor).EditName.get(), {8, 28, 616, 49}, ""},
        {Ui(editor).LabelContent.get(), {8, 57, 616, 77}, "Con&tent:"},
        {Ui(editor).MemoText.get(), {8, 77, 616, 350}, ""},
        {Ui(editor).BtnInsert.get(), {8, 358, 105, 383}, "&Insert"},
        {Ui(editor).LabelHotkey.get(), {125, 358, labelRight, 383}, "&Hotkey:"},
        {Ui(editor).HotKey1.get(), {labelRight + 8, 361, labelRight + 136, 380}, ""},
        {Ui(editor).CheckBoxWordWarp.get(), {616 - checkWidth, 362, 616, 379}, "&Word Warp"},
        {Ui(editor).BtnOk.get(), {432, 405, 520, 430}, "&Ok"},
        {Ui(editor).BtnCancel.get(), {528, 405, 616, 430}, "&Cancel"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(Rect(c.control->BoundsRect()), Rect(c.bounds));
        EXPECT_EQ(Utf8(*c.control), c.caption);
    }
    // The rule: a line at the bottom of the 10-pixel band under the Insert row.
    EXPECT_EQ(Ui(editor).Bevel1->BoundsRect().bottom, 393);
    EXPECT_GT(labelRight, 125 + 20);
    // The check box is as wide as its caption and 20 pixels more.
    EXPECT_EQ(checkWidth, DialogTextSize(u"Word Warp").cx + 20);

    EXPECT_EQ(SendMessageW(Ui(editor).EditName->Handle(), EM_GETLIMITTEXT, 0, 0), 60);
    EXPECT_TRUE(Ui(editor).CheckBoxWordWarp->Checked());
    EXPECT_TRUE(Ui(editor).MemoText->WordWrap());
    const DWORD memoStyle = static_cast<DWORD>(GetWindowLongW(Ui(editor).MemoText->Handle(), GWL_STYLE));
    EXPECT_TRUE(memoStyle & WS_VSCROLL);
    EXPECT_FALSE(memoStyle & WS_HSCROLL);
    EXPECT_EQ(Ui(editor).HotKey1->Value(), 0);
    EXPECT_FALSE(TDialogTestAccess::CurNode(editor));
    EXPECT_TRUE(GetWindowLongW(Ui(editor).BtnOk->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(Ui(editor).BtnCancel->ModalResult, mrCancel);

    // The Insert button shows the one 16 x 16 picture at its right.
    BUTTON_IMAGELIST list{};
    ASSERT_TRUE(SendMessageW(Ui(editor).BtnInsert->Handle(), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)));
    EXPECT_EQ(list.himl, Ui(editor).ImageListButton.Handle());
    EXPECT_EQ(list.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_RIGHT));
    int width = 0, height = 0;
    ImageList_GetIconSize(list.himl, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(ImageList_GetImageCount(list.himl), 1);

    std::vector<HWND> order;
    HWND h = Ui(editor).EditName->Handle();
    for (int i = 0; i < 8; ++i, h = GetNextDlgTabItem(editor.Handle(), h, FALSE))
        order.push_back(h);
    EXPECT_EQ(order, (std::vector<HWND>{Ui(editor).EditName->Handle(), Ui(editor).BtnInsert->Handle(),
                                        Ui(editor).HotKey1->Handle(), Ui(editor).CheckBoxWordWarp->Handle(),
                                        Ui(editor).BtnOk->Handle(), Ui(editor).BtnCancel->Handle(),
                                        Ui(editor).MemoText->Handle(), Ui(editor).EditName->Handle()}));
}

TEST_F(MessageEditor, TheInsertPictureIsABlackTriangleSevenWideAndFourHigh)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    const std::vector<COLORREF> pixels = PicturePixels(Ui(editor).ImageListButton, 0, 16, 16);
    std::string rows;
    for (int y = 0; y < 16; ++y) {
        int count = 0, first = -1;
        for (int x = 0; x < 16; ++x)
            if (pixels[static_cast<size_t>(y * 16 + x)] == RGB(0, 0, 0)) {
                first = first < 0 ? x : first;
                ++count;
            }
        if (count)
            rows += std::to_string(y) + ":" + std::to_string(first) + "+" + std::to_string(count) + " ";
    }
    EXPECT_EQ(rows, "6:4+7 7:5+5 8:6+3 9:7+1 ");
}

TEST_F(MessageEditor, ResizingMovesTheRowsAndStretchesTheFieldsDownToTheMinimumSize)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    MINMAXINFO info{};
    SendMessageW(editor.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 600);
    EXPECT_EQ(info.ptMinTrackSize.y, 420);
    const int checkWidth = Ui(editor).CheckBoxWordWarp->BoundsRect().right - Ui(editor).CheckBoxWordWarp->BoundsRect().left;

    const struct {
        int dx, dy; // change of the client size
    } sizes[] = {{200, 150}, {600 - editor.Width(), 420 - editor.Height()}, {0, 0}};
    const int width0 = editor.Width(), height0 = editor.Height();
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.dx);
        editor.SetBounds(editor.Left(), editor.Top(), width0 + size.dx, height0 + size.dy);
        const int right = 616 + size.dx, bottom = 442 + size.dy;
        EXPECT_EQ(editor.ClientWidth(), 624 + size.dx);
        EXPECT_EQ(Rect(Ui(editor).EditName->BoundsRect()), Rect({8, 28, right, 49}));
        EXPECT_EQ(Rect(Ui(editor).MemoText->BoundsRect()), Rect({8, 77, right, 350 + size.dy}));
        EXPECT_EQ(Rect(Ui(editor).BtnInsert->BoundsRect()), Rect({8, 358 + size.dy, 105, 383 + size.dy}));
        EXPECT_EQ(Ui(editor).HotKey1->BoundsRect().top, 361 + size.dy);
        EXPECT_EQ(Rect(Ui(editor).CheckBoxWordWarp->BoundsRect()),
                  Rect({right - checkWidth, 362 + size.dy, right, 379 + size.dy}));
        EXPECT_EQ(Rect(Ui(editor).BtnCancel->BoundsRect()), Rect({right - 88, bottom - 37, right, bottom - 12}));
        EXPECT_EQ(Rect(Ui(editor).BtnOk->BoundsRect()), Rect({right - 184, bottom - 37, right - 96, bottom - 12}));
        EXPECT_EQ(Ui(editor).Bevel1->BoundsRect().bottom, 393 + size.dy);
        // Nothing overlaps in the Insert row, also at the smallest size.
        EXPECT_LT(Ui(editor).HotKey1->BoundsRect().right, Ui(editor).CheckBoxWordWarp->BoundsRect().left);
    }
}

TEST_F(MessageEditor, TheWordWrapSwitchKeepsTheTextAndTheSelection)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    const String text = u"first line that is long enough to wrap somewhere\r\nsecond line";
    Ui(editor).MemoText->SetText(text);
    Ui(editor).MemoText->SetSelection(6, 10);
    for (bool wrap : {false, true, false}) {
        SCOPED_TRACE(wrap);
        Click(*Ui(editor).CheckBoxWordWarp);
        EXPECT_EQ(Ui(editor).CheckBoxWordWarp->Checked(), wrap);
        EXPECT_EQ(Ui(editor).MemoText->WordWrap(), wrap);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(Ui(editor).MemoText->Handle(), GWL_STYLE));
        EXPECT_TRUE(style & WS_VSCROLL);
        EXPECT_EQ((style & WS_HSCROLL) != 0, !wrap);
        EXPECT_EQ(Content(*Ui(editor).MemoText), text);
        int start = 0, end = 0;
        Ui(editor).MemoText->GetSelection(start, end);
        EXPECT_EQ(start, 6);
        EXPECT_EQ(end, 10);
    }
}

TEST_F(MessageEditor, TheInsertMenuHoldsItsItemsTagsShortcutsAndHiddenItems)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    std::vector<std::string> top;
    for (const TMenuItem& item : Ui(editor).PopupMenuKey.Items())
        top.push_back(ToUtf8(item.Caption) + "|" + ToUtf8(item.ShortCut) + (item.Visible ? "" : "|hidden"));
    EXPECT_EQ(top, (std::vector<std::string>{"Insert Date|F1", "Insert Time|F2", "Insert Key|",
                                             "Insert Keystroke...||hidden", "Insert Mouse...||hidden",
                                             "Insert Variable...||hidden"}));
    std::vector<std::string> keys;
    for (const TMenuItem& item : Ui(editor).MnInsertKey->Items)
        keys.push_back(ToUtf8(item.Caption) + "|" + ToUtf8(item.ShortCut) + "|" + std::to_string(item.Tag));
    EXPECT_EQ(keys, (std::vector<std::string>{"Tab|F3|9", "Enter|F4|13", "-||0", "Left|F5|37", "Right|F6|39",
                                              "Up|F7|38", "Down|F8|40", "-||0", "Home|F9|36", "End|F10|35",
                                              "Page Up|F11|33", "Page Down|F12|34"}));
    // The hidden items do nothing when clicked.
    Ui(editor).MemoText->SetText(u"x");
    for (TMenuItem* hidden : {Ui(editor).InsertKeystroke1, Ui(editor).InsertMosee1, Ui(editor).InsertVariable1})
        hidden->Click();
    EXPECT_EQ(Content(*Ui(editor).MemoText), u"x");
    EXPECT_EQ(os.beeps, 0);
}

TEST_F(MessageEditor, EachItemReplacesTheSelectionWithItsMacroAndFocusesTheText)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    editor.Show();
    const struct {
        TMenuItem* item;
        const char* macro;
        int beeps;
    } cases[] = {
        {Ui(editor).MnInsertDate, "<^DATE>", 0},    {Ui(editor).MnInsertTime, "<^TIME>", 0},
        {Ui(editor).FunctionKeyItems[2], "<^K=09>", 1}, {Ui(editor).FunctionKeyItems[3], "<^K=0D>", 1},
        {Ui(editor).FunctionKeyItems[4], "<^K=25>", 1}, {Ui(editor).FunctionKeyItems[5], "<^K=27>", 1},
        {Ui(editor).FunctionKeyItems[6], "<^K=26>", 1}, {Ui(editor).FunctionKeyItems[7], "<^K=28>", 1},
        {Ui(editor).FunctionKeyItems[8], "<^K=24>", 1}, {Ui(editor).FunctionKeyItems[9], "<^K=23>", 1},
        {Ui(editor).FunctionKeyItems[10], "<^K=21>", 1}, {Ui(editor).FunctionKeyItems[11], "<^K=22>", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.macro);
        Ui(editor).MemoText->SetText(u"abcdef");
        Ui(editor).MemoText->SetSelection(2, 4); // "cd"
        Ui(editor).EditName->SetFocus();
        os.beeps = 0;
        c.item->Click();
        EXPECT_EQ(ToUtf8(Content(*Ui(editor).MemoText)), std::string("ab") + c.macro + "ef");
        EXPECT_TRUE(Ui(editor).MemoText->Focused());
        EXPECT_EQ(os.beeps, c.beeps);
    }
    // Without a selection the macro goes in at the caret.
    Ui(editor).MemoText->SetText(u"ab");
    Ui(editor).MemoText->SetSelection(1, 1);
    Ui(editor).MnInsertDate->Click();
    EXPECT_EQ(Content(*Ui(editor).MemoText), u"a<^DATE>b");
    editor.Hide();
}

TEST_F(MessageEditor, FunctionKeysInTheTextClickTheItemsOnlyWithoutModifiers)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    const char* macros[] = {"<^DATE>", "<^TIME>", "<^K=09>", "<^K=0D>", "<^K=25>", "<^K=27>",
                            "<^K=26>", "<^K=28>", "<^K=24>", "<^K=23>", "<^K=21>", "<^K=22>"};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i + 1);
        Ui(editor).MemoText->SetText(u"");
        // F10 comes as a system key.
        SendMessageW(Ui(editor).MemoText->Handle(), i == 9 ? WM_SYSKEYDOWN : WM_KEYDOWN, VK_F1 + i, 0);
        EXPECT_EQ(ToUtf8(Content(*Ui(editor).MemoText)), macros[i]);
    }
    for (int modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        SCOPED_TRACE(modifier);
        os.heldKeys = {modifier};
        Ui(editor).MemoText->SetText(u"");
        SendMessageW(Ui(editor).MemoText->Handle(), modifier == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, VK_F5, 0);
        EXPECT_EQ(Content(*Ui(editor).MemoText), u"");
    }
    os.heldKeys.clear();
    EXPECT_FALSE(editor.MemoTextKeyDown('A'));
    EXPECT_FALSE(editor.MemoTextKeyDown(VK_F12 + 1));
}

TEST_F(MessageEditor, TheInsertButtonOpensTheMenuAtItsBottomLeftCorner)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    editor.Show();
    RECT shown{};
    TTimer watch;
    watch.SetInterval(20);
    watch.OnTimer = [&] {
        if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
            watch.SetEnabled(false);
            GetWindowRect(menu, &shown);
            EndMenu();
        }
    };
    watch.SetEnabled(true);
    Click(*Ui(editor).BtnInsert);
    watch.SetEnabled(false);
    const RECT button = Ui(editor).BtnInsert->BoundsRect();
    const POINT corner = editor.ClientToScreen({button.left, button.bottom});
    EXPECT_EQ(shown.left, corner.x);
    EXPECT_EQ(shown.top, corner.y);
    editor.Hide();
}

TEST_F(MessageEditor, AnEmptyNameOrTextIsFocusedWithABeepAndTheWindowStays)
{
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    editor.Show();
    const struct {
        const char16_t *name, *text;
        const TStdControl* focused;
        int result;
    } cases[] = {
        {u"", u"text", Ui(editor).EditName.get(), 0},
        {u"", u"", Ui(editor).EditName.get(), 0},
        {u"name", u"", Ui(editor).MemoText.get(), 0},
        {u" ", u"\r\n", nullptr, mrOk}, // blanks and line breaks are accepted, nothing trimmed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.name));
        Ui(editor).EditName->SetText(c.name);
        Ui(editor).MemoText->SetText(c.text);
        Ui(editor).BtnCancel->SetFocus();
        editor.ModalResult = 0;
        os.beeps = 0;
        editor.BtnOkClick();
        EXPECT_EQ(editor.ModalResult, c.result);
        EXPECT_EQ(os.beeps, c.focused ? 1 : 0);
        if (c.focused) {
            EXPECT_TRUE(c.focused->Focused());
        }
        EXPECT_TRUE(os.boxes.empty());
    }
    editor.Hide();
}

TEST_F(MessageEditor, TheTwoHotkeyQuestions)
{
    AddNode(MessagesNode, u"other", nkMessage, u"x", CtrlF2);
    TTreeNode* own = AddNode(MessagesNode, u"own", nkMessage, u"y", AltF3);
    const struct {
        const char* what;
        TTreeNode* node;
        int hotkey;
        bool refused;
        std::vector<int> answers;
        std::vector<std::string> asked;
        bool closes;
    } cases[] = {
        {"another message has it, Yes: back to the field", nullptr, CtrlF2, false, {IDYES}, {"exists"}, false},
        {"another message has it, No: go on", nullptr, CtrlF2, false, {IDNO}, {"exists"}, true},
        {"the message's own hotkey is no conflict", own, AltF3, false, {}, {}, true},
        {"the system refuses it, Yes: back to the field", own, AltF3, true, {IDYES}, {"failed"}, false},
        {"the system refuses it, No: go on", nullptr, ShiftF4, true, {IDNO}, {"failed"}, true},
        {"both, No and No", nullptr, CtrlF2, true, {IDNO, IDNO}, {"exists", "failed"}, true},
        {"both, No then Yes", nullptr, CtrlF2, true, {IDNO, IDYES}, {"exists", "failed"}, false},
        {"no hotkey: never a question, whatever the system says of 0", nullptr, 0, true, {}, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto editorWindow = MakeWindow<TFmMessage>(TMessageFields{}, c.node);
        TFmMessage& editor = *editorWindow;
        editor.Show();
        Ui(editor).EditName->SetText(u"n");
        Ui(editor).MemoText->SetText(u"t");
        Ui(editor).HotKey1->SetValue(c.hotkey);
        Ui(editor).BtnOk->SetFocus();
        os.refused = c.refused ? std::set<int>{c.hotkey} : std::set<int>{};
        os.answers = c.answers;
        os.boxes.clear();
        editor.BtnOkClick();
        std::vector<std::string> asked;
        for (const auto& box : os.boxes) {
            asked.push_back(box.text == Ui(editor).HotkeyAlreadyExistsMsg         ? "exists"
                            : box.text == Ui(editor).HotkeyRegistrationFailedMsg ? "failed"
                                                                             : ToUtf8(box.text));
            EXPECT_EQ(box.caption, ProgramName);
            EXPECT_EQ(box.flags, 0x34);
        }
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(editor.ModalResult, c.closes ? mrOk : 0);
        if (!c.closes) {
            EXPECT_TRUE(Ui(editor).HotKey1->Focused());
        }
        EXPECT_EQ(Ui(editor).HotKey1->Value(), c.hotkey); // No keeps the hotkey entered
        editor.Hide();
    }
}

TEST_F(MessageEditor, NewMessageStoresItsFieldsSavesAndHasTheHotkeysReleasedWhileOpen)
{
    TTreeNode* folder = AddNode(MessagesNode, u"Folder", nkFolder);
    AddNode(folder, u"first", nkMessage, u"one");
    AddNode(MessagesNode, u"hot", nkMessage, u"x", CtrlF2);
    std::vector<std::string> callsWhileOpen;
    WhenOpen act([&](TFmMessage& editor) {
        callsWhileOpen = os.hotkeyCalls;
        EXPECT_EQ(editor.Caption(), u"New Message");
        EXPECT_EQ(Utf8(*Ui(editor).BtnOk), "&Ok"); // the built-in table keeps the access keys
        EXPECT_TRUE(Ui(editor).EditName->Focused());
        EXPECT_EQ(GetForegroundWindow(), editor.Handle());
        Ui(editor).EditName->SetText(u"Greeting");
        Ui(editor).MemoText->SetText(u"Hello\r\nWorld");
        Ui(editor).HotKey1->SetValue(AltF3);
        Click(*Ui(editor).BtnOk);
    });
    TTreeNode* created = Keep(NewMessage(folder));
    ASSERT_TRUE(act.Ran());
    EXPECT_EQ(callsWhileOpen, (std::vector<std::string>{"Unregister " + std::to_string(CtrlF2)}));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Parent(), folder);
    EXPECT_EQ(created->Index(), 1);
    EXPECT_EQ(created->Text, u"Greeting");
    EXPECT_EQ(*created->Data, u"Hello\r\nWorld");
    EXPECT_EQ(created->ImageIndex, nkMessage);
    EXPECT_EQ(created->StateIndex, AltF3);
    EXPECT_EQ(created->ExpandedImageIndex, 0);
    EXPECT_EQ(os.saves, 1);
    // OK tried the new hotkey and released it at once; after the editor closed all hotkeys were
    // registered again, the new one among them, in the tree's order.
    const std::vector<std::string> after(os.hotkeyCalls.begin() + 1, os.hotkeyCalls.end());
    EXPECT_EQ(after, (std::vector<std::string>{"Register " + std::to_string(AltF3), "Unregister " + std::to_string(AltF3),
                                               "Register " + std::to_string(AltF3),
                                               "Register " + std::to_string(CtrlF2)}));
    EXPECT_EQ(FmMessage, nullptr);
    EXPECT_EQ(Application->ModalLevel, 0);
}

TEST_F(MessageEditor, CancelAndTheCloseBoxChangeNothingButRegisterTheHotkeysAgain)
{
    TTreeNode* message = AddNode(MessagesNode, u"name", nkMessage, u"text", CtrlF2);
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        os.hotkeyCalls.clear();
        os.saves = 0;
        const int before = MessagesNode->Count();
        WhenOpen act([&](TFmMessage& editor) {
            Ui(editor).EditName->SetText(u"changed");
            Ui(editor).MemoText->SetText(u"changed");
            Ui(editor).HotKey1->SetValue(AltF3);
            if (way == 0)
                Click(*Ui(editor).BtnCancel);
            else if (way == 1)
                PostMessageW(editor.Handle(), WM_CLOSE, 0, 0);
            else
                PostMessageW(editor.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        if (way == 2)
            EXPECT_EQ(NewMessage(MessagesNode), nullptr);
        else
            EditMessage(message);
        ASSERT_TRUE(act.Ran());
        EXPECT_EQ(message->Text, u"name");
        EXPECT_EQ(*message->Data, u"text");
        EXPECT_EQ(message->StateIndex, CtrlF2);
        EXPECT_EQ(MessagesNode->Count(), before);
        EXPECT_EQ(os.saves, 0);
        EXPECT_EQ(os.hotkeyCalls, (std::vector<std::string>{"Unregister " + std::to_string(CtrlF2),
                                                            "Register " + std::to_string(CtrlF2)}));
    }
}

TEST_F(MessageEditor, EscapeDoesNothingAndEnterBreaksTheLine)
{
    std::string state;
    WhenOpen act([&](TFmMessage& editor) {
        Ui(editor).EditName->SetText(u"n");
        Ui(editor).MemoText->SetFocus();
        for (HWND target : {Ui(editor).MemoText->Handle(), Ui(editor).EditName->Handle()}) {
            PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(target, WM_CHAR, VK_ESCAPE, 0);
            PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0);
        }
        // The loop makes the character of the key, as it does for a key the user presses.
        PostMessageW(Ui(editor).MemoText->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    });
    TTimer check;
    check.SetInterval(20);
    check.OnTimer = [&] {
        if (FmMessage && FmMessage->InModal() && !Content(*Ui(*FmMessage).MemoText).empty()) {
            check.SetEnabled(false);
            state = ToUtf8(Content(*Ui(*FmMessage).MemoText)) + "|" + std::to_string(FmMessage->ModalResult);
            Click(*Ui(*FmMessage).BtnCancel);
        }
    };
    check.SetEnabled(true);
    NewMessage(MessagesNode);
    ASSERT_TRUE(act.Ran());
    EXPECT_EQ(state, "\r\n|0");
}

TEST_F(MessageEditor, EditMessageFillsTheFieldsAndChangesTheMessageInPlace)
{
    AddNode(MessagesNode, u"before", nkMessage, u"b");
    TTreeNode* message = AddNode(MessagesNode, u"Signature", nkMessage, u"Regards", CtrlF2);
    message->ExpandedImageIndex = 7;
    AddNode(MessagesNode, u"after", nkMessage, u"a");
    const int index = message->Index();
    WhenOpen act([&](TFmMessage& editor) {
        EXPECT_EQ(editor.Caption(), u"Edit Message");
        EXPECT_EQ(TDialogTestAccess::CurNode(editor), message);
        EXPECT_EQ(Ui(editor).EditName->Text(), u"Signature");
        DWORD start = 1, end = 0;
        SendMessageW(Ui(editor).EditName->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 9u);
        EXPECT_EQ(Content(*Ui(editor).MemoText), u"Regards");
        EXPECT_EQ(Ui(editor).HotKey1->Value(), CtrlF2);
        Ui(editor).EditName->SetText(u"Sig");
        Ui(editor).MemoText->SetText(u"Best regards");
        Ui(editor).HotKey1->SetValue(0);
        Click(*Ui(editor).BtnOk);
    });
    EditMessage(message);
    ASSERT_TRUE(act.Ran());
    EXPECT_EQ(message->Index(), index);
    EXPECT_EQ(message->Text, u"Sig");
    EXPECT_EQ(*message->Data, u"Best regards");
    EXPECT_EQ(message->StateIndex, 0);
    EXPECT_EQ(message->ExpandedImageIndex, 0);
    EXPECT_EQ(message->ImageIndex, nkMessage);
    EXPECT_EQ(os.saves, 1);
}

TEST_F(MessageEditor, AHistoryEntryTrimmedWhileOpenComesBackAsTheNewestEntry)
{
    AutoDelete = true;
    ClipboardMaxCount = 5;
    for (int i = 1; i <= 5; ++i)
        AddNode(ClipboardsNode, u"e" + String(1, char16_t(u'0' + i)), nkMessage, u"text");
    TTreeNode* oldest = ClipboardsNode->Item(7);
    ASSERT_EQ(oldest->Text, u"e5");
    WhenOpen act([&](TFmMessage& editor) {
        Ui(editor).EditName->SetText(u"kept");
        Ui(editor).MemoText->SetText(u"typed");
        Ui(editor).HotKey1->SetValue(AltF3);
        // A capture while the editor is open trims the entry being edited.
        InsertNewestEntry(SnippetTree(), ClipboardsNode, u"captured");
        EXPECT_FALSE(TDialogTestAccess::CurNode(editor));
        Click(*Ui(editor).BtnOk);
    });
    EditMessage(oldest);
    ASSERT_TRUE(act.Ran());
    ASSERT_EQ(ClipboardsNode->Count(), 3 + 5);
    const TTreeNode* entry = ClipboardsNode->Item(3);
    EXPECT_EQ(entry->Text, u"kept");
    EXPECT_EQ(*entry->Data, u"typed");
    EXPECT_EQ(entry->StateIndex, AltF3);
    EXPECT_EQ(entry->ImageIndex, nkMessage);
    EXPECT_EQ(ClipboardsNode->Item(4)->Text, u"captured");
    EXPECT_EQ(ClipboardsNode->Item(7)->Text, u"e3"); // trimmed as a capture trims
    EXPECT_EQ(os.saves, 1);
}

TEST_F(MessageEditor, AMessageOrFolderDeletedWhileOpenLeavesTheTypingInMessages)
{
    for (int opener = 0; opener < 3; ++opener) {
        SCOPED_TRACE(opener);
        TTreeNode* outer = AddNode(MessagesNode, u"Outer", nkFolder);
        TTreeNode* folder = AddNode(outer, u"Folder", nkFolder);
        TTreeNode* message = AddNode(folder, u"m", nkMessage, u"old");
        WhenOpen act([&](TFmMessage& editor) {
            Ui(editor).EditName->SetText(u"kept");
            Ui(editor).MemoText->SetText(u"typed");
            DeleteNodeTree(outer);
            Click(*Ui(editor).BtnOk);
        });
        TTreeNode* result = nullptr;
        if (opener == 0)
            result = NewMessage(folder);
        else if (opener == 1)
            result = NewMessageFromClipboard(folder, u"clip");
        else
            EditMessage(message);
        ASSERT_TRUE(act.Ran());
        TTreeNode* last = MessagesNode->Item(MessagesNode->Count() - 1);
        Keep(last);
        EXPECT_EQ(last->Text, u"kept");
        EXPECT_EQ(*last->Data, u"typed");
        EXPECT_EQ(last->ImageIndex, nkMessage);
        if (opener < 2) {
            EXPECT_EQ(result, last);
        }
    }
}

TEST_F(MessageEditor, AFolderCaptureOpensTheEditorAfterTheChainMessageWithTheText)
{
    TTreeNode* folder = AddNode(MessagesNode, u"Folder", nkFolder);
    const String head(59, u'a');
    const String text = head + u"\U0001F600 and more";
    os.clipboard = text;
    CaptureTargetNode = folder;
    SendMessageW(FmMenuBar->Handle(), WM_DRAWCLIPBOARD, 0, 0);
    // The chain message is over and no editor opened inside it.
    EXPECT_EQ(CaptureTargetNode, nullptr);
    EXPECT_EQ(Application->ModalLevel, 0);
    EXPECT_FALSE(FmMenuBar->Clipboard().FolderCaptures.Empty());
    EXPECT_EQ(ClipboardsNode->Count(), 3);

    String name, content;
    WhenOpen act([&](TFmMessage& editor) {
        name = Ui(editor).EditName->Text();
        content = Content(*Ui(editor).MemoText);
        Click(*Ui(editor).BtnOk);
    });
    ASSERT_TRUE(PumpUntil([&] { return act.Ran() && !FmMessage && Application->ModalLevel == 0; }));
    EXPECT_EQ(name, head); // the pair that the 60th unit would split stays whole out of the name
    EXPECT_EQ(content, text);
    ASSERT_EQ(folder->Count(), 1);
    EXPECT_EQ(folder->Item(0)->Text, head);
    EXPECT_EQ(*folder->Item(0)->Data, text);
    EXPECT_EQ(ClipboardsNode->Count(), 3); // Clipboards is not touched
    EXPECT_TRUE(FmMenuBar->Clipboard().FolderCaptures.Empty());
}

TEST_F(MessageEditor, AFolderCaptureWhoseFolderWentAwayGoesToMessagesAndCancelAddsNothing)
{
    TTreeNode* folder = AddNode(MessagesNode, u"Folder", nkFolder);
    FmMenuBar->Clipboard().FolderCaptures.Add(folder, u"short\r\ntext");
    DeleteNodeTree(folder);
    const int before = MessagesNode->Count();
    String name;
    WhenOpen act([&](TFmMessage& editor) {
        name = Ui(editor).EditName->Text();
        Click(*Ui(editor).BtnOk);
    });
    ASSERT_TRUE(PumpUntil([&] { return act.Ran() && !FmMessage && Application->ModalLevel == 0; }));
    EXPECT_EQ(name, u"short\r\ntext"); // a short text is the whole name, line break included
    ASSERT_EQ(MessagesNode->Count(), before + 1);
    Keep(MessagesNode->Item(before));
    EXPECT_EQ(*MessagesNode->Item(before)->Data, u"short\r\ntext");

    TTreeNode* other = AddNode(MessagesNode, u"Other", nkFolder);
    FmMenuBar->Clipboard().FolderCaptures.Add(other, u"text");
    WhenOpen cancel([&](TFmMessage& editor) { Click(*Ui(editor).BtnCancel); });
    ASSERT_TRUE(PumpUntil([&] { return cancel.Ran() && !FmMessage && Application->ModalLevel == 0; }));
    EXPECT_FALSE(other->HasChildren());
}

TEST_F(MessageEditor, ACaptureWhileAnEditorIsOpenWaitsForItToClose)
{
    TTreeNode* folder = AddNode(MessagesNode, u"Folder", nkFolder);
    TTreeNode* message = AddNode(MessagesNode, u"m", nkMessage, u"text");
    bool secondOpenedInside = false;
    WhenOpen act([&](TFmMessage& editor) {
        FmMenuBar->Clipboard().FolderCaptures.Add(folder, u"captured");
        // The bar's posted message goes through the editor's loop before this key, which comes
        // after it; it must not open a second editor.
        PostMessageW(Ui(editor).MemoText->Handle(), WM_CHAR, L'z', 0);
        EXPECT_TRUE(PumpUntil([&] { return Content(*Ui(editor).MemoText).find(u'z') != String::npos; }));
        secondOpenedInside = Application->ModalLevel > 1;
        Click(*Ui(editor).BtnCancel);
    });
    EditMessage(message);
    ASSERT_TRUE(act.Ran());
    EXPECT_FALSE(secondOpenedInside);
    String name;
    WhenOpen second([&](TFmMessage& editor) {
        name = Ui(editor).EditName->Text();
        Click(*Ui(editor).BtnOk);
    });
    ASSERT_TRUE(PumpUntil([&] { return second.Ran() && !FmMessage && Application->ModalLevel == 0; }));
    EXPECT_EQ(name, u"captured");
    EXPECT_EQ(folder->Count(), 1);
}

TEST_F(MessageEditor, ACaptureWaitsUntilNoOtherModalWindowIsOpen)
{
    // Opened over the Options window, the editor would bring the hotkeys back under it.
    TTreeNode* folder = AddNode(MessagesNode, u"Folder", nkFolder);
    bool editorInside = true;
    TWhileModal act([] { return FmNewFolder && FmNewFolder->Visible(); },
                    [&] {
                        FmMenuBar->Clipboard().FolderCaptures.Add(folder, u"captured");
                        // The bar's posted message is handled before this key, posted after it.
                        SetWindowTextW(Ui(*FmNewFolder).LEditName->Handle(), L"");
                        PostMessageW(Ui(*FmNewFolder).LEditName->Handle(), WM_CHAR, L'z', 0);
                        EXPECT_TRUE(PumpUntil([] { return Ui(*FmNewFolder).LEditName->Text() == u"z"; }));
                        editorInside = FmMessage != nullptr;
                        PostMessageW(FmNewFolder->Handle(), WM_CLOSE, 0, 0);
                    });
    EXPECT_EQ(NewFolder(MessagesNode), nullptr);
    EXPECT_FALSE(editorInside);
    String name;
    WhenOpen after([&](TFmMessage& editor) {
        name = Ui(editor).EditName->Text();
        Click(*Ui(editor).BtnCancel);
    });
    ASSERT_TRUE(PumpUntil([&] { return after.Ran() && !FmMessage && Application->ModalLevel == 0; }));
    EXPECT_EQ(name, u"captured");
}

TEST_F(MessageEditor, MakingAnEditorLeavesTheDeferredReleasesWorking)
{
    // Its first sizes come before its controls: nothing may fault there.
    { MakeWindow<TFmMessage>(); }
    struct Probe {
        bool& freed;
        ~Probe() { freed = true; }
    };
    bool freed = false;
    ReleaseLater(std::unique_ptr<Probe>(new Probe{freed}));
    EXPECT_TRUE(freed);
}

} // namespace

namespace {

TEST_F(MessageEditor, TheLanguageTableGivesTheTextsAndTheCheckBoxFitsItsCaption)
{
    const TStringList table = FmMain->ListBoxChinese;
    FmMain->ListBoxChinese = {
        u"MessageWindow/Title/NewMessage=Neue Nachricht",
        u"MessageWindow/Label/Name=&Bezeichnung:",
        u"MessageWindow/CheckBox/WordWarp=Zeilen umbrechen am Rand",
        u"MessageWindow/Button/Insert/InsertDate=Datum einf\u00fcgen",
        u"MessageWindow/Button/Insert/InsertKey=Taste einf\u00fcgen",
        u"MessageWindow/Button/Ok/Message/HotkeyAlreadyExists=Schon vergeben",
    };
    const auto editorWindow = MakeWindow<TFmMessage>();
    TFmMessage& editor = *editorWindow;
    const RECT before = Ui(editor).CheckBoxWordWarp->BoundsRect();
    FmMessage = &editor;
    ApplyLanguage();
    FmMessage = nullptr;
    FmMain->ListBoxChinese = table;
    ApplyLanguage();

    EXPECT_EQ(editor.Caption(), u"Neue Nachricht");
    EXPECT_EQ(Ui(editor).LabelName->Text(), u"&Bezeichnung:");
    EXPECT_EQ(Ui(editor).LabelContent->Text(), u"Content:"); // missing keys give the English defaults
    EXPECT_EQ(Ui(editor).BtnOk->Text(), u"Ok");
    EXPECT_EQ(Ui(editor).MnInsertDate->Caption, u"Datum einf\u00fcgen");
    EXPECT_EQ(Ui(editor).MnInsertTime->Caption, u"Insert Time");
    EXPECT_EQ(Ui(editor).MnInsertKey->Caption, u"Taste einf\u00fcgen");
    EXPECT_EQ(Ui(editor).FunctionKeyItems[2]->Caption, u"Tab"); // key captions are not translated
    EXPECT_EQ(Ui(editor).HotkeyAlreadyExistsMsg, u"Schon vergeben");
    EXPECT_EQ(Ui(editor).HotkeyRegistrationFailedMsg,
              u"Hotkey registration failed. Do you want to select another hotkey?");
    const RECT after = Ui(editor).CheckBoxWordWarp->BoundsRect();
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.right - after.left, DialogTextSize(u"Zeilen umbrechen am Rand").cx + 20);
}

TEST_F(MessageEditor, TemplateModeWritesTheSectionWithTheTitleOfTheEditorsState)
{
    const String language = CurrentLanguage, languages = LanguagesFolder;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"QuorvaneEditorTemplate";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\Enlish(Program).ini";
    LanguagesFolder = FromW(folder);
    CurrentLanguage = u"GetDefaultEnglish";
    auto section = [&] {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        std::vector<std::uint8_t> bytes(file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr));
        DWORD read = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
            CloseHandle(file);
        }
        TStringList lines;
        bool in = false;
        for (const String& line : LanguageTableLines(bytes)) {
            if (line.starts_with(u"//"))
                in = line == u"//MessageWindow";
            if (in && !line.empty())
                lines.push_back(line);
        }
        return lines;
    };

    ApplyLanguage(); // the editor made hidden, with no message: the new message's title
    ASSERT_NE(FmMessage, nullptr);
    EXPECT_FALSE(FmMessage->Visible());
    const TFmMessage* hidden = FmMessage;
    const TStringList hiddenSection = section();
    ASSERT_EQ(hiddenSection.size(), 14u);
    EXPECT_EQ(hiddenSection[1], u"MessageWindow/Title/NewMessage=New Message");
    EXPECT_EQ(hiddenSection[2], u"MessageWindow/Label/Name=Name:"); // the plain defaults
    EXPECT_EQ(hiddenSection[13], u"MessageWindow/Button/Cancel=Cancel");

    TTreeNode* message = AddNode(MessagesNode, u"m", nkMessage, u"t");
    TStringList editing;
    WhenOpen act([&](TFmMessage& editor) {
        editing = section();
        Click(*Ui(editor).BtnCancel);
    });
    EditMessage(message);
    ASSERT_TRUE(act.Ran());
    ASSERT_EQ(editing.size(), 14u);
    EXPECT_EQ(editing[1], u"MessageWindow/Title/EditMessage=Edit Message");
    EXPECT_EQ(FmMessage, nullptr); // the opener's own editor is gone; the hidden one comes back
    ApplyLanguage();
    EXPECT_EQ(FmMessage, hidden);

    // The hidden editor does not keep a folder capture waiting.
    TTreeNode* target = AddNode(MessagesNode, u"Folder", nkFolder);
    FmMenuBar->Clipboard().FolderCaptures.Add(target, u"captured");
    WhenOpen capture([&](TFmMessage& editor) { Click(*Ui(editor).BtnOk); });
    EXPECT_TRUE(PumpUntil([&] { return capture.Ran() && Application->ModalLevel == 0; }));
    EXPECT_EQ(target->Count(), 1);

    CurrentLanguage = language;
    LanguagesFolder = languages;
    FreeTemplateDialogs();
    FmOptions = nullptr;
    EXPECT_EQ(FmMessage, nullptr);
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace

namespace {

TEST_F(MessageEditor, AltWithALetterInTheHotkeyFieldIsTheHotkeyNotAnAccessKey)
{
    // Alt+C would press Cancel, Alt+O OK and Alt+N jump to the name; typed into the hotkey field,
    // they set the hotkey. The keys go through the editor's own loop, as a user's keys do.
    for (const char letter : {'C', 'O', 'N'}) {
        SCOPED_TRACE(letter);
        std::string state;
        WhenOpen act([&](TFmMessage& editor) {
            Ui(editor).HotKey1->SetFocus();
            for (const auto& [key, up] : std::initializer_list<std::pair<BYTE, bool>>{
                     {VK_MENU, false}, {static_cast<BYTE>(letter), false}, {static_cast<BYTE>(letter), true},
                     {VK_MENU, true}})
                keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, 0)), up ? KEYEVENTF_KEYUP : 0, 0);
        });
        TWhileModal typed([&] { return act.Ran() && FmMessage && Ui(*FmMessage).HotKey1->Value() == (HotkeyAlt | letter); },
                          [&] {
                              // The character such a key makes where the system makes one, then a
                              // mark that comes after whatever the key brought.
                              PostMessageW(Ui(*FmMessage).HotKey1->Handle(), WM_SYSCHAR,
                                           static_cast<WPARAM>(letter | 0x20), 1 << 29);
                              PostMessageW(Ui(*FmMessage).MemoText->Handle(), WM_CHAR, L'z', 0);
                          });
        TWhileModal check([&] { return typed.Acted() && FmMessage && !Content(*Ui(*FmMessage).MemoText).empty(); },
                          [&] {
                              state = std::to_string(FmMessage->ModalResult) +
                                      (Ui(*FmMessage).HotKey1->Focused() ? " focused" : " moved");
                              Click(*Ui(*FmMessage).BtnCancel);
                          });
        TModalDeadline deadline([] { return FmMessage ? static_cast<void*>(FmMessage->Handle()) : nullptr; });
        NewMessage(MessagesNode);
        ASSERT_TRUE(act.Ran());
        EXPECT_EQ(state, "0 focused");
    }
}

} // namespace
