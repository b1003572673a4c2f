#include "organize/win32/UnitOrg.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/SharedRoutines.h"
#include "core/TreeRoutines.h"
#include "organize/ImportExport.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/Win32FileDialogs.h"
#include "organize/win32/UnitRename.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/Font.h"

namespace {
// Yes and No, warning icon, No the default button.
constexpr int DeleteQuestionFlags = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr int MinPaneWidth = 30;

// The column of commands from the top: each button with the empty space below it.
struct TButtonSlot {
    TSpeedButton* TFmOrg::*Button;
    const char16_t* Caption;
    int SpaceBelow;
};
constexpr TButtonSlot ButtonSlots[] = {
    {&TFmOrg::SBtnNewMenu, u"New Menu...", 8},   {&TFmOrg::SBtnNewFolder, u"New Folder...", 8},
    {&TFmOrg::SBtnNewMessage, u"New Message...", 20}, {&TFmOrg::SBtnRename, u"Rename", 8},
    {&TFmOrg::SBtnEdit, u"Edit...", 8},          {&TFmOrg::SBtnDelete, u"Delete", 8},
    {&TFmOrg::SBtnSort, u"Sort", 20},            {&TFmOrg::SBtnImport, u"Import...", 8},
    {&TFmOrg::SBtnExport, u"Export...", 20},     {&TFmOrg::SBtnClose, u"Close", 0},
};
} // namespace

TFmOrg::TFmOrg() : TDialogForm(u"TFmOrg", TBorder::Sizeable) {}

void TFmOrg::CreateControls()
{
    SetCaption(u"Organize");
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);
    MinWidth = MinFormWidth;
    MinHeight = MinFormHeight;
    CancelOnEscape = false;

    ImageList1.LoadStrip(Application->Instance(), IDB_ROWICONS, 16, 16, RGB(255, 0, 255));

    TreeView1 = std::make_unique<TTreeView>(*this, RECT{});
    TreeView1->SetImages(ImageList1.Handle());
    TreeView1->SetIndent(19);
    TreeView1->OnChange = [this](HTREEITEM item) {
        if (batches_ > 0)
            changePending_ = true;
        else
            TreeView1Change(item);
    };
    TreeView1->OnEnter = [this] { TreeView1Enter(); };
    TreeView1->OnKeyUp = [this](unsigned key) { TreeView1KeyUp(key); };
    TreeView1->OnDragOver = [this](TDragControl* source, int x, int y, TDragState state, bool& accept) {
        TreeView1DragOver(source, x, y, state, accept);
    };
    TreeView1->OnDragDrop = [this](TDragControl* source, int, int) { TreeView1DragDrop(source); };
    TreeView1->OnEndDrag = [this] { TreeView1EndDrag(); };

    Splitter1 = MakeWindow<TSplitter>(*this);
    Splitter1->OnMoved = [this](int x) { SplitterMoved(x); };

    ListView1 = std::make_unique<TListView>(*this, RECT{});
    ListView1->SetSmallImages(ImageList1.Handle());
    ListView1->OnSelectItem = [this](int index, bool selected) { ListView1SelectItem(index, selected); };
    ListView1->OnEnter = [this] { ListView1Enter(); };
    ListView1->OnKeyUp = [this](unsigned key) { ListView1KeyUp(key); };
    ListView1->OnDblClick = [this] { ListView1DblClick(); };
    ListView1->OnDragOver = [this](TDragControl* source, int x, int y, TDragState state, bool& accept) {
        ListView1DragOver(source, x, y, state, accept);
    };
    ListView1->OnDragDrop = [this](TDragControl*, int, int) { ListView1DragDrop(); };
    ListView1->OnEndDrag = [this] { ListView1EndDrag(); };

    for (const TButtonSlot& slot : ButtonSlots)
        this->*slot.Button = &AddControl<TSpeedButton>(String(slot.Caption));
    SBtnRename->SetEnabled(false);
    SBtnEdit->SetEnabled(false);
    SBtnDelete->SetEnabled(false);
    SBtnNewMenu->OnClick = [this] { MnNewMenuClick(); };
    SBtnNewFolder->OnClick = [this] { MnNewFolderClick(); };
    SBtnNewMessage->OnClick = [this] { MnNewMessageClick(); };
    SBtnRename->OnClick = [this] { BtnRenameClick(); };
    SBtnEdit->OnClick = [this] { BtnEditClick(); };
    SBtnDelete->OnClick = [this] { BtnDeleteClick(); };
    SBtnSort->OnClick = [this] { BtnSortClick(); };
    SBtnImport->OnClick = [this] { SBtnImportClick(); };
    SBtnExport->OnClick = [this] { SBtnExportClick(); };
    SBtnClose->OnClick = [this] { SBtnCloseClick(); };

    TimerTreeViewScroll.SetInterval(100);
    TimerTreeViewScroll.OnTimer = [this] { TimerTreeViewScrollTimer(); };
    TimerListViewScroll.SetInterval(80);
    TimerListViewScroll.OnTimer = [this] { TimerListViewScrollTimer(); };
    TimerOpen.SetInterval(1000);
    TimerOpen.OnTimer = [this] { TimerOpenTimer(); };

    FileDialogs = std::make_unique<TWin32FileDialogs>(Handle());

    CenterOnScreen();
    FormCreate();
}

