// The five program windows, created once for the Win32 tests in this process.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Pumps messages until done() or the time runs out; true when done() held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Pumps messages until no sent or posted message and no input waits for this thread (its timers
// and paints aside): a check that something did not happen comes after this.
bool PumpUntilHandled(int timeoutMs = 3000);
// Waits until a window of another program that holds the foreground (Wine's tray window, which
// takes it when a test closes the active window) has handled that change: its late taking of
// the focus would otherwise take the foreground from a window that a test activates next.
bool WaitUntilForeignForegroundHandled();
// Makes window the foreground window with the focus in control, and waits until both hold.
bool ActivateWithFocus(HWND window, HWND control);

class TImageList;
// The pixels of one picture of images drawn over white, row by row.
std::vector<COLORREF> PicturePixels(const TImageList& images, int index, int width, int height);
// What the program's windows showed once the main block had created them, before start-up ran;
// the environment then runs start-up, so every test starts after it, in any order.
struct TStateBeforeStartup {
    int MenuBarLeft = 0;
    int MainLeft = 0, MainTop = 0, MainWidth = 0, MainHeight = 0;
    bool TrayIconVisible = false;
};
const TStateBeforeStartup& StateBeforeStartup();
// The number of Clipboards' rows right after start-up, before any test captured a copy.
int ClipboardsCountAfterStartup();
