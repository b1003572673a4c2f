#include "ui/ComCtrls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/ScopeExit.h"
#include "ui/Application.h"
#include "ui/WinText.h"

namespace {
constexpr int MaxItemText = 1024;

int CALLBACK CompareRanks(LPARAM a, LPARAM b, LPARAM rankOf)
{
    const auto& rank = *reinterpret_cast<const std::function<int(void*)>*>(rankOf);
    const int ra = rank(reinterpret_cast<void*>(a));
    const int rb = rank(reinterpret_cast<void*>(b));
    return ra < rb ? -1 : ra > rb ? 1 : 0;
}

// Runs work with flag set, and clears it again on every path.
template <class Work>
void WithFlag(bool& flag, Work&& work)
{
    const bool old = flag;
    flag = true;
    const ScopeExit restore([&flag, old] { flag = old; });
    work();
}

struct TListItem {
    std::wstring caption;
    int imageIndex;
    void* data;
};

// The item whose caption is widest in the control's font; items.size() for none.
size_t WidestCaption(HWND control, const std::vector<TListItem>& items)
{
    size_t widest = items.size();
    const WindowDC dc(control);
    if (!dc.Get())
        return widest;
    const ScopedSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    LONG widestWidth = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), items[i].caption.c_str(), static_cast<int>(items[i].caption.size()), &size);
        if (size.cx > widestWidth) {
            widestWidth = size.cx;
            widest = i;
        }
    }
    return widest;
}
} // namespace

TDragStdControl::TDragStdControl(TWinControl& parent, const wchar_t* className, DWORD style, DWORD exStyle,
                                 RECT bounds)
    : TStdControl(parent, className, style, exStyle, bounds, u"")
{
    HookMessages();
}

void TDragStdControl::SetFont(HFONT font) { SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void TDragStdControl::BeginUpdate()
{
    if (updates_++ > 0)
        return;
    // The control's own visibility, whatever its parents' (a list filled before its window
    // shows); turning painting off may clear it.
    shownBeforeUpdate_ = (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TDragStdControl::EndUpdate()
{
    if (updates_ == 0 || --updates_ > 0)
        return;
    // The control turns its painting on while its window counts as hidden: it sets its scroll
    // bars without drawing them there and then (each drawing took milliseconds under Wine), and
    // the one paint that follows draws them with the rest. The default handling flips the
    // visibility without telling the control, which would redraw its scroll bars on hearing of it.
    HWND h = Handle();
    DefWindowProcW(h, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    DefWindowProcW(h, WM_SETREDRAW, shownBeforeUpdate_, 0);
    if (shownBeforeUpdate_)
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TDragStdControl::Batch(const std::function<void()>& changes)
{
    BeginUpdate();
    const ScopeExit end([this] { EndUpdate(); });
    changes();
}

LRESULT TDragStdControl::HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYUP:
        if (OnKeyUp) {
            const LRESULT result = DefaultMessage(h, msg, wParam, lParam);
            Guarded([&] { OnKeyUp(static_cast<unsigned>(wParam)); });
            return result;
        }
        break;
    case WM_SETFOCUS: {
        const LRESULT result = TakeFocus(wParam, lParam);
        if (OnEnter)
            Guarded([&] { OnEnter(); });
        return result;
    }
    default:
        break;
    }
    return DefaultMessage(h, msg, wParam, lParam);
}

LRESULT TDragStdControl::TakeFocus(WPARAM wParam, LPARAM lParam)
{
    return DefaultMessage(Handle(), WM_SETFOCUS, wParam, lParam);
}

void TDragStdControl::StartDrag()
{
    std::weak_ptr<int> alive = alive_;
    BeginDrag(*this, true, 0, [this, alive] {
        if (!alive.expired() && OnEndDrag)
            OnEndDrag();
    });
}

// ---------------------------------------------------------------------------------------------

TTreeView::TTreeView(TWinControl& parent, RECT bounds)
    : TDragStdControl(parent, WC_TREEVIEWW,
                      WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                      WS_EX_CLIENTEDGE, bounds)
{
}

void TTreeView::SetImages(HIMAGELIST images)
{
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TTreeView::SetIndent(int indent) { SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(indent), 0); }

HTREEITEM TTreeView::Add(HTREEITEM parent, StringView text, int imageIndex, int selectedIndex, void* data)
{
    std::wstring wide = ToW(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = wide.data();
    insert.item.iImage = imageIndex;
    insert.item.iSelectedImage = selectedIndex;
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item && data)
        byData_[data] = item;
    return item;
}

void TTreeView::Delete(HTREEITEM item) { SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)); }

void TTreeView::DeleteChildren(HTREEITEM item)
{
    while (HTREEITEM child = FirstChild(item))
        Delete(child);
}

void TTreeView::Clear()
{
    WithFlag(quiet_, [&] { SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); });
    byData_.clear();
}

