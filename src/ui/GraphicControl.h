// Window-less controls: labels and images painted by their parent window and fed its mouse
// input. They are no windows of their own, so WindowFromPoint over one finds its parent.
#pragma once

#include <windows.h>

#include <functional>

#include "core/Text.h"
#include "ui/DragDrop.h"
#include "ui/Form.h"
#include "ui/Handles.h"

using TMouseEvent = std::function<void(TMouseButton button, WPARAM keys, int x, int y)>;
using TMouseMoveEvent = std::function<void(WPARAM keys, int x, int y)>;

// source: the control the drag began on, nullptr once it is gone.
using TDragOverEvent = std::function<void(TGraphicControl* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TGraphicControl* source, int x, int y)>;

class TGraphicControl : public TDragControl {
public:
    explicit TGraphicControl(TWinControl& parent) : parent_(parent) {}

    TWinControl& Parent() const { return parent_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    // Moves the control without repainting: for a parent that repaints as a whole afterwards.
    void Place(int left, int top, int width, int height, bool visible = true);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The screen position of the control's top-left corner.
    POINT ClientOrigin() const;
    void Invalidate();

    int Tag = 0;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    // A left press and release on the control.
    std::function<void()> OnClick;
    // Without OnDragOver a control refuses every drop.
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    virtual void Paint(HDC dc) = 0;

    // What the parent window calls; the defaults run the handlers above. Coordinates are the
    // control's own.
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void MouseDown(TMouseButton button, WPARAM keys, int x, int y);
    virtual void MouseMove(WPARAM keys, int x, int y);
    virtual void MouseUp(TMouseButton button, WPARAM keys, int x, int y);
    virtual void Click();
    bool AcceptsDrags() const override { return static_cast<bool>(OnDragOver); }
    // A drag from any other kind of control arrives with source nullptr.
    virtual void DragOver(TGraphicControl* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TGraphicControl* source, int x, int y);
    void DoDragOver(TDragControl* source, int x, int y, TDragState state, bool& accept) override
    {
        DragOver(dynamic_cast<TGraphicControl*>(source), x, y, state, accept);
    }
    void DoDragDrop(TDragControl* source, int x, int y) override
    {
        DragDrop(dynamic_cast<TGraphicControl*>(source), x, y);
    }
    void DragTakesPress() override { parent_.EndPress(*this); }

private:
    TWinControl& parent_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
};

class TLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    const String& Caption() const { return caption_; }
    void SetCaption(String caption);
    HFONT Font = nullptr; // borrowed
    COLORREF FontColor = RGB(0, 0, 0);
    COLORREF Color = GetSysColor(COLOR_BTNFACE);
    bool Transparent = true;
    // Width and height follow the text, but not below these.
    bool AutoSize = true;
    int MinWidth = 0;
    int MinHeight = 0;
    void AdjustSize();

    void Paint(HDC dc) override;

private:
    String caption_;
};

class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    void SetPicture(HBITMAP bitmap); // takes ownership
    HBITMAP Picture() const { return static_cast<HBITMAP>(picture_.get()); }
    bool Stretch = false;
    // Centre the picture in the control instead of drawing it at the top-left corner.
    bool Center = false;
    // Pixels of this colour are not drawn (CLR_INVALID: every pixel is).
    COLORREF TransparentColor = CLR_INVALID;
    void Paint(HDC dc) override;

private:
    UniqueGdiObject picture_;
    SIZE size_{};
};
