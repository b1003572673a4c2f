#include <gtest/gtest.h>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

struct TreeRoutines : testing::Test {
    FakeOs os;
    TTreeNodes items;

    void SetUp() override
    {
        DataFile = u"C:\\AppData\\Quorvane\\1.0\\Quorvane.db";
        items.OnDeletion = TreeViewDataDeletion;
        StartupTree(items);
        SetNodeGlobals(items);
    }
};

TEST_F(TreeRoutines, DefaultTreeAndNodeGlobals)
{
    EXPECT_EQ(RootNode->Text, u"Data");
    EXPECT_EQ(RootNode->ImageIndex, nkCommand);
    EXPECT_EQ(ChildNames(RootNode), "Manage,Clipboards,Messages");
    EXPECT_EQ(ChildNames(ProgramMenuNode),
              "Options...,Organize...,-,Help...,About...,-,Minimize to Tray,Exit");
    const TTreeNode* commands[] = {OptionsNode, OrganizeNode, HelpNode, AboutNode, MinimizeToTrayNode, ExitNode};
    const int positions[] = {0, 1, 3, 4, 6, 7};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(commands[i]->Index(), positions[i]);
        EXPECT_EQ(commands[i]->ImageIndex, nkCommand);
    }
    EXPECT_EQ(FixedMenuCount, 3);
    EXPECT_EQ(ChildNames(ClipboardsNode), "Cut,Copy,-");
    EXPECT_EQ(ChildNames(MessagesNode), "New...,Organize...,-");
    const int clipboardKinds[] = {nkCut, nkCopy, nkSeparator};
    const int messageKinds[] = {nkNew, nkOrganize, nkSeparator};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ClipboardsNode->Item(i)->ImageIndex, clipboardKinds[i]);
        EXPECT_EQ(MessagesNode->Item(i)->ImageIndex, messageKinds[i]);
    }
    for (int i = 0; i < items.Count(); ++i) {
        EXPECT_EQ(items.GetNodeFromIndex(i)->StateIndex, 0);
        EXPECT_EQ(items.GetNodeFromIndex(i)->ExpandedImageIndex, 0);
    }
}

TEST_F(TreeRoutines, FixedRowsTakeTheCurrentCaptions)
{
    CutCaption = u"Ausschneiden";
    NewCaption = u"Neu...";
    TTreeNode* menu = AddNode(items, RootNode, u"Work", nkFolder);
    AddMessageMenuRows(items, menu);
    AddClipboardMenuRows(items, menu);
    EXPECT_EQ(ChildNames(menu), "Neu...,Organize...,-,Ausschneiden,Copy,-");
}

TEST_F(TreeRoutines, SortOrdersByKindGroupThenName)
{
    TTreeNode* folder = AddNode(items, MessagesNode, u"F", nkFolder);
    AddNode(items, folder, u"b", nkFolder);
    AddNode(items, folder, u"a", nkFolder);
    AddNode(items, folder, u"d", nkMessage);
    AddNode(items, folder, u"c", nkMessage);
    AddNode(items, folder, u"0", nkKind8);
    SortNodeChildren(folder);
    EXPECT_EQ(ChildNames(folder), "a,b,c,d,0");
}

TEST_F(TreeRoutines, SortPlacesEveryKindGroupAndKeepsEqualNamesInOrder)
{
    TTreeNode* folder = AddNode(items, MessagesNode, u"F", nkFolder);
    const struct { const char16_t* name; int kind; } rows[] = {
        {u"t", nkTile}, {u"x", nkSeparator}, {u"m2", nkMessage}, {u"k", nkKind11}, {u"same", nkMessage},
        {u"c", nkCell}, {u"f", nkFolder}, {u"same", nkMessage}, {u"n", nkNew}, {u"a", nkCut},
    };
    for (auto& row : rows)
        AddNode(items, folder, row.name, row.kind);
    TTreeNode* firstSame = folder->Item(4);
    SortNodeChildren(folder);
    EXPECT_EQ(ChildNames(folder), "f,m2,same,same,k,c,t,a,n,x");
    EXPECT_EQ(folder->Item(2), firstSame);
}

