// The scroll arrows of a drop-down menu window and the presses on its empty panel area. While the
// pointer, or a dragged row, rests on an arrow, TimerScroll moves the rows that scroll by one row
// per tick, 150 ms after entering and every 80 ms after that, until the end of the list shows.
#include "menus/win32/UnitMenu.h"

#include "core/Globals.h"
#include "menus/MenuLayout.h"
#include "menus/SubmenuRules.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitPopupMenu.h"
#include "menus/win32/UnitWideMenuItem.h"

void TFmMenu::BindSubmenuHandlers()
{
    TimerDirHint.OnTimer = [this] { TimerDirHintTimer(); };
    TimerScroll.OnTimer = [this] { TimerScrollTimer(); };
    ImageTopScroll->OnMouseEnter = [this] { ImageTopScrollMouseEnter(); };
    ImageTopScroll->OnMouseLeave = [this] { ImageTopScrollMouseLeave(); };
    ImageTopScroll->OnDragOver = [this](TGraphicControl*, int, int, TDragState state, bool& accept) {
        ImageTopScrollDragOver(state, accept);
    };
    ImageBtmScroll->OnMouseEnter = [this] { ImageBtmScrollMouseEnter(); };
    ImageBtmScroll->OnMouseLeave = [this] { ImageBtmScrollMouseLeave(); };
    ImageBtmScroll->OnDragOver = [this](TGraphicControl*, int, int, TDragState state, bool& accept) {
        ImageBtmScrollDragOver(state, accept);
    };
    PanelData->OnMouseDown = [this](TMouseButton button, WPARAM, int, int) { PanelDataMouseDown(button); };
    PanelData->OnMouseUp = [this](TMouseButton button, WPARAM, int, int) { PanelDataMouseUp(button); };
}

void TFmMenu::ScrollArrowEntered(TPanel& panel, int arrow)
{
    SendMessageW(Handle(), UM_MENUITEMSELECTED, 0, 0);
    MouseInScroolBtn = arrow;
    panel.SetBevelOuter(TPanel::TBevel::Lowered);
    TimerScroll.SetEnabled(false);
    TimerScroll.SetInterval(FirstScrollInterval);
    TimerScroll.SetEnabled(true);
}

void TFmMenu::ScrollArrowLeft(TPanel& panel)
{
    panel.SetBevelOuter(TPanel::TBevel::Raised);
    TimerScroll.SetEnabled(false);
    MouseInScroolBtn = ScrollNone;
}

void TFmMenu::ImageTopScrollMouseEnter() { ScrollArrowEntered(*PanelTopScroll, ScrollUp); }
void TFmMenu::ImageTopScrollMouseLeave() { ScrollArrowLeft(*PanelTopScroll); }
void TFmMenu::ImageBtmScrollMouseEnter() { ScrollArrowEntered(*PanelBtmScroll, ScrollDown); }
void TFmMenu::ImageBtmScrollMouseLeave() { ScrollArrowLeft(*PanelBtmScroll); }

// A dragged row held on an arrow scrolls the menu like the pointer; nothing can be dropped there.
void TFmMenu::ImageTopScrollDragOver(TDragState state, bool& accept)
{
    accept = false;
    if (state == TDragState::dsDragEnter)
        ImageTopScrollMouseEnter();
    else if (state == TDragState::dsDragLeave)
        ImageTopScrollMouseLeave();
}

void TFmMenu::ImageBtmScrollDragOver(TDragState state, bool& accept)
{
    accept = false;
    if (state == TDragState::dsDragEnter)
        ImageBtmScrollMouseEnter();
    else if (state == TDragState::dsDragLeave)
        ImageBtmScrollMouseLeave();
}

void TFmMenu::ShowScrollArrow(TPanel& panel, bool shown)
{
    const int width = shown ? ScrollArrowWidth : 0;
    panel.SetBounds((ClientWidth() - width) / 2, panel.Top(), width, ScrollArrowHeight);
}

void TFmMenu::TimerScrollTimer()
{
    if (WideMenuItem.empty()) {
        TimerScroll.SetEnabled(false);
        return;
    }
    TimerScroll.SetInterval(NextScrollInterval);
    if (MouseInScroolBtn != ScrollUp && MouseInScroolBtn != ScrollDown)
        return;
    const int areaTop = PanelTopScroll->Top() - 1;
    const int areaBottom = ClientHeight() - 3;
    std::vector<TScrollRow> rows;
    rows.reserve(WideMenuItem.size());
    for (const TWideMenuItem* row : WideMenuItem)
        rows.push_back({row->Top(), row->Height(), row->Visible()});
    const TScrollTick tick = ScrollRows(rows, FirstScrollIndex, areaTop, areaBottom, MouseInScroolBtn);
    for (size_t i = 0; i < rows.size(); ++i) {
        TWideMenuItem& row = *WideMenuItem[i];
        if (rows[i].Top != row.Top())
            row.Place(row.Left(), rows[i].Top, row.Width(), row.Height());
        if (rows[i].Visible != row.Visible())
            row.SetVisible(rows[i].Visible);
    }
    ::InvalidateRect(PanelData->Handle(), nullptr, FALSE);
    if (tick.ShowDownArrow)
        ShowScrollArrow(*PanelBtmScroll, true);
    if (tick.ShowUpArrow)
        ShowScrollArrow(*PanelTopScroll, true);
    if (tick.EndReached) {
        TimerScroll.SetEnabled(false);
        ShowScrollArrow(MouseInScroolBtn == ScrollUp ? *PanelTopScroll : *PanelBtmScroll, false);
    }
}

void TFmMenu::PanelDataMouseDown(TMouseButton)
{
    HidePreviewAndContextMenu();
    if (FmMenuSub)
        FmMenuSub->Hide();
}

void TFmMenu::PanelDataMouseUp(TMouseButton button)
{
    if (button != TMouseButton::Right)
        return;
    if (FmHint)
        FmHint->Hide();
    // The program's own menu has no context menu.
    if (!FmMenu || FmMenu->Node == ProgramMenuNode)
        return;
    OpenContextMenu(Node, nullptr, Handle());
}
