// Small helpers to write tree fixtures in tests.
#pragma once

#include <string>

#include "core/SnippetTree.h"

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
