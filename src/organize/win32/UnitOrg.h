// The Organize window: the menus and folders of the snippet tree on the left, the messages and
// folders of the selected one on the right, a column of commands that never take the focus, and
// moves by drag and drop. Every change goes to the snippet tree at once; the window's tree and
// list only point at its nodes, and drop any item whose node is deleted, whoever deletes it.
#pragma once

#include <memory>

#include "core/NodeWatch.h"
#include "organize/FileDialogs.h"
#include "organize/OrgRules.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/ComCtrls.h"
#include "ui/Dialog.h"
#include "ui/ExtCtrls.h"
#include "ui/ImageList.h"
#include "ui/Timer.h"

class TFmOrg : public TDialogForm, public TLanguageWindow, private TNodeWatcher {
public:
    TFmOrg();

    static constexpr int LayoutWidth = 678;
    static constexpr int LayoutHeight = 466;
    static constexpr int MinFormWidth = 520;
    static constexpr int MinFormHeight = 420;
    static constexpr int TreeWidth = 160;
    static constexpr int SplitterWidth = 3;
    static constexpr int ButtonColumnWidth = 107;

    TImageList ImageList1;
    std::unique_ptr<TTreeView> TreeView1;
    std::unique_ptr<TSplitter> Splitter1;
    std::unique_ptr<TListView> ListView1;
    // Window-less, owned by the form.
    TSpeedButton* SBtnNewMenu = nullptr;
    TSpeedButton* SBtnNewFolder = nullptr;
    TSpeedButton* SBtnNewMessage = nullptr;
    TSpeedButton* SBtnRename = nullptr;
    TSpeedButton* SBtnEdit = nullptr;
    TSpeedButton* SBtnDelete = nullptr;
    TSpeedButton* SBtnSort = nullptr;
    TSpeedButton* SBtnImport = nullptr;
    TSpeedButton* SBtnExport = nullptr;
    TSpeedButton* SBtnClose = nullptr;
    TTimer TimerTreeViewScroll;
    TTimer TimerListViewScroll;
    TTimer TimerOpen;
    // OpenDialog1 and SaveDialog1: the system's file dialogs; in-process tests answer in their place.
    std::unique_ptr<IFileDialogs> FileDialogs;

    String DeleteItemsMsg = u"Are you sure you want to delete these items?";
    String DeleteMessageMsg = u"Are you sure you want to delete this message?";
    String DeleteFolderMsg = u"Are you sure you want to delete this folder?";

    // Builds the tree from the snippet tree and selects and expands the item of node (none for
    // nullptr or a node without an item).
    void LoadTreeNodeFromMenuData(const TTreeNode* node);
    // Adds below mirror the items of node's folders, recursively.
    void LoadTreeDirNodeData(TTreeNode* node, HTREEITEM mirror);
    // The tree item that stands for node; nullptr for none.
    HTREEITEM FindOrgTreeNode(const TTreeNode* node) const;
    // The snippet-tree node of a tree item or a list item.
    TTreeNode* TreeNodeOf(HTREEITEM item) const;
    TTreeNode* ListNodeOf(int index) const;

    void TreeView1Change(HTREEITEM item);
    void TreeView1Enter();
    void TreeView1KeyUp(unsigned key);
    void ListView1SelectItem(int index, bool selected);
    void ListView1Enter();
    void ListView1KeyUp(unsigned key);
    void ListView1DblClick();
    void MnNewMenuClick();
    void MnNewFolderClick();
    void MnNewMessageClick();
    void BtnRenameClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnSortClick();
    void SBtnImportClick();
    void SBtnExportClick();
    void SBtnCloseClick();

    void TreeView1DragOver(TDragControl* source, int x, int y, TDragState state, bool& accept);
    void TreeView1DragDrop(TDragControl* source);
    void TreeView1EndDrag();
    void ListView1DragOver(TDragControl* source, int x, int y, TDragState state, bool& accept);
    void ListView1DragDrop();
    void ListView1EndDrag();
    void TimerOpenTimer();
    void TimerTreeViewScrollTimer();
    void TimerListViewScrollTimer();

    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Resized() override;

private:
    void FormCreate();
    void DeletionBegins(TTreeNode& top) override;
    void NodeDeleted(TTreeNode& node) override;
    void DeletionEnded() override;
    // Takes the items of node and of all it holds out of the tree and the list.
    void DropItemsOf(TTreeNode& node);
    // Changes of many items in the tree and the list, painted once at the end; the list follows
    // the tree's selection only after it. Batches nest; a control stops painting at its first
    // change in a batch, so one that does not change is not painted again.
    class TViewsBatch {
    public:
        explicit TViewsBatch(TFmOrg& org);
        ~TViewsBatch();
        TViewsBatch(const TViewsBatch&) = delete;
        TViewsBatch& operator=(const TViewsBatch&) = delete;

    private:
        TFmOrg& org_;
    };
    TTreeView& ChangingTree();
    TListView& ChangingList();
    // After a batch: the list shows the items of the node the tree selected meanwhile.
    void ShowPendingChange();
    HTREEITEM AddMirror(HTREEITEM parent, TTreeNode* node);
    // The items below item made again from its node's folders; the sub-branches start collapsed.
    void RebuildBranch(HTREEITEM item);
    // Selects item, expands it and lists its node's items.
    void SelectAndShow(HTREEITEM item);
    bool IsProtected(HTREEITEM item) const;
    void SetButtonStates(const TOrgButtonStates& states);
    TOrgDragSource SourceKind(const TDragControl* source) const;
    // Moves what source drags into destination, whose tree item is target, and shows target.
    void DropOnTree(TDragControl* source, HTREEITEM target, TTreeNode* destination);
    void BringToFront();
    void SplitterMoved(int x);
    void SaveForSessionEnd();
    // A scroll tick: one line up or down while the pointer is above or below control.
    static void ScrollTowardsPointer(HWND control);

    int treeWidth_ = TreeWidth;
    int batches_ = 0;            // batches under way
    bool treeUpdating_ = false;  // the tree is not painted until the batch ends
    bool listUpdating_ = false;
    bool changePending_ = false; // the tree's selection changed during a batch
    std::unique_ptr<TViewsBatch> deletion_; // the batch of a deletion of the snippet tree
    const TTreeNode* listed_ = nullptr; // the node whose items the list shows
};
