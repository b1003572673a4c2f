// The snippet tree: an ordered tree of nodes with parent links, every menu, folder, message and
// fixed row of the program. Node-added and node-deleted handling run for every node that enters
// or leaves the tree, whoever adds or deletes it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/Text.h"

class TTreeNodes;

// The deepest level a node may stand at (the root stands at 0): deeper than any menu anyone builds
// by hand, and shallow enough that walking the tree never exhausts the stack. The data file's
// reader refuses deeper records, so no change of the tree may build them.
constexpr int MaxNodeLevel = 1000;

// A move that would nest a node deeper than MaxNodeLevel.
class ETreeDepthError : public EAppError {
public:
    ETreeDepthError();
};

class TTreeNode {
public:
    String Text;                  // name; "-" for separators
    std::optional<String> Data;   // owned content; none for menus, folders and fixed rows
    int ImageIndex = 0;           // node kind
    int StateIndex = 0;           // hotkey value, 0 for none
    int ExpandedImageIndex = 0;   // reserved, kept as read
    int SelectedIndex = -1;
    int OverlayIndex = 0;
    bool Enabled = true;          // the hotkey is registered with the system now

    TTreeNode* Parent() const { return parent_; }
    int Level() const;
    int Index() const;
    // How many levels the subtree reaches below the node: 0 without children.
    int Height() const;
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int i) const { return children_.at(static_cast<size_t>(i)).get(); }
    bool HasChildren() const { return !children_.empty(); }
    TTreeNodes& Owner() const { return *owner_; }

    // Content as writers see it: none and empty are the same.
    StringView Content() const { return Data ? StringView(*Data) : StringView(); }
    // The node belongs to a deletion under way: it is still in the tree while the deletion's
    // nodes are told of one by one, and freed once all of them are.
    bool Leaving() const { return leaving_; }

private:
    friend class TTreeNodes;
    TTreeNodes* owner_ = nullptr;
    TTreeNode* parent_ = nullptr;
    bool leaving_ = false;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

class TTreeNodes {
public:
    using NodeHandler = std::function<void(TTreeNode&)>;

    TTreeNodes();
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // Runs for every node that leaves the tree, children before their parents.
    NodeHandler OnDeletion;
    // Run around each deletion, so that those who show the nodes can change in one batch:
    // OnDeletionBegin before any node of it leaves, once for each node whose subtree goes (the
    // tops); OnDeletionEnd once after the last of them is freed. A deletion started while another
    // runs belongs to the outer one.
    NodeHandler OnDeletionBegin;
    std::function<void()> OnDeletionEnd;

    // Appends a new node as the last child of parent (a level-0 node for nullptr).
    TTreeNode* AddChild(TTreeNode* parent, String text);
    // Whether node, moved with its subtree to stand at level, keeps every node within MaxNodeLevel.
    static bool FitsAtLevel(const TTreeNode* node, int level);
    // Moves node (with its subtree) before the sibling target; node must not contain target.
    // Throws ETreeDepthError, changing nothing, when the subtree would reach below MaxNodeLevel.
    void MoveBefore(TTreeNode* node, TTreeNode* target);
    // Moves node (with its subtree) to be the last child of parent; parent must not lie in node.
    // Throws ETreeDepthError, changing nothing, when the subtree would reach below MaxNodeLevel.
    void MoveToLastChild(TTreeNode* node, TTreeNode* parent);
    // Deletes node with all its descendants.
    void Delete(TTreeNode* node);
    // Deletes, with their descendants, the children of parent from index `from` on that doomed
    // picks; doomed is asked once per child, in order. One pass over the siblings however many go.
    void DeleteChildrenIf(TTreeNode* parent, int from, const std::function<bool(const TTreeNode&)>& doomed);
    void Clear();

    // Every node by its absolute position in pre-order; nullptr past the end.
    TTreeNode* GetNodeFromIndex(int index) const;
    int AbsoluteIndex(const TTreeNode* node) const;
    int Count() const;
    // Visits every node in pre-order with its absolute index, in one pass; stops when visit
    // returns true.
    void ForEachNode(const std::function<bool(TTreeNode& node, int index)>& visit) const;

private:
    friend class TTreeNode;
    const std::vector<std::unique_ptr<TTreeNode>>& TopNodes() const { return top_.children_; }
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* node);
    // Takes node out of its siblings to move it into the children of destination (nullptr: the
    // level-0 nodes), which must not lie inside it, where it will stand at level.
    std::unique_ptr<TTreeNode> Detach(TTreeNode* node, const TTreeNode* destination, int level);
    void NotifyDeletion(TTreeNode& node);
    static void MarkLeaving(TTreeNode& node);
    // Deletes the subtrees of tops (siblings, in order): tells of them, runs the handlers for
    // every node, then removes them through remove.
    void DeleteSubtrees(const std::vector<TTreeNode*>& tops, const std::function<void()>& remove);

    int deleting_ = 0; // nested deletions under way

    TTreeNode top_; // holds the level-0 nodes; not a node of the tree itself
};
