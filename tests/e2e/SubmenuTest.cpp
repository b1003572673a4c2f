#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

// The visible drop-down menu windows of the process, left to right as they open.
struct MenuWindows {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMenu(HWND h, LPARAM lParam)
{
    auto* search = reinterpret_cast<MenuWindows*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[64] = L"";
    GetClassNameW(h, name, 64);
    if (pid == search->process && IsWindowVisible(h) && std::wstring(name) == L"TFmMenu")
        search->found.push_back(h);
    return TRUE;
}

std::vector<HWND> VisibleMenus(DWORD process)
{
    MenuWindows search{process, {}};
    EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Rows from the window's top: 2 pixels of frame and margin, then 22 per row, 5 per separator.
int RowTop(const RECT& menu, const std::vector<int>& heightsAbove)
{
    int top = menu.top + 2;
    for (int h : heightsAbove)
        top += h;
    return top;
}

// The Messages menu: the fixed New..., Organize... and separator rows, then a folder chain three
// deep ending in a message, and a message of its own.
struct SubmenusAsUserSeesThem : testing::Test {
    QuorvaneProcess* quorvane = nullptr;
    UserWindow* user = nullptr;
    RECT menu{};

    void SetUp() override
    {
        CleanUserState();
        MoveMouseTo(640, 700);
        const std::vector<RecordSpec> messages = {
            {2, 6, 0, u"Level one", u""},
            {3, 6, 0, u"Level two", u""},
            {4, 6, 0, u"Level three", u""},
            {5, 4, 0, u"Deep", u"deep & deeper"},
            {2, 4, 0, u"Greeting", u"Hello & welcome to the preview of a message row"},
        };
        WriteFileBytes(DataFilePath(), DataFileBytes({}, {{}, messages}));
        quorvane = new QuorvaneProcess;
        ASSERT_TRUE(quorvane->WaitUntilStarted());
        user = new UserWindow;
        ASSERT_TRUE(user->TakeFocus());
        const RECT bar = ScreenRect(quorvane->Window(L"TFmMenuBar"));
        const int width = MenuFontTextWidth(L"Messages") + 10;
        ClickAt(bar.right - 7 - width / 2, 13);
        HWND window = quorvane->Window(L"TFmMenu");
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 3000));
        menu = ScreenRect(window);
    }
    void TearDown() override
    {
        delete user;
        delete quorvane;
    }
    // Rests the pointer on a row of a menu window at the given top and waits until the number of
    // open menu windows is count; the time it took, or -1 when it did not happen.
    int RestUntilMenus(int x, int rowTop, size_t count)
    {
        // Timed from before the move: the program may see the pointer before the driver goes on.
        const DWORD start = GetTickCount();
        MoveMouseTo(x, rowTop + 11);
        if (!WaitFor([&] { return VisibleMenus(quorvane->Id()).size() == count; }, 3000))
            return -1;
        return static_cast<int>(GetTickCount() - start);
    }
    static HWND Newest(const std::vector<HWND>& menus, const RECT& besides)
    {
        for (HWND h : menus)
            if (ScreenRect(h).left != besides.left)
                return h;
        return nullptr;
    }
};

TEST_F(SubmenusAsUserSeesThem, RestingOnAFolderRowOpensItsSubmenuBesideTheMenuAfterHalfASecond)
{
    const int folderTop = RowTop(menu, {22, 22, 5});
    const int waited = RestUntilMenus(menu.left + 40, folderTop, 2);
    ASSERT_GE(waited, 0);
    EXPECT_GE(waited, 480); // a busy machine may only make it later
    const std::vector<HWND> menus = VisibleMenus(quorvane->Id());
    const RECT sub = ScreenRect(Newest(menus, menu));
    EXPECT_EQ(sub.left, menu.right - 2);
    EXPECT_EQ(sub.top, folderTop - 2);
    EXPECT_TRUE(user->HasFocus());
}

TEST_F(SubmenusAsUserSeesThem, RestingOnAMessageRowShowsThePreviewTwelvePixelsBelowTheRow)
{
    const int rowTop = RowTop(menu, {22, 22, 5, 22});
    const int x = menu.left + 50;
    HWND hint = quorvane->Window(L"TFmHint");
    const DWORD start = GetTickCount();
    MoveMouseTo(x, rowTop + 11);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(hint) != FALSE; }, 3000));
    EXPECT_GE(GetTickCount() - start, 780u);
    const RECT r = ScreenRect(hint);
    EXPECT_EQ(r.top, rowTop + 22 + 12);
    EXPECT_EQ(r.left, x);
    EXPECT_TRUE(user->HasFocus());
    MoveMouseTo(x, rowTop - 11); // onto the folder row: the preview goes
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(hint); }, 2000));
}

TEST_F(SubmenusAsUserSeesThem, AMessageThreeSubmenusDeepClickedPastesIntoTheFocusedWindow)
{
    int top = RowTop(menu, {22, 22, 5});
    RECT current = menu;
    for (size_t open = 2; open <= 4; ++open) {
        ASSERT_GE(RestUntilMenus(current.right - 30, top, open), 0) << "submenu " << open - 1;
        const std::vector<HWND> menus = VisibleMenus(quorvane->Id());
        RECT newest{};
        for (HWND h : menus)
            if (ScreenRect(h).left > newest.left)
                newest = ScreenRect(h);
        EXPECT_EQ(newest.left, current.right - 2);
        current = newest;
        top = current.top + 2; // its first row lines up with the folder row
    }
    ClickAt(current.left + 30, top + 11);
    EXPECT_TRUE(WaitFor([&] { return VisibleMenus(quorvane->Id()).empty(); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return user->Text() == L"deep & deeper"; }, 5000));
    EXPECT_TRUE(user->HasFocus());
}

} // namespace
