// The context menu, the viewer, Save As and About as a user meets them: real right-clicks on the
// real program's menus, real keys in its dialogs and the system's save dialog, and what reaches
// the data file and the disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

// Rows of the context menu above each command row, in pixels: 20 per row, 5 per separator.
constexpr int DeleteRowTop = 20 + 20 + 5 + 20 + 20 + 20 + 5 + 20 + 20;
constexpr int SortRowTop = DeleteRowTop + 20;
constexpr int ViewRowTop = SortRowTop + 20 + 5;
constexpr int SaveAsRowTop = ViewRowTop + 20;

std::u16string Utf16Of(const Bytes& bytes)
{
    return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}

std::wstring WindowTextOf(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

// The Messages menu: New..., Organize..., a separator, then Charlie, Alpha, Bravo and the folder
// Notes holding Old.
struct ContextMenuAsUserSeesIt : testing::Test {
    QuorvaneProcess* quorvane = nullptr;
    UserWindow* user = nullptr;
    HWND menu = nullptr;

    void SetUp() override
    {
        CleanUserState();
        MoveMouseTo(640, 700);
        const std::vector<RecordSpec> messages = {
            {2, 4, 0, u"Charlie", u"third <^DATE>\r\nline two"},
            {2, 4, 0, u"Alpha", u"first"},
            {2, 4, 0, u"Bravo", u"second \u00E9"},
            {2, 6, 0, u"Notes", u""},
            {3, 4, 0, u"Old", u"old text"},
        };
        WriteFileBytes(DataFilePath(), DataFileBytes({}, {{}, messages}));
        quorvane = new QuorvaneProcess;
        ASSERT_TRUE(quorvane->WaitUntilStarted());
        user = new UserWindow;
        ASSERT_TRUE(user->TakeFocus());
        OpenMenu(2);
    }
    void TearDown() override
    {
        delete user;
        delete quorvane;
    }
    void OpenMenu(int index)
    {
        const POINT label =
            BarLabelCentre(ScreenRect(quorvane->Window(L"TFmMenuBar")).left, {L"Manage", L"Clipboards", L"Messages"}, index);
        menu = quorvane->Window(L"TFmMenu");
        ClickAt(label.x, label.y);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
    }
    // The screen centre of row i of the open menu (three fixed rows: 22, 22 and a separator).
    POINT RowCentre(int i) const
    {
        const RECT r = ScreenRect(menu);
        int top = 2;
        for (int row = 0; row < i; ++row)
            top += row == 2 ? 5 : 22;
        return {r.left + 40, r.top + top + 11};
    }
    // Right-clicks row i and waits for the context menu; its screen rectangle.
    RECT RightClickRow(int i)
    {
        const POINT p = RowCentre(i);
        ClickAt(p.x, p.y, true);
        HWND popup = quorvane->Window(L"TFmPopupMenu");
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(popup) != FALSE; }, 3000));
        const RECT r = ScreenRect(popup);
        EXPECT_EQ(r.left, p.x);
        EXPECT_EQ(r.top, p.y + 1);
        EXPECT_EQ(r.bottom - r.top, 239);
        return r;
    }
    static void ClickCommand(const RECT& popup, int rowTop) { ClickAt(popup.left + 40, popup.top + 2 + rowTop + 10); }
    HWND WaitForWindow(const wchar_t* className) const
    {
        HWND window = nullptr;
        WaitFor([&] {
            window = FindProcessWindow(quorvane->Id(), className, true);
            return window != nullptr;
        }, 5000);
        return window;
    }
};

TEST_F(ContextMenuAsUserSeesIt, DeleteAskedNoKeepsTheFileAndYesTakesTheRowFromTheMenuAndTheFile)
{
    const Bytes before = ReadFileBytes(DataFilePath());
    const RECT popup = RightClickRow(3);
    EXPECT_TRUE(user->HasFocus()) << "the context menu never takes the focus";
    ClickCommand(popup, DeleteRowTop);
    std::wstring text;
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(quorvane->Id(), &text)) != nullptr; }, 5000));
    EXPECT_NE(text.find(L"Are you sure you want to delete this message?"), std::wstring::npos);
    PressKey(VK_RETURN); // No is the default button
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
    EXPECT_EQ(ReadFileBytes(DataFilePath()), before);

    const int heightBefore = ScreenRect(menu).bottom - ScreenRect(menu).top;
    ASSERT_TRUE(user->TakeFocus());
    OpenMenu(2);
    ClickCommand(RightClickRow(3), DeleteRowTop);
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(quorvane->Id())) != nullptr; }, 5000));
    PressKey('Y');
    ASSERT_TRUE(WaitFor([&] { return Utf16Of(ReadFileBytes(DataFilePath())).find(u"Charlie") == std::u16string::npos; }, 5000));
    const std::u16string file = Utf16Of(ReadFileBytes(DataFilePath()));
    EXPECT_NE(file.find(u"Alpha"), std::u16string::npos);
    EXPECT_NE(file.find(u"Bravo"), std::u16string::npos);
    ASSERT_TRUE(user->TakeFocus());
    OpenMenu(2);
    EXPECT_EQ(ScreenRect(menu).bottom - ScreenRect(menu).top, heightBefore - 22);
}

