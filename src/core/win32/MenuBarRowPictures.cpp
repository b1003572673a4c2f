#include "core/win32/MenuBarRowPictures.h"

#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"

TMenuBarRowPictures::TMenuBarRowPictures(TPanel& panelMenuBar)
{
    ImageList1.LoadStrip(Application->Instance(), IDB_ROWICONS, 16, 16, RGB(255, 0, 255));
    ImageMenuLeftBar = &panelMenuBar.AddControl<TImage>();
    ImageMenuLeftBar->Tag = -1; // kept when the labels are rebuilt
    ImageMenuLeftBar->Place(0, 0, 22, 22, false);
    ImageMenuLeftBar->SetPicture(static_cast<HBITMAP>(
        LoadImageW(Application->Instance(), MAKEINTRESOURCEW(IDB_MENULEFTBAR), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

HBITMAP TMenuBarRowPictures::LeftBarPicture() const { return ImageMenuLeftBar->Picture(); }
