// Windows of the program: a window control wrapping one HWND, forms (top-level) and panels
// (child windows). Every window is made by MakeWindow, in one order: the object is constructed,
// its window created, its controls made, and only then is it laid out. The object is attached to
// its window at WM_NCCREATE, in a table of the process keyed by the handle (GWL_USERDATA carries
// the program's own-window marker). Messages go to virtual handlers; no exception leaves a window
// procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/Text.h"
#include "ui/Handles.h"

class TGraphicControl;

enum class TMouseButton { Left, Right, Middle };
using TWindowMouseEvent = std::function<void(TMouseButton button, WPARAM keys, int x, int y)>;

// A window message as its handlers take it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Results of a modal form.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrClose = 8;

struct TCreateParams {
    String ClassName;
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
};

class TWinControl {
public:
    explicit TWinControl(String className);
    virtual ~TWinControl();
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    HWND Handle() const { return handle_.get(); }
    // The object of one of the program's windows; nullptr for any other window or none.
    static TWinControl* FromHandle(HWND handle);
    const String& ClassName() const { return className_; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetClientSize(int width, int height);
    // The screen position of a client point.
    POINT ClientToScreen(POINT p) const;

    // The window's text: a form's caption.
    String Caption() const;
    void SetCaption(StringView caption);

    bool Visible() const;
    virtual void Show();
    virtual void Hide();

    COLORREF Color = GetSysColor(COLOR_BTNFACE);
    // Presses and releases on the window itself, outside its window-less controls.
    TWindowMouseEvent OnMouseDown;
    TWindowMouseEvent OnMouseUp;

    // Window-less controls painted by this window, last added on top.
    template <class T, class... Args>
    T& AddControl(Args&&... args)
    {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    void RemoveControl(TGraphicControl& control);
    // Takes every window-less control out of the window at once (they are neither painted nor
    // fed input any more) and hands them to the caller.
    std::vector<std::unique_ptr<TGraphicControl>> TakeControls();
    // Ends the press on control as a left-button release at the pointer's place would: its
    // click when the pointer is inside it, then its release. For a drag that takes over a press.
    void EndPress(TGraphicControl& control);
    const std::vector<std::unique_ptr<TGraphicControl>>& Controls() const { return controls_; }
    TGraphicControl* ControlAt(POINT client) const;
    void InvalidateRect(const RECT& r);

protected:
    // Fills the parameters of the window about to be created; overrides start from these.
    virtual void CreateParams(TCreateParams& params);
    // Makes what lives in the window (child windows, controls, their handlers), right after the
    // window was created.
    virtual void CreateControls() {}
    // Lays the controls out for the present client size: once right after CreateControls, then
    // wherever the window handles a change of size. Never before the controls exist.
    virtual void Resized() {}
    // CreateControls has run.
    bool ControlsCreated() const { return controlsCreated_; }
    // Handles one message; the default dispatches painting and mouse input to the window-less
    // controls, and the notifications of child controls (WM_COMMAND, WM_NOTIFY) to the objects of
    // the controls that sent them.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // Paints over the background and the controls (a panel's bevel).
    virtual void PaintFrame(HDC) {}

private:
    template <class T, class... Args>
    friend std::unique_ptr<T> MakeWindow(Args&&... args);
    // The window with the object's own parameters and procedure, then its controls and layout.
    void Create();
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    void Paint();
    void MouseMoved(POINT p, WPARAM keys);
    void MouseLeft();
    bool MouseButton(UINT msg, POINT p, WPARAM keys);

    String className_;
    UniqueWindow handle_;
    std::vector<std::unique_ptr<TGraphicControl>> controls_;
    TGraphicControl* hot_ = nullptr;      // control under the pointer
    TGraphicControl* captured_ = nullptr; // control that took the mouse at a press
    bool pressedLeft_ = false;            // that press was of the left button
    bool tracking_ = false;
    bool controlsCreated_ = false;
};

// Makes a window object of class T from args: constructs it, creates its window (construction is
// over, so T's own CreateParams and WndProc are the ones used), lets it make its controls and then
// lays it out. The only way the program's windows are made.
template <class T, class... Args>
std::unique_ptr<T> MakeWindow(Args&&... args)
{
    auto window = std::make_unique<T>(std::forward<Args>(args)...);
    static_cast<TWinControl&>(*window).Create();
    return window;
}

// A top-level window of the program.
class TForm : public TWinControl {
public:
    using TWinControl::TWinControl;

    void Show() override;
    // Runs the form modally: the program's other windows are disabled and the application's
    // modal level is raised until ModalResult is set. The close box, and Esc where
    // CancelOnEscape allows it, give mrCancel; a destroyed form ends the loop with mrCancel.
    int ShowModal();
    bool InModal() const { return inModal_; }
    int ModalResult = 0;
    // Esc cancels the modal form (as a small dialog's user expects); off where one key must never
    // throw away typed text.
    bool CancelOnEscape = true;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A menu or keyboard command of the form itself (WM_COMMAND from no control); true when handled.
    virtual bool FormCommand(int id);
    // A message of the modal loop for this form, before the dialog manager sees it; true when
    // handled here and kept from the controls.
    virtual bool PreTranslateKey(const MSG& msg);

private:
    bool inModal_ = false;
};

// Disables the program's visible top-level windows (all but one) for as long as it lives, so
// that a modal window or a message box is modal to the whole program.
class TWindowDisabler {
public:
    explicit TWindowDisabler(HWND except);
    ~TWindowDisabler();
    TWindowDisabler(const TWindowDisabler&) = delete;
    TWindowDisabler& operator=(const TWindowDisabler&) = delete;

private:
    HWND except_;
    std::vector<HWND> disabled_;
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self);
};

// The screen's work area, where pop-up windows stay: the whole screen when the system gives none.
RECT WorkArea();

// A form that never takes the focus: a top-most tool popup without owner, answering every
// mouse activation with MA_NOACTIVATE, so the user's window keeps the keyboard focus.
class TNonActivatingForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT WMMouseActivate() { return MA_NOACTIVATE; }
};

// A child window inside a form or another panel (whose window exists when the panel is made).
class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl& parent, String className = u"TPanel");

    enum class TBevel { None, Raised, Lowered };
    TBevel BevelOuter = TBevel::None;
    void SetBevelOuter(TBevel bevel);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintFrame(HDC dc) override;

private:
    TWinControl& parent_;
};