void TFmOrg::FormCreate()
{
    if (MenuFont) {
        TreeView1->SetFont(MenuFont->Get());
        ListView1->SetFont(MenuFont->Get());
    }
}

void TFmOrg::Resized()
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    const int buttonsLeft = width - FormBorderWidth - ButtonColumnWidth;
    const int listRight = buttonsLeft - FormBorderWidth;
    treeWidth_ = std::max(MinPaneWidth,
                          std::min(treeWidth_, listRight - FormBorderWidth - SplitterWidth - MinPaneWidth));
    const int paneHeight = std::max(0, height - 2 * FormBorderWidth);
    int x = FormBorderWidth;
    TreeView1->SetBounds({x, FormBorderWidth, x + treeWidth_, FormBorderWidth + paneHeight});
    x += treeWidth_;
    SetWindowPos(Splitter1->Handle(), nullptr, x, FormBorderWidth, SplitterWidth, paneHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    x += SplitterWidth;
    ListView1->SetBounds({x, FormBorderWidth, std::max(x, listRight), FormBorderWidth + paneHeight});
    int y = FormBorderWidth;
    for (const TButtonSlot& slot : ButtonSlots) {
        (this->*slot.Button)->SetBounds(buttonsLeft, y, ButtonColumnWidth, ButtonHeight);
        y += ButtonHeight + slot.SpaceBelow;
    }
}

void TFmOrg::SplitterMoved(int x)
{
    treeWidth_ = x - FormBorderWidth;
    Resized();
}

LRESULT TFmOrg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_QUERYENDSESSION:
        SaveForSessionEnd();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            SaveForSessionEnd();
        return 0;
    default:
        break;
    }
    return TDialogForm::WndProc(msg, wParam, lParam);
}

void TFmOrg::SaveForSessionEnd()
{
    // A log-off ends the program without closing this window: what was changed here is kept.
    Guarded([] { SaveDataFile(RootNode->Owner(), RootNode); });
}

void TFmOrg::BringToFront() { SetForegroundWindow(Handle()); }

// ----- the tree and the list ------------------------------------------------------------------

HTREEITEM TFmOrg::AddMirror(HTREEITEM parent, TTreeNode* node)
{
    return TreeView1->Add(parent, node->Text, nkFolder, FolderOpenImageIndex, node);
}

void TFmOrg::LoadTreeNodeFromMenuData(const TTreeNode* node)
{
    TreeView1->Clear();
    for (TTreeNode* menu : OrgMenus(*RootNode))
        LoadTreeDirNodeData(menu, AddMirror(nullptr, menu));
    if (HTREEITEM item = FindOrgTreeNode(node)) {
        TreeView1->Select(item);
        TreeView1->Expand(item);
    }
}

