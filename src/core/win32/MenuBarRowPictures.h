// The pictures that the drop-down menu rows take from the menu bar: the row icons by node kind
// and the icon column's picture.
#pragma once

#include <windows.h>

#include "ui/ImageList.h"

class TImage;
class TPanel;

class TMenuBarRowPictures {
public:
    // The icon column's picture is a hidden image on the bar's panel.
    explicit TMenuBarRowPictures(TPanel& panelMenuBar);

    TImageList ImageList1;
    TImage* ImageMenuLeftBar = nullptr;
    HBITMAP LeftBarPicture() const;
};
