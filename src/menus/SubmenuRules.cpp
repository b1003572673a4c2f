#include "menus/SubmenuRules.h"

TSubmenuPlace PlaceSubmenu(bool showSubMenuAtRight, int parentLeft, int parentWidth, int submenuWidth,
                           int screenWidth)
{
    TSubmenuPlace place;
    place.ShowSubMenuAtRight = showSubMenuAtRight;
    const int right = parentLeft + parentWidth - SubmenuOverlap;
    const int left = parentLeft - submenuWidth + SubmenuOverlap;
    if (showSubMenuAtRight) {
        place.Left = right;
        if (place.Left + submenuWidth >= screenWidth) {
            place.Left = left < 0 ? 0 : left;
            place.ShowSubMenuAtRight = false;
        }
    } else {
        place.Left = left;
        if (place.Left < 0) {
            place.Left = right;
            if (place.Left + submenuWidth >= screenWidth)
                place.Left = screenWidth - submenuWidth;
            place.ShowSubMenuAtRight = true;
        }
    }
    return place;
}

THoverArming ArmHover(int delay, int row, int selectedItem, bool dragging, bool submenuVisible)
{
    THoverArming arming;
    arming.SelectedItem = selectedItem;
    if (delay == OpenSubmenuAtOnce) {
        // A click on the folder whose submenu already shows leaves it as it is.
        if (submenuVisible)
            return arming;
        arming.SelectedItem = row;
        arming.Arm = true;
        arming.Interval = AtOnceTimerInterval;
        return arming;
    }
    // Back on the folder whose submenu is open: it stays, unless a drag re-entered the row.
    if (row == selectedItem && !dragging && submenuVisible)
        return arming;
    arming.HideSubmenu = true;
    arming.SelectedItem = row;
    arming.Arm = delay > 0;
    arming.Interval = delay > 0 ? static_cast<unsigned>(delay) : 0;
    return arming;
}

int ScrollStep(const std::vector<TScrollRow>& rows, int firstScrollIndex, int areaTop, int areaBottom, int direction)
{
    const int count = static_cast<int>(rows.size());
    int step = DefaultScrollStep;
    if (direction == ScrollUp) {
        for (int i = firstScrollIndex; i < count; ++i) {
            if (rows[i].Top >= areaTop)
                break;
            step = rows[i].Height;
        }
    } else if (direction == ScrollDown) {
        for (int i = count - 1; i >= firstScrollIndex && i >= 0; --i) {
            if (rows[i].Top + rows[i].Height <= areaBottom)
                break;
            step = rows[i].Height;
        }
    }
    return step;
}

TScrollTick ScrollRows(std::vector<TScrollRow>& rows, int firstScrollIndex, int areaTop, int areaBottom,
                       int direction)
{
    TScrollTick tick;
    const int count = static_cast<int>(rows.size());
    if (direction != ScrollUp && direction != ScrollDown)
        return tick;
    if (firstScrollIndex < 0 || firstScrollIndex >= count) {
        tick.EndReached = true; // nothing that scrolls
        return tick;
    }
    const int step = ScrollStep(rows, firstScrollIndex, areaTop, areaBottom, direction);
    for (int i = firstScrollIndex; i < count; ++i) {
        TScrollRow& row = rows[i];
        row.Top += direction == ScrollUp ? step : -step;
        if (row.Top >= areaTop && row.Top + row.Height <= areaBottom)
            row.Visible = true;
        if (direction == ScrollUp && row.Top + row.Height > areaBottom) {
            row.Visible = false;
            tick.ShowDownArrow = true;
        }
        if (direction == ScrollDown && row.Top < areaTop) {
            row.Visible = false;
            tick.ShowUpArrow = true;
        }
    }
    tick.EndReached = direction == ScrollUp ? rows[firstScrollIndex].Visible : rows[count - 1].Visible;
    return tick;
}
