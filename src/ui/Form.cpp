#include "ui/Form.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "core/ScopeExit.h"
#include "ui/Application.h"
#include "ui/DeferredRelease.h"
#include "ui/GraphicControl.h"
#include "ui/HandleMap.h"
#include "ui/StdControls.h"
#include "ui/WinText.h"

namespace {
THandleMap<TWinControl>& Objects()
{
    static THandleMap<TWinControl> objects;
    return objects;
}

void RegisterWindowClass(const std::wstring& name, UINT style, WNDPROC proc)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(Application->Instance(), name.c_str(), &wc))
        return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = Application->Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(Application->Instance(), MAKEINTRESOURCEW(Application->IconId()));
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc))
        throw std::runtime_error("cannot register a window class");
}

TMouseButton ButtonOf(UINT msg)
{
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
        return TMouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return TMouseButton::Middle;
    default:
        return TMouseButton::Left;
    }
}
} // namespace

TWinControl::TWinControl(String className) : className_(std::move(className)) {}

TWinControl::~TWinControl()
{
    if (HWND h = Handle())
        Objects().Remove(h, this);
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.ClassName = className_;
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

void TWinControl::Create()
{
    if (Handle())
        throw std::logic_error("a window is created once");
    TCreateParams params;
    CreateParams(params);
    std::wstring className = ToW(params.ClassName);
    RegisterWindowClass(className, params.ClassStyle, StaticWndProc);
    HWND h = CreateWindowExW(params.ExStyle, className.c_str(), ToW(params.Caption).c_str(), params.Style, params.X,
                             params.Y, params.Width, params.Height, params.WndParent, nullptr,
                             Application->Instance(), this);
    if (!h)
        throw std::runtime_error("cannot create a window");
    // WM_NCCREATE has attached the handle already.
    CreateControls();
    controlsCreated_ = true;
    Resized();
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<TWinControl*>(create->lpCreateParams);
        Objects().Set(hwnd, self);
        self->handle_.reset(hwnd);
    }
    TWinControl* self = Objects().Get(hwnd);
    if (!self)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        Objects().Remove(hwnd, self);
        self->handle_.release();
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    TDispatchScope scope;
    try {
        return self->WndProc(msg, wParam, lParam);
    } catch (...) {
        Application->HandleException();
        return 0;
    }
}

