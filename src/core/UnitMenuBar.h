// The menu bar: the thin always-on-top bar at the top edge of the screen. It owns the snippet
// tree and never takes the keyboard focus.
#pragma once

#include <memory>

#include "core/SnippetTree.h"
#include "ui/Font.h"
#include "ui/Form.h"

class TFmMenuBar : public TNonActivatingForm {
public:
    TFmMenuBar();
    ~TFmMenuBar() override;

    TTreeNodes TreeViewData;
    std::unique_ptr<TPanel> PanelMenuBar;
    TFont Font;
    HWND hNextClip = nullptr;
    bool FirstClipboardMsg = false;

    static constexpr int BarHeight = 26;
    static constexpr int LayoutWidth = 425;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT WMMouseActivate() override;

private:
    void FormCreate();
    void FormDestroy();

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
