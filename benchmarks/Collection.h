// A large generated collection for the speed figures: 10,000 messages of 500 characters in
// nested folders under five menus, about 10 MB on disk.
#pragma once

#include "TreeBuilder.h"
// Adds the collection below the start-up tree's root.
void FillCollection(TTreeNodes& items, TTreeNode* root);
