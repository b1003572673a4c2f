// A real TFmMenu built for a prepared menu: its rows' places, which rows show, what they paint
// where, and which rows take a dragged node and what a drop does to the tree.
#include <gtest/gtest.h>
#include <windows.h>

#include "Environment.h"
#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitWideMenuItem.h"

namespace {

struct DropDownMenu : testing::Test {
    TTreeNode* menu = nullptr;
    TTreeNode *hello = nullptr, *sub = nullptr, *deep = nullptr, *other = nullptr, *empty = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        TTreeNodes& items = SnippetTree();
        menu = items.AddChild(RootNode, u"Prepared");
        menu->ImageIndex = nkFolder;
        AddMessageMenuRows(items, menu);
        hello = Add(menu, u"Hello", nkMessage, 0x6000 | 'G');
        Add(menu, u"-", nkSeparator);
        sub = Add(menu, u"Sub", nkFolder);
        deep = Add(sub, u"Deep", nkMessage);
        empty = Add(sub, u"Empty folder", nkFolder);
        other = Add(menu, u"Other", nkMessage);
        FmMenu->Node = menu;
        FmMenu->LeftWidth = 0;
        FmMenu->LoadData(100, 26);
    }
    void TearDown() override
    {
        FmMenu->Hide();
        FmMenu->Node = nullptr;
        FmMenu->LoadData(0, 0);
        DragNode = nullptr;
        SnippetTree().Delete(menu);
    }
    TTreeNode* Add(TTreeNode* parent, const String& name, int kind, int hotkey = 0)
    {
        TTreeNode* node = SnippetTree().AddChild(parent, name);
        node->ImageIndex = kind;
        node->StateIndex = hotkey;
        return node;
    }
    static std::string ChildNames(const TTreeNode* node)
    {
        std::string out;
        for (int i = 0; i < node->Count(); ++i)
            out += ToUtf8(node->Item(i)->Text) + ",";
        return out;
    }
    TWideMenuItem& Row(int i) { return *FmMenu->WideMenuItem.at(static_cast<size_t>(i)); }
    static bool FileHoldsTheTree()
    {
        return OsFiles().FileExists(DataFile) && OsFiles().ReadWholeFile(DataFile) == BuildDataFileBytes(RootNode);
    }

    // What a row paints, in a bitmap of its own size.
    struct Painted {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap;
        HGDIOBJ old;
        const TWideMenuItem& row;
        explicit Painted(const TWideMenuItem& r) : row(r)
        {
            HDC screen = GetDC(nullptr);
            bitmap = CreateCompatibleBitmap(screen, r.Left() + r.Width(), r.Top() + r.Height());
            ReleaseDC(nullptr, screen);
            old = SelectObject(dc, bitmap);
            const_cast<TWideMenuItem&>(r).Paint(dc);
        }
        ~Painted()
        {
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
        COLORREF At(int x, int y) const { return GetPixel(dc, row.Left() + x, row.Top() + y); }
        int Count(COLORREF colour, int fromX = 0) const
        {
            int n = 0;
            for (int y = 0; y < row.Height(); ++y)
                for (int x = fromX; x < row.Width(); ++x)
                    n += At(x, y) == colour;
            return n;
        }
    };
};

TEST_F(DropDownMenu, OneRowPerChildInItsPlaceAndTheWindowAroundThem)
{
    ASSERT_EQ(FmMenu->WideMenuItem.size(), 7u);
    const int width = FmMenu->ClientWidth() - 4;
    const RECT expected[] = {{1, 1, width, 22}, {1, 23, width, 22}, {1, 45, width, 5}, {1, 50, width, 22},
                             {1, 72, width, 5}, {1, 77, width, 22}, {1, 99, width, 22}};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Row(i).Left(), expected[i].left);
        EXPECT_EQ(Row(i).Top(), expected[i].top);
        EXPECT_EQ(Row(i).Width(), expected[i].right);
        EXPECT_EQ(Row(i).Height(), expected[i].bottom);
        EXPECT_TRUE(Row(i).Visible());
        EXPECT_EQ(&Row(i).Parent(), FmMenu->PanelData.get());
        EXPECT_EQ(Row(i).hMenuWnd, FmMenu->Handle());
    }
    EXPECT_EQ(Row(3).Node, hello);
    EXPECT_EQ(Row(3).Caption, u"Hello");
    EXPECT_EQ(Row(6).RowIndex, 6);
    EXPECT_EQ(FmMenu->ClientHeight(), 121 + 3);
    EXPECT_EQ(FmMenu->Left(), 100);
    EXPECT_EQ(FmMenu->Top(), 26);
    EXPECT_EQ(FmMenu->PanelData->Width(), FmMenu->ClientWidth() - 2);
    EXPECT_EQ(FmMenu->FirstScrollIndex, 3);
    EXPECT_EQ(FmMenu->PanelTopScroll->Top(), 51);
    EXPECT_EQ(FmMenu->PanelTopScroll->Width(), 0);
    EXPECT_EQ(FmMenu->PanelBtmScroll->Width(), 0);
    for (HWND h : {FmMenu->Handle(), FmMenu->PanelData->Handle(), FmMenu->PanelBorder->Handle(),
                   FmMenu->PanelTopScroll->Handle(), FmMenu->PanelBtmScroll->Handle()})
        EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), OwnWindowMarker);
}

