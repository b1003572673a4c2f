#include "ui/GraphicControl.h"

#include <algorithm>

#include "ui/WinText.h"

void TGraphicControl::Place(int left, int top, int width, int height, bool visible)
{
    visible_ = visible;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TGraphicControl::DoMouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter();
}

void TGraphicControl::DoMouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave();
}

void TGraphicControl::MouseDown(TMouseButton button, WPARAM keys, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(button, keys, x, y);
}

void TGraphicControl::MouseMove(WPARAM keys, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(keys, x, y);
}

void TGraphicControl::MouseUp(TMouseButton button, WPARAM keys, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(button, keys, x, y);
}

void TGraphicControl::Click()
{
    if (OnClick)
        OnClick();
}

void TGraphicControl::DragOver(TGraphicControl* source, int x, int y, TDragState state, bool& accept)
{
    if (OnDragOver)
        OnDragOver(source, x, y, state, accept);
}

void TGraphicControl::DragDrop(TGraphicControl* source, int x, int y)
{
    if (OnDragDrop)
        OnDragDrop(source, x, y);
}

void TGraphicControl::SetBounds(int left, int top, int width, int height)
{
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void TGraphicControl::SetVisible(bool visible)
{
    if (visible != visible_) {
        visible_ = visible;
        parent_.InvalidateRect(BoundsRect());
    }
}

POINT TGraphicControl::ClientOrigin() const { return parent_.ClientToScreen({left_, top_}); }

void TGraphicControl::Invalidate()
{
    if (visible_)
        parent_.InvalidateRect(BoundsRect());
}

void TLabel::SetCaption(String caption)
{
    caption_ = std::move(caption);
    AdjustSize();
    Invalidate();
}

void TLabel::AdjustSize()
{
    if (!AutoSize)
        return;
    SIZE size{};
    {
        WindowDC dc(Parent().Handle());
        ScopedSelectObject font(dc.Get(), Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
        RECT r{0, 0, 0, 0};
        std::wstring text = ToW(caption_);
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        size = {r.right - r.left, r.bottom - r.top};
    }
    SetBounds(Left(), Top(), std::max<int>(size.cx, MinWidth), std::max<int>(size.cy, MinHeight));
}

void TLabel::Paint(HDC dc)
{
    RECT r = BoundsRect();
    if (!Transparent) {
        UniqueGdiObject brush(CreateSolidBrush(Color));
        FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
    }
    ScopedSelectObject font(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, FontColor);
    std::wstring text = ToW(caption_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TImage::SetPicture(HBITMAP bitmap)
{
    picture_.reset(bitmap);
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info))
        size_ = {info.bmWidth, info.bmHeight};
    Invalidate();
}

void TImage::Paint(HDC dc)
{
    if (!picture_)
        return;
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    {
        ScopedSelectObject select(memory.get(), picture_.get());
        int x = Left(), y = Top(), w = Width(), h = Height();
        if (!Stretch) {
            w = std::min<int>(w, size_.cx);
            h = std::min<int>(h, size_.cy);
            if (Center) {
                x += (Width() - size_.cx) / 2;
                y += (Height() - size_.cy) / 2;
                w = size_.cx;
                h = size_.cy;
            }
        }
        const int sw = Stretch ? size_.cx : w, sh = Stretch ? size_.cy : h;
        if (TransparentColor != CLR_INVALID)
            GdiTransparentBlt(dc, x, y, w, h, memory.get(), 0, 0, sw, sh, TransparentColor);
        else if (Stretch)
            StretchBlt(dc, x, y, w, h, memory.get(), 0, 0, sw, sh, SRCCOPY);
        else
            BitBlt(dc, x, y, w, h, memory.get(), 0, 0, SRCCOPY);
    }
}
