// The Organize window as a user works in it: opened from the tray menu, a new folder, a message
// dragged from the list onto that folder in the tree, another deleted with the Delete key and
// Yes; after Close the Messages menu and the data file show it all. A log-off while the window is
// open keeps a deletion too.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

// The Organize window's column of buttons, window-less: their centres in its client area.
constexpr int ButtonColumnLeft = 8 + 678 - 107; // inside the border of 8 pixels
POINT ButtonCentre(HWND organize, int top)
{
    POINT p{ButtonColumnLeft + 107 / 2, top + 12};
    ClientToScreen(organize, &p);
    return p;
}
constexpr int NewFolderTop = 41;
constexpr int CloseTop = 341;

// A point on the caption of the row at index of a list view, or of a tree view's row at a level
// of nesting (its caption starts further right with each level), rows being rowHeight high.
POINT RowCentre(HWND control, int index, int rowHeight, int level = 0)
{
    constexpr int Indent = 19;
    POINT p{(level + 1) * Indent + 30, index * rowHeight + rowHeight / 2};
    ClientToScreen(control, &p);
    return p;
}

int TreeRowHeight(HWND tree) { return static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0)); }

int ListRowHeight(HWND list)
{
    RECT client{};
    GetClientRect(list, &client);
    const auto perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    return perPage > 0 ? client.bottom / perPage : 0;
}

const std::vector<RecordSpec> Three = {
    {2, 4, 0, u"Keep me", u"kept"},
    {2, 4, 0, u"Move me", u"moved"},
    {2, 4, 0, u"Delete me", u"deleted"},
};

struct OrganizeAsUserSeesIt : testing::Test {
    void SetUp() override
    {
        CleanUserState();
        MoveMouseTo(640, 700);
        WriteFileBytes(DataFilePath(), DataFileBytes({}, {{}, Three}));
    }
    // Opens Organize from the tray menu (its second row) and waits until it is in front.
    static HWND OpenFromTray(const QuorvaneProcess& quorvane)
    {
        std::optional<POINT> icon;
        EXPECT_TRUE(WaitFor([&] { return (icon = TrayIconCentre()).has_value(); }));
        if (!icon)
            return nullptr;
        ClickAt(icon->x, icon->y, true);
        EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(quorvane.Id()) != nullptr; }, 5000));
        PressKey(VK_DOWN);
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        HWND organize = nullptr;
        EXPECT_TRUE(WaitFor(
            [&] { return (organize = FindProcessWindow(quorvane.Id(), L"TFmOrg", true)) != nullptr; }, 5000));
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == organize; }, 3000));
        return organize;
    }
    // Answers the open delete question with a click on Yes.
    static void AnswerYes(const QuorvaneProcess& quorvane, std::wstring* question)
    {
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(quorvane.Id(), question)) != nullptr; }, 5000));
        HWND yes = FindChild(box, L"Button", L"&Yes");
        ASSERT_NE(yes, nullptr);
        const RECT r = ScreenRect(yes);
        ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ASSERT_TRUE(WaitFor([&] { return FindMessageBox(quorvane.Id()) == nullptr; }, 5000));
    }
    static int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

    HWND organize = nullptr, tree = nullptr, list = nullptr;
    POINT messages{}; // the Messages row of the tree
    // Opens Organize from the tray menu, where nothing is selected, and shows the Messages menu.
    void OpenAtMessages(const QuorvaneProcess& quorvane)
    {
        organize = OpenFromTray(quorvane);
        ASSERT_NE(organize, nullptr);
        tree = FindChild(organize, WC_TREEVIEWW);
        list = FindChild(organize, WC_LISTVIEWW);
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
        EXPECT_EQ(ListCount(list), 0);
        messages = RowCentre(tree, 1, TreeRowHeight(tree)); // Clipboards, Messages
        ClickAt(messages.x, messages.y);
        ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 3; }, 3000));
    }
};

