#include "core/MenuBarPlacement.h"

#include <algorithm>
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

std::optional<TScreenPoint> ModalClickPoint(TScreenPoint clientOrigin, int width, int height, int screenWidth,
                                            int screenHeight)
{
    // The part of the bar on the screen, as half-open ranges.
    const long long left = std::max<long long>(clientOrigin.X, 0);
    const long long top = std::max<long long>(clientOrigin.Y, 0);
    const long long right = std::min<long long>(static_cast<long long>(clientOrigin.X) + width, screenWidth);
    const long long bottom = std::min<long long>(static_cast<long long>(clientOrigin.Y) + height, screenHeight);
    if (left >= right || top >= bottom)
        return std::nullopt;
    const long long x = std::clamp<long long>(static_cast<long long>(clientOrigin.X) + 1, left, right - 1);
    const long long y = std::clamp<long long>(static_cast<long long>(clientOrigin.Y) + 1, top, bottom - 1);
    return TScreenPoint{static_cast<int>(x), static_cast<int>(y)};
}

bool DragStarted(int dx, int dy) { return std::abs(dx) > DragThreshold || std::abs(dy) > DragThreshold; }