void TFmOrg::LoadTreeDirNodeData(TTreeNode* node, HTREEITEM mirror)
{
    for (TTreeNode* folder : MirroredChildren(*node)) {
        HTREEITEM item = AddMirror(mirror, folder);
        if (folder->HasChildren())
            LoadTreeDirNodeData(folder, item);
    }
}

HTREEITEM TFmOrg::FindOrgTreeNode(const TTreeNode* node) const { return node ? TreeView1->FindData(node) : nullptr; }

TTreeNode* TFmOrg::TreeNodeOf(HTREEITEM item) const
{
    return item ? static_cast<TTreeNode*>(TreeView1->Data(item)) : nullptr;
}

TTreeNode* TFmOrg::ListNodeOf(int index) const
{
    return index >= 0 ? static_cast<TTreeNode*>(ListView1->Data(index)) : nullptr;
}

bool TFmOrg::IsProtected(HTREEITEM item) const
{
    const bool topLevel = TreeView1->Parent(item) == nullptr;
    int index = 0;
    if (topLevel)
        for (HTREEITEM at = TreeView1->FirstTop(); at && at != item; at = TreeView1->NextSibling(at))
            ++index;
    return IsProtectedTreeNode(topLevel, index);
}

void TFmOrg::SetButtonStates(const TOrgButtonStates& states)
{
    SBtnRename->SetEnabled(states.Rename);
    SBtnEdit->SetEnabled(states.Edit);
    SBtnDelete->SetEnabled(states.Delete);
    SBtnExport->SetEnabled(states.Export);
}

TFmOrg::TViewsBatch::TViewsBatch(TFmOrg& org) : org_(org) { ++org_.batches_; }

TFmOrg::TViewsBatch::~TViewsBatch()
{
    if (--org_.batches_ > 0)
        return;
    if (std::exchange(org_.treeUpdating_, false))
        org_.TreeView1->EndUpdate();
    if (std::exchange(org_.listUpdating_, false))
        org_.ListView1->EndUpdate();
}

TTreeView& TFmOrg::ChangingTree()
{
    if (batches_ > 0 && !std::exchange(treeUpdating_, true))
        TreeView1->BeginUpdate();
    return *TreeView1;
}

TListView& TFmOrg::ChangingList()
{
    if (batches_ > 0 && !std::exchange(listUpdating_, true))
        ListView1->BeginUpdate();
    return *ListView1;
}

void TFmOrg::ShowPendingChange()
{
    if (changePending_ && batches_ == 0)
        TreeView1Change(TreeView1->Selected());
}

void TFmOrg::DeletionBegins(TTreeNode& top)
{
    // Before any node of the branch goes, its items go at once, instead of an item for each node
    // with the scroll bars drawn each time.
    if (!deletion_)
        deletion_ = std::make_unique<TViewsBatch>(*this);
    DropItemsOf(top);
}

void TFmOrg::NodeDeleted(TTreeNode& node)
{
    // Called for each node leaving the tree, children first, while the tree is still whole. Its
    // items went with its branch as the deletion began, so this finds nothing, and only looks in
    // the item tables, never through the controls.
    DropItemsOf(node);
}

void TFmOrg::DropItemsOf(TTreeNode& node)
{
    // The list is emptied when it shows the node or what lies inside it; the node's tree item
    // goes with all its children.
    if (listed_ && (listed_ == &node || IsNodeInside(listed_, &node))) {
        ChangingList().Clear();
        listed_ = nullptr;
    } else if (const int index = ListView1->FindData(&node); index >= 0) {
        ChangingList().Delete(index);
    }
    if (IsMirrored(node))
        if (HTREEITEM item = FindOrgTreeNode(&node))
            ChangingTree().Delete(item);
}

void TFmOrg::DeletionEnded()
{
    // The nodes are freed: the list may show the tree's new selection.
    deletion_.reset();
    ShowPendingChange();
}

