#include "menus/win32/UnitMenu.h"

#include "core/Globals.h"
#include "core/win32/MenuBarRowPictures.h"
#include "core/SnippetTree.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/SubmenuRules.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitPopupMenu.h"
#include "menus/win32/UnitWideMenuItem.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/DeferredRelease.h"
#include "ui/Font.h"

namespace {
// The width of a text in the font selected into dc.
int MenuTextWidth(HDC dc, StringView text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
    return size.cx;
}
} // namespace

void HidePreviewAndContextMenu()
{
    if (FmPopupMenu)
        FmPopupMenu->Hide();
    if (FmHint)
        FmHint->Hide();
}

TFmMenu::TFmMenu() : TNonActivatingForm(u"TFmMenu") {}

void TFmMenu::CreateControls()
{
    PanelBorder = MakeWindow<TPanel>(*this, u"TPanelBorder");
    PanelData = MakeWindow<TPanel>(*PanelBorder, u"TPanelData");
    CreateScrollArrow(PanelTopScroll, ImageTopScroll, IDB_SCROLLUP);
    CreateScrollArrow(PanelBtmScroll, ImageBtmScroll, IDB_SCROLLDOWN);
    FormCreate();
}

TFmMenu::~TFmMenu() { FormDestroy(); }

void TFmMenu::CreateScrollArrow(std::unique_ptr<TPanel>& panel, TImage*& image, int pictureId)
{
    panel = MakeWindow<TPanel>(*PanelData, u"TPanelScroll");
    panel->SetBounds(0, 0, ScrollArrowWidth, ScrollArrowHeight);
    panel->SetBevelOuter(TPanel::TBevel::Raised);
    image = &panel->AddControl<TImage>();
    image->Place(1, 1, ScrollArrowWidth - 2, ScrollArrowHeight - 2);
    image->Center = true;
    image->TransparentColor = RGB(192, 192, 192);
    image->SetPicture(static_cast<HBITMAP>(
        LoadImageW(Application->Instance(), MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

LRESULT TFmMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    switch (msg) {
    case UM_MENUITEMSELECTED: UserMsgMenuItemSelected(message); return message.Result;
    case UM_MENUITEMSELECTING: UserMsgMenuItemSelecting(message); return message.Result;
    case UM_LOADDATA: UserMsgLoadData(message); return message.Result;
    case UM_CLOSESUBMENU: UserMsgCloseSubMenu(message); return message.Result;
    default: return TNonActivatingForm::WndProc(msg, wParam, lParam);
    }
}

void TFmMenu::FormCreate()
{
    SelectedItem = -1;
    for (TWinControl* window : {static_cast<TWinControl*>(this), static_cast<TWinControl*>(PanelData.get()),
                                static_cast<TWinControl*>(PanelBorder.get()),
                                static_cast<TWinControl*>(PanelTopScroll.get()),
                                static_cast<TWinControl*>(PanelBtmScroll.get())})
        SetWindowLongPtrW(window->Handle(), GWLP_USERDATA, OwnWindowMarker);
    PanelTopScroll->Color = GetSysColor(COLOR_BTNFACE);
    PanelBtmScroll->Color = GetSysColor(COLOR_BTNFACE);
    BindSubmenuHandlers();
}

void TFmMenu::FormDestroy()
{
    // Rows and submenus go with the window; a drag or a click that still refers to them works
    // from the drag globals and what it took from its row.
    FmMenuSub.reset();
}

void TFmMenu::LoadData(int ALeft, int ATop)
{
    PanelBorder->Color = MenuBorderColor;
    PanelData->Color = MenuBackColor;

    // The old rows may be running a handler that caused this rebuild (a drop on one of them):
    // they leave the window now and are freed when that handler has returned.
    WideMenuItem.clear();
    ReleaseLater(std::make_unique<std::vector<std::unique_ptr<TGraphicControl>>>(PanelData->TakeControls()));
    if (!Node)
        return;

    const TMenuScreen screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TMenuLayout layout;
    {
        WindowDC dc(Handle());
        ScopedSelectObject font(dc.Get(), MenuFont ? MenuFont->Get() : GetStockObject(DEFAULT_GUI_FONT));
        layout = LayoutMenu(*Node, ALeft, ATop, LeftWidth, screen,
                            [&dc](StringView text) { return MenuTextWidth(dc.Get(), text); });
    }
    FirstScrollIndex = layout.FirstScrollIndex;

    const int childCount = Node->Count();
    const HFONT font = MenuFont ? MenuFont->Get() : nullptr;
    const TMenuBarRowPictures* pictures = FmMenuBar ? &FmMenuBar->RowPictures() : nullptr;
    const TImageList* images = pictures ? &pictures->ImageList1 : nullptr;
    const HBITMAP leftBar = pictures ? pictures->LeftBarPicture() : nullptr;
    WideMenuItem.reserve(layout.Rows.size());
    for (size_t i = 0; i < layout.Rows.size(); ++i) {
        TWideMenuItem& row = PanelData->AddControl<TWideMenuItem>();
        WideMenuItem.push_back(&row);
        row.ImageList = images;
        row.hMenuWnd = Handle();
        row.ParentNode = Node;
        row.LeftBarGraphic = leftBar;
        row.Font = font;
        const int index = static_cast<int>(i);
        if (index >= childCount) {
            row.Empty = true;
            row.Caption = EmptyCaption;
            row.Node = nullptr;
            row.RowIndex = -1;
        } else {
            TTreeNode* child = Node->Item(index);
            row.Caption = child->Text;
            if (child->Data)
                row.Hint = *child->Data;
            row.Node = child;
            row.ImageIndex = child->ImageIndex;
            row.RowIndex = index;
        }
        const TMenuRowPlace& place = layout.Rows[i];
        row.Place(place.Left, place.Top, place.Width, place.Height, place.Visible);
    }

    SetBounds(layout.Left, layout.Top, layout.ClientWidth, layout.ClientHeight);
    PanelBorder->SetBounds(0, 0, layout.ClientWidth, layout.ClientHeight);
    PanelData->SetBounds(1, 1, layout.ClientWidth - 2, layout.ClientHeight - 2);
    PanelTopScroll->SetBounds(layout.TopScrollLeft, layout.TopScrollTop, layout.TopScrollWidth, ScrollArrowHeight);
    PanelBtmScroll->SetBounds(layout.BtmScrollLeft, layout.BtmScrollTop, layout.BtmScrollWidth, ScrollArrowHeight);
    ::InvalidateRect(Handle(), nullptr, TRUE);
    ::InvalidateRect(PanelData->Handle(), nullptr, FALSE);
}

void TFmMenu::Show()
{
    const bool wasVisible = Visible();
    TNonActivatingForm::Show();
    if (!wasVisible)
        FormShow();
}

void TFmMenu::Hide()
{
    const bool wasVisible = Visible();
    TNonActivatingForm::Hide();
    if (wasVisible)
        FormHide();
}

bool TFmMenu::ShowsNode(const TTreeNode& node) const
{
    if (Node == &node)
        return true;
    for (const TWideMenuItem* row : WideMenuItem)
        if (row->Node == &node || row->ParentNode == &node)
            return true;
    return FmMenuSub && FmMenuSub->Visible() && FmMenuSub->ShowsNode(node);
}

void TFmMenu::NodeDeleted(TTreeNode& node)
{
    // The top window looks down its whole chain and closes it all; a submenu leaves that to it.
    if (this == FmMenu && Visible() && ShowsNode(node))
        Hide();
}

void TFmMenu::FormShow()
{
    // The outside-press watch runs while a drop-down is open.
    if (this == FmMenu && FmMenuBar)
        FmMenuBar->DropDownShown();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFmMenu::FreeSubMenu()
{
    if (!FmMenuSub)
        return;
    FmMenuSub->Hide(); // which frees the chain below it the same way
    ReleaseLater(std::move(FmMenuSub));
}

void TFmMenu::FormHide()
{
    TimerDirHint.SetEnabled(false);
    // The pointer cannot rest on an arrow of a hidden menu.
    if (MouseInScroolBtn != ScrollNone)
        ScrollArrowLeft(MouseInScroolBtn == ScrollUp ? *PanelTopScroll : *PanelBtmScroll);
    HidePreviewAndContextMenu();
    FreeSubMenu();
    if (this == FmMenu && FmMenuBar && Node)
        FmMenuBar->DropDownHidden(Node->Index());
}

void TFmMenu::UserMsgMenuItemSelected(TMessage& msg)
{
    HidePreviewAndContextMenu();
    TimerDirHint.SetEnabled(false);
    if (static_cast<int>(msg.LParam) == SelectedItem)
        return; // back on the row whose submenu may be open: it stays
    if (FmMenuSub)
        FmMenuSub->Hide();
    for (TWideMenuItem* row : WideMenuItem)
        if (row->MouseEnter) {
            row->MouseEnter = false;
            row->Repaint();
        }
}

void TFmMenu::UserMsgLoadData(TMessage&) { LoadData(Left(), Top()); }
