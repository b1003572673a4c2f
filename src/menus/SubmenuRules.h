// The rules of a drop-down menu window's submenus, hover timer and scroll arrows, apart from the
// windows: which side a submenu opens on, what arming the hover timer does, and how one tick of
// the scroll timer moves the rows.
#pragma once

#include <vector>

// The hover delays the rows ask for, and the wParam of a click that opens a folder at once.
constexpr int FolderHoverDelay = 500;
constexpr int OtherHoverDelay = 800;
constexpr int OpenSubmenuAtOnce = -1;
constexpr unsigned AtOnceTimerInterval = 1;

// A submenu overlaps its parent's frame by this much.
constexpr int SubmenuOverlap = 2;

struct TSubmenuPlace {
    int Left = 0;
    bool ShowSubMenuAtRight = true; // the side the submenu's own submenus try first
};

// The submenu's left edge beside a parent at parentLeft, parentWidth wide, trying the parent's
// side first and switching sides at the screen edges; the side that worked is carried down.
TSubmenuPlace PlaceSubmenu(bool showSubMenuAtRight, int parentLeft, int parentWidth, int submenuWidth,
                           int screenWidth);
// The top a submenu is built at, so its first row lines up with the folder row at rowTop.
inline int SubmenuTop(int rowScreenTop) { return rowScreenTop - SubmenuOverlap; }

// What arming the hover timer for a row does (UM_MENUITEMSELECTING).
struct THoverArming {
    bool HideSubmenu = false;
    bool Arm = false;        // the timer starts with Interval, for the row SelectedItem
    unsigned Interval = 0;
    int SelectedItem = -1;
};
THoverArming ArmHover(int delay, int row, int selectedItem, bool dragging, bool submenuVisible);

// The scroll timer's step when no hidden row decides it, and its intervals.
constexpr int DefaultScrollStep = 22;
constexpr unsigned FirstScrollInterval = 150;
constexpr unsigned NextScrollInterval = 80;

// Where the pointer rests (MouseInScroolBtn).
constexpr int ScrollNone = 0;
constexpr int ScrollUp = 1;   // the up arrow: the rows move down
constexpr int ScrollDown = 2; // the down arrow: the rows move up

struct TScrollRow {
    int Top = 0;
    int Height = 0;
    bool Visible = true;
};

// The step of one tick: the height of the hidden row nearest the area on the arrow's side, 22
// when none lies there. Rows before firstScrollIndex never count.
int ScrollStep(const std::vector<TScrollRow>& rows, int firstScrollIndex, int areaTop, int areaBottom, int direction);

struct TScrollTick {
    bool ShowUpArrow = false;
    bool ShowDownArrow = false;
    bool EndReached = false; // the timer stops and the arrow pointed at hides
};
// One tick of the scroll timer over the rows from firstScrollIndex on; the area runs from
// areaTop to areaBottom. Rows sharing a line share their top, so they move together.
TScrollTick ScrollRows(std::vector<TScrollRow>& rows, int firstScrollIndex, int areaTop, int areaBottom,
                       int direction);