void TFmOrg::RebuildBranch(HTREEITEM item)
{
    ChangingTree().DeleteChildren(item);
    LoadTreeDirNodeData(TreeNodeOf(item), item);
}

void TFmOrg::TreeView1Change(HTREEITEM item)
{
    changePending_ = false;
    TTreeNode* node = TreeNodeOf(item);
    if (!node)
        return;
    SetButtonStates(TreeStates(true, IsProtected(item)));
    ListView1->Assign([&](const auto& add) {
        for (TTreeNode* child : ListedChildren(*node))
            add(child->Text, child->ImageIndex, child);
    });
    listed_ = node;
}

void TFmOrg::TreeView1Enter()
{
    HTREEITEM item = TreeView1->Selected();
    SetButtonStates(TreeStates(item != nullptr, item && IsProtected(item)));
}

void TFmOrg::TreeView1KeyUp(unsigned key)
{
    if (key == VK_DELETE && TreeView1->Selected() && SBtnDelete->Enabled())
        SBtnDelete->Click();
}

void TFmOrg::ListView1SelectItem(int index, bool selected)
{
    const int item = index >= 0 ? index : ListView1->NextSelected();
    SetButtonStates(ListSelectStates(selected, ListView1->ImageIndex(item), ListView1->SelCount()));
}

void TFmOrg::ListView1Enter()
{
    const int first = ListView1->NextSelected();
    SetButtonStates(ListEnterStates(first >= 0 ? ListView1->ImageIndex(first) : -1, ListView1->SelCount()));
}

void TFmOrg::ListView1KeyUp(unsigned key)
{
    if (key == VK_DELETE && ListView1->SelCount() > 0 && SBtnDelete->Enabled())
        SBtnDelete->Click();
}

void TFmOrg::ListView1DblClick()
{
    const int index = ListView1->NextSelected();
    if (index < 0)
        return;
    const int kind = ListView1->ImageIndex(index);
    if (kind == nkMessage) {
        SBtnEdit->Click();
    } else if (kind == nkFolder) {
        if (HTREEITEM item = FindOrgTreeNode(ListNodeOf(index))) {
            TreeView1->Select(item);
            TreeView1->Expand(item);
        }
    }
}

// ----- the commands ---------------------------------------------------------------------------

void TFmOrg::MnNewMenuClick()
{
    if (TTreeNode* node = NewMenu()) {
        HTREEITEM item = AddMirror(nullptr, node);
        SelectAndShow(item);
    }
    BringToFront();
}

void TFmOrg::MnNewFolderClick()
{
    TNodeRef parent(TreeNodeOf(TreeView1->Selected()));
    if (!parent)
        return;
    TTreeNode* node = NewFolder(parent.Get());
    // The parent's item is looked up again: a deletion may have taken it while the dialog was open.
    HTREEITEM parentItem = FindOrgTreeNode(parent.Get());
    if (node && parentItem)
        SelectAndShow(AddMirror(parentItem, node));
    BringToFront();
}

void TFmOrg::SelectAndShow(HTREEITEM item)
{
    const bool shownAlready = TreeView1->Selected() == item;
    TreeView1->Select(item);
    TreeView1->Expand(item);
    if (shownAlready)
        TreeView1Change(item);
}

void TFmOrg::MnNewMessageClick()
{
    TTreeNode* folder = TreeNodeOf(TreeView1->Selected());
    if (!folder)
        return;
    NewMessage(folder);
    TreeView1Change(TreeView1->Selected());
    BringToFront();
}

void TFmOrg::BtnRenameClick()
{
    if (ListView1->Focused()) {
        TNodeRef node(ListNodeOf(ListView1->NextSelected()));
        if (node) {
            RenameNode(node.Get());
            // Found again by node: the list may have changed while the dialog was open.
            if (node) {
                const int index = ListView1->FindData(node.Get());
                if (index >= 0)
                    ListView1->SetItemCaption(index, node->Text);
                if (node->ImageIndex == nkFolder)
                    if (HTREEITEM item = FindOrgTreeNode(node.Get()))
                        TreeView1->SetItemText(item, node->Text);
            }
        }
    } else if (TreeView1->Focused() && TreeView1->Selected()) {
        TNodeRef node(TreeNodeOf(TreeView1->Selected()));
        RenameNode(node.Get());
        if (node)
            if (HTREEITEM item = FindOrgTreeNode(node.Get()))
                TreeView1->SetItemText(item, node->Text);
    }
    BringToFront();
}

