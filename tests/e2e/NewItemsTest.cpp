// Making messages as a user does: the New... row of a menu opens the New chooser, which leads to
// the name dialog for a new menu or folder and to the message editor for a new message; what the
// user confirms is on the bar, in the menus and in the data file, and Esc or Cancel change nothing.
#include <gtest/gtest.h>

#include <string>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

std::wstring ShortDate()
{
    wchar_t text[128] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128);
    return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

POINT Centre(HWND window)
{
    const RECT r = ScreenRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickOn(HWND window)
{
    const POINT p = Centre(window);
    ClickAt(p.x, p.y);
}

struct NewItems : testing::Test {
    void SetUp() override
    {
        CleanUserState();
        MoveMouseTo(640, 700);
    }
    // Opens the Messages menu from its bar label and clicks its New... row; returns the chooser.
    static HWND OpenChooser(const QuorvaneProcess& quorvane)
    {
        const POINT label =
            BarLabelCentre(ScreenRect(quorvane.Window(L"TFmMenuBar")).left, {L"Manage", L"Clipboards", L"Messages"}, 2);
        HWND menu = quorvane.Window(L"TFmMenu");
        ClickAt(label.x, label.y);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
        const RECT r = ScreenRect(menu);
        ClickAt(r.left + 40, r.top + 2 + 11); // the New... row
        HWND chooser = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (chooser = FindProcessWindow(quorvane.Id(), L"TFmNew", true)) != nullptr; },
                            5000));
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
        return chooser;
    }
    // The message editor, opened through the chooser's New Message... button.
    static HWND OpenEditor(const QuorvaneProcess& quorvane)
    {
        HWND chooser = OpenChooser(quorvane);
        if (!chooser)
            return nullptr;
        ClickOn(FindChild(chooser, L"Button", L"New Message..."));
        return WaitForWindow(quorvane, L"TFmMessage");
    }
    static HWND WaitForWindow(const QuorvaneProcess& quorvane, const wchar_t* className)
    {
        HWND window = nullptr;
        EXPECT_TRUE(WaitFor(
            [&] { return (window = FindProcessWindow(quorvane.Id(), className, true)) != nullptr; }, 5000))
            << Narrow(className);
        // The dialog brings itself to the front; keys go to it once it is there.
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 3000)) << Narrow(className);
        return window;
    }
};

TEST_F(NewItems, NewMenuFromTheChooserPutsItsLabelOnTheBarAndEscInTheNameDialogChangesNothing)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    const Bytes first = ReadFileBytes(DataFilePath());

    // Esc in the name dialog: nothing on disk changes.
    HWND chooser = OpenChooser(quorvane);
    ASSERT_NE(chooser, nullptr);
    ClickOn(FindChild(chooser, L"Button", L"New Menu..."));
    HWND name = WaitForWindow(quorvane, L"TFmAddFolderRename");
    ASSERT_NE(name, nullptr);
    TypeText(L"Never");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(name) || !IsWindowVisible(name); }, 3000));
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_EQ(ReadFileBytes(DataFilePath()), first);

    chooser = OpenChooser(quorvane);
    ASSERT_NE(chooser, nullptr);
    ClickOn(FindChild(chooser, L"Button", L"New Menu..."));
    name = WaitForWindow(quorvane, L"TFmAddFolderRename");
    ASSERT_NE(name, nullptr);
    TypeText(L"Notes");
    PressKey(VK_RETURN);
    const Bytes expected = DataFileBytes({u"Notes"}, {});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == expected; }, 5000));
    // The new label stands last on the bar and opens the new menu.
    const POINT notes = BarLabelCentre(ScreenRect(quorvane.Window(L"TFmMenuBar")).left,
                                       {L"Manage", L"Clipboards", L"Messages", L"Notes"}, 3);
    HWND menu = quorvane.Window(L"TFmMenu");
    ClickAt(notes.x, notes.y);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
    const RECT r = ScreenRect(menu);
    EXPECT_EQ(r.bottom - r.top, 2 + 22 + 22 + 5 + 22 + 2) << "fixed rows and the Empty row";
}

TEST_F(NewItems, ANewMessageWithMacrosAndAHotkeyIsStoredAndPastesIntoTheUsersWindow)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    HWND editor = OpenEditor(quorvane);
    ASSERT_NE(editor, nullptr);

    // The name field has the focus first.
    TypeText(L"Greeting");
    HWND memo = nullptr;
    for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE)
            memo = child;
    ASSERT_NE(memo, nullptr);
    ClickOn(memo);
    TypeText(L"Hello ");
    PressKey(VK_F1); // Insert Date
    // Insert Date once more, from the Insert menu opened by its button.
    ClickOn(FindChild(editor, L"Button", L"&Insert"));
    HWND popup = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (popup = OpenPopupMenu(quorvane.Id())) != nullptr; }, 3000));
    const RECT insert = ScreenRect(FindChild(editor, L"Button", L"&Insert"));
    const RECT menuRect = ScreenRect(popup);
    EXPECT_EQ(menuRect.left, insert.left);
    EXPECT_EQ(menuRect.top, insert.bottom);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(quorvane.Id()) == nullptr; }, 3000));
    TypeText(L"!");
    ClickOn(FindChild(editor, L"msctls_hotkey32"));
    PressKeys({VK_CONTROL, VK_SHIFT, VK_F8});
    ClickOn(FindChild(editor, L"Button", L"&Ok"));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, 5000));

    const Bytes expected =
        DataFileBytes({}, {{}, {{2, 4, VK_F8 | 0x2000 | 0x4000, u"Greeting", u"Hello <^DATE><^DATE>!"}}});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == expected; }, 5000));

    UserWindow user;
    ASSERT_TRUE(user.TakeFocus());
    PressKeys({VK_CONTROL, VK_SHIFT, VK_F8});
    const std::wstring pasted = L"Hello " + ShortDate() + ShortDate() + L"!";
    EXPECT_TRUE(WaitFor([&] { return user.Text() == pasted; }, 5000)) << Narrow(user.Text());
}

TEST_F(NewItems, TabAndShiftTabInTheContentMoveTheFocusAsInAnyDialog)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    HWND editor = OpenEditor(quorvane);
    ASSERT_NE(editor, nullptr);
    HWND name = nullptr, memo = nullptr;
    for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE)
            memo = child;
        else if (!name && FindChild(editor, L"Edit") == child)
            name = child;
    ASSERT_NE(memo, nullptr);
    ASSERT_NE(name, nullptr);
    auto focused = [&] { return FocusedControl(editor); };

    ClickOn(memo);
    ASSERT_TRUE(WaitFor([&] { return focused() == memo; }, 3000));
    TypeText(L"Z");
    // The content is last in the tab order: Tab goes round to the name, Shift+Tab back, each
    // field with its text selected.
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return focused() == name; }, 3000));
    TypeText(L"Y");
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return focused() == memo; }, 3000));
    TypeText(L"X");
    EXPECT_TRUE(WaitFor([&] { return ControlText(memo) == L"X"; }, 3000)) << Narrow(ControlText(memo));
    EXPECT_EQ(ControlText(name), L"Y");
    PressKeys({VK_SHIFT, VK_TAB}); // on to Cancel, which Enter then presses
    EXPECT_TRUE(WaitFor([&] { return focused() == FindChild(editor, L"Button", L"&Cancel"); }, 3000));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, 5000));
    EXPECT_EQ(ReadFileBytes(DataFilePath()), DataFileBytes({}, {}));
}

} // namespace