TEST_F(TreeRoutines, SortOfAMenuKeepsItsFixedRowsFirst)
{
    AddNode(items, MessagesNode, u"b", nkMessage);
    AddNode(items, MessagesNode, u"A", nkMessage);
    SortNodeChildren(MessagesNode);
    EXPECT_EQ(ChildNames(MessagesNode), "New...,Organize...,-,A,b");
    os.Calls.clear();
    SortNodeChildren(ClipboardsNode); // only the fixed rows: nothing moves, the file is written
    EXPECT_EQ(ChildNames(ClipboardsNode), "Cut,Copy,-");
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"WriteWholeFile C:\\AppData\\Quorvane\\1.0\\Quorvane.db 140"}));
}

TEST_F(TreeRoutines, MoveImageGroupToFrontIsAStablePartition)
{
    TTreeNode* folder = AddNode(items, MessagesNode, u"F", nkFolder);
    const struct { const char16_t* name; int kind; } rows[] = {
        {u"m1", nkMessage}, {u"x1", nkCut}, {u"m2", nkMessage}, {u"x2", nkCut}, {u"m3", nkMessage}};
    for (auto& row : rows)
        AddNode(items, folder, row.name, row.kind);
    MoveImageGroupToFront(folder, 0, nkCut);
    EXPECT_EQ(ChildNames(folder), "x1,x2,m1,m2,m3");
    MoveImageGroupToFront(folder, 1, nkMessage);
    EXPECT_EQ(ChildNames(folder), "x1,m1,m2,m3,x2");
}

TEST_F(TreeRoutines, IsNodeInside)
{
    TTreeNode* folder = AddNode(items, MessagesNode, u"F", nkFolder);
    TTreeNode* message = AddNode(items, folder, u"m", nkMessage);
    EXPECT_FALSE(IsNodeInside(message, message));
    EXPECT_TRUE(IsNodeInside(message, folder));
    EXPECT_TRUE(IsNodeInside(message, MessagesNode));
    EXPECT_FALSE(IsNodeInside(folder, message)); // deeper ancestor
    EXPECT_FALSE(IsNodeInside(message, ClipboardsNode));
    EXPECT_FALSE(IsNodeInside(RootNode, RootNode));
    EXPECT_FALSE(IsNodeInside(nullptr, RootNode));
    EXPECT_FALSE(IsNodeInside(message, nullptr));
    for (int i = 1; i < items.Count(); ++i)
        EXPECT_TRUE(IsNodeInside(items.GetNodeFromIndex(i), RootNode)) << i;
}

TEST_F(TreeRoutines, DeletingAMenuUnregistersEveryHotkeyInIt)
{
    TTreeNode* menu = AddNode(items, RootNode, u"Work", nkFolder);
    AddMessageMenuRows(items, menu);
    TTreeNode* folder = AddNode(items, menu, u"F", nkFolder);
    AddNode(items, folder, u"deep", nkMessage, 0x4041);
    AddNode(items, menu, u"plain", nkMessage);
    TTreeNode* shared = AddNode(items, menu, u"shared", nkMessage, 0x2042);
    shared->Enabled = false; // released whatever Enabled says
    AddNode(items, MessagesNode, u"twin", nkMessage, 0x2042);
    const int before = items.Count();
    DeleteNodeTree(menu);
    EXPECT_EQ(items.Count(), before - 8);
    // Ids of the value-to-id mapping: Ctrl+A $4041 -> $241, Shift+B $2042 -> $142.
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"UnregisterHotkey 577", "UnregisterHotkey 322"}));
    EXPECT_EQ(ChildNames(RootNode), "Manage,Clipboards,Messages");
}

} // namespace
