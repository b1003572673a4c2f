// A dialog window of the program: a top-level form owned by the program's hidden main window (so
// it has no taskbar button), with the dialog font, the face colour behind its texts, a default
// button for Enter, a cancel button for Esc, controls that follow their anchors when the window
// is resized, a minimum size, and the keyboard focus in a control: the first of the tab order when
// it opens, the one that had it when the window comes back to the front.
#pragma once

#include "ui/Form.h"
#include "ui/StdControls.h"

// Posted to a modal dialog just before it runs: the dialog brings itself to the foreground once
// its loop runs.
constexpr UINT WM_DIALOGFOREGROUND = WM_USER + 1;

// Puts a top-level window, at its size, in the middle of the primary screen.
void CenterWindowOnScreen(HWND window);

class TDialogForm : public TForm {
public:
    enum class TBorder { Fixed, Sizeable };
    TDialogForm(String className, TBorder border);

    // The space between a dialog's edge and its controls, and the height of its push buttons.
    static constexpr int FormBorderWidth = 8;
    static constexpr int ButtonHeight = 25;

    // The button Enter presses; nullptr for none.
    void SetDefaultButton(TButton* button);
    TButton* DefaultButton() const { return defaultButton_; }
    // The button Esc presses (when CancelOnEscape allows Esc at all); without one Esc gives mrCancel.
    TButton* CancelButton = nullptr;
    // The smallest outer size the user can drag the window to; 0 for no limit.
    int MinWidth = 0;
    int MinHeight = 0;

    void CenterOnScreen();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool FormCommand(int id) override;
    bool PreTranslateKey(const MSG& msg) override;
    // WM_DIALOGFOREGROUND: SetForegroundWindow with the dialog's own handle.
    virtual void UserMsgSetForegroundWindow() { SetForegroundWindow(Handle()); }

private:
    void Activated();
    // WM_NEXTDLGCTL: the focus to the next or previous control of the tab order, or to a given
    // one. A multi-line edit keeps Tab from the dialog manager and asks its parent with this
    // message; the system answers it only in its own dialog class, which our forms are not.
    void WMNextDlgCtl(WPARAM wParam, bool toControl);
    // The focus to a control as the dialog manager's Tab moves it: an edit's whole text selected,
    // a focused push button shown as the default, else the dialog's default button.
    void FocusControl(HWND control);

    TBorder border_;
    HWND lastFocus_ = nullptr; // the control that had the focus when the window went to the back
    TButton* defaultButton_ = nullptr;
};
