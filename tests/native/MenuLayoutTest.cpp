#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/ShortCutText.h"
#include "menus/MenuLayout.h"

namespace {

// Every code unit 6 pixels wide.
int Width6(StringView text) { return static_cast<int>(text.size()) * 6; }

String Repeat(int n) { return String(static_cast<size_t>(n), u'x'); }

TEST(ShortCutText, ModifiersInShiftCtrlAltOrderThenTheKeysName)
{
    FakeOs os;
    os.KeyNames[0x25] = u"Left";
    const struct {
        int hotkey;
        const char16_t* text;
    } cases[] = {
        {0, u""},
        {0x6000 | 'G', u"Shift+Ctrl+G"},
        {0x8000 | 0x74, u"Alt+F5"},
        {0xE000 | '1', u"Shift+Ctrl+Alt+1"},
        {0x4000 | 0x25, u"Ctrl+Left"},
        {'Q', u"Q"},
        {0x4000, u""},      // no key
        {0x4000 | 0x07, u""}, // a key without a name
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortCutToText(c.hotkey), String(c.text)) << c.hotkey;
}

// A tree with the root, one menu and, under it, one folder.
struct MenuLayout : testing::Test {
    FakeOs os;
    TTreeNodes items;
    TTreeNode* root = AddNode(items, nullptr, u"Data", nkFolder);
    TTreeNode* menu = AddNode(items, root, u"Menu", nkFolder);
    TTreeNode* folder = nullptr;
    void SetUp() override
    {
        EmptyCaption = u"(Empty)";
        FixedMenuCount = 3; // as start-up sets it
        AddNode(items, menu, u"New...", nkNew);
        AddNode(items, menu, u"Organize...", nkOrganize);
        AddNode(items, menu, u"-", nkSeparator);
        folder = AddNode(items, menu, u"Folder", nkFolder);
    }
    void Add(TTreeNode* parent, int count, int kind, const String& name = u"m", int hotkey = 0)
    {
        for (int i = 0; i < count; ++i)
            AddNode(items, parent, name, kind, hotkey);
    }
    TMenuLayout Layout(TTreeNode* node, int left = 0, int top = 0, int leftWidth = 0, TMenuScreen screen = {1280, 800})
    {
        return LayoutMenu(*node, left, top, leftWidth, screen, Width6);
    }
};

TEST_F(MenuLayout, WidthsOfTheEdgeCases)
{
    const struct {
        const char* what;
        std::function<void(MenuLayout&)> build;
        int width;
    } cases[] = {
        {"an empty folder takes the minimum", [](MenuLayout&) {}, 92},
        {"a caption is its text + 26 + 16 + 12", [](MenuLayout& t) { t.Add(t.folder, 1, nkMessage, Repeat(20)); }, 174},
        {"a hotkey adds its text's width",
         [](MenuLayout& t) { t.Add(t.folder, 1, nkMessage, Repeat(20), 0x6000 | 'G'); }, 174 + 12 * 6},
        {"separators are measured as text", [](MenuLayout& t) { t.Add(t.folder, 1, nkSeparator, Repeat(30)); }, 234},
        {"six cells side by side", [](MenuLayout& t) { t.Add(t.folder, 6, nkCell); }, 136},
        {"three tiles side by side", [](MenuLayout& t) { t.Add(t.folder, 3, nkTile); }, 136},
        {"fifteen cells stop at the largest width", [](MenuLayout& t) { t.Add(t.folder, 15, nkCell); }, 320},
        {"a long caption is cut to the largest width", [](MenuLayout& t) { t.Add(t.folder, 1, nkMessage, Repeat(100)); }, 320},
        {"a text row right after a run counts like any other",
         [](MenuLayout& t) {
             t.Add(t.folder, 2, nkCell);
             t.Add(t.folder, 1, nkMessage, Repeat(30));
         },
         234},
        {"two runs are measured one by one",
         [](MenuLayout& t) {
             t.Add(t.folder, 5, nkCell);
             t.Add(t.folder, 1, nkMessage);
             t.Add(t.folder, 6, nkCell);
         },
         136},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        while (folder->Count())
            items.Delete(folder->Item(0));
        c.build(*this);
        EXPECT_EQ(CalcMenuWidth(*folder, Width6), c.width);
        EXPECT_EQ(Layout(folder).ClientWidth, c.width);
    }
}

TEST_F(MenuLayout, AMenuWithOnlyItsFixedRowsShowsTheEmptyRowAndMeasuresItsCaption)
{
    items.Delete(folder);
    EmptyCaption = Repeat(30);
    const TMenuLayout layout = Layout(menu);
    EXPECT_EQ(layout.ClientWidth, 180); // the plain caption, nothing added
    ASSERT_EQ(layout.Rows.size(), 4u);
    EXPECT_TRUE(layout.HasEmptyRow);
    EXPECT_EQ(layout.Rows[3].Top, 1 + 22 + 22 + 5);
    EXPECT_EQ(layout.FirstScrollIndex, 3);
    EXPECT_EQ(layout.TopScrollTop, layout.Rows[3].Top + 1);
}

TEST_F(MenuLayout, AnEmptyFolderGetsOneEmptyRowAtTheMinimumWidth)
{
    const TMenuLayout layout = Layout(folder, 100, 200);
    ASSERT_EQ(layout.Rows.size(), 1u);
    EXPECT_TRUE(layout.HasEmptyRow);
    const TMenuRowPlace& row = layout.Rows[0];
    EXPECT_EQ(row.Left, 1);
    EXPECT_EQ(row.Top, 1);
    EXPECT_EQ(row.Width, 92 - 4);
    EXPECT_EQ(row.Height, 22);
    EXPECT_EQ(layout.ClientHeight, 1 + 22 + 3);
    EXPECT_EQ(layout.Left, 100);
    EXPECT_EQ(layout.Top, 200);
    EXPECT_EQ(layout.FirstScrollIndex, 0);
    EXPECT_EQ(layout.BtmScrollWidth, 0);
}

TEST_F(MenuLayout, RowsOfEveryKindFollowEachOtherDown)
{
    Add(folder, 1, nkMessage);
    Add(folder, 1, nkSeparator, u"-");
    Add(folder, 3, nkCell);
    Add(folder, 2, nkTile);
    Add(folder, 1, nkMessage);
    const TMenuLayout layout = Layout(folder);
    const int w = layout.ClientWidth - 4;
    const TMenuRowPlace expected[] = {
        {1, 1, w, 22, true},  {1, 23, w, 5, true},  {1, 28, 22, 22, true}, {23, 28, 22, 22, true},
        {45, 28, 22, 22, true}, {1, 50, 44, 44, true}, {45, 50, 44, 44, true}, {1, 94, w, 22, true},
    };
    ASSERT_EQ(layout.Rows.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(layout.Rows[i].Left, expected[i].Left);
        EXPECT_EQ(layout.Rows[i].Top, expected[i].Top);
        EXPECT_EQ(layout.Rows[i].Width, expected[i].Width);
        EXPECT_EQ(layout.Rows[i].Height, expected[i].Height);
        EXPECT_TRUE(layout.Rows[i].Visible);
    }
    EXPECT_EQ(layout.ClientHeight, 116 + 3);
}

TEST_F(MenuLayout, FifteenCellsPutTheFifteenthOnASecondLine)
{
    Add(folder, 15, nkCell);
    const TMenuLayout layout = Layout(folder);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(layout.Rows[static_cast<size_t>(i)].Left, 1 + 22 * i);
        EXPECT_EQ(layout.Rows[static_cast<size_t>(i)].Top, 1);
    }
    EXPECT_EQ(layout.Rows[14].Left, 1);
    EXPECT_EQ(layout.Rows[14].Top, 23);
}