int TTreeView::Count() const { return static_cast<int>(SendMessageW(Handle(), TVM_GETCOUNT, 0, 0)); }

HTREEITEM TTreeView::Selected() const { return TreeView_GetSelection(Handle()); }

void TTreeView::Select(HTREEITEM item) { TreeView_SelectItem(Handle(), item); }

void TTreeView::Expand(HTREEITEM item) { TreeView_Expand(Handle(), item, TVE_EXPAND); }

bool TTreeView::Expanded(HTREEITEM item) const
{
    return (TreeView_GetItemState(Handle(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM TTreeView::FirstTop() const { return TreeView_GetRoot(Handle()); }
HTREEITEM TTreeView::Parent(HTREEITEM item) const { return TreeView_GetParent(Handle(), item); }
HTREEITEM TTreeView::FirstChild(HTREEITEM item) const { return TreeView_GetChild(Handle(), item); }
HTREEITEM TTreeView::NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(Handle(), item); }

HTREEITEM TTreeView::Next(HTREEITEM item) const
{
    if (HTREEITEM child = FirstChild(item))
        return child;
    for (HTREEITEM at = item; at; at = Parent(at))
        if (HTREEITEM sibling = NextSibling(at))
            return sibling;
    return nullptr;
}

HTREEITEM TTreeView::ItemAt(int absoluteIndex) const
{
    if (absoluteIndex < 0)
        return nullptr;
    HTREEITEM item = FirstTop();
    for (int i = 0; item && i < absoluteIndex; ++i)
        item = Next(item);
    return item;
}

int TTreeView::AbsoluteIndex(HTREEITEM item) const
{
    int index = 0;
    for (HTREEITEM at = FirstTop(); at; at = Next(at), ++index)
        if (at == item)
            return index;
    return -1;
}

bool TTreeView::IsInside(HTREEITEM item, HTREEITEM ancestor) const
{
    for (HTREEITEM at = item; at; at = Parent(at))
        if (at == ancestor)
            return true;
    return false;
}

void* TTreeView::Data(HTREEITEM item) const
{
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!item || !TreeView_GetItem(Handle(), &data))
        return nullptr;
    return reinterpret_cast<void*>(data.lParam);
}

HTREEITEM TTreeView::FindData(const void* data) const
{
    auto it = byData_.find(data);
    return it == byData_.end() ? nullptr : it->second;
}

String TTreeView::ItemText(HTREEITEM item) const
{
    std::wstring text(MaxItemText, L'\0');
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text.data();
    data.cchTextMax = MaxItemText;
    if (!TreeView_GetItem(Handle(), &data))
        return {};
    text.resize(wcslen(text.c_str()));
    return FromW(text);
}

void TTreeView::SetItemText(HTREEITEM item, StringView text)
{
    std::wstring wide = ToW(text);
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = wide.data();
    TreeView_SetItem(Handle(), &data);
}

HTREEITEM TTreeView::ItemAtPoint(int x, int y) const
{
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    HTREEITEM item = TreeView_HitTest(Handle(), &hit);
    return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

HTREEITEM TTreeView::Copy(HTREEITEM item, HTREEITEM parent)
{
    std::wstring text(MaxItemText, L'\0');
    TVITEMW data{};
    data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    data.hItem = item;
    data.pszText = text.data();
    data.cchTextMax = MaxItemText;
    TreeView_GetItem(Handle(), &data);
    text.resize(wcslen(text.c_str()));
    HTREEITEM copy = Add(parent, FromW(text), data.iImage, data.iSelectedImage, reinterpret_cast<void*>(data.lParam));
    for (HTREEITEM child = FirstChild(item); child; child = NextSibling(child))
        Copy(child, copy);
    if (Expanded(item))
        Expand(copy);
    return copy;
}

HTREEITEM TTreeView::MoveToLastChild(HTREEITEM item, HTREEITEM parent)
{
    if (!item || IsInside(parent, item))
        return nullptr;
    HTREEITEM moved = nullptr;
    WithFlag(quiet_, [&] {
        const bool wasSelected = Selected() == item;
        moved = Copy(item, parent);
        Delete(item);
        if (wasSelected)
            Select(moved);
        Expand(parent);
    });
    return moved;
}

void TTreeView::SortChildren(HTREEITEM parent, const std::function<int(void* data)>& rank)
{
    TVSORTCB sort{};
    sort.hParent = parent ? parent : TVI_ROOT;
    sort.lpfnCompare = CompareRanks;
    sort.lParam = reinterpret_cast<LPARAM>(&rank);
    SendMessageW(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

LRESULT TTreeView::TakeFocus(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    WithFlag(quiet_, [&] {
        const bool none = Selected() == nullptr;
        result = TDragStdControl::TakeFocus(wParam, lParam);
        if (none && Selected())
            Select(nullptr);
    });
    return result;
}

bool TTreeView::WMNotify(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case TVN_SELCHANGEDW:
        if (!quiet_ && OnChange)
            OnChange(reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem);
        result = 0;
        return true;
    case TVN_DELETEITEMW: {
        const TVITEMW& gone = reinterpret_cast<NMTREEVIEWW&>(header).itemOld;
        auto it = byData_.find(reinterpret_cast<const void*>(gone.lParam));
        if (it != byData_.end() && it->second == gone.hItem)
            byData_.erase(it);
        result = 0;
        return true;
    }
    case TVN_BEGINDRAGW: {
        // The dragged item is the selected one, so the list shows what is dragged.
        HTREEITEM item = reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem;
        if (item) {
            Select(item);
            StartDrag();
        }
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void TTreeView::DoDragOver(TDragControl* source, int x, int y, TDragState state, bool& accept)
{
    HTREEITEM under = state == TDragState::dsDragLeave ? nullptr : ItemAtPoint(x, y);
    TreeView_SelectDropTarget(Handle(), under);
    if (OnDragOver)
        OnDragOver(source, x, y, state, accept);
}

void TTreeView::DoDragDrop(TDragControl* source, int x, int y)
{
    dropTarget_ = ItemAtPoint(x, y);
    TreeView_SelectDropTarget(Handle(), nullptr);
    const ScopeExit clear([this] { dropTarget_ = nullptr; });
    if (OnDragDrop)
        OnDragDrop(source, x, y);
}

// ---------------------------------------------------------------------------------------------

TListView::TListView(TWinControl& parent, RECT bounds)
    : TDragStdControl(parent, WC_LISTVIEWW,
                      WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                          LVS_SHAREIMAGELISTS,
                      WS_EX_CLIENTEDGE, bounds)
{
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, 0);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    wchar_t name[] = L"Name";
    column.pszText = name;
    column.cx = 100;
    SendMessageW(Handle(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void TListView::SetSmallImages(HIMAGELIST images)
{
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void TListView::Assign(
    const std::function<void(const std::function<void(StringView caption, int imageIndex, void* data)>&)>& fill)
{
    std::vector<TListItem> items;
    fill([&](StringView caption, int imageIndex, void* data) { items.push_back({ToW(caption), imageIndex, data}); });
    const auto insert = [&](int index, TListItem& from) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = from.caption.data();
        item.iImage = from.imageIndex;
        item.lParam = reinterpret_cast<LPARAM>(from.data);
        return SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
    };
    WithFlag(quiet_, [&] {
        Batch([&] {
            SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
            // The list fits its column to the widest caption alone: fitting it to all of them
            // measures each through a device context of its own, a tenth of a second for
            // thousands of items under Wine; here they are measured through one.
            const size_t widest = WidestCaption(Handle(), items);
            if (widest < items.size()) {
                TListItem alone{items[widest].caption, items[widest].imageIndex, nullptr};
                if (insert(0, alone)) {
                    FitColumn();
                    SendMessageW(Handle(), LVM_DELETEITEM, 0, 0);
                }
            } else {
                FitColumn();
            }
            // The pointer is known before its item exists, so FindData never misses a shown one.
            for (size_t i = 0; i < items.size(); ++i) {
                const auto known = data_.insert(items[i].data);
                if (!insert(static_cast<int>(i), items[i]))
                    data_.erase(known);
            }
        });
    });
}

void TListView::Clear()
{
    WithFlag(quiet_, [&] { SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0); });
}

int TListView::Count() const { return static_cast<int>(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0)); }

void TListView::Delete(int index) { SendMessageW(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0); }

int TListView::SelCount() const { return static_cast<int>(SendMessageW(Handle(), LVM_GETSELECTEDCOUNT, 0, 0)); }

int TListView::NextSelected(int from) const
{
    return static_cast<int>(
        SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(from - 1), MAKELPARAM(LVNI_SELECTED, 0)));
}

bool TListView::IsSelected(int index) const
{
    return (SendMessageW(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::SetSelected(int index, bool selected)
{
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void* TListView::Data(int index) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (index < 0 || !SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<void*>(item.lParam);
}

int TListView::FindData(const void* data) const
{
    if (data_.find(data) == data_.end())
        return -1;
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(data);
    return static_cast<int>(SendMessageW(Handle(), LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int TListView::ImageIndex(int index) const
{
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    if (index < 0 || !SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

String TListView::ItemCaption(int index) const
{
    std::wstring text(MaxItemText, L'\0');
    LVITEMW item{};
    item.pszText = text.data();
    item.cchTextMax = MaxItemText;
    const auto length =
        SendMessageW(Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return FromW(text);
}

void TListView::SetItemCaption(int index, StringView caption)
{
    std::wstring wide = ToW(caption);
    LVITEMW item{};
    item.pszText = wide.data();
    SendMessageW(Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    FitColumn();
}

int TListView::ItemAtPoint(int x, int y) const
{
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    const auto index = static_cast<int>(SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? index : -1;
}

void TListView::FitColumn() { SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE); }

bool TListView::WMNotify(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if (!quiet_ && OnSelectItem && (change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
            OnSelectItem(change.iItem, (change.uNewState & LVIS_SELECTED) != 0);
        result = 0;
        return true;
    }
    case LVN_DELETEITEM: {
        auto it = data_.find(reinterpret_cast<const void*>(reinterpret_cast<NMLISTVIEW&>(header).lParam));
        if (it != data_.end())
            data_.erase(it);
        result = 0;
        return true;
    }
    case LVN_DELETEALLITEMS:
        data_.clear();
        // No notice per item follows: thousands of them made refilling the list slower.
        result = TRUE;
        return true;
    case NM_DBLCLK:
        if (OnDblClick)
            OnDblClick();
        result = 0;
        return true;
    case LVN_BEGINDRAG:
        StartDrag();
        result = 0;
        return true;
    default:
        return false;
    }
}

void TListView::DoDragOver(TDragControl* source, int x, int y, TDragState state, bool& accept)
{
    if (OnDragOver)
        OnDragOver(source, x, y, state, accept);
}

void TListView::DoDragDrop(TDragControl* source, int x, int y)
{
    dropTarget_ = ItemAtPoint(x, y);
    const ScopeExit clear([this] { dropTarget_ = -1; });
    if (OnDragDrop)
        OnDragDrop(source, x, y);
}
