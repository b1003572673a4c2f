#include "menus/win32/UnitWideMenuItem.h"

#include <algorithm>

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/PasteEngine.h"
#include "core/ShortCutText.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/MenuLayout.h"
#include "menus/SubmenuRules.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitPopupMenu.h"
#include "organize/win32/UnitNew.h"
#include "ui/DragDrop.h"
#include "ui/ImageList.h"
#include "ui/WinText.h"

namespace {
constexpr int ArrowImage = 9;
constexpr int LastImage = 18;
constexpr UINT CaptionFlags = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER; // $8024
constexpr UINT CellFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;          // $25
constexpr UINT HotkeyFlags = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
constexpr WPARAM MouseButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

void Send(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A window of a closed submenu may be gone: the message then reaches nobody.
    if (window && IsWindow(window))
        SendMessageW(window, msg, wParam, lParam);
}

void DrawTextIn(HDC dc, const String& text, RECT& r, UINT flags)
{
    std::wstring w = ToW(text);
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, flags);
}

// The end of a row drag, whatever ended it; the row it began on may be gone.
void DoEndDrag() { Dragging = false; }

// The node's content as pasting takes it: up to its terminating NUL.
String ContentText(const TTreeNode* node)
{
    if (!node)
        return String();
    StringView content = node->Content();
    return String(content.substr(0, content.find(u'\0')));
}
} // namespace

bool IsDraggableKind(int kind)
{
    return kind == nkMessage || kind == nkFolder || kind == nkKind11 || kind == nkCell || kind == nkTile;
}

TWideMenuItem::TWideMenuItem(TWinControl& parent) : TGraphicControl(parent)
{
    Place(1, 1, 44, MenuRowHeight);
}

bool TWideMenuItem::Draggable() const { return !Empty && Node && IsDraggableKind(ImageIndex); }

void TWideMenuItem::Repaint()
{
    Invalidate();
    UpdateWindow(Parent().Handle());
}

void TWideMenuItem::Paint(HDC dc)
{
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
    OffsetViewportOrgEx(dc, Left(), Top(), nullptr);
    RECT r{0, 0, Width(), Height()};
    if (MouseEnter) {
        UniqueGdiObject brush(CreateSolidBrush(MenuHighlightColor));
        UniqueGdiObject pen(CreatePen(PS_SOLID, 1, MenuHighlightBorderColor));
        ScopedSelectObject b(dc, brush.get());
        ScopedSelectObject p(dc, pen.get());
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    } else {
        SetDCBrushColor(dc, MenuBackColor);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        if (LeftBarGraphic) {
            const UniqueMemoryDC memory(CreateCompatibleDC(dc));
            const ScopedSelectObject select(memory.get(), LeftBarGraphic);
            BitBlt(dc, 0, 0, 22, 22, memory.get(), 0, 0, SRCCOPY);
        }
    }
    if (ImageList && ParentNode != ProgramMenuNode && ImageIndex >= 0 && ImageIndex <= LastImage)
        ImageList->Draw(dc, 2, 3, ImageIndex);
    if (ImageList && ImageIndex == nkFolder)
        ImageList->Draw(dc, Width() - MenuArrowColumn, 3, ArrowImage);
    DoDrawText(dc, r);
    RestoreDC(dc, saved);
}

