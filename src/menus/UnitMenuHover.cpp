// The hover timer and the submenus of a drop-down menu window: arming the timer for the row
// under the pointer and closing the submenu before the context menu opens. Until the hover
// handling lands, resting on a row and a click on a folder row open nothing.
#include "menus/UnitMenu.h"

void TFmMenu::UserMsgMenuItemSelecting(TMessage&) {}

void TFmMenu::UserMsgCloseSubMenu(TMessage&) {}
