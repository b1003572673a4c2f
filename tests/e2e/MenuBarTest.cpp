#include <gtest/gtest.h>

#include <string>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

const wchar_t* const DefaultMenus[] = {L"Manage", L"Clipboards", L"Messages"};

// The bar's width as the user's system font makes it: 7 + (text + 10 per label) + 7.
int ExpectedBarWidth()
{
    int width = 7 + 7;
    for (const wchar_t* menu : DefaultMenus)
        width += MenuFontTextWidth(menu) + 10;
    return width;
}

// The screen centre of the label of the menu at index i on a bar whose left edge is at left.
POINT LabelCentre(int left, int index) { return BarLabelCentre(left, {L"Manage", L"Clipboards", L"Messages"}, index); }

struct MenuBarAsUserSeesIt : testing::Test {
    void SetUp() override
    {
        CleanUserState();
        MoveMouseTo(640, 700);
    }
    static RECT Bar(const QuorvaneProcess& quorvane) { return ScreenRect(quorvane.Window(L"TFmMenuBar")); }
};

TEST_F(MenuBarAsUserSeesIt, ACleanStartCentresTheBarAtTheTopInTheMenuFont)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    const RECT bar = Bar(quorvane);
    const int width = ExpectedBarWidth();
    EXPECT_EQ(bar.right - bar.left, width);
    EXPECT_EQ(bar.bottom - bar.top, 26);
    EXPECT_EQ(bar.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(bar.top, 0);
}

TEST_F(MenuBarAsUserSeesIt, PressingALabelOpensItsMenuAndLeavesTheFocusInTheUsersWindow)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    const POINT clipboards = LabelCentre(Bar(quorvane).left, 1);
    HWND menu = quorvane.Window(L"TFmMenu");
    ClickAt(clipboards.x, clipboards.y);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
    EXPECT_EQ(ScreenRect(menu).top, 26);
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_TRUE(user.HasFocus());
    ClickAt(clipboards.x, clipboards.y); // a second press closes it
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
    EXPECT_TRUE(user.HasFocus());
    TypeText(L"still here");
    EXPECT_TRUE(WaitFor([&] { return user.Text() == L"still here"; }, 3000));
}

TEST_F(MenuBarAsUserSeesIt, DraggingTheBarMovesItAndTheNextStartPutsItThere)
{
    int dropped = 0;
    {
        QuorvaneProcess quorvane;
        ASSERT_TRUE(quorvane.WaitUntilStarted());
        const RECT bar = Bar(quorvane);
        const int x = (bar.left + bar.right) / 2;
        MoveMouseTo(x, 1); // the background above the labels
        MouseButton(false, true);
        for (int step = 1; step <= 15; ++step)
            MoveMouseTo(x - step * 20, 1 + step); // down a little as well: the bar goes back up
        MouseButton(false, false);
        ASSERT_TRUE(WaitFor([&] { return Bar(quorvane).left == bar.left - 300 && Bar(quorvane).top == 0; }, 3000))
            << Bar(quorvane).left << "," << Bar(quorvane).top;
        dropped = Bar(quorvane).left;
        // MenuBarTop is written after MenuBarLeft.
        ASSERT_TRUE(WaitFor([&] { return SettingsDword(L"MenuBarLeft") && SettingsDword(L"MenuBarTop"); }, 3000));
        EXPECT_EQ(static_cast<int>(*SettingsDword(L"MenuBarLeft")), dropped);
        EXPECT_EQ(SettingsDword(L"MenuBarTop"), 0u);
    }
    QuorvaneProcess again;
    ASSERT_TRUE(again.WaitUntilStarted());
    EXPECT_EQ(Bar(again).left, dropped);
    EXPECT_EQ(Bar(again).top, 0);
}

TEST_F(MenuBarAsUserSeesIt, AutoHideLeavesAStripThatRevealsTheBarUntilAPressOutside)
{
    SetSettingsDword(L"AutoHide", 1);
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    ASSERT_EQ(Bar(quorvane).top, -23);
    const RECT bar = Bar(quorvane);
    MoveMouseTo((bar.left + bar.right) / 2, 1);
    ASSERT_TRUE(WaitFor([&] { return Bar(quorvane).top == 0; }, 3000));
    MoveMouseTo(640, 700); // leaving the bar does not hide it
    // The bar's own timer watches the pointer and its buttons every millisecond; a hide from it
    // would come within some of its ticks, which no barrier can wait for.
    Hold(300);
    EXPECT_EQ(Bar(quorvane).top, 0);
    const RECT own = ScreenRect(user.Edit());
    EXPECT_TRUE(PressAtUntil((own.left + own.right) / 2, (own.top + own.bottom) / 2,
                             [&] { return Bar(quorvane).top == -23; }))
        << Bar(quorvane).top;
    EXPECT_TRUE(user.HasFocus());
}

