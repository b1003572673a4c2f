#include "organize/OrgRules.h"

#include <stdexcept>

#include "core/NodeKinds.h"

namespace {
template <class Keep>
std::vector<TTreeNode*> ChildrenWhere(const TTreeNode& node, Keep keep)
{
    std::vector<TTreeNode*> children;
    for (int i = 0; i < node.Count(); ++i)
        if (keep(*node.Item(i)))
            children.push_back(node.Item(i));
    return children;
}
} // namespace

std::vector<TTreeNode*> OrgMenus(const TTreeNode& root)
{
    std::vector<TTreeNode*> menus;
    for (int i = 1; i < root.Count(); ++i)
        menus.push_back(root.Item(i));
    return menus;
}

bool IsMirrored(const TTreeNode& node) { return node.ImageIndex == nkFolder; }

std::vector<TTreeNode*> MirroredChildren(const TTreeNode& node)
{
    return ChildrenWhere(node, [](const TTreeNode& child) { return IsMirrored(child); });
}

std::vector<TTreeNode*> ListedChildren(const TTreeNode& node)
{
    return ChildrenWhere(node, [](const TTreeNode& child) {
        return child.ImageIndex == nkMessage || child.ImageIndex == nkFolder;
    });
}

bool IsProtectedTreeNode(bool topLevel, int index) { return topLevel && (index == 0 || index == 1); }

TOrgButtonStates TreeStates(bool hasNode, bool protectedNode)
{
    if (!hasNode)
        return {};
    return {!protectedNode, false, !protectedNode, true};
}

TOrgButtonStates ListSelectStates(bool selected, int kind, int selectedCount)
{
    if (!selected)
        return {};
    const bool listed = kind == nkMessage || kind == nkFolder;
    const bool one = selectedCount == 1;
    return {listed && one, kind == nkMessage && one, listed, true};
}

TOrgButtonStates ListEnterStates(int firstKind, int selectedCount)
{
    if (selectedCount <= 0)
        return {};
    const bool listed = firstKind == nkMessage || firstKind == nkFolder;
    return {listed, firstKind == nkMessage && selectedCount == 1, listed, true};
}

bool TreeAcceptsDrop(TOrgDragSource source, bool overNode, bool overSelected, bool selectedIsTopLevel)
{
    if (!overNode || overSelected)
        return false;
    return !(source == TOrgDragSource::Tree && selectedIsTopLevel);
}

bool ListAcceptsDrop(TOrgDragSource source, bool overItem, int selectedCount, bool overSelected)
{
    return overItem && source == TOrgDragSource::List && selectedCount == 1 && !overSelected;
}

namespace {
// Runs a move of the tree; false when the tree refuses it (into the node's own subtree, or deeper
// than the tree allows), which changes nothing.
template <class Move>
bool TryMove(Move move)
{
    try {
        move();
        return true;
    } catch (const std::logic_error&) {
        return false;
    } catch (const ETreeDepthError&) {
        return false;
    }
}
} // namespace

bool MoveNodeInto(TTreeNode* node, TTreeNode* destination)
{
    return TryMove([&] { node->Owner().MoveToLastChild(node, destination); });
}

bool MoveNodeBefore(TTreeNode* node, TTreeNode* target)
{
    return TryMove([&] { node->Owner().MoveBefore(node, target); });
}
