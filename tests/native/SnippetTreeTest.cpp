#include <gtest/gtest.h>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/DataFile.h"
#include "core/Globals.h"

namespace {

struct SnippetTree : testing::Test {
    TTreeNodes items;
    TTreeNode* root = items.AddChild(nullptr, u"root");
};

TEST_F(SnippetTree, NewNodesCarryTheNodeAddedDefaults)
{
    TTreeNode* node = items.AddChild(root, u"n");
    EXPECT_EQ(node->StateIndex, 0);
    EXPECT_EQ(node->OverlayIndex, 0);
    EXPECT_EQ(node->SelectedIndex, -1);
    EXPECT_EQ(node->ExpandedImageIndex, 0);
    EXPECT_TRUE(node->Enabled);
    EXPECT_FALSE(node->Data.has_value());
    EXPECT_TRUE(node->Content().empty());
}

TEST_F(SnippetTree, PreOrderPositionsLevelsAndIndexes)
{
    TTreeNode* a = items.AddChild(root, u"a");
    TTreeNode* a1 = items.AddChild(a, u"a1");
    TTreeNode* b = items.AddChild(root, u"b");
    TTreeNode* a2 = items.AddChild(a, u"a2");
    EXPECT_EQ(items.Count(), 5);
    const TTreeNode* expected[] = {root, a, a1, a2, b};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items.GetNodeFromIndex(i), expected[i]) << i;
        EXPECT_EQ(items.AbsoluteIndex(expected[i]), i);
    }
    EXPECT_EQ(items.GetNodeFromIndex(5), nullptr);
    EXPECT_EQ(items.GetNodeFromIndex(-1), nullptr);
    EXPECT_EQ(a2->Level(), 2);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a2->Parent(), a);
}

TEST_F(SnippetTree, MoveBeforeTakesTheSubtreeAlongAndMayChangeParent)
{
    TTreeNode* a = items.AddChild(root, u"a");
    TTreeNode* b = items.AddChild(root, u"b");
    TTreeNode* c = items.AddChild(root, u"c");
    TTreeNode* c1 = items.AddChild(c, u"c1");
    items.MoveBefore(c, a);
    EXPECT_EQ(ChildNames(root), "c,a,b");
    EXPECT_EQ(c1->Parent(), c);

    TTreeNode* b1 = items.AddChild(b, u"b1");
    items.MoveBefore(a, b1);
    EXPECT_EQ(ChildNames(root), "c,b");
    EXPECT_EQ(ChildNames(b), "a,b1");
    EXPECT_EQ(a->Parent(), b);
    EXPECT_EQ(a->Level(), 2);
    EXPECT_THROW(items.MoveBefore(b, a), std::logic_error);
}

TEST(SnippetTreeDepth, AMoveNeverNestsANodeBelowTheDeepestLevelAndTheFileReadsBack)
{
    FakeOs os; // the header's digest
    TTreeNodes items;
    TTreeNode* root = StartupTree(items);
    SetNodeGlobals(items);
    TTreeNode* messages = root->Item(2);
    TTreeNode* bottom = messages;
    for (int level = 2; level < MaxNodeLevel; ++level)
        bottom = items.AddChild(bottom, u"n");
    TTreeNode* deepest = items.AddChild(bottom, u"deepest");
    ASSERT_EQ(deepest->Level(), MaxNodeLevel);
    TTreeNode* folder = items.AddChild(messages, u"folder");
    items.AddChild(folder, u"inside");
    TTreeNode* leaf = items.AddChild(messages, u"leaf");

    EXPECT_THROW(items.MoveToLastChild(folder, bottom), ETreeDepthError);
    EXPECT_THROW(items.MoveBefore(folder, deepest), ETreeDepthError);
    EXPECT_THROW(items.MoveToLastChild(leaf, deepest), ETreeDepthError);
    EXPECT_EQ(ChildNames(messages, 3), "n,folder,leaf") << "a refused move changes nothing";
    EXPECT_EQ(ChildNames(bottom), "deepest");
    EXPECT_FALSE(TTreeNodes::FitsAtLevel(folder, MaxNodeLevel));
    EXPECT_TRUE(TTreeNodes::FitsAtLevel(folder, MaxNodeLevel - 1));

    items.MoveBefore(leaf, deepest);
    items.MoveToLastChild(folder, bottom->Parent());
    EXPECT_EQ(leaf->Level(), MaxNodeLevel);
    EXPECT_EQ(folder->Item(0)->Level(), MaxNodeLevel);
    items.MoveBefore(deepest, leaf); // among its siblings a node keeps its level

    TTreeNodes read;
    EXPECT_TRUE(ParseDataFileBytes(read, StartupTree(read), BuildDataFileBytes(root)));
}

TEST_F(SnippetTree, DeleteNotifiesEveryNodeChildrenFirst)
{
    TTreeNode* a = items.AddChild(root, u"a");
    items.AddChild(items.AddChild(a, u"a1"), u"a11");
    items.AddChild(a, u"a2");
    items.AddChild(root, u"b");
    std::string order;
    items.OnDeletion = [&](TTreeNode& n) { order += ToUtf8(n.Text) + " "; };
    items.Delete(a);
    EXPECT_EQ(order, "a11 a1 a2 a ");
    EXPECT_EQ(ChildNames(root), "b");
    EXPECT_EQ(items.Count(), 2);
}

TEST_F(SnippetTree, ADeletionTellsItsTopsFirstAndEndsOnceItsNodesAreFreed)
{
    TTreeNode* a = items.AddChild(root, u"a");
    items.AddChild(a, u"a1");
    items.AddChild(root, u"b");
    TTreeNode* c = items.AddChild(root, u"c");
    items.AddChild(root, u"d");
    std::string order;
    items.OnDeletionBegin = [&](TTreeNode& n) { order += "begin " + ToUtf8(n.Text) + " "; };
    items.OnDeletion = [&](TTreeNode& n) { order += ToUtf8(n.Text) + " "; };
    items.OnDeletionEnd = [&] { order += "end(" + ChildNames(root) + ") "; };
    items.Delete(a);
    EXPECT_EQ(order, "begin a a1 a end(b,c,d) ");

    order.clear();
    items.DeleteChildrenIf(root, 0, [](const TTreeNode& n) { return n.Text != u"c"; });
    EXPECT_EQ(order, "begin b begin d b d end(c) ");

    // A deletion that a handler starts belongs to the one under way: one end, after both.
    order.clear();
    TTreeNode* e = items.AddChild(root, u"e");
    items.OnDeletion = [&](TTreeNode& n) {
        order += ToUtf8(n.Text) + " ";
        if (&n == c)
            items.Delete(e);
    };
    items.Delete(c);
    EXPECT_EQ(order, "begin c c begin e e end() ");
}

} // namespace