TEST_F(ContextMenuAsUserSeesIt, SortReordersTheOpenMenuAndTheFileAndTheMenuStaysOpen)
{
    const RECT popup = RightClickRow(4);
    ClickCommand(popup, SortRowTop);
    ASSERT_TRUE(WaitFor([&] {
        const std::u16string file = Utf16Of(ReadFileBytes(DataFilePath()));
        return file.find(u"Notes") < file.find(u"Alpha") && file.find(u"Alpha") < file.find(u"Bravo") &&
               file.find(u"Bravo") < file.find(u"Charlie");
    }, 5000));
    EXPECT_TRUE(IsWindowVisible(menu));
    EXPECT_FALSE(IsWindowVisible(quorvane->Window(L"TFmPopupMenu")));
    // The open menu shows the new order: its first row, a message before, is now the folder,
    // whose submenu opens when the pointer rests on it.
    const POINT first = RowCentre(3);
    MoveMouseTo(first.x, first.y);
    EXPECT_TRUE(WaitFor([&] {
        int shown = 0;
        for (HWND h = FindWindowExW(nullptr, nullptr, L"TFmMenu", nullptr); h; h = FindWindowExW(nullptr, h, L"TFmMenu", nullptr))
            shown += IsWindowVisible(h) ? 1 : 0;
        return shown == 2;
    }, 3000));
    EXPECT_TRUE(user->HasFocus());
}

TEST_F(ContextMenuAsUserSeesIt, ViewShowsTheMessageUnexpandedUnderItsName)
{
    ClickCommand(RightClickRow(3), ViewRowTop);
    HWND viewer = WaitForWindow(L"TFmViewMessage");
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(IsWindowVisible(menu));
    EXPECT_EQ(WindowTextOf(viewer), L"Charlie");
    HWND memo = FindChild(viewer, L"Edit");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(ControlText(memo), L"third <^DATE>\r\nline two");
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == viewer; }, 3000));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(viewer); }, 3000));
}

TEST_F(ContextMenuAsUserSeesIt, TabInTheViewerReachesWordWarpAndShiftTabTheTextAgain)
{
    ClickCommand(RightClickRow(3), ViewRowTop);
    HWND viewer = WaitForWindow(L"TFmViewMessage");
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == viewer; }, 3000));
    HWND memo = FindChild(viewer, L"Edit");
    HWND wrap = FindChild(viewer, L"Button");
    ASSERT_TRUE(WaitFor([&] { return FocusedControl(viewer) == memo; }, 3000));
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return FocusedControl(viewer) == wrap; }, 3000));
    PressKey(VK_SPACE); // Word Warp off: the text scrolls sideways
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(wrap, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return (GetWindowLongW(FindChild(viewer, L"Edit"), GWL_STYLE) & WS_HSCROLL) != 0; }, 3000));
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return FocusedControl(viewer) == FindChild(viewer, L"Edit"); }, 3000));
    EXPECT_EQ(ControlText(FindChild(viewer, L"Edit")), L"third <^DATE>\r\nline two");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(viewer); }, 3000));
}

