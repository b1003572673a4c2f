// The menu bar's part in system hotkeys and key-macro typing: WM_HOTKEY, the wait for the Alt key
// (the waiting message is AltHotkeyNode) and the steps of TimerTabPaste. While it lives it is the
// paste engine's step timer; when it goes, the tree's hotkeys leave the bar's window with it.
#pragma once

#include <windows.h>

#include "core/Globals.h"
#include "core/PasteEngine.h"
#include "core/SnippetTree.h"
#include "ui/Timer.h"

class TMenuBarHotkeys : private ITabPasteTimer {
public:
    explicit TMenuBarHotkeys(TTreeNodes& treeViewData);
    ~TMenuBarHotkeys() override;
    TMenuBarHotkeys(const TMenuBarHotkeys&) = delete;
    TMenuBarHotkeys& operator=(const TMenuBarHotkeys&) = delete;

    TTimer TimerHotkey;   // 10 ms, while an Alt hotkey's message waits for Alt to go up
    TTimer TimerTabPaste; // one step of a key-macro message per tick
    void MyHotKey(WPARAM id, LPARAM keys);
    void TimerHotkeyTimer();
    void TimerTabPasteTimer();

private:
    void Restart(unsigned intervalMs) override;
    void Stop() override;

    TTreeNodes& treeViewData_;
    TGlobalBinding<ITabPasteTimer> tabPasteTimer_;
};
