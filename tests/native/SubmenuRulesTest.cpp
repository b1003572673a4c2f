#include <gtest/gtest.h>

#include <vector>

#include "menus/SubmenuRules.h"

namespace {

TEST(SubmenuPlace, SidesAndScreenEdges)
{
    const struct {
        bool atRight;
        int left, width, subWidth, screen;
        int expectedLeft;
        bool expectedAtRight;
        const char* what;
    } cases[] = {
        {true, 100, 150, 120, 1280, 248, true, "right, overlapping the frame by 2"},
        {true, 1000, 160, 121, 1280, 1158, true, "right, one pixel short of the edge"},
        {true, 1000, 160, 122, 1280, 880, false, "right would end at the edge: left instead"},
        {true, 1200, 80, 300, 1280, 902, false, "right edge: left, overlapping by 2"},
        {true, 50, 300, 300, 400, 0, false, "fits neither side: pushed to 0"},
        {true, 298, 100, 300, 500, 0, false, "left side exactly at 0"},
        {false, 500, 150, 120, 1280, 382, false, "left, overlapping the frame by 2"},
        {false, 118, 150, 120, 1280, 0, false, "left, flush with the screen's left edge"},
        {false, 117, 150, 120, 1280, 265, true, "one pixel past the left edge: right instead"},
        {false, 50, 300, 300, 400, 100, true, "fits neither side: screen width less its width"},
        {false, 10, 100, 200, 1280, 108, true, "left edge: right"},
    };
    for (const auto& c : cases) {
        const TSubmenuPlace place = PlaceSubmenu(c.atRight, c.left, c.width, c.subWidth, c.screen);
        EXPECT_EQ(place.Left, c.expectedLeft) << c.what;
        EXPECT_EQ(place.ShowSubMenuAtRight, c.expectedAtRight) << c.what;
    }
}

TEST(SubmenuPlace, TheSideThatWorkedIsCarriedDownTheChain)
{
    // A top menu near the right edge: the first submenu goes left, the next ones follow it
    // left until one would pass the left edge and switches back to the right.
    const int screen = 1280, width = 300;
    bool atRight = true;
    int left = 1100;
    std::vector<int> lefts;
    std::vector<bool> sides;
    for (int level = 0; level < 6; ++level) {
        const TSubmenuPlace place = PlaceSubmenu(atRight, left, width, width, screen);
        lefts.push_back(place.Left);
        sides.push_back(place.ShowSubMenuAtRight);
        left = place.Left;
        atRight = place.ShowSubMenuAtRight;
    }
    EXPECT_EQ(lefts, (std::vector<int>{802, 504, 206, 504, 802, 504}));
    EXPECT_EQ(sides, (std::vector<bool>{false, false, false, true, true, false}));
}

TEST(SubmenuPlace, TopLinesTheFirstRowUpWithTheFolderRow) { EXPECT_EQ(SubmenuTop(120), 118); }

TEST(HoverTimer, ArmingForARow)
{
    const struct {
        int delay, row, selected;
        bool dragging, submenuVisible;
        bool hide, arm;
        unsigned interval;
        int selectedAfter;
        const char* what;
    } cases[] = {
        {500, 4, -1, false, false, true, true, 500, 4, "folder row: armed for 500 ms"},
        {800, 5, 4, false, true, true, true, 800, 5, "another row closes the submenu at once"},
        {500, 4, 4, false, true, false, false, 0, 4, "back on the folder: its submenu stays"},
        {500, 4, 4, false, false, true, true, 500, 4, "back on the folder, no submenu: armed again"},
        {500, 4, 4, true, true, true, true, 500, 4, "a drag re-entering the folder reopens after the delay"},
        {-1, 4, 2, false, false, false, true, 1, 4, "a click opens at once"},
        {-1, 4, 4, false, true, false, false, 0, 4, "a click while the submenu shows changes nothing"},
        {-1, 6, 4, true, true, false, false, 0, 4, "a click while any submenu of the window shows"},
        {0, 3, 1, false, false, true, false, 0, 3, "no delay: the timer does not run"},
    };
    for (const auto& c : cases) {
        const THoverArming arming = ArmHover(c.delay, c.row, c.selected, c.dragging, c.submenuVisible);
        EXPECT_EQ(arming.HideSubmenu, c.hide) << c.what;
        EXPECT_EQ(arming.Arm, c.arm) << c.what;
        if (c.arm) {
            EXPECT_EQ(arming.Interval, c.interval) << c.what;
        }
        EXPECT_EQ(arming.SelectedItem, c.selectedAfter) << c.what;
    }
}

// Rows of the given heights one below the other from top 1; hidden from the bottom limit on.
std::vector<TScrollRow> Column(const std::vector<int>& heights, int bottomLimit)
{
    std::vector<TScrollRow> rows;
    int top = 1;
    bool hidden = false;
    for (int h : heights) {
        hidden = hidden || top + h >= bottomLimit;
        rows.push_back({top, h, !hidden});
        top += h;
    }
    return rows;
}

std::vector<bool> Shown(const std::vector<TScrollRow>& rows)
{
    std::vector<bool> shown;
    for (const auto& r : rows)
        shown.push_back(r.Visible);
    return shown;
}

TEST(Scrolling, StepIsTheHiddenRowNearestTheArea)
{
    // A folder: area from 1 to 100; rows 22, 5, 22, 44, 22.
    std::vector<TScrollRow> rows = {{1, 22, true}, {23, 5, true}, {28, 22, true}, {50, 44, true}, {94, 22, false}};
    EXPECT_EQ(ScrollStep(rows, 0, 1, 100, ScrollDown), 22);
    rows[4].Height = 5;
    rows[3].Top = 99; // the tile below the area too: the nearest one counts
    rows[4].Top = 143;
    EXPECT_EQ(ScrollStep(rows, 0, 1, 100, ScrollDown), 44);
    EXPECT_EQ(ScrollStep(rows, 0, 1, 100, ScrollUp), 22) << "none above: 22";
    rows = {{-26, 22, false}, {-4, 5, false}, {1, 22, true}};
    EXPECT_EQ(ScrollStep(rows, 0, 1, 100, ScrollUp), 5);
    EXPECT_EQ(ScrollStep(rows, 0, 1, 100, ScrollDown), 22) << "none below: 22";
    EXPECT_EQ(ScrollStep(rows, 0, 1, 100, ScrollNone), 22);
}

TEST(Scrolling, ALongFolderScrollsRowByRowUntilTheArrowHides)
{
    // 12 rows of 22 with a separator at index 8; the window holds the first 6 (limit 140).
    std::vector<int> heights(12, 22);
    heights[8] = 5;
    std::vector<TScrollRow> rows = Column(heights, 140);
    const int areaTop = 1, areaBottom = 133; // the kept bottom: ClientHeight - 3
    ASSERT_FALSE(rows[6].Visible);
    std::vector<int> steps;
    TScrollTick tick;
    while (!tick.EndReached && steps.size() < 50) {
        const int before = rows[0].Top;
        tick = ScrollRows(rows, 0, areaTop, areaBottom, ScrollDown);
        steps.push_back(before - rows[0].Top);
        EXPECT_TRUE(tick.ShowUpArrow);
    }
    EXPECT_EQ(steps, (std::vector<int>{22, 22, 5, 22, 22, 22}));
    EXPECT_TRUE(rows.back().Visible);
    for (const auto& r : rows)
        EXPECT_EQ(r.Visible, r.Top >= areaTop && r.Top + r.Height <= areaBottom);
    // Back up: each step is the height of the hidden row just above the area; the first row
    // shows again after six steps of 22.
    steps.clear();
    tick = {};
    while (!tick.EndReached && steps.size() < 50) {
        const int before = rows[0].Top;
        tick = ScrollRows(rows, 0, areaTop, areaBottom, ScrollUp);
        steps.push_back(rows[0].Top - before);
        EXPECT_TRUE(tick.ShowDownArrow);
    }
    EXPECT_EQ(steps, (std::vector<int>(6, 22)));
    EXPECT_EQ(rows[0].Top, 1 - 115 + 132);
    EXPECT_TRUE(rows[0].Visible);
    EXPECT_FALSE(rows.back().Visible);
}

TEST(Scrolling, FixedRowsOfAMenuNeverMove)
{
    std::vector<int> heights(20, 22);
    heights[2] = 5;
    std::vector<TScrollRow> rows = Column(heights, 200);
    const std::vector<TScrollRow> fixed(rows.begin(), rows.begin() + 3);
    const int areaTop = rows[3].Top, areaBottom = 200 - 1;
    for (int i = 0; i < 5; ++i)
        ScrollRows(rows, 3, areaTop, areaBottom, ScrollDown);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].Top, fixed[i].Top);
        EXPECT_TRUE(rows[i].Visible);
    }
    EXPECT_FALSE(rows[3].Visible);
    EXPECT_EQ(rows[3].Top, areaTop - 5 * 22);
    EXPECT_TRUE(rows[8].Visible);
    EXPECT_EQ(rows[8].Top, areaTop);
}

