// The hover timer and the submenus of a drop-down menu window: arming the timer for the row the
// pointer rests on, opening a folder's submenu beside the window or a message's preview below
// its row when the timer fires, and closing the submenu before the context menu opens.
#include "menus/win32/UnitMenu.h"

#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/SnippetTree.h"
#include "menus/HintPlacement.h"
#include "menus/SubmenuRules.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitPopupMenu.h"
#include "menus/win32/UnitWideMenuItem.h"


void TFmMenu::UserMsgMenuItemSelecting(TMessage& msg)
{
    HidePreviewAndContextMenu();
    TimerDirHint.SetEnabled(false);
    // wParam carries a signed delay; -1 asks for the submenu at once.
    const int delay = static_cast<int>(static_cast<INT_PTR>(msg.WParam));
    const int row = static_cast<int>(msg.LParam);
    const THoverArming arming = ArmHover(delay, row, SelectedItem, Dragging, FmMenuSub && FmMenuSub->Visible());
    if (arming.HideSubmenu && FmMenuSub)
        FmMenuSub->Hide();
    SelectedItem = arming.SelectedItem;
    if (arming.Arm) {
        TimerDirHint.SetInterval(arming.Interval);
        TimerDirHint.SetEnabled(true);
    }
}

void TFmMenu::UserMsgCloseSubMenu(TMessage&)
{
    TimerDirHint.SetEnabled(false);
    if (FmMenuSub)
        FmMenuSub->Hide();
}

void TFmMenu::TimerDirHintTimer()
{
    TimerDirHint.SetEnabled(false);
    // A rebuild may have left fewer rows than when the timer was armed.
    if (SelectedItem < 0 || SelectedItem >= static_cast<int>(WideMenuItem.size()))
        return;
    TWideMenuItem& row = *WideMenuItem[SelectedItem];
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT origin = row.ClientOrigin();
    const POINT inRow{cursor.x - origin.x, cursor.y - origin.y};
    const RECT rowRect{0, 0, row.Width(), row.Height()};
    if (!PtInRect(&rowRect, inRow))
        return; // the pointer left the row during the delay
    if (row.ImageIndex == nkFolder)
        OpenSubMenu(row);
    else if (row.ImageIndex == nkMessage)
        ShowPreview(row, cursor);
}

void TFmMenu::OpenSubMenu(TWideMenuItem& row)
{
    // The row's own node: a capture may have inserted entries above it since the rows were built.
    if (!row.Node || row.Node->ImageIndex != nkFolder)
        return;
    const POINT origin = row.ClientOrigin();
    if (!FmMenuSub)
        FmMenuSub = MakeWindow<TFmMenu>();
    TFmMenu& sub = *FmMenuSub;
    sub.Node = row.Node;
    sub.LoadData(Left(), SubmenuTop(origin.y));
    const TSubmenuPlace place = PlaceSubmenu(ShowSubMenuAtRight, Left(), ClientWidth(), sub.ClientWidth(),
                                             GetSystemMetrics(SM_CXSCREEN));
    sub.ShowSubMenuAtRight = place.ShowSubMenuAtRight;
    sub.SetLeft(place.Left);
    sub.Show();
}

void TFmMenu::ShowPreview(TWideMenuItem& row, POINT cursor)
{
    if (!FmHint)
        return;
    FmHint->ImageIndex = nkMessage;
    FmHint->HintText = HintTextOf(row.Hint);
    const POINT pt{cursor.x, row.ClientOrigin().y + row.Height()};
    FmHint->SetHint(pt);
    if (!FmPopupMenu || !FmPopupMenu->Visible())
        FmHint->Show();
}
