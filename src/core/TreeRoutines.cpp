#include "core/TreeRoutines.h"

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/NodeWatch.h"
#include "core/OsServices.h"

namespace {
TTreeNode* AddRow(TTreeNodes& items, TTreeNode* parent, String text, int kind)
{
    TTreeNode* node = items.AddChild(parent, std::move(text));
    node->ImageIndex = kind;
    return node;
}
} // namespace

void BuildDefaultTree(TTreeNodes& items)
{
    TTreeNode* root = AddRow(items, nullptr, u"Data", nkCommand);
    TTreeNode* manage = AddRow(items, root, u"Manage", nkFolder);
    AddRow(items, manage, u"Options...", nkCommand);
    AddRow(items, manage, u"Organize...", nkCommand);
    AddRow(items, manage, u"-", nkSeparator);
    AddRow(items, manage, u"Help...", nkCommand);
    AddRow(items, manage, u"About...", nkCommand);
    AddRow(items, manage, u"-", nkSeparator);
    AddRow(items, manage, u"Minimize to Tray", nkCommand);
    AddRow(items, manage, u"Exit", nkCommand);
    AddRow(items, root, u"Clipboards", nkFolder);
    AddRow(items, root, u"Messages", nkFolder);
}

void SetNodeGlobals(TTreeNodes& items)
{
    RootNode = items.GetNodeFromIndex(0);
    ProgramMenuNode = RootNode->Item(0);
    ClipboardsNode = RootNode->Item(1);
    MessagesNode = RootNode->Item(2);
    FixedMenuCount = 3;
    OptionsNode = ProgramMenuNode->Item(0);
    OrganizeNode = ProgramMenuNode->Item(1);
    HelpNode = ProgramMenuNode->Item(3);
    AboutNode = ProgramMenuNode->Item(4);
    MinimizeToTrayNode = ProgramMenuNode->Item(6);
    ExitNode = ProgramMenuNode->Item(7);
}

void TreeViewDataDeletion(TTreeNode& node)
{
    ReleaseDeletedNodeHotkey(node.Owner(), node);
    NotifyNodeWatchers(node);
}

void AddClipboardMenuRows(TTreeNodes& items, TTreeNode* menu)
{
    AddRow(items, menu, CutCaption, nkCut);
    AddRow(items, menu, CopyCaption, nkCopy);
    AddRow(items, menu, u"-", nkSeparator);
}

void AddMessageMenuRows(TTreeNodes& items, TTreeNode* menu)
{
    AddRow(items, menu, NewCaption, nkNew);
    AddRow(items, menu, OrganizeCaption, nkOrganize);
    AddRow(items, menu, u"-", nkSeparator);
}

void DeleteNodeTree(TTreeNode* node)
{
    // One deletion of the whole subtree: its nodes pass through the node-deleted handling children
    // before parents, first child first, and whoever shows them changes once for all of them.
    node->Owner().Delete(node);
}

bool IsNodeInside(const TTreeNode* node, const TTreeNode* ancestor)
{
    if (!node || !ancestor)
        return false;
    const TTreeNode* parent = node->Parent();
    if (parent == ancestor)
        return true;
    if (!parent)
        return false;
    return parent->Level() > ancestor->Level() && IsNodeInside(parent, ancestor);
}

void MoveImageGroupToFront(TTreeNode* node, int start, int kind)
{
    TTreeNodes& items = node->Owner();
    const int count = node->Count();
    int steps = start;
    int k = count - 1;
    while (k > start) {
        TTreeNode* child = node->Item(k);
        if (child->ImageIndex == kind)
            items.MoveBefore(child, node->Item(start));
        else
            --k;
        if (++steps >= count)
            break;
    }
}

void SortNodeChildren(TTreeNode* node)
{
    TTreeNodes& items = node->Owner();
    const int start = node->Parent() == RootNode ? FixedMenuCount : 0;
    const int count = node->Count();
    for (int i = start; i <= count - 2; ++i)
        for (int j = i + 1; j <= count - 1; ++j)
            if (OsText().CompareText(node->Item(j)->Text, node->Item(i)->Text) < 0)
                items.MoveBefore(node->Item(j), node->Item(i));
    for (int kind : {nkTile, nkCell, nkKind11, nkMessage, nkFolder})
        MoveImageGroupToFront(node, start, kind);
    SaveDataFile(RootNode->Owner(), RootNode); // also when nothing moved
}