TEST_F(ContextMenuAsUserSeesIt, SaveAsWritesTheTextAsUtf16WithItsMarkUnderTheTypedName)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring typed = std::wstring(temp) + L"QuorvaneSaveAsEndToEnd";
    const std::wstring saved = typed + L".txt";
    DeleteFileW(saved.c_str());
    ClickCommand(RightClickRow(5), SaveAsRowTop);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindMessageBox(quorvane->Id())) != nullptr; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }, 3000));
    // It opens in the middle of the screen as the active window, not at the corner of its hidden
    // owner over the menu bar.
    EXPECT_TRUE(WaitFor([&] { return ActiveWindowOf(dialog) == dialog; }, 3000));
    const RECT placed = ScreenRect(dialog);
    EXPECT_LE(std::abs((placed.left + placed.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((placed.top + placed.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    // The message's name is offered; the user types over it.
    HWND name = FindChild(dialog, L"Edit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(ControlText(name), L"Bravo");
    SendMessageW(name, EM_SETSEL, 0, -1);
    TypeText(typed);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return PathExists(saved); }, 5000));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
    Bytes expected{0xFF, 0xFE};
    for (char16_t c : std::u16string(u"second \u00E9")) {
        expected.push_back(static_cast<unsigned char>(c & 0xFF));
        expected.push_back(static_cast<unsigned char>(c >> 8));
    }
    EXPECT_EQ(ReadFileBytes(saved), expected);
    DeleteFileW(saved.c_str());
}

TEST_F(ContextMenuAsUserSeesIt, CopyToAFolderOpensTheEditorOnTheSelectionAndOkStoresItThere)
{
    SetWindowTextW(user->Edit(), L"captured words");
    SendMessageW(user->Edit(), EM_SETSEL, 0, -1);
    // Rest on the folder row until its submenu opens, then right-click the row inside it.
    const POINT notes = RowCentre(6);
    MoveMouseTo(notes.x, notes.y);
    HWND sub = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        sub = nullptr;
        for (HWND h = FindWindowExW(nullptr, nullptr, L"TFmMenu", nullptr); h; h = FindWindowExW(nullptr, h, L"TFmMenu", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == quorvane->Id() && h != menu && IsWindowVisible(h))
                sub = h;
        }
        return sub != nullptr;
    }, 3000));
    const RECT subRect = ScreenRect(sub);
    ClickAt(subRect.left + 40, subRect.top + 2 + 11, true);
    HWND popup = quorvane->Window(L"TFmPopupMenu");
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(popup) != FALSE; }, 3000));
    EXPECT_TRUE(user->HasFocus());
    ClickCommand(ScreenRect(popup), 20); // Copy to
    HWND editor = WaitForWindow(L"TFmMessage");
    ASSERT_NE(editor, nullptr);
    HWND memo = nullptr;
    for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE)
            memo = child;
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(ControlText(memo), L"captured words");
    EXPECT_EQ(user->Text(), L"captured words") << "Copy to leaves the text where it was";
    HWND ok = FindChild(editor, L"Button", L"&Ok");
    ASSERT_NE(ok, nullptr);
    const RECT r = ScreenRect(ok);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(WaitFor([&] { return Utf16Of(ReadFileBytes(DataFilePath())).find(u"captured words") != std::u16string::npos; }, 5000));
    const std::u16string file = Utf16Of(ReadFileBytes(DataFilePath()));
    EXPECT_GT(file.find(u"captured words"), file.find(u"old text")) << "the new message goes into Notes, after Old";
}

TEST_F(ContextMenuAsUserSeesIt, CopyToOnTheClipboardsMenuCapturesIntoTheHistory)
{
    SetWindowTextW(user->Edit(), L"history words");
    SendMessageW(user->Edit(), EM_SETSEL, 0, -1);
    // A press away from the menus closes them.
    ASSERT_TRUE(PressAtUntil(640, 700, [&] { return !IsWindowVisible(menu); }));
    ASSERT_TRUE(user->TakeFocus());
    OpenMenu(1);
    ClickCommand(RightClickRow(0), 20); // Copy to, on the Cut row
    ASSERT_TRUE(WaitFor([&] { return Utf16Of(ReadFileBytes(DataFilePath())).find(u"history words") != std::u16string::npos; }, 5000));
    EXPECT_EQ(FindProcessWindow(quorvane->Id(), L"TFmMessage", true), nullptr) << "no editor for the history";
    EXPECT_EQ(user->Text(), L"history words");
}

TEST_F(ContextMenuAsUserSeesIt, AboutOpensFromTheProgramMenuAndFromTheTrayMenuWithTheVersion)
{
    PressKey(VK_ESCAPE);
    // A press away from the menus closes them.
    ASSERT_TRUE(PressAtUntil(640, 700, [&] { return !IsWindowVisible(menu); }));
    OpenMenu(0);
    const POINT about = RowCentre(3); // Options, Organize, separator, Help, About
    ClickAt(about.x, about.y + 22);
    HWND window = WaitForWindow(L"TFmAbout");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowTextOf(window), L"About");
    EXPECT_NE(FindChild(window, L"Static", L"1.0"), nullptr);
    EXPECT_NE(FindChild(window, L"Static", L"Version:"), nullptr);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 3000));
    PressKey(VK_RETURN); // Ok
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(window); }, 3000));

    std::optional<POINT> icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconCentre()).has_value(); }));
    ClickAt(icon->x, icon->y, true);
    HWND tray = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (tray = OpenPopupMenu(quorvane->Id())) != nullptr; }, 5000));
    ASSERT_TRUE(WaitUntilHandled()); // the menu's own loop has taken over
    PressKey(VK_UP); // Exit
    PressKey(VK_UP); // About..., over the separator
    PressKey(VK_RETURN);
    window = WaitForWindow(L"TFmAbout");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(FindChild(window, L"Static", L"1.0"), nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }, 3000));
}

} // namespace