TWinControl* TWinControl::FromHandle(HWND handle)
{
    return Objects().Get(handle);
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(Handle(), msg, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEMOVE:
        MouseMoved({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        MouseLeft();
        return 0;
    case WM_COMMAND:
        if (TStdControl* control = TStdControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
            control->WMCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (TStdControl* control = TStdControl::FromHandle(header->hwndFrom))
            if (control->WMNotify(*header, result))
                return result;
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // the second press of a double click is a press like any other
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (MouseButton(msg, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam))
            return 0;
        break;
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

void TWinControl::Paint()
{
    PaintScope paint(Handle());
    HDC dc = paint.Get();
    UniqueGdiObject brush(CreateSolidBrush(Color));
    FillRect(dc, &paint.Area(), static_cast<HBRUSH>(brush.get()));
    for (auto& control : controls_) {
        RECT r = control->BoundsRect(), common;
        if (control->Visible() && IntersectRect(&common, &r, &paint.Area()))
            control->Paint(dc);
    }
    PaintFrame(dc);
}

TGraphicControl* TWinControl::ControlAt(POINT client) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        RECT r = (*it)->BoundsRect();
        if ((*it)->Visible() && PtInRect(&r, client))
            return it->get();
    }
    return nullptr;
}

void TWinControl::MouseMoved(POINT p, WPARAM keys)
{
    if (!tracking_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
    }
    TGraphicControl* under = ControlAt(p);
    if (under != hot_) {
        TGraphicControl* old = std::exchange(hot_, under);
        if (old)
            old->DoMouseLeave();
        if (hot_ && hot_ == under)
            hot_->DoMouseEnter();
    }
    // The handlers above may have rebuilt the controls: only what is still here gets the move.
    TGraphicControl* target = captured_ ? captured_ : hot_;
    if (target)
        target->MouseMove(keys, p.x - target->Left(), p.y - target->Top());
}

void TWinControl::MouseLeft()
{
    if (TGraphicControl* old = std::exchange(hot_, nullptr))
        old->DoMouseLeave();
}

bool TWinControl::MouseButton(UINT msg, POINT p, WPARAM keys)
{
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                      msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    TGraphicControl* target = down ? ControlAt(p) : captured_ ? captured_ : ControlAt(p);
    if (!target) {
        const TWindowMouseEvent& handler = down ? OnMouseDown : OnMouseUp;
        if (handler)
            handler(ButtonOf(msg), keys, p.x, p.y);
        return false;
    }
    const TMouseButton button = ButtonOf(msg);
    if (down) {
        captured_ = target;
        pressedLeft_ = button == TMouseButton::Left;
        SetCapture(Handle());
        target->MouseDown(button, keys, p.x - target->Left(), p.y - target->Top());
    } else {
        const bool clicked = button == TMouseButton::Left && pressedLeft_ && target == captured_;
        captured_ = nullptr;
        pressedLeft_ = false;
        if (GetCapture() == Handle())
            ReleaseCapture();
        RECT r = target->BoundsRect();
        // A click may retire the control (its window hides or rebuilds); retired controls live
        // until the message has been handled, so the release still reaches it.
        if (clicked && PtInRect(&r, p))
            target->Click();
        target->MouseUp(button, keys, p.x - target->Left(), p.y - target->Top());
    }
    return true;
}

void TWinControl::EndPress(TGraphicControl& control)
{
    if (captured_ != &control)
        return;
    const bool clicked = pressedLeft_;
    captured_ = nullptr;
    pressedLeft_ = false;
    if (GetCapture() == Handle())
        ReleaseCapture();
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    RECT r = control.BoundsRect();
    if (clicked && PtInRect(&r, p))
        control.Click();
    control.MouseUp(TMouseButton::Left, 0, p.x - control.Left(), p.y - control.Top());
}

std::vector<std::unique_ptr<TGraphicControl>> TWinControl::TakeControls()
{
    hot_ = nullptr;
    captured_ = nullptr;
    if (Handle())
        ::InvalidateRect(Handle(), nullptr, FALSE);
    return std::exchange(controls_, {});
}

void TWinControl::RemoveControl(TGraphicControl& control)
{
    if (hot_ == &control)
        hot_ = nullptr;
    if (captured_ == &control)
        captured_ = nullptr;
    control.Invalidate();
    controls_.erase(std::find_if(controls_.begin(), controls_.end(), [&](auto& c) { return c.get() == &control; }));
}

void TWinControl::InvalidateRect(const RECT& r)
{
    if (Handle())
        ::InvalidateRect(Handle(), &r, FALSE);
}

namespace {
RECT WindowRectIn(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    if (HWND parent = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
} // namespace

int TWinControl::Left() const { return WindowRectIn(Handle()).left; }
int TWinControl::Top() const { return WindowRectIn(Handle()).top; }
int TWinControl::Width() const
{
    RECT r = WindowRectIn(Handle());
    return r.right - r.left;
}
int TWinControl::Height() const
{
    RECT r = WindowRectIn(Handle());
    return r.bottom - r.top;
}
int TWinControl::ClientWidth() const
{
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}
int TWinControl::ClientHeight() const
{
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
void TWinControl::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void TWinControl::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void TWinControl::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void TWinControl::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void TWinControl::SetClientSize(int width, int height)
{
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

POINT TWinControl::ClientToScreen(POINT p) const
{
    ::ClientToScreen(Handle(), &p);
    return p;
}

String TWinControl::Caption() const
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return FromW(text);
}

void TWinControl::SetCaption(StringView caption) { SetWindowTextW(Handle(), ToW(caption).c_str()); }

bool TWinControl::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void TWinControl::Show() { ShowWindow(Handle(), SW_SHOW); }
void TWinControl::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_POPUP;
    params.WndParent = Application->MainForm ? Application->MainForm->Handle() : Application->Handle();
}

void TForm::Show()
{
    // A window that must never take the focus is shown without activating it.
    const bool noActivate = GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE;
    ShowWindow(Handle(), noActivate ? SW_SHOWNOACTIVATE : SW_SHOW);
}

TWindowDisabler::TWindowDisabler(HWND except) : except_(except)
{
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
}

TWindowDisabler::~TWindowDisabler()
{
    for (HWND window : disabled_)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

BOOL CALLBACK TWindowDisabler::DisableOne(HWND window, LPARAM self)
{
    auto* disabler = reinterpret_cast<TWindowDisabler*>(self);
    if (window != disabler->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabler->disabled_.push_back(window);
    }
    return TRUE;
}

int TForm::ShowModal()
{
    ModalResult = 0;
    {
        TWindowDisabler disabled(Handle());
        inModal_ = true;
        ++Application->ModalLevel;
        const ScopeExit modalEnd([this] {
            inModal_ = false;
            --Application->ModalLevel;
            Application->ModalEnded();
        });
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        while (ModalResult == 0 && Handle() &&
               Application->HandleMessage(Handle(), [this](const MSG& msg) { return PreTranslateKey(msg); })) {
        }
        // A form destroyed under the loop, or a loop ended by WM_QUIT, is a cancel.
        if (ModalResult == 0)
            ModalResult = mrCancel;
    }
    if (Handle())
        Hide();
    return ModalResult;
}

bool TForm::PreTranslateKey(const MSG& msg)
{
    // Esc would reach the dialog manager, which cancels, and a multi-line edit, which closes its
    // dialog: where Esc must not cancel, it reaches neither.
    const bool escape = (msg.message == WM_KEYDOWN || msg.message == WM_CHAR || msg.message == WM_KEYUP) &&
                        msg.wParam == VK_ESCAPE;
    return escape && !CancelOnEscape && (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd));
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        if (inModal_) {
            ModalResult = mrCancel;
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam == 0 && FormCommand(LOWORD(wParam)))
            return 0;
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

bool TForm::FormCommand(int id)
{
    // Esc through the dialog manager when no control carries the cancel id.
    if (id == IDCANCEL && inModal_ && CancelOnEscape) {
        ModalResult = mrCancel;
        return true;
    }
    return false;
}

void TNonActivatingForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.ClassStyle |= CS_SAVEBITS;
    params.WndParent = nullptr;
}

LRESULT TNonActivatingForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_MOUSEACTIVATE)
        return WMMouseActivate();
    return TForm::WndProc(msg, wParam, lParam);
}

RECT WorkArea()
{
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return area;
}

TPanel::TPanel(TWinControl& parent, String className) : TWinControl(std::move(className)), parent_(parent) {}

void TPanel::SetBevelOuter(TBevel bevel)
{
    BevelOuter = bevel;
    if (Handle())
        ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TPanel::PaintFrame(HDC dc)
{
    if (BevelOuter == TBevel::None)
        return;
    RECT r{};
    GetClientRect(Handle(), &r);
    DrawEdge(dc, &r, BevelOuter == TBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
}

void TPanel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_CHILD | WS_VISIBLE;
    params.WndParent = parent_.Handle();
}
