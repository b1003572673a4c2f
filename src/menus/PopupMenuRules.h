// The context menu's rows: which command each row runs, its caption, when it is enabled, the
// menu's size and where it opens. Rows are told apart by their command, never by their caption,
// so two rows that a language table gives the same text still run their own commands.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "core/SnippetTree.h"
#include "core/Text.h"

enum class TPopupCommand { CutTo, CopyTo, NewMenu, NewFolder, NewMessage, Rename, Edit, Delete, Sort, View, SaveAs, Line };

constexpr int PopupMenuRowCount = 14;
// The rows, top to bottom.
const std::array<TPopupCommand, PopupMenuRowCount>& PopupMenuRows();
// The row's caption from the current language texts; "-" for a separator.
String PopupCaption(TPopupCommand command);

// Whether a row acts, for the kind of the right-clicked row (-1 on the empty area of a menu) and
// the menu or folder whose window was right-clicked.
bool PopupRowEnabled(TPopupCommand command, int selectedKind, const TTreeNode& parentNode);

constexpr int PopupMenuMinWidth = 120;
constexpr int PopupRowHeight = 20;
constexpr int PopupLineHeight = 5;
constexpr int PopupCaptionIndent = 21;

struct TPopupRowPlace {
    int Top = 0;
    int Height = 0;
};

struct TPopupLayout {
    int Width = 0;  // of the window, which has no frame of its own
    int Height = 0;
    std::vector<TPopupRowPlace> Rows; // in the rows' parent, below the window's 1-pixel frame
};

// The window as wide as the widest caption (separators included) and 44 pixels, never below the
// minimum width, and as high as its rows and 3 pixels.
TPopupLayout LayoutPopupMenu(const std::function<int(StringView)>& textWidth);

struct TWorkArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

struct TPopupPlace {
    int Left = 0;
    int Top = 0;
};

// Where the menu of the given size opens for a right release at the pointer (x, y): its
// top-left corner one pixel below the pointer; where the work area ends, it opens to the
// pointer's left or above it instead, and it never leaves the work area.
TPopupPlace PlacePopupMenu(int x, int y, int width, int height, const TWorkArea& area);