TEST_F(DropDownMenu, RowsBelowTheScreenStartHiddenAndTheDownArrowShows)
{
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    FmMenu->LoadData(100, screen - 80); // room for the fixed rows and one more
    int visible = 0;
    for (TWideMenuItem* row : FmMenu->WideMenuItem)
        visible += row->Visible();
    EXPECT_EQ(visible, 4);
    EXPECT_TRUE(Row(3).Visible());
    EXPECT_FALSE(Row(4).Visible()) << "its bottom reaches the limit";
    EXPECT_EQ(FmMenu->PanelBtmScroll->Width(), 28);
}

TEST_F(DropDownMenu, PaintsTheSeparatorLineTheHotkeyTextAndTheHighlightFrame)
{
    {
        Painted separator(Row(4));
        EXPECT_EQ(separator.At(26, 2), MenuLineColor);
        EXPECT_EQ(separator.At(Row(4).Width() - 2, 2), MenuLineColor);
        EXPECT_NE(separator.At(25, 2), MenuLineColor);
        EXPECT_NE(separator.At(Row(4).Width() - 1, 2), MenuLineColor);
        EXPECT_NE(separator.At(40, 1), MenuLineColor);
    }
    hello->Enabled = true;
    {
        Painted registered(Row(3));
        EXPECT_GT(registered.Count(RGB(255, 0, 0), Row(3).Width() / 2), 10);
    }
    hello->Enabled = false;
    {
        Painted unregistered(Row(3));
        EXPECT_EQ(unregistered.Count(RGB(255, 0, 0)), 0);
        EXPECT_GT(unregistered.Count(GetSysColor(COLOR_BTNSHADOW), Row(3).Width() / 2), 10);
    }
    Row(6).MouseEnter = true;
    {
        Painted highlighted(Row(6));
        EXPECT_EQ(highlighted.At(0, 0), MenuHighlightBorderColor);
        EXPECT_EQ(highlighted.At(Row(6).Width() - 1, 21), MenuHighlightBorderColor);
        EXPECT_EQ(highlighted.At(1, 1), MenuHighlightColor);
    }
    Row(6).MouseEnter = false;
    {
        Painted plain(Row(6));
        EXPECT_EQ(plain.At(Row(6).Width() - 1, 0), MenuBackColor);
        EXPECT_EQ(plain.At(0, 0), RGB(251, 252, 255)); // the icon column's left edge
    }
}

TEST_F(DropDownMenu, DropRulesForADraggedFolder)
{
    DragNode = sub;
    auto accepts = [](TWideMenuItem& row) {
        bool accept = true;
        row.DragOver(nullptr, 1, 1, TDragState::dsDragMove, accept);
        return accept;
    };
    const bool expected[] = {false, false, false, true, false, false, true};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(accepts(Row(i)), expected[i]) << i;

    const auto insideWindow = MakeWindow<TFmMenu>();

    TFmMenu& inside = *insideWindow;
    inside.Node = sub;
    inside.LoadData(300, 60);
    EXPECT_FALSE(accepts(*inside.WideMenuItem[0])) << "a row inside the dragged folder";
    const auto emptyFolderWindow = MakeWindow<TFmMenu>();
    TFmMenu& emptyFolder = *emptyFolderWindow;
    emptyFolder.Node = empty;
    emptyFolder.LoadData(300, 60);
    ASSERT_TRUE(emptyFolder.WideMenuItem[0]->Empty);
    EXPECT_FALSE(accepts(*emptyFolder.WideMenuItem[0])) << "the Empty row of a folder inside it";
    DragNode = other;
    EXPECT_TRUE(accepts(*emptyFolder.WideMenuItem[0]));
    EXPECT_TRUE(accepts(*inside.WideMenuItem[0]));
}

TEST_F(DropDownMenu, NoDropNestsANodeBelowTheDeepestLevel)
{
    TTreeNode* bottom = empty;
    while (bottom->Level() < MaxNodeLevel - 1)
        bottom = Add(bottom, u"n", nkFolder);
    Add(bottom, u"deepest", nkMessage);
    TTreeNode* deepEmpty = Add(bottom, u"deepest folder", nkFolder);
    const auto deepWindow = MakeWindow<TFmMenu>();
    TFmMenu& deep = *deepWindow;
    deep.Node = bottom;
    deep.LoadData(300, 60);
    const auto deeperWindow = MakeWindow<TFmMenu>();
    TFmMenu& deeper = *deeperWindow;
    deeper.Node = deepEmpty;
    deeper.LoadData(300, 60);
    ASSERT_TRUE(deeper.WideMenuItem[0]->Empty);
    const struct {
        TTreeNode* dragged;
        TWideMenuItem* row;
        bool accepted;
    } cases[] = {
        {other, deep.WideMenuItem[0], true},
        {sub, deep.WideMenuItem[0], false},
        {other, deeper.WideMenuItem[0], false},
    };
    for (const auto& c : cases) {
        DragNode = c.dragged;
        bool accept = true;
        c.row->DragOver(nullptr, 1, 1, TDragState::dsDragMove, accept);
        EXPECT_EQ(accept, c.accepted) << ToUtf8(c.dragged->Text) << " onto " << ToUtf8(c.row->Caption);
        if (!c.accepted) {
            const TTreeNode* parent = c.dragged->Parent();
            c.row->DragDrop(nullptr, 1, 1);
            EXPECT_EQ(c.dragged->Parent(), parent) << "the drop moves nothing";
        }
    }
}

