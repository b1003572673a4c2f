// The rules of the Organize window that need no window: which nodes its tree and list show,
// which commands a selection enables, which drops its panes take and how a drop moves nodes.
#pragma once

#include <vector>

#include "core/SnippetTree.h"

// The commands whose state follows the selection and the pane with the focus.
struct TOrgButtonStates {
    bool Rename = false;
    bool Edit = false;
    bool Delete = false;
    bool Export = false;
    bool operator==(const TOrgButtonStates&) const = default;
};

// The menus the tree shows: every child of root but the first (the program menu).
std::vector<TTreeNode*> OrgMenus(const TTreeNode& root);
// Whether a node gets a node of its own in the tree: folders do.
bool IsMirrored(const TTreeNode& node);
// The children that get a node of their own in the tree.
std::vector<TTreeNode*> MirroredChildren(const TTreeNode& node);
// The children the list shows: messages and folders, never fixed rows or other kinds.
std::vector<TTreeNode*> ListedChildren(const TTreeNode& node);

// Clipboards and Messages, the first two top-level nodes of the tree, are neither renamed nor deleted.
bool IsProtectedTreeNode(bool topLevel, int index);

// The tree's selection changed, or the tree got the focus: with a node or without one.
TOrgButtonStates TreeStates(bool hasNode, bool protectedNode);
// A list item of kind became selected or deselected; selectedCount counts after the change.
TOrgButtonStates ListSelectStates(bool selected, int kind, int selectedCount);
// The list got the focus; firstKind is the kind of its first selected item (none: -1).
TOrgButtonStates ListEnterStates(int firstKind, int selectedCount);

enum class TOrgDragSource { Tree, List, Other };
// A drag over the tree: overNode tells whether a node is under the pointer, overSelected whether
// it is the tree's selected node, selectedIsTopLevel whether that selected node is a menu.
bool TreeAcceptsDrop(TOrgDragSource source, bool overNode, bool overSelected, bool selectedIsTopLevel);
// A drag over the list: only one selected list item dropped on another item.
bool ListAcceptsDrop(TOrgDragSource source, bool overItem, int selectedCount, bool overSelected);

// Moves node with its subtree to the end of destination's children. A move into the node's own
// subtree, or one that would nest deeper than the tree allows, moves nothing: false then.
bool MoveNodeInto(TTreeNode* node, TTreeNode* destination);
// Moves node just before its sibling target; false when the tree refuses it (nothing moved).
bool MoveNodeBefore(TTreeNode* node, TTreeNode* target);
