#include <gtest/gtest.h>

#include "core/MenuBarPlacement.h"

#include <climits>

namespace {

TEST(MenuBarPlacement, WidthIsSevenPlusTheLabelsPlusSeven)
{
    EXPECT_EQ(MenuBarWidthFor({}), 14);
    EXPECT_EQ(MenuBarWidthFor({52, 68, 64}), 7 + 52 + 68 + 64 + 7);
}

TEST(MenuBarPlacement, LabelsAreCentredVerticallyTruncating)
{
    EXPECT_EQ(MenuLabelTop(26, 18), 4);
    EXPECT_EQ(MenuLabelTop(26, 19), 3);
    EXPECT_EQ(MenuLabelTop(26, 27), 0); // -1 / 2 truncates toward zero
    EXPECT_EQ(MenuLabelTop(26, 29), -1);
}

TEST(MenuBarPlacement, PlacementAfterARebuild)
{
    const struct {
        int width, screen;
        bool saved;
        int left, expected;
        const char* what;
    } cases[] = {
        {200, 1280, false, -1, 540, "first run: centred"},
        {201, 1280, false, 900, 539, "centred, truncating; an unsaved value does not count"},
        {200, 1280, true, 300, 300, "saved place kept"},
        {200, 1280, true, 1079, 1079, "one pixel short of the right edge"},
        {200, 1280, true, 1080, 1080, "flush with the right edge"},
        {200, 1280, true, 5000, 1080, "past the right edge: flush"},
        {200, 1280, true, -40, 0, "negative saved value"},
        {1500, 1280, true, 100, 0, "wider than the screen, saved"},
        {1500, 1280, false, -1, 0, "wider than the screen, centred"},
        {1281, 1280, false, -1, 0, "one pixel wider: (1280 - 1281) / 2 is 0"},
        {200, 1280, true, INT_MAX, 1080, "the largest value the registry holds: flush"},
        {200, 1280, true, INT_MAX - 199, 1080, "near the largest value: flush"},
        {1500, 1280, true, INT_MAX, 0, "the largest value, wider than the screen"},
        {200, 1280, true, INT_MIN, 0, "the smallest value"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlacedMenuBarLeft(c.width, c.screen, c.saved, c.left), c.expected) << c.what;
}

TEST(MenuBarPlacement, ReleaseClampsLeftThenRight)
{
    const struct {
        int left, width, screen, expected;
    } cases[] = {
        {100, 200, 1280, 100}, {-30, 200, 1280, 0},      {1079, 200, 1280, 1079},
        {1080, 200, 1280, 1080}, {1200, 200, 1280, 1080}, {-30, 1500, 1280, -220},
        {INT_MAX, 200, 1280, 1080},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReleasedMenuBarLeft(c.left, c.width, c.screen), c.expected) << c.left << " " << c.width;
}

TEST(MenuBarPlacement, TheModalClickGoesOnlyToAPartOfTheBarOnTheScreen)
{
    const struct {
        int left, top, width, height;
        std::optional<TScreenPoint> point;
        const char* what;
    } cases[] = {
        {540, 0, 200, 26, TScreenPoint{541, 1}, "on the screen: just inside its corner"},
        {540, -23, 200, 26, TScreenPoint{541, 0}, "slid up by auto hide: its visible strip"},
        {540, -25, 200, 26, TScreenPoint{541, 0}, "one row left on the screen"},
        {540, -26, 200, 26, std::nullopt, "above the screen: only the beep"},
        {-220, 0, 1500, 26, TScreenPoint{0, 1}, "wider than the screen, left of it"},
        {-220, -23, 1500, 26, TScreenPoint{0, 0}, "left of and above the screen"},
        {1279, 0, 200, 26, TScreenPoint{1279, 1}, "one column on the screen"},
        {1280, 0, 200, 26, std::nullopt, "right of the screen"},
        {-200, 0, 200, 26, std::nullopt, "left of the screen"},
        {540, 800, 200, 26, std::nullopt, "below the screen"},
        {INT_MAX - 10, INT_MIN, 200, 26, std::nullopt, "far away"},
    };
    for (const auto& c : cases) {
        const std::optional<TScreenPoint> point = ModalClickPoint({c.left, c.top}, c.width, c.height, 1280, 800);
        ASSERT_EQ(point.has_value(), c.point.has_value()) << c.what;
        if (point) {
            EXPECT_EQ(point->X, c.point->X) << c.what;
            EXPECT_EQ(point->Y, c.point->Y) << c.what;
        }
    }
}

TEST(MenuBarPlacement, HiddenBarKeepsThreePixels) { EXPECT_EQ(HiddenMenuBarTop(26), -23); }

TEST(MenuBarPlacement, DragStartsBeyondFivePixelsInEitherDirection)
{
    const struct {
        int dx, dy;
        bool drag;
    } cases[] = {{0, 0, false}, {5, 5, false},  {-5, -5, false}, {6, 0, true},
                 {0, 6, true},  {-6, 0, true},  {0, -6, true},   {5, -6, true}};
    for (const auto& c : cases)
        EXPECT_EQ(DragStarted(c.dx, c.dy), c.drag) << c.dx << "," << c.dy;
}

} // namespace
