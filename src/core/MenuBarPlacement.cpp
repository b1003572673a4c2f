#include "core/MenuBarPlacement.h"

#include <cstdlib>
#include <numeric>

int MenuBarWidthFor(const std::vector<int>& labelWidths)
{
    return MenuBarMargin + std::accumulate(labelWidths.begin(), labelWidths.end(), 0) + MenuBarMargin;
}

int MenuLabelTop(int barHeight, int labelHeight) { return (barHeight - labelHeight) / 2; }

int PlacedMenuBarLeft(int barWidth, int screenWidth, bool leftSaved, int savedLeft)
{
    int left = savedLeft;
    if (leftSaved) {
        // Compared without the sum: a saved value near the largest integer would overflow it.
        if (left >= screenWidth - barWidth)
            left = screenWidth - barWidth;
    } else {
        left = (screenWidth - barWidth) / 2;
    }
    return left < 0 ? 0 : left;
}

int ReleasedMenuBarLeft(int left, int barWidth, int screenWidth)
{
    if (left < 0)
        left = 0;
    if (left >= screenWidth - barWidth)
        left = screenWidth - barWidth;
    return left;
}

int HiddenMenuBarTop(int barHeight) { return AutoHideStrip - barHeight; }

bool DragStarted(int dx, int dy) { return std::abs(dx) > DragThreshold || std::abs(dy) > DragThreshold; }
