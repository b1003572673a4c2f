// The menu bar: the thin always-on-top bar at the top edge of the screen. It owns the snippet
// tree and never takes the keyboard focus.
#pragma once

#include <memory>

#include "core/PasteEngine.h"
#include "core/SnippetTree.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/Timer.h"

class TFmMenuBar : public TNonActivatingForm, private ITabPasteTimer {
public:
    TFmMenuBar();
    ~TFmMenuBar() override;

    TTreeNodes TreeViewData;
    std::unique_ptr<TPanel> PanelMenuBar;
    TFont Font;
    HWND hNextClip = nullptr;
    bool FirstClipboardMsg = false;

    // System hotkeys and key-macro typing (MenuBarHotkeys.cpp).
    TTimer TimerHotkey;   // 10 ms; Tag: absolute index of the node waiting for Alt to go up
    TTimer TimerTabPaste; // one step of a key-macro message per tick
    void MyHotKey(WPARAM id, LPARAM keys);
    void TimerHotkeyTimer();
    void TimerTabPasteTimer();

    static constexpr int BarHeight = 26;
    static constexpr int LayoutWidth = 425;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WMMouseActivate() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateHotkeyTimers();
    void Restart(unsigned intervalMs) override;
    void Stop() override;

    // The clipboard viewer chain (MenuBarClipboard.cpp).
    LRESULT WMDrawClipboard(WPARAM wParam, LPARAM lParam);
    LRESULT WMChangeCBChain(WPARAM wParam, LPARAM lParam);
    void LeaveClipboardChain();
};

// What a hotkey or a tray click does while a modal window or program message box is open:
// a click just inside the bar, the cursor put back, and a beep.
void ModalClickAndBeep();
// True while a modal window or a program message box is open.
bool ModalWindowOpen();