void TWideMenuItem::DoDrawText(HDC dc, RECT rect)
{
    if (ImageIndex == nkSeparator) {
        UniqueGdiObject pen(CreatePen(PS_SOLID, 1, MenuLineColor));
        ScopedSelectObject p(dc, pen.get());
        const int y = (rect.bottom - rect.top) / 2;
        MoveToEx(dc, rect.left + MenuIconColumn, y, nullptr);
        LineTo(dc, rect.right - 1, y);
        return;
    }
    ScopedSelectObject font(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const COLORREF captionColor = Empty ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
    if (ImageIndex == nkCell) {
        SetTextColor(dc, captionColor);
        DrawTextIn(dc, Caption, rect, CellFlags);
        return;
    }
    rect.left += MenuIconColumn;
    if (ImageIndex == nkFolder)
        rect.right -= MenuArrowColumn;
    if (Node && Node->StateIndex != 0) {
        const String text = ShortCutToText(Node->StateIndex);
        SIZE size{};
        std::wstring w = ToW(text);
        GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
        RECT hotkey = rect;
        hotkey.right = rect.right - 1;
        hotkey.left = std::max<LONG>(hotkey.right - size.cx, rect.left + 8);
        rect.right = hotkey.left - 8;
        SetTextColor(dc, Node->Enabled ? RGB(255, 0, 0) : GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &hotkey, HotkeyFlags);
    }
    if (rect.right <= rect.left)
        return;
    SetTextColor(dc, captionColor);
    DrawTextIn(dc, Caption, rect, CaptionFlags);
}

void TWideMenuItem::CMMouseEnter()
{
    Send(hMenuWnd, UM_MENUITEMSELECTED, 0, RowIndex);
    if (ImageIndex != nkSeparator) {
        MouseEnter = true;
        Repaint();
    }
    if (!Empty)
        Send(hMenuWnd, UM_MENUITEMSELECTING, ImageIndex == nkFolder ? FolderHoverDelay : OtherHoverDelay, RowIndex);
}

void TWideMenuItem::CMMouseLeave()
{
    if (FmHint)
        FmHint->Hide();
    if (FmPopupMenu && FmPopupMenu->Visible())
        return;
    auto* menu = dynamic_cast<TFmMenu*>(TWinControl::FromHandle(hMenuWnd));
    if (menu && menu->FmMenuSub && menu->FmMenuSub->Visible())
        return; // the folder row of an open submenu stays highlighted
    MouseEnter = false;
    Repaint();
}

void TWideMenuItem::MouseDown(TMouseButton button, WPARAM keys, int x, int y)
{
    HidePreviewAndContextMenu();
    POINT p{};
    GetCursorPos(&p);
    DragStartPos = {p.x, p.y};
    MouseIsDownOnRow = true;
    TGraphicControl::MouseDown(button, keys, x, y);
}

void TWideMenuItem::MouseMove(WPARAM keys, int x, int y)
{
    if (MouseIsDownOnRow && (keys & MouseButtons) == MK_LBUTTON && !(keys & (MK_SHIFT | MK_CONTROL)) &&
        GetKeyState(VK_MENU) >= 0 && Draggable()) {
        POINT p{};
        GetCursorPos(&p);
        if (std::abs(p.x - DragStartPos.X) >= RowDragStart || std::abs(p.y - DragStartPos.Y) >= RowDragStart) {
            Dragging = true;
            // The drag ends the press with a release on this row, whose click does nothing now.
            BeginDrag(*this, false, RowDragThreshold, DoEndDrag);
            DragNode = Node;
            DragStartMenuNode = FmMenu ? FmMenu->Node : nullptr;
            DragSourceMenuWnd = reinterpret_cast<std::uintptr_t>(hMenuWnd);
        }
    }
    TGraphicControl::MouseMove(keys, x, y);
}

void TWideMenuItem::MouseUp(TMouseButton button, WPARAM keys, int x, int y)
{
    MouseIsDownOnRow = false;
    if (button == TMouseButton::Right) {
        if (FmHint)
            FmHint->Hide();
        if (!FmMenu || FmMenu->Node != ProgramMenuNode)
            OpenContextMenu(ParentNode, Node, hMenuWnd);
    }
    TGraphicControl::MouseUp(button, keys, x, y);
}

void TWideMenuItem::DragOver(TGraphicControl*, int, int, TDragState state, bool& accept)
{
    if (state == TDragState::dsDragEnter)
        CMMouseEnter();
    if (!DragNode) {
        accept = false;
        return;
    }
    if (Empty) {
        // Refused when the folder lies in the dragged folder or is the dragged folder itself.
        for (const TTreeNode* p = ParentNode; p && p->Level() >= 2; p = p->Parent()) {
            if (p == DragNode)
                accept = false;
            if (p->Level() < DragNode->Level())
                break;
        }
        if (ParentNode && !TTreeNodes::FitsAtLevel(DragNode, ParentNode->Level() + 1))
            accept = false;
        return;
    }
    if (Node == DragNode || !Node || !IsDraggableKind(ImageIndex) || IsNodeInside(Node, DragNode) ||
        !TTreeNodes::FitsAtLevel(DragNode, Node->Level()))
        accept = false;
}

void TWideMenuItem::DragDrop(TGraphicControl*, int, int)
{
    TTreeNode* dragNode = DragNode;
    if (!dragNode)
        return;
    TTreeNodes& items = dragNode->Owner();
    // Nothing else would write the new order before Exit.
    if (MoveDraggedNode(dragNode))
        SaveDataFile(items, RootNode);
}

bool TWideMenuItem::MoveDraggedNode(TTreeNode* dragNode)
{
    // Everything comes from the drag globals and this row's fields, read before the first
    // rebuild; the rebuilds retire this row, which is not touched after them.
    TTreeNodes& items = dragNode->Owner();
    const HWND target = hMenuWnd;
    const HWND source = reinterpret_cast<HWND>(DragSourceMenuWnd);
    if (Empty) {
        TTreeNode* folder = ParentNode;
        if (!folder || folder == dragNode || IsNodeInside(folder, dragNode) ||
            !TTreeNodes::FitsAtLevel(dragNode, folder->Level() + 1))
            return false;
        items.MoveToLastChild(dragNode, folder);
        Send(source, UM_LOADDATA, 0, 0);
        Send(target, UM_LOADDATA, 0, 0);
        return true;
    }
    TTreeNode* node = Node;
    if (!node || node == dragNode || IsNodeInside(node, dragNode) || !TTreeNodes::FitsAtLevel(dragNode, node->Level()))
        return false;
    // Which windows show stale rows is decided by where the node stood before the move.
    TTreeNode* oldParent = dragNode->Parent();
    items.MoveBefore(dragNode, node);
    TTreeNode* newParent = node->Parent();
    bool sourceToo = false;
    if (oldParent != newParent && (!FmMenu || FmMenu->Node == DragStartMenuNode)) {
        for (const TTreeNode* p = newParent; p && p->Level() >= 1; p = p->Parent())
            if (p == oldParent) {
                sourceToo = true;
                break;
            }
    }
    if (sourceToo)
        Send(source, UM_LOADDATA, 0, 0);
    Send(target, UM_LOADDATA, 0, 0);
    return true;
}

void TWideMenuItem::Click()
{
    if (FmHint)
        FmHint->Hide();
    if (FmPopupMenu && FmPopupMenu->Visible()) {
        FmPopupMenu->Hide();
        return;
    }
    if (Dragging || Empty || ImageIndex == nkSeparator)
        return;
    // Hiding FmMenu retires every submenu window with its rows, perhaps this one: what the
    // action needs is taken now, and the row is not touched after the menus are hidden.
    const int kind = ImageIndex;
    TTreeNode* node = Node;
    TTreeNode* parentNode = ParentNode;
    const HWND menuWnd = hMenuWnd;
    const int index = RowIndex;
    auto hideMenus = [] {
        if (FmMenu)
            FmMenu->Hide();
    };
    switch (kind) {
    case nkFolder:
        Send(menuWnd, UM_MENUITEMSELECTING, static_cast<WPARAM>(OpenSubmenuAtOnce), index);
        return;
    case nkCut:
    case nkCopy:
        CaptureTargetNode = parentNode;
        hideMenus();
        SendCtrlKey(kind == nkCut ? 'X' : 'C');
        return;
    case nkNew:
        hideMenus();
        ShowNewDialog(parentNode);
        return;
    case nkOrganize:
        hideMenus();
        if (FmMenuBar)
            FmMenuBar->ActionOrganizeExecute(parentNode);
        return;
    case nkMessage: {
        const String text = ContentText(node);
        hideMenus();
        PasteMessageText(text);
        return;
    }
    case nkKind11:
    case nkKind8:
        hideMenus();
        return;
    default:
        break;
    }
    if (kind >= 0)
        return; // cells, tiles and unknown kinds keep the menu open
    hideMenus();
    if (!FmMenuBar)
        return;
    // Bound by node identity.
    if (node == OptionsNode)
        FmMenuBar->ActionOptionsExecute();
    else if (node == OrganizeNode)
        FmMenuBar->ActionOrganizeExecute(ClipboardsNode);
    else if (node == HelpNode)
        FmMenuBar->ActionHelpExecute();
    else if (node == AboutNode)
        FmMenuBar->ActionAboutExecute();
    else if (node == MinimizeToTrayNode)
        FmMenuBar->ActionTrayExecute();
    else if (node == ExitNode)
        FmMenuBar->ActionExitExecute();
}
