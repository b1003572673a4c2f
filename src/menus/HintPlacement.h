// The preview window's size and place: at most half the work area, just below the previewed row
// at the pointer's x, flipped to the pointer's left or above the row at the work area's edges.
#pragma once

#include "core/Text.h"

// The preview shows at most this many UTF-16 code units of a message.
constexpr std::size_t HintMaxLength = 2000;
constexpr int HintMargin = 4;       // frame and margin on each side of the text
constexpr int HintRowGap = 12;      // between the row and the preview
constexpr int HintRowHeight = 22;   // the row whose bottom edge the preview is placed against

struct THintSize {
    int Width = 0;
    int Height = 0;
};

struct THintPlace {
    int Left = 0;
    int Top = 0;
};

// The beginning of a message that the preview shows.
String HintTextOf(StringView content);
// The largest client size: half the work area less 4 pixels across and 44 down.
THintSize HintMaxSize(int workAreaWidth, int workAreaHeight);
// The client size for a text that needs textWidth by textHeight pixels, within the largest size.
THintSize HintClientSize(int textWidth, int textHeight, THintSize maxSize);
// Where the preview goes for the pointer's x and the row's bottom edge y. The edge tests are
// strict and compare with the work area's width and height, not its right and bottom.
THintPlace HintPlaceFor(int x, int rowBottom, THintSize size, int workAreaWidth, int workAreaHeight);
