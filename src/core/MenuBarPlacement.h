// The menu bar's geometry: its width from the labels, where it goes on the screen, where a drag
// leaves it, and when a press on its background becomes a drag.
#pragma once

#include <optional>
#include <vector>

#include "core/OsServices.h"

constexpr int MenuBarMargin = 7;       // free pixels before the first label and after the last
constexpr int MenuLabelPadding = 10;   // added to a label's text width
constexpr int MenuLabelMinHeight = 18;
constexpr int AutoHideStrip = 3;       // pixels of a hidden bar left on the screen
constexpr int DragThreshold = 5;       // a move of more than this many pixels starts a drag

// The bar's width for labels of these widths (text width + padding each).
int MenuBarWidthFor(const std::vector<int>& labelWidths);
// A label's vertical place in the bar.
int MenuLabelTop(int barHeight, int labelHeight);
// The bar's Left after a rebuild; the result is also the new MenuBarLeft.
int PlacedMenuBarLeft(int barWidth, int screenWidth, bool leftSaved, int savedLeft);
// The bar's Left when a press on its background ends: never left of the screen, never past its
// right edge (checked in that order, so a bar wider than the screen keeps its right end on it).
int ReleasedMenuBarLeft(int left, int barWidth, int screenWidth);
// The Top of a bar slid up by auto hide.
int HiddenMenuBarTop(int barHeight);
// Where the click-and-beep clicks a bar whose client area has this screen place and size: one
// pixel right of and below its top-left corner, moved onto the primary screen (0, 0 to
// screenWidth, screenHeight) where that corner is off it (a bar slid up by auto hide, a bar
// wider than the screen). Nothing when no part of the bar is on that screen: a click there would
// reach another program's window.
std::optional<TScreenPoint> ModalClickPoint(TScreenPoint clientOrigin, int width, int height, int screenWidth,
                                            int screenHeight);
// Whether the pointer has left the press point far enough to drag the bar.
bool DragStarted(int dx, int dy);