void TFmOrg::BtnEditClick()
{
    if (ListView1->Focused() && ListView1->SelCount() == 1) {
        TNodeRef node(ListNodeOf(ListView1->NextSelected()));
        if (node && node->ImageIndex == nkMessage) {
            EditMessage(node.Get());
            if (node) {
                const int index = ListView1->FindData(node.Get());
                if (index >= 0)
                    ListView1->SetItemCaption(index, node->Text);
            } else {
                // A capture trimmed the entry while it was edited, and the editor stored the
                // text as the newest entry: the list shows it again.
                TreeView1Change(TreeView1->Selected());
            }
        }
    }
    BringToFront();
}

void TFmOrg::BtnDeleteClick()
{
    if (ListView1->Focused()) {
        const int count = ListView1->SelCount();
        const String* question = nullptr;
        if (count == 1) {
            const int kind = ListView1->ImageIndex(ListView1->NextSelected());
            if (kind == nkMessage)
                question = &DeleteMessageMsg;
            else if (kind == nkFolder)
                question = &DeleteFolderMsg;
        } else if (count > 1) {
            question = &DeleteItemsMsg;
        }
        if (!question)
            return;
        if (ShowMessageBox(*question, ProgramName, DeleteQuestionFlags) == IDYES) {
            // Taken after the question: its message loop may have let a capture delete nodes.
            std::vector<std::pair<int, TTreeNode*>> doomed;
            for (int i = ListView1->NextSelected(); i >= 0; i = ListView1->NextSelected(i + 1))
                if (TTreeNode* node = ListNodeOf(i))
                    doomed.emplace_back(i, node);
            // The last item first: the places of those still to go stay as they were.
            std::reverse(doomed.begin(), doomed.end());
            // One paint at the end: painting after each item makes a large deletion take seconds.
            // The items leave by their known places before their nodes go, which saves a search
            // of the list for each node; the tree's items of folders go as the nodes go.
            {
                TViewsBatch batch(*this);
                for (const auto& [index, node] : doomed)
                    ChangingList().Delete(index);
                for (const auto& [index, node] : doomed)
                    DeleteNodeTree(node);
            }
            ShowPendingChange();
        }
        BringToFront();
    } else if (TreeView1->Focused() && TreeView1->Selected()) {
        TNodeRef node(TreeNodeOf(TreeView1->Selected()));
        if (ShowMessageBox(PopupDeleteFolderMsg, ProgramName, DeleteQuestionFlags) == IDYES && node)
            DeleteNodeTree(node.Get());
        BringToFront();
    }
}

void TFmOrg::BtnSortClick()
{
    HTREEITEM item = TreeView1->Selected();
    TTreeNode* node = TreeNodeOf(item);
    if (!node)
        return;
    SortNodeChildren(node);
    // The folders' items take the folders' new order.
    TreeView1->SortChildren(item, [](void* data) { return static_cast<TTreeNode*>(data)->Index(); });
    TreeView1Change(item);
}

void TFmOrg::SBtnImportClick()
{
    TTreeNode* target = TreeNodeOf(TreeView1->Selected());
    if (!target)
        return;
    ImportFiles(*FileDialogs, target, [this, target] {
        // Found again by node: a deletion may have taken items while the dialog was open.
        HTREEITEM item = FindOrgTreeNode(target);
        if (!item)
            return;
        {
            TViewsBatch batch(*this);
            RebuildBranch(item);
            TreeView1->Expand(item);
            TreeView1Change(TreeView1->Selected());
        }
        ShowPendingChange();
    });
    BringToFront();
}

