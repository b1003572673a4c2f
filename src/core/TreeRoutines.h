// The tree routines shared by every window: the default tree, the fixed rows, the node globals,
// delete, ancestry test and sort.
#pragma once

#include "core/Globals.h"
#include "core/SnippetTree.h"

// The tree that exists before the data file is read: Data, Manage with its command rows,
// Clipboards and Messages.
void BuildDefaultTree(TTreeNodes& items);
// Points the node globals at the default tree's fixed places; FixedMenuCount := 3.
void SetNodeGlobals(TTreeNodes& items);

// The tree's deletion routine: releases the node's system hotkey (its content goes with the
// node) and tells the node watchers, so nothing keeps the node.
void TreeViewDataDeletion(TTreeNode& node);

void AddClipboardMenuRows(TTreeNodes& items, TTreeNode* menu);
void AddMessageMenuRows(TTreeNodes& items, TTreeNode* menu);
void DeleteNodeTree(TTreeNode* node);
bool IsNodeInside(const TTreeNode* node, const TTreeNode* ancestor);
// Where a new item goes when the folder chosen for it was deleted meanwhile: Messages.
inline TTreeNode* FolderOrMessages(TTreeNode* folder) { return folder ? folder : MessagesNode; }
void SortNodeChildren(TTreeNode* node);
void MoveImageGroupToFront(TTreeNode* node, int start, int kind);
