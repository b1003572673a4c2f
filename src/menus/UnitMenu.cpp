#include "menus/UnitMenu.h"

#include "core/Globals.h"

TFmMenu::TFmMenu() : TNonActivatingForm(u"TFmMenu")
{
    CreateForm();
    FormCreate();
}

void TFmMenu::FormCreate()
{
    SelectedItem = -1;
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, OwnWindowMarker);
}