TEST_F(MenuLayout, PlacesByTheScreenEdges)
{
    const struct {
        const char* what;
        TTreeNode* MenuLayout::*node;
        int messages, left, top, leftWidth;
        TMenuScreen screen;
        int expectedLeft, expectedTop, expectedHeight, hiddenFrom, downArrow;
    } cases[] = {
        {"a folder that fits stays", &MenuLayout::folder, 3, 100, 300, 0, {1280, 800}, 100, 300, 70, -1, 0},
        {"a folder near the bottom moves up to end there", &MenuLayout::folder, 3, 100, 750, 0, {1280, 800}, 100,
         730, 70, -1, 0},
        {"a folder taller than the screen hides its last rows", &MenuLayout::folder, 10, 0, 0, 0, {1280, 100}, 0,
         0, 92, 4, 28},
        {"a menu stops at the room below its top", &MenuLayout::menu, 5, 0, 26, 0, {1280, 150}, 0, 26, 119, 6, 28},
        // The menu is 120 wide ("Organize..." + 54).
        {"a top window near the right edge ends at its label", &MenuLayout::menu, 0, 950, 26, 990, {1000, 800}, 870,
         26, 0, -1, 0},
        {"... or at the screen edge when wider than that", &MenuLayout::menu, 0, 950, 26, 80, {1000, 800}, 880, 26,
         0, -1, 0},
        {"a submenu near the right edge ends at the screen edge", &MenuLayout::folder, 0, 1250, 26, 0, {1280, 800},
         1188, 26, 26, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTreeNode* node = this->*c.node;
        Add(node, c.messages, nkMessage);
        const TMenuLayout layout = Layout(node, c.left, c.top, c.leftWidth, c.screen);
        EXPECT_EQ(layout.Left, c.expectedLeft);
        EXPECT_EQ(layout.Top, c.expectedTop);
        if (c.expectedHeight) {
            EXPECT_EQ(layout.ClientHeight, c.expectedHeight);
        }
        for (size_t i = 0; i < layout.Rows.size(); ++i)
            EXPECT_EQ(layout.Rows[i].Visible, c.hiddenFrom < 0 || static_cast<int>(i) < c.hiddenFrom) << i;
        EXPECT_EQ(layout.BtmScrollWidth, c.downArrow);
        EXPECT_EQ(layout.BtmScrollTop, layout.ClientHeight - 14 - 4);
        EXPECT_EQ(layout.BtmScrollLeft, (layout.ClientWidth - c.downArrow) / 2);
        EXPECT_EQ(layout.TopScrollWidth, 0);
        EXPECT_EQ(layout.TopScrollLeft, layout.ClientWidth / 2);
        while (node->Count() > (node == menu ? 4 : 0))
            items.Delete(node->Item(node->Count() - 1));
    }
}

TEST_F(MenuLayout, AMenuMissingItsFixedRowsStillLaysOut)
{
    TTreeNode* bare = AddNode(items, root, u"Bare", nkFolder);
    Add(bare, 1, nkMessage);
    const TMenuLayout layout = Layout(bare);
    ASSERT_EQ(layout.Rows.size(), 1u);
    EXPECT_EQ(layout.TopScrollTop, 2);
    TTreeNode* none = AddNode(items, root, u"None", nkFolder);
    EXPECT_TRUE(Layout(none).Rows.empty());
}

} // namespace
