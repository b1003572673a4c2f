#include "ui/DragDrop.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "ui/Application.h"
#include "ui/DeferredRelease.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/StdControls.h"

namespace {
constexpr wchar_t CaptureClass[] = L"TDragCapture";

struct TDragObject {
    bool InProgress = false;
    bool Active = false;
    bool Finishing = false;
    bool Accepted = false;
    int Threshold = 5;
    POINT StartPos{};
    TDragControl* Source = nullptr; // nullptr once destroyed
    TDragControl* Target = nullptr; // the control under the pointer, nullptr once destroyed
    std::function<void()> OnEndDrag;
    HWND CaptureWindow = nullptr;
} drag;

LRESULT CALLBACK CaptureProc(HWND, UINT, WPARAM, LPARAM);

HWND CaptureWindow()
{
    if (drag.CaptureWindow)
        return drag.CaptureWindow;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(Application->Instance(), CaptureClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = CaptureProc;
        wc.hInstance = Application->Instance();
        wc.lpszClassName = CaptureClass;
        if (!RegisterClassExW(&wc))
            throw std::runtime_error("cannot register a window class");
    }
    // Owned by the application's window, so it goes when that does.
    drag.CaptureWindow = CreateWindowExW(WS_EX_TOOLWINDOW, CaptureClass, L"", WS_POPUP, 0, 0, 0, 0,
                                         Application->Handle(), nullptr, Application->Instance(), nullptr);
    if (!drag.CaptureWindow)
        throw std::runtime_error("cannot create a window");
    return drag.CaptureWindow;
}

// The control of the program under a screen point, with the point in its coordinates: a
// window-less control of one of the program's windows, or a system control that takes part in drags.
TDragControl* ControlUnder(POINT screen, POINT& local)
{
    HWND under = WindowFromPoint(screen);
    POINT client = screen;
    ScreenToClient(under, &client);
    if (TWinControl* window = TWinControl::FromHandle(under)) {
        TGraphicControl* control = window->ControlAt(client);
        if (control)
            local = {client.x - control->Left(), client.y - control->Top()};
        return control;
    }
    auto* control = dynamic_cast<TDragControl*>(TStdControl::FromHandle(under));
    if (control)
        local = client;
    return control;
}

void DragTo(POINT screen)
{
    POINT local{};
    TDragControl* under = ControlUnder(screen, local);
    if (under != drag.Target) {
        if (TDragControl* old = drag.Target) {
            bool ignored = false;
            old->DoDragOver(drag.Source, 0, 0, TDragState::dsDragLeave, ignored);
        }
        drag.Target = under;
        drag.Accepted = false;
        if (under) {
            bool accept = under->AcceptsDrags();
            under->DoDragOver(drag.Source, local.x, local.y, TDragState::dsDragEnter, accept);
            drag.Accepted = accept;
        }
    } else if (under) {
        bool accept = under->AcceptsDrags();
        under->DoDragOver(drag.Source, local.x, local.y, TDragState::dsDragMove, accept);
        drag.Accepted = accept;
    }
    SetCursor(LoadCursorW(nullptr, drag.Accepted && drag.Target ? IDC_ARROW : IDC_NO));
}

void Finish(bool drop)
{
    if (!drag.InProgress || drag.Finishing)
        return;
    drag.Finishing = true;
    if (GetCapture() == drag.CaptureWindow)
        ReleaseCapture();
    try {
        if (drag.Active && drag.Target) {
            TDragControl* target = drag.Target;
            bool ignored = false;
            target->DoDragOver(drag.Source, 0, 0, TDragState::dsDragLeave, ignored);
            if (drop && drag.Accepted && drag.Target == target) {
                POINT p{};
                GetCursorPos(&p);
                POINT local{};
                if (ControlUnder(p, local) == target)
                    target->DoDragDrop(drag.Source, local.x, local.y);
            }
        }
    } catch (...) {
        Application->HandleException();
    }
    std::function<void()> onEnd = std::move(drag.OnEndDrag);
    HWND window = drag.CaptureWindow;
    drag = TDragObject{};
    drag.CaptureWindow = window;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (onEnd)
        onEnd();
}

LRESULT CALLBACK CaptureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TDispatchScope scope;
    try {
        switch (msg) {
        case WM_MOUSEMOVE:
            if (drag.InProgress && !drag.Finishing) {
                POINT p{};
                GetCursorPos(&p);
                if (!drag.Active && (std::abs(p.x - drag.StartPos.x) >= drag.Threshold ||
                                     std::abs(p.y - drag.StartPos.y) >= drag.Threshold))
                    drag.Active = true;
                if (drag.Active)
                    DragTo(p);
            }
            return 0;
        case WM_LBUTTONUP:
            Finish(true);
            return 0;
        case WM_RBUTTONDOWN:
            Finish(false);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE)
                Finish(false);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd)
                Finish(false);
            return 0;
        case WM_NCDESTROY:
            if (drag.CaptureWindow == hwnd)
                drag.CaptureWindow = nullptr;
            break;
        default:
            break;
        }
    } catch (...) {
        Application->HandleException();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
} // namespace

void BeginDrag(TDragControl& source, bool immediate, int threshold, std::function<void()> onEndDrag)
{
    if (drag.InProgress)
        Finish(false);
    HWND window = CaptureWindow();
    drag.InProgress = true;
    drag.Source = &source;
    drag.Threshold = threshold;
    drag.OnEndDrag = std::move(onEndDrag);
    GetCursorPos(&drag.StartPos);
    source.DragTakesPress();
    if (!drag.InProgress)
        return; // the release ended it already
    SetCapture(window);
    if (immediate) {
        drag.Active = true;
        DragTo(drag.StartPos);
    }
}

bool DragInProgress() { return drag.InProgress; }

TDragControl::~TDragControl()
{
    TDragControl* control = this;
    if (drag.Source == control)
        drag.Source = nullptr;
    if (drag.Target == control)
        drag.Target = nullptr;
}
