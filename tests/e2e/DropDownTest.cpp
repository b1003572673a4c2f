// The drop-down menus as a user sees them: a press on a bar label opens the menu under it, a
// click on a message pastes into the user's window, which keeps the focus, a row dragged onto
// another reorders the menu, and the Cut row captures the user's selection.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

// The screen centre of the label of the menu at index i on a bar whose left edge is at left.
POINT LabelCentre(int left, int index, int* labelLeft = nullptr)
{
    return BarLabelCentre(left, {L"Manage", L"Clipboards", L"Messages", L"Snips"}, index, labelLeft);
}

const std::vector<RecordSpec> Snips = {
    {2, 4, 0, u"Alpha", u"alpha text"},
    {2, 4, 0, u"Beta", u"beta text"},
    {2, 4, 0, u"Gamma", u"gamma text"},
};

Bytes SnipsFile(const std::vector<RecordSpec>& clipboards, const std::vector<RecordSpec>& snips)
{
    return DataFileBytes({u"Snips"}, {clipboards, {}, snips});
}

struct DropDownAsUserSeesIt : testing::Test {
    void SetUp() override
    {
        CleanUserState();
        MoveMouseTo(640, 700);
    }
    // Presses the label of the menu at index and waits for the menu window to show.
    static HWND OpenMenu(const QuorvaneProcess& quorvane, int index)
    {
        const POINT label = LabelCentre(ScreenRect(quorvane.Window(L"TFmMenuBar")).left, index);
        HWND menu = quorvane.Window(L"TFmMenu");
        ClickAt(label.x, label.y);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
        EXPECT_TRUE(WaitUntilHandled());
        return menu;
    }
    // The screen centre of row i of a user menu (three fixed rows: 22, 22 and a 5-pixel
    // separator) or of the Clipboards menu.
    static POINT RowCentre(HWND menu, int i)
    {
        const RECT r = ScreenRect(menu);
        int top = 2;
        for (int row = 0; row < i; ++row)
            top += row == 2 ? 5 : 22;
        return {r.left + 40, r.top + top + 11};
    }
};

TEST_F(DropDownAsUserSeesIt, APressOnALabelOpensItsMenuUnderItAndAClickOnAMessagePastesIt)
{
    WriteFileBytes(DataFilePath(), SnipsFile({}, Snips));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    int labelLeft = 0;
    LabelCentre(ScreenRect(quorvane.Window(L"TFmMenuBar")).left, 3, &labelLeft);
    HWND menu = OpenMenu(quorvane, 3);
    const RECT r = ScreenRect(menu);
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.left, labelLeft);
    EXPECT_EQ(r.bottom - r.top, 2 + 22 + 22 + 5 + 3 * 22 + 2); // fixed rows, three messages, margins
    EXPECT_TRUE(user.HasFocus());

    const POINT beta = RowCentre(menu, 4);
    ClickAt(beta.x, beta.y);
    ASSERT_TRUE(WaitFor([&] { return user.Text() == L"beta text"; }, 3000)) << "pasted: " << std::string(user.Text().begin(), user.Text().end());
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
    EXPECT_TRUE(user.HasFocus());
}

TEST_F(DropDownAsUserSeesIt, ARowDraggedOntoAnotherReordersTheMenuAndSavesItAtOnce)
{
    WriteFileBytes(DataFilePath(), SnipsFile({}, Snips));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    HWND menu = OpenMenu(quorvane, 3);
    const POINT gamma = RowCentre(menu, 5), alpha = RowCentre(menu, 3);
    MoveMouseTo(gamma.x, gamma.y);
    MouseButton(false, true);
    for (int y = gamma.y; y >= alpha.y; y -= 4)
        MoveMouseTo(gamma.x + 1, y);
    MoveMouseTo(alpha.x, alpha.y);
    MouseButton(false, false);
    EXPECT_TRUE(IsWindowVisible(menu)) << "a drop keeps the menu open";
    EXPECT_EQ(user.Text(), L"") << "a drag pastes nothing";
    const Bytes reordered = SnipsFile({}, {Snips[2], Snips[0], Snips[1]});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == reordered; }, 3000))
        << "the drop saves the new order: Exit would not";

    // The row under the pointer is now Gamma: a click pastes it.
    ClickAt(alpha.x, alpha.y);
    ASSERT_TRUE(WaitFor([&] { return user.Text() == L"gamma text"; }, 3000));

    const std::u16string copied = u"copied";
    ASSERT_TRUE(PutOnClipboard(nullptr, &copied));
    const Bytes expected = SnipsFile({{2, 4, 0, u"copied", u"copied"}}, {Snips[2], Snips[0], Snips[1]});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == expected; }, 5000));
}

