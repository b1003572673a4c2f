#include <gtest/gtest.h>

#include "FakeOs.h"
#include "core/Globals.h"
#include "core/TrayMenu.h"
#include "core/TreeRoutines.h"

namespace {

TEST(TrayMenu, TheProgramMenuRowsInOrderWithoutMinimizeToTray)
{
    FakeOs os;
    TTreeNodes items;
    BuildDefaultTree(items);
    SetNodeGlobals(items);
    std::vector<TTreeNode*> rows = TrayMenuRows(ProgramMenuNode);
    ASSERT_EQ(rows.size(), 7u);
    const TTreeNode* expected[] = {OptionsNode,          OrganizeNode, ProgramMenuNode->Item(2), HelpNode,
                                   AboutNode, ProgramMenuNode->Item(5), ExitNode};
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << i;
    // The rows' texts are whatever the program menu says now.
    OptionsNode->Text = u"Optionen...";
    EXPECT_EQ(TrayMenuRows(ProgramMenuNode)[0]->Text, u"Optionen...");
    EXPECT_TRUE(TrayMenuRows(nullptr).empty());
}

} // namespace