TEST(Scrolling, CellsOfALineMoveAppearAndHideTogether)
{
    // Two lines of three cells, then text rows; the area holds two lines.
    std::vector<TScrollRow> rows;
    for (int line = 0; line < 2; ++line)
        for (int c = 0; c < 3; ++c)
            rows.push_back({1 + 22 * line, 22, true});
    for (int i = 0; i < 3; ++i)
        rows.push_back({45 + 22 * i, 22, false});
    const int areaTop = 1, areaBottom = 45;
    ScrollRows(rows, 0, areaTop, areaBottom, ScrollDown);
    EXPECT_EQ(Shown(rows), (std::vector<bool>{false, false, false, true, true, true, true, false, false}));
    ScrollRows(rows, 0, areaTop, areaBottom, ScrollUp);
    EXPECT_EQ(Shown(rows), (std::vector<bool>{true, true, true, true, true, true, false, false, false}));
    for (int c = 1; c < 3; ++c)
        EXPECT_EQ(rows[c].Top, rows[0].Top);
}

TEST(Scrolling, EndsAndDegenerateCases)
{
    std::vector<TScrollRow> rows = Column({22, 22}, 100);
    TScrollTick tick = ScrollRows(rows, 0, 1, 99, ScrollNone);
    EXPECT_FALSE(tick.EndReached);
    EXPECT_EQ(rows[0].Top, 1) << "resting on no arrow moves nothing";
    std::vector<TScrollRow> none;
    EXPECT_TRUE(ScrollRows(none, 0, 1, 99, ScrollDown).EndReached);
    EXPECT_TRUE(ScrollRows(rows, 2, 1, 99, ScrollDown).EndReached) << "no row that scrolls";
}

} // namespace
