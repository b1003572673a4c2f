// The New chooser of a menu's New... row: New Menu, New Folder or New Message, run after the
// chooser closes. New folders and messages go into parent, the menu whose row was clicked.
#pragma once

#include "core/SnippetTree.h"

int ShowNewDialog(TTreeNode* parent);