TEST_F(DropDownMenu, ADropMovesTheNodeBeforeTheRowAndRebuildsTheWindows)
{
    DragNode = other;
    DragStartMenuNode = menu;
    DragSourceMenuWnd = reinterpret_cast<std::uintptr_t>(FmMenu->Handle());
    Row(3).DragDrop(nullptr, 1, 1);
    EXPECT_EQ(menu->Item(3), other);
    EXPECT_EQ(menu->Item(4), hello);
    EXPECT_EQ(Row(3).Caption, u"Other") << "rebuilt";
    EXPECT_TRUE(FileHoldsTheTree()) << "saved at once: Exit does not save";

    // Onto the Empty row of a folder in a submenu: the node becomes its only child, and both
    // windows rebuild.
    const auto submenuWindow = MakeWindow<TFmMenu>();
    TFmMenu& submenu = *submenuWindow;
    submenu.Node = empty;
    submenu.LoadData(300, 60);
    DragNode = hello;
    submenu.WideMenuItem[0]->DragDrop(nullptr, 1, 1);
    ASSERT_EQ(empty->Count(), 1);
    EXPECT_EQ(empty->Item(0), hello);
    EXPECT_EQ(submenu.WideMenuItem[0]->Node, hello);
    EXPECT_EQ(FmMenu->WideMenuItem.size(), 6u);
    EXPECT_EQ(hello->StateIndex, 0x6000 | 'G') << "the node itself is untouched";
    EXPECT_TRUE(FileHoldsTheTree());
}

TEST_F(DropDownMenu, ADragWhoseNodeATrimDeletesDropsNothingAndTheNextSaveIsSound)
{
    TTreeNodes& items = SnippetTree();
    // The dragged entry is the sixth of the history, whatever earlier tests captured below it.
    TTreeNode* dragged = Add(ClipboardsNode, u"dragged", nkMessage);
    dragged->Data = u"d";
    items.MoveBefore(dragged, ClipboardsNode->Item(3));
    std::vector<TTreeNode*> newer;
    for (int i = 0; i < MinClipboardMaxCount; ++i) {
        newer.push_back(Add(ClipboardsNode, u"newer", nkMessage));
        items.MoveBefore(newer.back(), ClipboardsNode->Item(3));
    }
    DragNode = dragged;
    DragStartMenuNode = ClipboardsNode;
    DragSourceMenuWnd = reinterpret_cast<std::uintptr_t>(FmMenu->Handle());
    const int limit = ClipboardMaxCount;
    ClipboardMaxCount = MinClipboardMaxCount;
    TrimClipboardHistory(items); // a capture while the drag is under way
    ClipboardMaxCount = limit;
    EXPECT_EQ(DragNode, nullptr);

    bool accept = true;
    Row(3).DragOver(nullptr, 1, 1, TDragState::dsDragMove, accept);
    EXPECT_FALSE(accept);
    const std::string before = ChildNames(menu);
    Row(3).DragDrop(nullptr, 1, 1);
    EXPECT_EQ(ChildNames(menu), before);

    SaveDataFile(items, RootNode);
    TTreeNodes read;
    TTreeNode* root = read.AddChild(nullptr, u"Data");
    EXPECT_TRUE(ParseDataFileBytes(read, root, OsFiles().ReadWholeFile(DataFile)));
    EXPECT_TRUE(FileHoldsTheTree());
    for (TTreeNode* node : newer)
        items.Delete(node);
}

TEST_F(DropDownMenu, ADeletedNodeClosesTheOpenMenuThatShowsIt)
{
    FmMenu->Show();
    TTreeNode* elsewhere = Add(MessagesNode, u"Elsewhere", nkMessage);
    SnippetTree().Delete(elsewhere);
    EXPECT_TRUE(FmMenu->Visible()); // not one of its rows
    SnippetTree().Delete(deep); // a row of a folder the menu shows but has not opened
    EXPECT_TRUE(FmMenu->Visible());
    SnippetTree().Delete(other);
    EXPECT_FALSE(FmMenu->Visible());
    FmMenu->LoadData(100, 26); // opened again, it shows what is left
    for (const TWideMenuItem* row : FmMenu->WideMenuItem)
        EXPECT_NE(row->Caption, u"Other");
}

} // namespace
