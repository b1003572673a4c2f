// An image list: equal-sized pictures drawn by index with their transparent parts left out.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

class TImageList {
public:
    TImageList() = default;
    ~TImageList() { Reset(); }
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    // Cuts a strip bitmap resource into pictures of width x height; pixels of mask are clear.
    bool LoadStrip(HINSTANCE instance, int resourceId, int width, int height, COLORREF mask)
    {
        Reset();
        HBITMAP strip = static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (!strip)
            return false;
        list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 4);
        if (list_)
            ImageList_AddMasked(list_, strip, mask);
        DeleteObject(strip);
        return list_ != nullptr;
    }
    // One picture of width x height that draw paints over a background of the mask colour, which
    // stays clear.
    bool CreateDrawn(int width, int height, COLORREF mask, const std::function<void(HDC)>& draw)
    {
        Reset();
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        if (dc && picture) {
            HGDIOBJ old = SelectObject(dc, picture);
            const RECT all{0, 0, width, height};
            HBRUSH background = CreateSolidBrush(mask);
            FillRect(dc, &all, background);
            DeleteObject(background);
            draw(dc);
            SelectObject(dc, old);
            list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1);
            if (list_)
                ImageList_AddMasked(list_, picture, mask);
        }
        if (picture)
            DeleteObject(picture);
        if (dc)
            DeleteDC(dc);
        return list_ != nullptr;
    }
    int Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
    // An index outside the list draws nothing.
    void Draw(HDC dc, int x, int y, int index) const
    {
        if (list_ && index >= 0 && index < Count())
            ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
    }
    HIMAGELIST Handle() const { return list_; }

private:
    void Reset()
    {
        if (list_)
            ImageList_Destroy(list_);
        list_ = nullptr;
    }
    HIMAGELIST list_ = nullptr;
};
