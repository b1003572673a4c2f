// The geometry of a drop-down menu window, apart from the window: its client width from the
// measured texts of the rows, each row's place in the data panel, which rows start hidden below
// the bottom limit, the window's place by the screen edges and the places of the scroll arrows.
// LoadData applies it to the real window and rows.
#pragma once

#include <functional>
#include <vector>

#include "core/SnippetTree.h"

constexpr int MaxMenuWidth = 320;
constexpr int MinMenuWidth = 92;
constexpr int MenuRowHeight = 22;
constexpr int MenuSeparatorHeight = 5;
constexpr int MenuCellSize = 22;
constexpr int MenuTileSize = 44;
constexpr int MenuIconColumn = 26;  // the caption starts here
constexpr int MenuArrowColumn = 16; // a folder's arrow stands this far from the right edge
constexpr int ScrollArrowWidth = 28;
constexpr int ScrollArrowHeight = 14;

// The width of a text in the menu font.
using TTextWidth = std::function<int(StringView text)>;

// Whether the node's window shows the Empty row: a menu with only its fixed rows, or a folder
// without children.
bool ShowsEmptyRow(const TTreeNode& node);

// The client width of the window that shows node's children.
int CalcMenuWidth(const TTreeNode& node, const TTextWidth& textWidth);

struct TMenuRowPlace {
    int Left = 1;
    int Top = 1;
    int Width = 0;
    int Height = MenuRowHeight;
    bool Visible = true;
};

struct TMenuLayout {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int Left = 0;
    int Top = 0;
    // One place per child of the node, then the Empty row's when there is one.
    std::vector<TMenuRowPlace> Rows;
    bool HasEmptyRow = false;
    int FirstScrollIndex = 0;
    // The arrows, in the data panel's coordinates; a width of 0 hides an arrow.
    int TopScrollLeft = 0, TopScrollTop = 0, TopScrollWidth = 0;
    int BtmScrollLeft = 0, BtmScrollTop = 0, BtmScrollWidth = 0;
};

struct TMenuScreen {
    int Width = 0;
    int Height = 0;
};

// The layout of node's window with its top-left corner wanted at (left, top). leftWidth is the
// screen x of the right edge of the bar label under a top window, 0 for submenus.
TMenuLayout LayoutMenu(const TTreeNode& node, int left, int top, int leftWidth, TMenuScreen screen,
                       const TTextWidth& textWidth);