void TFmOrg::SBtnExportClick()
{
    TExportSource source;
    source.TreeNode = TreeNodeOf(TreeView1->Selected());
    if (ListView1->Focused()) {
        source.Focus = TOrgPane::List;
        for (int i = 0; i < ListView1->Count(); ++i)
            if (ListView1->IsSelected(i))
                if (const TTreeNode* node = ListNodeOf(i))
                    source.ListNodes.push_back(node);
    } else if (!source.TreeNode) {
        return;
    }
    ExportFiles(*FileDialogs, source);
    BringToFront();
}

void TFmOrg::SBtnCloseClick() { ModalResult = mrClose; }

// ----- drag and drop --------------------------------------------------------------------------

TOrgDragSource TFmOrg::SourceKind(const TDragControl* source) const
{
    if (source == TreeView1.get())
        return TOrgDragSource::Tree;
    if (source == ListView1.get())
        return TOrgDragSource::List;
    return TOrgDragSource::Other;
}

void TFmOrg::TreeView1DragOver(TDragControl* source, int x, int y, TDragState state, bool& accept)
{
    if (state == TDragState::dsDragEnter)
        TimerTreeViewScroll.SetEnabled(false);
    if (state == TDragState::dsDragLeave) {
        TimerTreeViewScroll.SetEnabled(true);
        return;
    }
    HTREEITEM under = TreeView1->ItemAtPoint(x, y);
    HTREEITEM selected = TreeView1->Selected();
    accept = TreeAcceptsDrop(SourceKind(source), under != nullptr, under && under == selected,
                             selected && !TreeView1->Parent(selected));
    if (under) {
        TimerOpen.Tag = TreeView1->AbsoluteIndex(under);
        TimerOpen.SetEnabled(true);
    }
}

void TFmOrg::TreeView1DragDrop(TDragControl* source)
{
    TimerTreeViewScroll.SetEnabled(false);
    HTREEITEM target = TreeView1->DropTarget();
    TTreeNode* destination = TreeNodeOf(target);
    if (!destination)
        return;
    {
        TViewsBatch batch(*this);
        DropOnTree(source, target, destination);
    }
    ShowPendingChange();
}

void TFmOrg::DropOnTree(TDragControl* source, HTREEITEM target, TTreeNode* destination)
{
    switch (SourceKind(source)) {
    case TOrgDragSource::List: {
        std::vector<TTreeNode*> dropped;
        for (int i = ListView1->NextSelected(); i >= 0; i = ListView1->NextSelected(i + 1)) {
            TTreeNode* node = ListNodeOf(i);
            if (!node)
                return;
            dropped.push_back(node);
        }
        // In list order, each to the end of the destination: they arrive in the same order. A
        // folder dropped into itself or its own subfolder stays where it is.
        for (TTreeNode* node : dropped) {
            if (!MoveNodeInto(node, destination) || node->ImageIndex != nkFolder)
                continue;
            if (HTREEITEM mirror = FindOrgTreeNode(node))
                ChangingTree().MoveToLastChild(mirror, target);
        }
        break;
    }
    case TOrgDragSource::Tree:
        if (HTREEITEM selected = TreeView1->Selected()) {
            TTreeNode* node = TreeNodeOf(selected);
            if (!node)
                return;
            if (MoveNodeInto(node, destination))
                ChangingTree().MoveToLastChild(selected, target);
        }
        break;
    case TOrgDragSource::Other:
        break;
    }
    SelectAndShow(target);
}

void TFmOrg::TreeView1EndDrag()
{
    TimerTreeViewScroll.SetEnabled(false);
    TimerListViewScroll.SetEnabled(false);
}

void TFmOrg::ListView1DragOver(TDragControl* source, int x, int y, TDragState state, bool& accept)
{
    if (state == TDragState::dsDragEnter)
        TimerListViewScroll.SetEnabled(false);
    if (state == TDragState::dsDragLeave) {
        TimerListViewScroll.SetEnabled(true);
        return;
    }
    const int under = ListView1->ItemAtPoint(x, y);
    accept = ListAcceptsDrop(SourceKind(source), under >= 0, ListView1->SelCount(),
                             under >= 0 && ListView1->IsSelected(under));
}

