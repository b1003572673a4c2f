#include "ui/ExtCtrls.h"

#include <windowsx.h>

#include <string>

#include "ui/StdControls.h"
#include "ui/WinText.h"

TSplitter::TSplitter(TWinControl& parent) : TPanel(parent, u"TSplitter") {}

LRESULT TSplitter::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        grip_ = GET_X_LPARAM(lParam);
        SetCapture(Handle());
        return 0;
    case WM_MOUSEMOVE:
        if (grip_ >= 0 && OnMoved) {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
            OnMoved(p.x - grip_);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        grip_ = -1;
        if (msg == WM_LBUTTONUP && GetCapture() == Handle())
            ReleaseCapture();
        return 0;
    default:
        return TPanel::WndProc(msg, wParam, lParam);
    }
}

TSpeedButton::TSpeedButton(TWinControl& parent, StringView caption) : TGraphicControl(parent), caption_(caption) {}

void TSpeedButton::SetCaption(StringView caption)
{
    caption_ = String(caption);
    Invalidate();
}

void TSpeedButton::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Invalidate();
}

void TSpeedButton::Paint(HDC dc)
{
    if (!Visible())
        return;
    RECT r = BoundsRect();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down_ ? DFCS_PUSHED : 0));
    ScopedSelectObject font(dc, DialogFont());
    SetBkMode(dc, TRANSPARENT);
    std::wstring text = ToW(caption_);
    if (down_)
        OffsetRect(&r, 1, 1);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (!enabled_) {
        // The engraved look of a disabled caption: a light copy below right, the grey text above.
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void TSpeedButton::MouseDown(TMouseButton button, WPARAM keys, int x, int y)
{
    if (button == TMouseButton::Left) {
        pressing_ = true;
        armed_ = enabled_;
        if (armed_) {
            down_ = true;
            Invalidate();
        }
    }
    TGraphicControl::MouseDown(button, keys, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, WPARAM keys, int x, int y)
{
    if (button == TMouseButton::Left) {
        pressing_ = false;
        if (down_) {
            down_ = false;
            Invalidate();
        }
    }
    TGraphicControl::MouseUp(button, keys, x, y);
}

void TSpeedButton::Click()
{
    if (pressing_ && !armed_)
        return;
    if (down_) {
        // What the click opens comes up over a button that looks released.
        down_ = false;
        Invalidate();
    }
    TGraphicControl::Click();
}