TEST_F(DropDownAsUserSeesIt, TheCutRowCapturesTheUsersSelectionIntoClipboards)
{
    SetSettingsDword(L"AutoCapture", 0); // the Cut row captures all the same
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    TypeText(L"cut me");
    ASSERT_TRUE(WaitFor([&] { return user.Text() == L"cut me"; }, 3000));
    SendMessageW(user.Edit(), EM_SETSEL, 0, -1);
    HWND menu = OpenMenu(quorvane, 1);
    const POINT cut = RowCentre(menu, 0);
    ClickAt(cut.x, cut.y);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return user.Text().empty(); }, 3000));
    const Bytes expected = DataFileBytes({}, {{{2, 4, 0, u"cut me", u"cut me"}}});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == expected; }, 5000));
    EXPECT_TRUE(user.HasFocus());
}

// Every kind of row in one menu; QV_E2E_SHOW_MS keeps it open that long for a look.
TEST_F(DropDownAsUserSeesIt, EveryKindOfRowShowsInTheMessagesMenu)
{
    constexpr int Hotkey = 0x6000 | 'G'; // Shift+Ctrl+G
    WriteFileBytes(DataFilePath(),
                   DataFileBytes({}, {{{2, 4, 0, u"An earlier copy", u"earlier"}},
                                      {{2, 4, Hotkey, u"Greeting && &welcome", u"hello"},
                                       {2, -2, 0, u"-", u""},
                                       {2, 6, 0, u"Folder", u""},
                                       {3, 4, 0, u"Inside", u"inside"},
                                       {2, 4, 0x4000 | 0x79, u"A message whose name is far too long for the menu's width", u"x"},
                                       {2, 8, 0, u"Kind eight", u""},
                                       {2, 11, 0, u"Kind eleven", u""},
                                       {2, 13, 0, u"A", u""},
                                       {2, 13, 0, u"B", u""},
                                       {2, 13, 0, u"C", u""},
                                       {2, 15, 0, u"T1", u""},
                                       {2, 15, 0, u"T2", u""}}}));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    UserWindow user;
    HWND menu = OpenMenu(quorvane, 2);
    const RECT r = ScreenRect(menu);
    EXPECT_EQ(r.right - r.left, 320);
    // fixed rows, message, separator, folder, long message, kinds 8 and 11, a line of cells, a
    // line of tiles, margins
    EXPECT_EQ(r.bottom - r.top, 2 + 22 + 22 + 5 + 22 + 5 + 22 + 22 + 22 + 22 + 22 + 44 + 2);
    const POINT folder = RowCentre(menu, 5);
    MoveMouseTo(folder.x, folder.y + 5);
    if (const char* show = std::getenv("QV_E2E_SHOW_MS"))
        Hold(std::atoi(show));
    EXPECT_TRUE(IsWindowVisible(menu));
    EXPECT_TRUE(user.HasFocus());
}

TEST_F(DropDownAsUserSeesIt, ACopyThatTrimsTheOpenClipboardsMenuClosesIt)
{
    std::vector<RecordSpec> entries;
    for (int i = 20; i >= 1; --i) {
        std::u16string text = u"entry " + std::u16string(1, char16_t(u'a' + i));
        entries.push_back({2, 4, 0, text, text});
    }
    WriteFileBytes(DataFilePath(), DataFileBytes({}, {entries}));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    HWND menu = OpenMenu(quorvane, 1);
    const POINT oldest = RowCentre(menu, 22);
    MoveMouseTo(oldest.x, oldest.y); // the row whose entry the trim deletes is under the pointer
    const std::u16string copied = u"newest";
    ASSERT_TRUE(PutOnClipboard(nullptr, &copied));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_TRUE(quorvane.Alive());
    entries.pop_back();
    entries.insert(entries.begin(), {2, 4, 0, copied, copied});
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == DataFileBytes({}, {entries}); }, 3000));
    menu = OpenMenu(quorvane, 1); // and opens again with what is left
    EXPECT_TRUE(IsWindowVisible(menu));
}

} // namespace