TEST_F(OrganizeAsUserSeesIt, ANewFolderADragOntoItAndADeletionReachTheMenuAndTheFile)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    OpenAtMessages(quorvane);
    const int treeRow = TreeRowHeight(tree);

    // A new folder in Messages: it is selected, so it is the tree's third row.
    const POINT newFolder = ButtonCentre(organize, NewFolderTop);
    ClickAt(newFolder.x, newFolder.y);
    HWND name = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (name = FindProcessWindow(quorvane.Id(), L"TFmAddFolderRename", true)) != nullptr; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == name; }, 3000));
    TypeText(L"Archive");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(name) || !IsWindowVisible(name); }, 5000));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == organize; }, 3000));
    EXPECT_EQ(ListCount(list), 0); // the new folder is shown
    ClickAt(messages.x, messages.y);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 4; }, 3000));

    // "Move me" (the list's second row) dragged onto Archive.
    const int listRow = ListRowHeight(list);
    ASSERT_GT(listRow, 0);
    const POINT moveMe = RowCentre(list, 1, listRow);
    const POINT archive = RowCentre(tree, 2, treeRow, 1);
    MoveMouseTo(moveMe.x, moveMe.y);
    MouseButton(false, true);
    for (int step = 1; step <= 8; ++step)
        MoveMouseTo(moveMe.x + (archive.x - moveMe.x) * step / 8, moveMe.y + (archive.y - moveMe.y) * step / 8);
    MouseButton(false, false);
    // The drop shows Archive, which now holds the message.
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000));

    // Back in Messages: "Delete me" is its second row now; Delete, then Yes.
    ClickAt(messages.x, messages.y);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 3; }, 3000));
    const POINT deleteMe = RowCentre(list, 1, listRow);
    ClickAt(deleteMe.x, deleteMe.y);
    PressKey(VK_DELETE);
    std::wstring question;
    AnswerYes(quorvane, &question);
    EXPECT_NE(question.find(L"Are you sure you want to delete this message?"), std::wstring::npos);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000));

    const POINT close = ButtonCentre(organize, CloseTop);
    ClickAt(close.x, close.y);
    ASSERT_TRUE(WaitFor([&] { return FindProcessWindow(quorvane.Id(), L"TFmOrg", true) == nullptr; }, 5000));

    const Bytes expected =
        DataFileBytes({}, {{}, {{2, 4, 0, u"Keep me", u"kept"}, {2, 6, 0, u"Archive", u""}, {3, 4, 0, u"Move me", u"moved"}}});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == expected; }, 5000));

    // The Messages menu: its fixed rows, Keep me and the Archive folder.
    const POINT label =
        BarLabelCentre(ScreenRect(quorvane.Window(L"TFmMenuBar")).left, {L"Manage", L"Clipboards", L"Messages"}, 2);
    HWND menu = quorvane.Window(L"TFmMenu");
    ClickAt(label.x, label.y);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
    const RECT r = ScreenRect(menu);
    EXPECT_EQ(r.bottom - r.top, 2 + 22 + 22 + 5 + 22 + 22 + 2);
    PressKey(VK_ESCAPE);
}

BOOL CALLBACK SendEndSession(HWND window, LPARAM process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(process)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &result);
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &result);
    }
    return TRUE;
}

TEST_F(OrganizeAsUserSeesIt, ALogOffWhileTheWindowIsOpenKeepsADeletion)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    OpenAtMessages(quorvane);
    const POINT keepMe = RowCentre(list, 0, ListRowHeight(list));
    ClickAt(keepMe.x, keepMe.y);
    PressKey(VK_DELETE);
    AnswerYes(quorvane, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000));

    EnumWindows(SendEndSession, static_cast<LPARAM>(quorvane.Id()));
    const Bytes expected = DataFileBytes({}, {{}, {Three[1], Three[2]}});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == expected; }, 5000));
}

} // namespace
