// Window-less controls: labels and images painted by their parent window and fed its mouse
// input. They are no windows of their own, so WindowFromPoint over one finds its parent.
#pragma once

#include <windows.h>

#include <functional>

#include "core/Text.h"
#include "ui/Form.h"
#include "ui/Handles.h"

using TMouseEvent = std::function<void(TMouseButton button, WPARAM keys, int x, int y)>;
using TMouseMoveEvent = std::function<void(WPARAM keys, int x, int y)>;

class TGraphicControl {
public:
    explicit TGraphicControl(TWinControl& parent) : parent_(parent) {}
    virtual ~TGraphicControl() = default;
    TGraphicControl(const TGraphicControl&) = delete;
    TGraphicControl& operator=(const TGraphicControl&) = delete;

    TWinControl& Parent() const { return parent_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
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

    virtual void Paint(HDC dc) = 0;

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
    bool Stretch = false;
    void Paint(HDC dc) override;

private:
    UniqueGdiObject picture_;
    SIZE size_{};
};
