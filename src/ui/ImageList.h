// An image list: equal-sized pictures drawn by index with their transparent parts left out.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "ui/Handles.h"

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
        const UniqueGdiObject strip(
            LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (!strip)
            return false;
        list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 4);
        if (list_)
            ImageList_AddMasked(list_, static_cast<HBITMAP>(strip.get()), mask);
        return list_ != nullptr;
    }
    // One picture of width x height that draw paints over a background of the mask colour, which
    // stays clear.
    bool CreateDrawn(int width, int height, COLORREF mask, const std::function<void(HDC)>& draw)
    {
        Reset();
        UniqueMemoryDC dc;
        UniqueGdiObject picture;
        {
            const WindowDC screen(nullptr);
            dc.reset(CreateCompatibleDC(screen.Get()));
            picture.reset(CreateCompatibleBitmap(screen.Get(), width, height));
        }
        if (!dc || !picture)
            return false;
        {
            const ScopedSelectObject select(dc.get(), picture.get());
            const RECT all{0, 0, width, height};
            const UniqueGdiObject background(CreateSolidBrush(mask));
            FillRect(dc.get(), &all, static_cast<HBRUSH>(background.get()));
            draw(dc.get());
        }
        list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1);
        if (list_)
            ImageList_AddMasked(list_, static_cast<HBITMAP>(picture.get()), mask);
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