// Opens the tray menu with a right click on the icon and clicks a row near its top or bottom.
void ChooseFromTrayMenu(const QuorvaneProcess& quorvane, bool lastRow)
{
    std::optional<POINT> icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconCentre()).has_value(); }));
    ClickAt(icon->x, icon->y, true);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenPopupMenu(quorvane.Id())) != nullptr; }, 5000));
    ASSERT_TRUE(WaitUntilHandled()); // the menu's own loop has taken over
    const RECT r = ScreenRect(menu);
    ClickAt(r.left + 30, lastRow ? r.bottom - 10 : r.top + 10);
}

TEST_F(MenuBarAsUserSeesIt, OptionsFromTheTrayMenuStoresTheCountAndExitLeavesTheEightValues)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ChooseFromTrayMenu(quorvane, false);
    HWND options = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        options = quorvane.Window(L"TFmOptions");
        return options && IsWindowVisible(options);
    }));
    HWND field = FindChild(options, L"Edit");
    ASSERT_NE(field, nullptr);
    const RECT f = ScreenRect(field);
    ClickAt(f.left + 10, (f.top + f.bottom) / 2);
    PressKey(VK_END);
    for (int i = 0; i < 6; ++i)
        PressKey(VK_BACK);
    TypeText(L"7");
    HWND ok = FindChild(options, L"Button", L"&Ok");
    ASSERT_NE(ok, nullptr);
    const RECT b = ScreenRect(ok);
    ClickAt((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(options); }));
    EXPECT_EQ(SettingsDword(L"ClipboardMaxCount"), 7u);
    EXPECT_EQ(SettingsString(L"CurrentLanguage"), L"Default(English)");

    ChooseFromTrayMenu(quorvane, true);
    ASSERT_TRUE(WaitFor([&] { return !quorvane.Alive(); }));
    EXPECT_EQ(SettingsDword(L"AutoHide"), 0u);
    EXPECT_EQ(SettingsDword(L"TurnOnHotkey"), 1u);
    EXPECT_EQ(SettingsDword(L"AutoCapture"), 1u);
    EXPECT_EQ(SettingsDword(L"AutoDelete"), 1u);
    EXPECT_EQ(SettingsDword(L"ClipboardMaxCount"), 7u);
    EXPECT_EQ(SettingsString(L"CurrentLanguage"), L"Default(English)");
    const int width = ExpectedBarWidth();
    EXPECT_EQ(SettingsDword(L"MenuBarLeft"), static_cast<DWORD>((GetSystemMetrics(SM_CXSCREEN) - width) / 2));
    EXPECT_EQ(SettingsDword(L"MenuBarTop"), 0u);
}

TEST_F(MenuBarAsUserSeesIt, WhileOptionsIsOpenAHotkeyPastesNothingAndATrayClickOnlyBeeps)
{
    constexpr int Hotkey = 0x4000 | VK_F3; // Ctrl+F3
    WriteFileBytes(DataFilePath(), DataFileBytes({}, {{}, {{2, 4, Hotkey, u"Greeting", u"hello"}}}));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    PressKeys({VK_CONTROL, VK_F3});
    ASSERT_TRUE(WaitFor([&] { return user.Text() == L"hello"; }, 3000)) << "the hotkey works before";
    SetWindowTextW(user.Edit(), L"");

    ChooseFromTrayMenu(quorvane, false);
    HWND options = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        options = quorvane.Window(L"TFmOptions");
        return options && IsWindowVisible(options);
    }));
    PressKeys({VK_CONTROL, VK_F3}); // returns once the program has handled it
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(user.Text(), L"");

    // The tray icon only clicks into the bar and beeps: no menu, and the pointer comes back.
    const std::optional<POINT> icon = TrayIconCentre();
    ASSERT_TRUE(icon.has_value());
    ClickAt(icon->x, icon->y, true); // returns once the tray and the program have handled it
    EXPECT_EQ(OpenPopupMenu(quorvane.Id()), nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, icon->x);
    EXPECT_EQ(cursor.y, icon->y);
    EXPECT_TRUE(IsWindowVisible(options));

    HWND cancel = FindChild(options, L"Button", L"&Cancel");
    ASSERT_NE(cancel, nullptr);
    const RECT c = ScreenRect(cancel);
    ClickAt((c.left + c.right) / 2, (c.top + c.bottom) / 2);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(options); }));
    ASSERT_TRUE(user.TakeFocus());
    PressKeys({VK_CONTROL, VK_F3});
    EXPECT_TRUE(WaitFor([&] { return user.Text() == L"hello"; }, 3000)) << "registered again after Cancel";
}

} // namespace
