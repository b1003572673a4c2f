#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Environment.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/PasteEngine.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarHotkeys.h"
#include "core/win32/UnitMenuBar.h"
#include "OsDoubles.h"
#include "ui/Application.h"
#include "ui/WinText.h"

namespace {

using Calls = std::vector<std::string>;

// The real OS services, except that input, clipboard writes, waits and beeps are recorded
// instead of reaching the desktop.
class RecordingOs : public TWin32Clipboard, public TWin32Input {
public:
    Calls calls;
    int altState = 0;

    void KeybdEvent(int key, int scanCode, unsigned flags) override
    {
        calls.push_back("Key " + std::to_string(key) + (scanCode ? " scan" : " 0") + (flags ? " up" : " down"));
    }
    int KeyState(int key) override { return key == VK_MENU ? altState : 0; }
    void Sleep(unsigned ms) override { calls.push_back("Sleep " + std::to_string(ms)); }
    void SetClipboardText(StringView text) override
    {
        calls.push_back("Clipboard \"" + ToUtf8(text) + "\"");
        CaptureNextClipboardChange = true;
    }
    TScreenPoint CursorPos() override { return {700, 500}; }
    void SetCursorPos(TScreenPoint p) override
    {
        calls.push_back("SetCursorPos " + std::to_string(p.X) + " " + std::to_string(p.Y));
    }
    void MouseEvent(unsigned flags) override { calls.push_back("MouseEvent " + std::to_string(flags)); }
    void MessageBeep(unsigned type) override { calls.push_back("MessageBeep " + std::to_string(type)); }
};

Calls Paste(const std::string& text)
{
    return {"Clipboard \"" + text + "\"", "Key 17 scan down", "Key 86 scan down", "Key 86 scan up", "Key 17 scan up"};
}

constexpr int CtrlF2 = HotkeyCtrl | VK_F2;
constexpr int AltF3 = HotkeyAlt | VK_F3;

struct MenuBarHotkeys : testing::Test {
    TOsServices real;
    RecordingOs os;
    std::vector<TTreeNode*> added;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        real = OsServices();
        os.HotkeyWindow = FmMenuBar->Handle();
        SetOsServices(WithDouble(real, os));
    }
    void TearDown() override
    {
        for (TTreeNode* node : added)
            DeleteNodeTree(node);
        FmMenuBar->Hotkeys().TimerHotkey.SetEnabled(false);
        AltHotkeyNode = nullptr;
        Application->ModalLevel = 0;
        OpenMessageBoxCount = 0;
        SetOsServices(real);
    }
    TTreeNode* AddMessage(const String& name, const String& content, int hotkey)
    {
        TTreeNode* node = SnippetTree().AddChild(MessagesNode, name);
        node->ImageIndex = nkMessage;
        node->Data = content;
        node->StateIndex = hotkey;
        added.push_back(node);
        return node;
    }
    void Press(int hotkey)
    {
        const unsigned modifiers = ShiftToHotkeyModifiers(hotkey);
        SendMessageW(FmMenuBar->Handle(), WM_HOTKEY, static_cast<WPARAM>(HotkeyId(hotkey)),
                     MAKELPARAM(modifiers, hotkey & 0xFF));
    }
};

TEST_F(MenuBarHotkeys, AModalWindowOrMessageBoxOnlyClicksIntoTheBarAndBeeps)
{
    AddMessage(u"m", u"text", CtrlF2);
    TTreeNode* waiting = AddMessage(u"waiting", u"w", AltF3);
    const POINT origin = FmMenuBar->ClientToScreen({0, 0});
    const Calls clickAndBeep = {"SetCursorPos " + std::to_string(origin.x + 1) + " " + std::to_string(origin.y + 1),
                                "MouseEvent 2", "MouseEvent 4", "SetCursorPos 700 500", "MessageBeep 0"};
    for (int guard = 0; guard < 2; ++guard) {
        SCOPED_TRACE(guard ? "message box" : "modal window");
        os.calls.clear();
        Application->ModalLevel = guard ? 0 : 1;
        OpenMessageBoxCount = guard ? 1 : 0;
        AltHotkeyNode = waiting;
        Press(CtrlF2);
        EXPECT_EQ(os.calls, clickAndBeep);
        EXPECT_EQ(AltHotkeyNode, waiting); // a waiting paste is not touched
    }
}

