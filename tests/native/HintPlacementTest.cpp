#include <gtest/gtest.h>

#include "menus/HintPlacement.h"

namespace {

TEST(HintPlacement, AtMostHalfTheWorkArea)
{
    const THintSize max = HintMaxSize(1280, 770);
    EXPECT_EQ(max.Width, 636);
    EXPECT_EQ(max.Height, 341);
    EXPECT_EQ(HintMaxSize(1281, 771).Width, 636);
    EXPECT_EQ(HintMaxSize(1281, 771).Height, 341);
}

TEST(HintPlacement, SizeIsTheTextPlusFourOnEachSideWithinTheLargest)
{
    const THintSize max{636, 341};
    const struct {
        int textW, textH, w, h;
    } cases[] = {
        {80, 13, 88, 21}, {628, 333, 636, 341}, {629, 334, 636, 341}, {900, 2000, 636, 341}, {0, 0, 8, 8},
    };
    for (const auto& c : cases) {
        const THintSize size = HintClientSize(c.textW, c.textH, max);
        EXPECT_EQ(size.Width, c.w) << c.textW;
        EXPECT_EQ(size.Height, c.h) << c.textH;
    }
}

TEST(HintPlacement, PlaceBelowTheRowOrFlippedAtTheStrictEdges)
{
    const struct {
        int x, rowBottom, w, h, workW, workH, left, top;
        const char* what;
    } cases[] = {
        {300, 100, 88, 21, 1280, 800, 300, 112, "12 pixels below the row at the pointer's x"},
        {1192, 100, 88, 21, 1280, 800, 1192, 112, "ending exactly at the right edge stays right"},
        {1193, 100, 88, 21, 1280, 800, 1105, 112, "one pixel more: ends at the pointer's x"},
        {300, 767, 88, 21, 1280, 800, 300, 779, "ending exactly at the bottom stays below"},
        {300, 768, 88, 21, 1280, 800, 300, 768 - 22 - 12 - 21, "one pixel more: 12 above the row's top"},
        {1250, 790, 300, 200, 1280, 800, 950, 790 - 34 - 200, "both edges"},
        // The tests compare with the work area's width and height, also when it does not start
        // at the screen's origin.
        {1000, 100, 200, 21, 1180, 800, 800, 112, "a work area 1180 wide"},
    };
    for (const auto& c : cases) {
        const THintPlace place = HintPlaceFor(c.x, c.rowBottom, {c.w, c.h}, c.workW, c.workH);
        EXPECT_EQ(place.Left, c.left) << c.what;
        EXPECT_EQ(place.Top, c.top) << c.what;
    }
}

TEST(HintPlacement, OnlyTheFirst2000CodeUnits)
{
    EXPECT_EQ(HintTextOf(u"a & b"), u"a & b");
    EXPECT_EQ(HintTextOf(String(2000, u'x')).size(), 2000u);
    const String longer = String(1999, u'x') + u"yz";
    EXPECT_EQ(HintTextOf(longer), String(1999, u'x') + u"y");
    EXPECT_EQ(HintTextOf(u""), u"");
    // A character outside the BMP at the cut goes whole or not at all.
    EXPECT_EQ(HintTextOf(String(1999, u'x') + u"\U0001F600"), String(1999, u'x'));
    EXPECT_EQ(HintTextOf(String(1998, u'x') + u"\U0001F600z"), String(1998, u'x') + u"\U0001F600");
}

} // namespace
