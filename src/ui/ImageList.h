// An image list: equal-sized pictures drawn by index with their transparent parts left out.
#pragma once

#include <windows.h>

#include <commctrl.h>

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
