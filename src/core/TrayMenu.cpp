#include "core/TrayMenu.h"

#include "core/Globals.h"
#include "core/SnippetTree.h"

std::vector<TTreeNode*> TrayMenuRows(const TTreeNode* programMenu)
{
    std::vector<TTreeNode*> rows;
    for (int i = 0; programMenu && i < programMenu->Count(); ++i)
        if (programMenu->Item(i) != MinimizeToTrayNode)
            rows.push_back(programMenu->Item(i));
    return rows;
}