void TFmOrg::ListView1DragDrop()
{
    TimerListViewScroll.SetEnabled(false);
    TTreeNode* target = ListNodeOf(ListView1->DropTarget());
    TTreeNode* moved = ListNodeOf(ListView1->NextSelected());
    if (!target || !moved)
        return;
    MoveNodeBefore(moved, target);
    HTREEITEM selected = TreeView1->Selected();
    if (!TreeNodeOf(selected))
        return;
    {
        TViewsBatch batch(*this);
        RebuildBranch(selected);
        TreeView1Change(selected);
    }
    ShowPendingChange();
}

void TFmOrg::ListView1EndDrag() { TreeView1EndDrag(); }

void TFmOrg::TimerOpenTimer()
{
    TimerOpen.SetEnabled(false);
    // The index may name no item any more (a deletion since): then nothing opens.
    if (HTREEITEM item = TreeView1->ItemAt(TimerOpen.Tag))
        TreeView1->Expand(item);
}

void TFmOrg::ScrollTowardsPointer(HWND control)
{
    POINT origin{0, 0};
    ::ClientToScreen(control, &origin);
    RECT outer{};
    GetWindowRect(control, &outer);
    POINT p{};
    GetCursorPos(&p);
    if (p.x < origin.x || p.x >= origin.x + (outer.right - outer.left))
        return;
    if (p.y < origin.y)
        SendMessageW(control, WM_VSCROLL, SB_LINEUP, 0);
    else if (p.y > origin.y + (outer.bottom - outer.top))
        SendMessageW(control, WM_VSCROLL, SB_LINEDOWN, 0);
}

void TFmOrg::TimerTreeViewScrollTimer() { ScrollTowardsPointer(TreeView1->Handle()); }

void TFmOrg::TimerListViewScrollTimer() { ScrollTowardsPointer(ListView1->Handle()); }

void TFmOrg::ApplyLanguageTexts(TLanguageRun& run)
{
    run.Section(u"OrganizeWindow");
    SetCaption(run.Text(u"OrganizeWindow/Title/Organize", u"Organize"));
    SBtnNewMenu->SetCaption(run.Text(u"OrganizeWindow/Button/NewMenu", u"New Menu..."));
    SBtnNewFolder->SetCaption(run.Text(u"OrganizeWindow/Button/NewFolder", u"New Folder..."));
    SBtnNewMessage->SetCaption(run.Text(u"OrganizeWindow/Button/NewMessage", u"New Message..."));
    SBtnRename->SetCaption(run.Text(u"OrganizeWindow/Button/Rename", u"Rename"));
    SBtnEdit->SetCaption(run.Text(u"OrganizeWindow/Button/Edit", u"Edit..."));
    SBtnDelete->SetCaption(run.Text(u"OrganizeWindow/Button/Delete", u"Delete"));
    DeleteMessageMsg = run.Text(u"OrganizeWindow/Button/Delete/DeleteMessage",
                                         u"Are you sure you want to delete this message?");
    DeleteFolderMsg =
        run.Text(u"OrganizeWindow/Button/Delete/DeleteFolder", u"Are you sure you want to delete this folder?");
    DeleteItemsMsg =
        run.Text(u"OrganizeWindow/Button/Delete/DeleteItems", u"Are you sure you want to delete these items?");
    SBtnSort->SetCaption(run.Text(u"OrganizeWindow/Button/Sort", u"Sort"));
    SBtnImport->SetCaption(run.Text(u"OrganizeWindow/Button/Import", u"Import..."));
    SBtnExport->SetCaption(run.Text(u"OrganizeWindow/Button/Export", u"Export..."));
    SBtnClose->SetCaption(run.Text(u"OrganizeWindow/Button/Close", u"Close"));
}
