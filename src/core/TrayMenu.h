// The rows of the tray menu: the program menu's rows, in order, without Minimize to Tray.
#pragma once

#include <vector>

class TTreeNode;

std::vector<TTreeNode*> TrayMenuRows(const TTreeNode* programMenu);
