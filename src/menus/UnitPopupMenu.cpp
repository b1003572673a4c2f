#include "menus/UnitPopupMenu.h"

#include "core/Globals.h"

TFmPopupMenu::TFmPopupMenu() : TNonActivatingForm(u"TFmPopupMenu")
{
    CreateForm();
    FormCreate();
}

void TFmPopupMenu::FormCreate() { SetWindowLongPtrW(Handle(), GWLP_USERDATA, OwnWindowMarker); }
