// The five program windows, created once for the Win32 tests in this process.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Pumps messages until done() or the time runs out; true when done() held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

class TImageList;
// The pixels of one picture of images drawn over white, row by row.
std::vector<COLORREF> PicturePixels(const TImageList& images, int index, int width, int height);
