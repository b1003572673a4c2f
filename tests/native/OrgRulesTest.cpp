// The Organize window's rules that need no window: what its tree and list show, which commands
// a selection enables, which drops its panes take, and moves that never half-happen.
#include <gtest/gtest.h>

#include <vector>

#include "core/NodeKinds.h"
#include "core/SnippetTree.h"
#include "organize/OrgRules.h"

namespace {

struct OrgRules : testing::Test {
    TTreeNodes items;
    TTreeNode* root = items.AddChild(nullptr, u"Data");

    TTreeNode* Add(TTreeNode* parent, const char16_t* name, int kind)
    {
        TTreeNode* node = items.AddChild(parent, name);
        node->ImageIndex = kind;
        return node;
    }
    static std::vector<String> Names(const std::vector<TTreeNode*>& nodes)
    {
        std::vector<String> names;
        for (const TTreeNode* node : nodes)
            names.push_back(node->Text);
        return names;
    }
};

TEST_F(OrgRules, TheTreeShowsMenusButTheProgramMenuAndOnlyFolders)
{
    Add(root, u"Manage", nkFolder);
    TTreeNode* clipboards = Add(root, u"Clipboards", nkFolder);
    Add(root, u"Messages", nkFolder);
    Add(root, u"Mine", nkFolder);
    EXPECT_EQ(Names(OrgMenus(*root)), (std::vector<String>{u"Clipboards", u"Messages", u"Mine"}));

    const struct {
        const char16_t* name;
        int kind;
        bool mirrored, listed;
    } kinds[] = {
        {u"Cut", nkCut, false, false},         {u"Copy", nkCopy, false, false},
        {u"-", nkSeparator, false, false},     {u"New...", nkNew, false, false},
        {u"Organize...", nkOrganize, false, false}, {u"a message", nkMessage, false, true},
        {u"a folder", nkFolder, true, true},   {u"kind 8", nkKind8, false, false},
        {u"kind 11", nkKind11, false, false},  {u"cell", nkCell, false, false},
        {u"tile", nkTile, false, false},       {u"command", nkCommand, false, false},
    };
    std::vector<String> mirrored, listed;
    for (const auto& k : kinds) {
        Add(clipboards, k.name, k.kind);
        if (k.mirrored)
            mirrored.push_back(k.name);
        if (k.listed)
            listed.push_back(k.name);
    }
    EXPECT_EQ(Names(MirroredChildren(*clipboards)), mirrored);
    EXPECT_EQ(Names(ListedChildren(*clipboards)), listed);
}

TEST_F(OrgRules, OnlyClipboardsAndMessagesAreProtected)
{
    EXPECT_TRUE(IsProtectedTreeNode(true, 0));
    EXPECT_TRUE(IsProtectedTreeNode(true, 1));
    EXPECT_FALSE(IsProtectedTreeNode(true, 2));
    EXPECT_FALSE(IsProtectedTreeNode(false, 0)); // a folder first in its menu
    EXPECT_FALSE(IsProtectedTreeNode(false, 1));
}

TEST_F(OrgRules, TheEnablingTable)
{
    using S = TOrgButtonStates;
    // {Rename, Edit, Delete, Export}
    EXPECT_EQ(TreeStates(true, false), (S{true, false, true, true}));
    EXPECT_EQ(TreeStates(true, true), (S{false, false, false, true}));
    EXPECT_EQ(TreeStates(false, false), (S{}));

    const struct {
        bool selected;
        int kind, count;
        S states;
    } selections[] = {
        {true, nkMessage, 1, {true, true, true, true}},
        {true, nkFolder, 1, {true, false, true, true}},
        {true, nkMessage, 2, {false, false, true, true}},
        {true, nkFolder, 3, {false, false, true, true}},
        {true, nkSeparator, 1, {false, false, false, true}},
        {false, nkMessage, 1, {}},
        {false, nkFolder, 0, {}},
    };
    for (const auto& s : selections)
        EXPECT_EQ(ListSelectStates(s.selected, s.kind, s.count), s.states) << s.kind << " " << s.count;

    const struct {
        int firstKind, count;
        S states;
    } entries[] = {
        {nkMessage, 1, {true, true, true, true}},
        {nkMessage, 2, {true, false, true, true}}, // Rename takes the first of several
        {nkFolder, 1, {true, false, true, true}},
        {nkFolder, 4, {true, false, true, true}},
        {-1, 0, {}},
    };
    for (const auto& e : entries)
        EXPECT_EQ(ListEnterStates(e.firstKind, e.count), e.states) << e.firstKind << " " << e.count;
}

TEST_F(OrgRules, WhichDropsThePanesTake)
{
    using D = TOrgDragSource;
    const struct {
        D source;
        bool overNode, overSelected, selectedIsMenu, taken;
    } tree[] = {
        {D::List, true, false, true, true},   // list items onto another node, whatever is shown
        {D::List, true, true, false, false},  // onto the node the list shows
        {D::List, false, false, false, false}, // no node under the pointer
        {D::Tree, true, false, false, true},  // a folder onto another node
        {D::Tree, true, false, true, false},  // a menu is never dragged anywhere
        {D::Tree, true, true, false, false},  // onto itself
    };
    for (const auto& t : tree)
        EXPECT_EQ(TreeAcceptsDrop(t.source, t.overNode, t.overSelected, t.selectedIsMenu), t.taken);

    const struct {
        D source;
        bool overItem;
        int selected;
        bool overSelected, taken;
    } list[] = {
        {D::List, true, 1, false, true}, {D::List, true, 1, true, false}, {D::List, true, 2, false, false},
        {D::List, false, 1, false, false}, {D::Tree, true, 1, false, false}, {D::Other, true, 1, false, false},
    };
    for (const auto& l : list)
        EXPECT_EQ(ListAcceptsDrop(l.source, l.overItem, l.selected, l.overSelected), l.taken);
}

TEST_F(OrgRules, AMoveIntoTheNodesOwnSubtreeMovesNothing)
{
    TTreeNode* menu = Add(root, u"Menu", nkFolder);
    TTreeNode* folder = Add(menu, u"Folder", nkFolder);
    TTreeNode* sub = Add(folder, u"Sub", nkFolder);
    TTreeNode* message = Add(sub, u"Message", nkMessage);
    message->Data = u"text";
    message->StateIndex = 0x4000 | 'Q';
    TTreeNode* other = Add(menu, u"Other", nkFolder);

    EXPECT_FALSE(MoveNodeInto(folder, sub));
    EXPECT_FALSE(MoveNodeInto(folder, folder));
    EXPECT_EQ(folder->Parent(), menu);
    EXPECT_EQ(sub->Parent(), folder);
    EXPECT_EQ(menu->Count(), 2);

    EXPECT_TRUE(MoveNodeInto(folder, other));
    EXPECT_EQ(folder->Parent(), other);
    EXPECT_EQ(message->Parent(), sub); // with its whole subtree
    EXPECT_EQ(message->Content(), u"text");
    EXPECT_EQ(message->StateIndex, 0x4000 | 'Q');
    EXPECT_TRUE(MoveNodeInto(message, menu));
    EXPECT_EQ(menu->Item(menu->Count() - 1), message); // last child

    EXPECT_TRUE(MoveNodeBefore(message, other));
    EXPECT_EQ(Names({menu->Item(0), menu->Item(1)}), (std::vector<String>{u"Message", u"Other"}));
    EXPECT_FALSE(MoveNodeBefore(other, sub)); // before a node inside itself
    EXPECT_EQ(other->Parent(), menu);
}

TEST_F(OrgRules, AMoveDeeperThanTheTreeAllowsMovesNothing)
{
    TTreeNode* deep = Add(root, u"Deep", nkFolder);
    while (deep->Level() < MaxNodeLevel)
        deep = Add(deep, u"Deeper", nkFolder);
    TTreeNode* menu = Add(root, u"Menu", nkFolder);
    TTreeNode* folder = Add(menu, u"Folder", nkFolder);
    Add(folder, u"Inside", nkFolder);
    EXPECT_FALSE(MoveNodeInto(folder, deep->Parent()));
    EXPECT_EQ(folder->Parent(), menu);
    EXPECT_TRUE(MoveNodeInto(Add(menu, u"Message", nkMessage), deep->Parent()));
}

} // namespace