TEST_F(MenuBarHotkeys, TheModalClickGoesOnlyToAPartOfTheBarOnTheScreen)
{
    Application->ModalLevel = 1;
    const RECT placed = {FmMenuBar->Left(), FmMenuBar->Top(), FmMenuBar->Width(), FmMenuBar->Height()};
    const int barHeight = FmMenuBar->ClientHeight();
    const struct {
        int left, top;
        Calls calls;
    } cases[] = {
        // Auto hide slid it up: the click goes to its visible strip, not to the screen above.
        {100, 3 - barHeight, {"SetCursorPos 101 0", "MouseEvent 2", "MouseEvent 4", "SetCursorPos 700 500", "MessageBeep 0"}},
        // A bar wider than the screen, left of it: the click goes to the screen's first column.
        {-50, 0, {"SetCursorPos 0 1", "MouseEvent 2", "MouseEvent 4", "SetCursorPos 700 500", "MessageBeep 0"}},
        // Nothing of it on the screen: no click into whatever is there.
        {100, -barHeight, {"MessageBeep 0"}},
        {-FmMenuBar->Width(), 0, {"MessageBeep 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + " " + std::to_string(c.top));
        os.calls.clear();
        FmMenuBar->SetBounds(c.left, c.top, placed.right, placed.bottom);
        Press(CtrlF2);
        EXPECT_EQ(os.calls, c.calls);
    }
    FmMenuBar->SetBounds(placed.left, placed.top, placed.right, placed.bottom);
}

TEST_F(MenuBarHotkeys, TheFirstMatchingNodePastesAtOnceWithoutAlt)
{
    AddMessage(u"first", u"one", CtrlF2);
    AddMessage(u"second", u"two", CtrlF2);
    Press(CtrlF2);
    EXPECT_EQ(os.calls, Paste("one"));
    EXPECT_FALSE(FmMenuBar->Hotkeys().TimerHotkey.Enabled());
}

TEST_F(MenuBarHotkeys, AnAltHotkeyPastesOnceAltIsUp)
{
    TTreeNode* node = AddMessage(u"alt", u"later", AltF3);
    os.altState = -128; // GetKeyState's answer for a key held down
    Press(AltF3);
    EXPECT_TRUE(os.calls.empty());
    EXPECT_TRUE(FmMenuBar->Hotkeys().TimerHotkey.Enabled());
    EXPECT_EQ(FmMenuBar->Hotkeys().TimerHotkey.Interval(), 10u);
    EXPECT_EQ(AltHotkeyNode, node);
    PumpUntil([] { return false; }, 150);
    EXPECT_TRUE(os.calls.empty());
    os.altState = 0;
    ASSERT_TRUE(PumpUntil([&] { return !FmMenuBar->Hotkeys().TimerHotkey.Enabled(); }, 1000));
    EXPECT_EQ(os.calls, Paste("later"));
}

TEST_F(MenuBarHotkeys, TheWaitingMessageIsPastedWhereverACaptureMovesItAndForgottenWhenDeleted)
{
    AddMessage(u"before", u"neighbour", 0);
    AddMessage(u"alt", u"mine", AltF3);
    TTreeNodes& items = SnippetTree();
    os.altState = -128;
    Press(AltF3);
    // A capture while Alt is held: a new entry of Clipboards, which comes before Messages.
    TTreeNode* entry = items.AddChild(ClipboardsNode, u"captured");
    items.MoveBefore(entry, ClipboardsNode->Item(3));
    os.altState = 0;
    ASSERT_TRUE(PumpUntil([&] { return !FmMenuBar->Hotkeys().TimerHotkey.Enabled(); }, 1000));
    EXPECT_EQ(os.calls, Paste("mine"));

    os.calls.clear();
    os.altState = -128;
    Press(AltF3);
    items.Delete(added.back());
    added.pop_back();
    items.Delete(entry);
    EXPECT_EQ(AltHotkeyNode, nullptr);
    os.altState = 0;
    ASSERT_TRUE(PumpUntil([&] { return !FmMenuBar->Hotkeys().TimerHotkey.Enabled(); }, 1000));
    EXPECT_TRUE(os.calls.empty());
}

TEST_F(MenuBarHotkeys, ALaterHotkeyCancelsTheWaitingPaste)
{
    AddMessage(u"alt", u"later", AltF3);
    AddMessage(u"ctrl", u"now", CtrlF2);
    os.altState = -128;
    Press(AltF3);
    Press(CtrlF2);
    EXPECT_EQ(os.calls, Paste("now"));
    Press(AltF3);
    Press(HotkeyCtrl | VK_F9); // matches no node
    EXPECT_EQ(AltHotkeyNode, nullptr);
    os.altState = 0;
    ASSERT_TRUE(PumpUntil([&] { return !FmMenuBar->Hotkeys().TimerHotkey.Enabled(); }, 1000));
    EXPECT_EQ(os.calls, Paste("now"));
}

TEST_F(MenuBarHotkeys, TimerTabPasteTypesTheStepsFiftyMillisecondsApart)
{
    PasteMessageText(u"ab<^K=09>cd");
    EXPECT_TRUE(os.calls.empty());
    EXPECT_TRUE(FmMenuBar->Hotkeys().TimerTabPaste.Enabled());
    EXPECT_EQ(FmMenuBar->Hotkeys().TimerTabPaste.Interval(), 50u);
    ASSERT_TRUE(PumpUntil([&] { return os.calls.size() == 13; }, 2000));
    Calls expected = Paste("ab");
    for (auto& c : {"Sleep 50", "Key 9 0 down", "Key 9 0 up"})
        expected.push_back(c);
    for (auto& c : Paste("cd"))
        expected.push_back(c);
    EXPECT_EQ(os.calls, expected);
    EXPECT_FALSE(FmMenuBar->Hotkeys().TimerTabPaste.Enabled());
}

TEST_F(MenuBarHotkeys, SharedCombinationsAreRefusedByTheSystemAfterTheFirst)
{
    SetOsServices(real);
    const bool turnedOn = TurnOnHotkey;
    TurnOnHotkey = true;
    TTreeNode* first = AddMessage(u"first", u"1", HotkeyCtrl | HotkeyAlt | VK_F11);
    TTreeNode* twin = AddMessage(u"twin", u"2", HotkeyCtrl | HotkeyAlt | VK_F11);
    RegisterAllHotkeys(SnippetTree());
    EXPECT_TRUE(first->Enabled);
    EXPECT_FALSE(twin->Enabled);
    EXPECT_TRUE(CanRegisterHotkey(HotkeyCtrl | HotkeyAlt | VK_F12));
    EXPECT_TRUE(CanRegisterHotkey(HotkeyCtrl | HotkeyAlt | VK_F12)); // given back by the test itself
    twin->Enabled = true;
    UnregisterAllHotkeys(SnippetTree());
    EXPECT_FALSE(first->Enabled);
    EXPECT_TRUE(twin->Enabled); // its unregistration failed: the first one's was already gone
    EXPECT_TRUE(CanRegisterHotkey(HotkeyCtrl | HotkeyAlt | VK_F11));
    TurnOnHotkey = turnedOn;
    SetOsServices(WithDouble(real, os));
}

String ReadClipboardText()
{
    String text = u"(none)";
    if (!OpenClipboard(nullptr))
        return u"(closed)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = FromW(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST(Win32Clipboard, WritesUnicodeTextOrTellsThatAnotherProgramHoldsIt)
{
    // The program's own viewer hears of these writes: they are not captured, so that the tests
    // after this one find the history as it was.
    const bool autoCapture = AutoCapture;
    AutoCapture = false;
    struct Restore {
        bool autoCapture;
        ~Restore()
        {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the viewer's notices, sent while it ran
            AutoCapture = autoCapture;
        }
    } restore{autoCapture};
    TWin32Clipboard os;
    for (const String& text : {String(u"h\u00e9llo \u4e16\u754c"), String()}) {
        os.SetClipboardText(text);
        EXPECT_EQ(ReadClipboardText(), text);
    }

    std::atomic<int> state{0};
    std::thread holder([&] {
        OpenClipboard(nullptr);
        state = 1;
        while (state != 2)
            ::Sleep(5);
        CloseClipboard();
    });
    while (state != 1)
        ::Sleep(5);
    String error;
    try {
        os.SetClipboardText(u"x");
    } catch (const EAppError& e) {
        error = e.Message();
    }
    state = 2;
    holder.join();
    EXPECT_TRUE(error.starts_with(u"Cannot open clipboard: ")) << ToUtf8(error);
    EXPECT_GT(error.size(), 23u);
}

} // namespace
