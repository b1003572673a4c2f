// The name dialog: one small window asking for a name, for a new menu, a new folder or a rename.
// Each opener changes the tree and writes the data file at once; it returns the node it created
// or renamed, or nullptr when the user cancelled (nothing changed then).
#pragma once

#include "core/SnippetTree.h"

TTreeNode* NewMenu();
TTreeNode* NewFolder(TTreeNode* parent);
TTreeNode* RenameNode(TTreeNode* node);
