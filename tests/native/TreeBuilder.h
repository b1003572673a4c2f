// Small helpers to write tree fixtures in tests.
#pragma once

#include <string>

#include "core/SnippetTree.h"
#include "core/TreeRoutines.h"

inline TTreeNode* AddNode(TTreeNodes& items, TTreeNode* parent, String text, int kind, int hotkey = 0)
{
    TTreeNode* node = items.AddChild(parent, std::move(text));
    node->ImageIndex = kind;
    node->StateIndex = hotkey;
    return node;
}

// The children's names joined by commas: "a,b,c".
inline std::string ChildNames(const TTreeNode* node, int from = 0)
{
    std::string out;
    for (int i = from; i < node->Count(); ++i)
        out += (out.empty() ? "" : ",") + ToUtf8(node->Item(i)->Text);
    return out;
}

// The default tree with the fixed rows of Clipboards and Messages, as start-up has it at the load.
inline TTreeNode* StartupTree(TTreeNodes& items)
{
    BuildDefaultTree(items);
    TTreeNode* root = items.GetNodeFromIndex(0);
    AddClipboardMenuRows(items, root->Item(1));
    AddMessageMenuRows(items, root->Item(2));
    return root;
}

// The node and all its descendants.
inline int SubtreeCount(const TTreeNode* node)
{
    int count = 1;
    for (int i = 0; i < node->Count(); ++i)
        count += SubtreeCount(node->Item(i));
    return count;
}
