#include "menus/MenuLayout.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/ShortCutText.h"

bool ShowsEmptyRow(const TTreeNode& node)
{
    const int level = node.Level();
    return (level == 1 && node.Count() == FixedMenuCount) || (level >= 2 && node.Count() == 0);
}

int CalcMenuWidth(const TTreeNode& node, const TTextWidth& textWidth)
{
    int w = 0;
    if (ShowsEmptyRow(node))
        w = textWidth(EmptyCaption);
    const int count = node.Count();
    for (int i = 0; i < count;) {
        const TTreeNode& child = *node.Item(i);
        const int kind = child.ImageIndex;
        if (kind == nkTile || kind == nkCell) {
            // A run of cells or tiles shares lines: its width is that of all of them side by side.
            const int size = kind == nkTile ? MenuTileSize : MenuCellSize;
            int run = 4;
            for (; i < count && node.Item(i)->ImageIndex == kind; ++i)
                run += size;
            w = std::max(w, run);
            continue;
        }
        int width = textWidth(child.Text) + MenuIconColumn + MenuArrowColumn + 12;
        if (child.StateIndex != 0)
            width += textWidth(ShortCutToText(child.StateIndex));
        w = std::max(w, width);
        ++i;
    }
    return std::clamp(w, MinMenuWidth, MaxMenuWidth);
}

TMenuLayout LayoutMenu(const TTreeNode& node, int left, int top, int leftWidth, TMenuScreen screen,
                       const TTextWidth& textWidth)
{
    TMenuLayout layout;
    const bool isMenu = node.Level() == 1;
    const int bottomLimit = isMenu ? screen.Height - top - 3 : screen.Height - 3;
    layout.ClientWidth = CalcMenuWidth(node, textWidth);
    const int panelWidth = layout.ClientWidth - 2;
    const int childCount = node.Count();
    layout.HasEmptyRow = ShowsEmptyRow(node);
    const int n = childCount + (layout.HasEmptyRow ? 1 : 0);
    layout.FirstScrollIndex = isMenu ? FixedMenuCount : 0;
    layout.Rows.resize(static_cast<size_t>(n));

    int keptBottom = 0;
    int previousKind = 0;
    for (int i = 0; i < n; ++i) {
        TMenuRowPlace& row = layout.Rows[static_cast<size_t>(i)];
        row.Width = panelWidth - 2;
        const TMenuRowPlace* previous = i > 0 ? &layout.Rows[static_cast<size_t>(i - 1)] : nullptr;
        if (previous)
            row.Top = previous->Top + previous->Height;
        const int kind = i < childCount ? node.Item(i)->ImageIndex : -1;
        if (kind == nkSeparator) {
            row.Height = MenuSeparatorHeight;
        } else if (kind == nkCell || kind == nkTile) {
            const int size = kind == nkCell ? MenuCellSize : MenuTileSize;
            row.Width = row.Height = size;
            if (previous && previousKind == kind && previous->Left + previous->Width + size < panelWidth) {
                row.Left = previous->Left + previous->Width;
                row.Top = previous->Top;
            }
        }
        previousKind = kind;
        const int bottom = row.Top + row.Height;
        if (bottom >= bottomLimit)
            row.Visible = false;
        else
            keptBottom = bottom;
    }

    layout.ClientHeight = keptBottom + 3;
    layout.Top = top + layout.ClientHeight >= screen.Height ? screen.Height - layout.ClientHeight : top;
    if (left + layout.ClientWidth >= screen.Width)
        layout.Left = layout.ClientWidth < leftWidth ? leftWidth - layout.ClientWidth : screen.Width - layout.ClientWidth;
    else
        layout.Left = left;

    // A menu always holds its fixed rows, so the row after them exists; a tree read from elsewhere
    // may lack them, and then the arrow goes where the first row would stand.
    const int first = std::min(layout.FirstScrollIndex, n - 1);
    layout.TopScrollTop = (first >= 0 ? layout.Rows[static_cast<size_t>(first)].Top : 1) + 1;
    layout.TopScrollWidth = 0;
    layout.TopScrollLeft = layout.ClientWidth / 2;
    layout.BtmScrollTop = layout.ClientHeight - ScrollArrowHeight - 4;
    layout.BtmScrollWidth = n > 0 && !layout.Rows.back().Visible ? ScrollArrowWidth : 0;
    layout.BtmScrollLeft = (layout.ClientWidth - layout.BtmScrollWidth) / 2;
    return layout;
}
