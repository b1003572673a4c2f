#include "menus/win32/UnitHint.h"

#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "menus/HintPlacement.h"
#include "ui/Font.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace {
constexpr COLORREF HintBackColor = 0x00E1FFFF; // pale yellow

HGDIOBJ HintFont()
{
    return MenuFont && MenuFont->Get() ? static_cast<HGDIOBJ>(MenuFont->Get()) : GetStockObject(DEFAULT_GUI_FONT);
}
} // namespace

TFmHint::TFmHint() : TNonActivatingForm(u"TFmHint") {}

RECT TFmHint::CalcHintRect(int maxWidth, int maxHeight, const String& hint)
{
    RECT r{0, 0, maxWidth, maxHeight};
    WindowDC dc(Handle());
    ScopedSelectObject font(dc.Get(), HintFont());
    std::wstring text = ToW(hint);
    DrawTextW(dc.Get(), text.data(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return r;
}

void TFmHint::SetHint(POINT pt)
{
    const RECT area = WorkArea();
    const int workWidth = area.right - area.left;
    const int workHeight = area.bottom - area.top;
    THintSize size{ClientWidth(), ClientHeight()};
    if (ImageIndex == nkMessage) {
        const THintSize maxSize = HintMaxSize(workWidth, workHeight);
        const RECT text = CalcHintRect(maxSize.Width, maxSize.Height, HintText);
        size = HintClientSize(text.right, text.bottom, maxSize);
    }
    const THintPlace place = HintPlaceFor(pt.x, pt.y, size, workWidth, workHeight);
    // No border and no caption: the client size is the window size.
    SetBounds(place.Left, place.Top, size.Width, size.Height);
}

void TFmHint::Show()
{
    TNonActivatingForm::Show();
    FormShow();
}

void TFmHint::FormShow() { SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

LRESULT TFmHint::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PaintScope paint(Handle());
        UniqueGdiObject face(CreateSolidBrush(Color));
        FillRect(paint.Get(), &paint.Area(), static_cast<HBRUSH>(face.get()));
        FormPaint(paint.Get());
        return 0;
    }
    return TNonActivatingForm::WndProc(msg, wParam, lParam);
}

void TFmHint::FormPaint(HDC dc)
{
    if (ImageIndex != nkMessage)
        return;
    RECT r{};
    GetClientRect(Handle(), &r);
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    UniqueGdiObject brush(CreateSolidBrush(HintBackColor));
    {
        ScopedSelectObject selectPen(dc, pen.get());
        ScopedSelectObject selectBrush(dc, brush.get());
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    InflateRect(&r, -HintMargin, -HintMargin);
    ScopedSelectObject font(dc, HintFont());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    std::wstring text = ToW(HintText);
    DrawTextW(dc, text.data(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
}
