// The system's tree view and list view inside a form. Their notifications reach their objects
// through WMNotify; both can begin drags of the program's drag and drop and take drops, so a drag
// may go from one to the other or to any window-less control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "ui/DragDrop.h"
#include "ui/StdControls.h"

using TControlDragOverEvent =
    std::function<void(TDragControl* source, int x, int y, TDragState state, bool& accept)>;
using TControlDragDropEvent = std::function<void(TDragControl* source, int x, int y)>;

// A system control that reports its focus and released keys and takes part in drags.
class TDragStdControl : public TStdControl, public TDragControl {
public:
    TDragStdControl(TWinControl& parent, const wchar_t* className, DWORD style, DWORD exStyle, RECT bounds);

    void SetFont(HFONT font);

    // Changes between these are not painted: the outermost end paints the control once, its
    // scroll bars with the rest. They nest.
    void BeginUpdate();
    void EndUpdate();
    // Runs changes in one update.
    void Batch(const std::function<void()>& changes);

    // The control got the keyboard focus.
    std::function<void()> OnEnter;
    // A key was released in the control.
    std::function<void(unsigned key)> OnKeyUp;
    // Without OnDragOver the control refuses every drop.
    TControlDragOverEvent OnDragOver;
    TControlDragDropEvent OnDragDrop;
    // A drag that began on this control ended, by a drop or not.
    std::function<void()> OnEndDrag;

    bool AcceptsDrags() const override { return static_cast<bool>(OnDragOver); }

protected:
    // Starts a drag of this control's selection; the press that began it belongs to the drag.
    void StartDrag();
    // The system's own handling of WM_SETFOCUS.
    virtual LRESULT TakeFocus(WPARAM wParam, LPARAM lParam);
    LRESULT HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Lets a drag that outlives the control know it is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    int updates_ = 0;
    bool shownBeforeUpdate_ = false;
};

// A read-only tree view with its lines and buttons; items carry a pointer of their own.
class TTreeView : public TDragStdControl {
public:
    TTreeView(TWinControl& parent, RECT bounds);

    void SetImages(HIMAGELIST images);
    void SetIndent(int indent);

    // Adds an item as the last child of parent (a top-level item for nullptr).
    HTREEITEM Add(HTREEITEM parent, StringView text, int imageIndex, int selectedIndex, void* data);
    // Deletes item with its subtree.
    void Delete(HTREEITEM item);
    void DeleteChildren(HTREEITEM item);
    void Clear();
    int Count() const;

    HTREEITEM Selected() const;
    // Selects item (nullptr: none); the change is reported as the user's would be.
    void Select(HTREEITEM item);
    // Shows the children of item, one level.
    void Expand(HTREEITEM item);
    bool Expanded(HTREEITEM item) const;

    HTREEITEM FirstTop() const;
    HTREEITEM Parent(HTREEITEM item) const;
    HTREEITEM FirstChild(HTREEITEM item) const;
    HTREEITEM NextSibling(HTREEITEM item) const;
    // The item after item in absolute-index order (pre-order over the whole tree).
    HTREEITEM Next(HTREEITEM item) const;
    HTREEITEM ItemAt(int absoluteIndex) const;
    int AbsoluteIndex(HTREEITEM item) const;
    bool IsInside(HTREEITEM item, HTREEITEM ancestor) const;

    void* Data(HTREEITEM item) const;
    // The item that carries data (each item's pointer is its own); nullptr for none.
    HTREEITEM FindData(const void* data) const;
    String ItemText(HTREEITEM item) const;
    void SetItemText(HTREEITEM item, StringView text);
    // The item whose row lies under a client point; nullptr for none.
    HTREEITEM ItemAtPoint(int x, int y) const;
    // The item under the pointer at the drop, while OnDragDrop runs.
    HTREEITEM DropTarget() const { return dropTarget_; }

    // Moves item with its subtree to be the last child of parent, keeping texts, pointers and
    // expanded states, and returns its new handle; nullptr when parent is item or lies in it
    // (nothing moves then). The change of selection this may cause is not reported.
    HTREEITEM MoveToLastChild(HTREEITEM item, HTREEITEM parent);
    // Orders the children of parent (the top level for nullptr) by rank of their pointers.
    void SortChildren(HTREEITEM parent, const std::function<int(void* data)>& rank);

    // The selected item changed (nullptr: none is selected).
    std::function<void(HTREEITEM)> OnChange;

    bool WMNotify(NMHDR& header, LRESULT& result) override;
    void DoDragOver(TDragControl* source, int x, int y, TDragState state, bool& accept) override;
    void DoDragDrop(TDragControl* source, int x, int y) override;

protected:
    // Without a selection the tree stays without one when it gets the focus.
    LRESULT TakeFocus(WPARAM wParam, LPARAM lParam) override;

private:
    HTREEITEM Copy(HTREEITEM item, HTREEITEM parent);

    bool quiet_ = false; // selection changes made inside are not reported
    HTREEITEM dropTarget_ = nullptr;
    std::unordered_map<const void*, HTREEITEM> byData_;
};

// A list view in report style with one column, no header and several items selectable at once;
// items carry a pointer of their own.
class TListView : public TDragStdControl {
public:
    TListView(TWinControl& parent, RECT bounds);

    void SetSmallImages(HIMAGELIST images);

    // Fills the list at once; nothing of it is reported as a selection change.
    void Assign(const std::function<void(const std::function<void(StringView caption, int imageIndex, void* data)>&)>&
                    fill);
    void Clear();
    int Count() const;
    void Delete(int index);

    int SelCount() const;
    // The first selected item at or after from; -1 for none.
    int NextSelected(int from = 0) const;
    bool IsSelected(int index) const;
    void SetSelected(int index, bool selected);

    void* Data(int index) const;
    // The first item that carries data; -1 for none.
    int FindData(const void* data) const;
    int ImageIndex(int index) const;
    String ItemCaption(int index) const;
    void SetItemCaption(int index, StringView caption);
    // The item under a client point; -1 for none.
    int ItemAtPoint(int x, int y) const;
    // The item under the pointer at the drop, while OnDragDrop runs.
    int DropTarget() const { return dropTarget_; }
    // The column as wide as its widest caption.
    void FitColumn();

    // An item became selected or deselected (index -1: all at once).
    std::function<void(int index, bool selected)> OnSelectItem;
    std::function<void()> OnDblClick;

    bool WMNotify(NMHDR& header, LRESULT& result) override;
    void DoDragOver(TDragControl* source, int x, int y, TDragState state, bool& accept) override;
    void DoDragDrop(TDragControl* source, int x, int y) override;

private:
    bool quiet_ = false;
    int dropTarget_ = -1;
    // The pointers the items carry: looking for one that no item carries costs no search.
    std::unordered_multiset<const void*> data_;
};
