#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Environment.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/SnippetTree.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitWideMenuItem.h"
#include "ui/Application.h"

namespace {

// The Messages menu holding a chain of folders three deep, a message and a long folder; the
// test opens it as the bar would and moves the pointer over its rows with real messages.
struct Submenus : testing::Test {
    std::vector<TTreeNode*> added;
    TTreeNode* level1 = nullptr;
    TTreeNode* level2 = nullptr;
    TTreeNode* level3 = nullptr;
    TTreeNode* greeting = nullptr;
    TTreeNode* other = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        SetCursorPos(5, 790);
        level1 = Add(MessagesNode, u"Level one", nkFolder);
        level2 = Add(level1, u"Level two", nkFolder);
        level3 = Add(level2, u"Level three", nkFolder);
        Add(level3, u"Deep", nkMessage, u"deep text");
        greeting = Add(MessagesNode, u"Greeting", nkMessage, u"Hello & welcome");
        other = Add(MessagesNode, u"Other folder", nkFolder);
        added = {level1, greeting, other};
    }
    void TearDown() override
    {
        FmMenu->Hide();
        Application->ProcessMessages();
        for (TTreeNode* node : added)
            SnippetTree().Delete(node);
        SetCursorPos(5, 790);
    }
    static TTreeNode* Add(TTreeNode* parent, const String& name, int kind, const String& content = {})
    {
        TTreeNode* node = SnippetTree().AddChild(parent, name);
        node->ImageIndex = kind;
        if (kind == nkMessage)
            node->Data = content;
        return node;
    }
    static void Open(TFmMenu& menu, TTreeNode* node, int left, int top)
    {
        menu.Node = node;
        menu.ShowSubMenuAtRight = true;
        menu.LeftWidth = left + 40;
        menu.LoadData(left, top);
        menu.Show();
    }
    static POINT RowCentre(const TFmMenu& menu, int index)
    {
        const TWideMenuItem& row = *menu.WideMenuItem.at(static_cast<size_t>(index));
        const POINT origin = row.ClientOrigin();
        return {origin.x + row.Width() / 2, origin.y + row.Height() / 2};
    }
    // The pointer moves onto the row: the system's cursor goes there and the panel hears of it.
    static void PointAt(const TFmMenu& menu, int index)
    {
        const POINT p = RowCentre(menu, index);
        SetCursorPos(p.x, p.y);
        POINT client = p;
        ScreenToClient(menu.PanelData->Handle(), &client);
        SendMessageW(menu.PanelData->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
    static void ClickRow(const TFmMenu& menu, int index)
    {
        PointAt(menu, index);
        POINT client = RowCentre(menu, index);
        ScreenToClient(menu.PanelData->Handle(), &client);
        SendMessageW(menu.PanelData->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        SendMessageW(menu.PanelData->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }
    static String RowName(int i)
    {
        const std::string digits = std::to_string(i);
        return u"Row " + String(digits.begin(), digits.end());
    }
    static bool SubmenuShows(const TFmMenu& menu) { return menu.FmMenuSub && menu.FmMenuSub->Visible(); }
    static RECT Bounds(const TWinControl& window)
    {
        RECT r{};
        GetWindowRect(window.Handle(), &r);
        return r;
    }
};

TEST_F(Submenus, RestingOnAFolderRowOpensItsSubmenuBesideTheMenuAfterHalfASecond)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    const int row = level1->Index();
    PointAt(*FmMenu, row);
    EXPECT_EQ(FmMenu->SelectedItem, row);
    EXPECT_TRUE(FmMenu->TimerDirHint.Enabled());
    EXPECT_EQ(FmMenu->TimerDirHint.Interval(), 500u);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 3000));
    EXPECT_GE(GetTickCount() - start, 400u);
    EXPECT_FALSE(FmMenu->TimerDirHint.Enabled()) << "one shot";
    TFmMenu& sub = *FmMenu->FmMenuSub;
    EXPECT_EQ(sub.Node, level1);
    const RECT r = Bounds(sub);
    EXPECT_EQ(r.left, FmMenu->Left() + FmMenu->ClientWidth() - 2) << "overlapping the right frame by 2";
    EXPECT_EQ(r.top, FmMenu->WideMenuItem[row]->ClientOrigin().y - 2);
    EXPECT_EQ(sub.WideMenuItem[0]->ClientOrigin().y, FmMenu->WideMenuItem[row]->ClientOrigin().y)
        << "the first row lines up with the folder row";
    EXPECT_TRUE(sub.ShowSubMenuAtRight);
    EXPECT_EQ(GetWindowLongPtrW(sub.Handle(), GWLP_USERDATA), OwnWindowMarker);
}

TEST_F(Submenus, LeavingTheRowEarlyOpensNothing)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    PointAt(*FmMenu, level1->Index());
    PointAt(*FmMenu, greeting->Index()); // on to another row before the delay ran out
    EXPECT_EQ(FmMenu->TimerDirHint.Interval(), 800u);
    PumpUntil([] { return false; }, 600);
    EXPECT_FALSE(SubmenuShows(*FmMenu));
    // The pointer leaves the folder row without entering another: the tick finds it gone.
    PointAt(*FmMenu, other->Index());
    SetCursorPos(5, 790);
    PumpUntil([] { return false; }, 700);
    EXPECT_FALSE(SubmenuShows(*FmMenu));
}

TEST_F(Submenus, ComingBackToTheFolderKeepsItsSubmenuAnotherRowClosesItAtOnce)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    const int row = level1->Index();
    PointAt(*FmMenu, row);
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 3000));
    TFmMenu* sub = FmMenu->FmMenuSub.get();
    PointAt(*sub, 0); // into the submenu: the parent hears nothing
    SendMessageW(FmMenu->PanelData->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(FmMenu->WideMenuItem[row]->MouseEnter) << "the folder row stays highlighted";
    PointAt(*FmMenu, row);
    EXPECT_TRUE(sub->Visible());
    EXPECT_FALSE(FmMenu->TimerDirHint.Enabled());
    PointAt(*FmMenu, greeting->Index());
    EXPECT_FALSE(sub->Visible());
    EXPECT_FALSE(FmMenu->WideMenuItem[row]->MouseEnter);
}

TEST_F(Submenus, ADragReenteringTheFolderRowReopensItsSubmenuAfterTheDelay)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    const int row = level1->Index();
    PointAt(*FmMenu, row);
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 3000));
    Dragging = true;
    SendMessageW(FmMenu->Handle(), UM_MENUITEMSELECTED, 0, row);
    SendMessageW(FmMenu->Handle(), UM_MENUITEMSELECTING, 500, row);
    EXPECT_FALSE(SubmenuShows(*FmMenu));
    EXPECT_TRUE(FmMenu->TimerDirHint.Enabled());
    EXPECT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 3000));
    Dragging = false;
}

TEST_F(Submenus, ARightReleaseOnThePanelClosesTheSubmenuExceptInTheProgramMenu)
{
    for (TTreeNode* menuNode : {MessagesNode, ProgramMenuNode}) {
        Open(*FmMenu, menuNode, 200, 26);
        // A submenu open beside the window, and the preview showing.
        if (!FmMenu->FmMenuSub)
            FmMenu->FmMenuSub = MakeWindow<TFmMenu>();
        FmMenu->FmMenuSub->Node = level1;
        FmMenu->FmMenuSub->LoadData(600, 100);
        FmMenu->FmMenuSub->Show();
        FmHint->ImageIndex = nkMessage;
        FmHint->HintText = u"shown";
        FmHint->Show();
        SendMessageW(FmMenu->PanelData->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(0, 5));
        EXPECT_FALSE(FmHint->Visible());
        EXPECT_EQ(SubmenuShows(*FmMenu), menuNode == ProgramMenuNode);
        FmMenu->Hide();
    }
}

TEST_F(Submenus, AClickOpensTheSubmenuAtOnceAndASecondClickLeavesItOpen)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    const int row = level1->Index();
    ClickRow(*FmMenu, row);
    EXPECT_EQ(FmMenu->TimerDirHint.Interval(), 1u); // at once
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 1000));
    TFmMenu* sub = FmMenu->FmMenuSub.get();
    ClickRow(*FmMenu, row);
    EXPECT_FALSE(FmMenu->TimerDirHint.Enabled());
    EXPECT_EQ(FmMenu->FmMenuSub.get(), sub);
    EXPECT_TRUE(sub->Visible());
}

TEST_F(Submenus, EachWindowReusesItsOneSubmenuWindowAndFreesItWhenItHides)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    ClickRow(*FmMenu, level1->Index());
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 1000));
    TFmMenu* sub = FmMenu->FmMenuSub.get();
    ClickRow(*FmMenu, other->Index());
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 1000));
    EXPECT_EQ(FmMenu->FmMenuSub.get(), sub);
    EXPECT_EQ(sub->Node, other);
    EXPECT_EQ(sub->WideMenuItem.size(), 1u) << "the Empty row";
    FmMenu->Hide();
    EXPECT_EQ(FmMenu->FmMenuSub, nullptr);
}

TEST_F(Submenus, NearTheRightEdgeSubmenusOpenLeftAndTheSideIsCarriedDown)
{
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    FmMenu->Node = MessagesNode;
    FmMenu->LeftWidth = 0;
    FmMenu->LoadData(0, 26);
    Open(*FmMenu, MessagesNode, screen - FmMenu->ClientWidth() - 5, 26);
    ClickRow(*FmMenu, level1->Index());
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 1000));
    TFmMenu& sub = *FmMenu->FmMenuSub;
    EXPECT_EQ(Bounds(sub).left, FmMenu->Left() - sub.ClientWidth() + 2);
    EXPECT_FALSE(sub.ShowSubMenuAtRight);
    ClickRow(sub, 0);
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(sub); }, 1000));
    TFmMenu& subSub = *sub.FmMenuSub;
    EXPECT_EQ(Bounds(subSub).left, sub.Left() - subSub.ClientWidth() + 2) << "keeps opening to the left";
    EXPECT_FALSE(subSub.ShowSubMenuAtRight);
}

TEST_F(Submenus, RestingOnAMessageRowShowsThePreviewTwelvePixelsBelowTheRow)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    const int row = greeting->Index();
    PointAt(*FmMenu, row);
    EXPECT_EQ(FmMenu->TimerDirHint.Interval(), 800u);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([] { return FmHint->Visible(); }, 3000));
    EXPECT_GE(GetTickCount() - start, 700u);
    EXPECT_EQ(FmHint->HintText, u"Hello & welcome");
    const TWideMenuItem& item = *FmMenu->WideMenuItem[row];
    const RECT r = Bounds(*FmHint);
    EXPECT_EQ(r.top, item.ClientOrigin().y + item.Height() + 12);
    EXPECT_EQ(r.left, RowCentre(*FmMenu, row).x);
    PointAt(*FmMenu, level1->Index());
    EXPECT_FALSE(FmHint->Visible()) << "every other menu event hides it";
}

TEST_F(Submenus, ThePreviewTakesTheFirst2000CodeUnits)
{
    greeting->Data = String(2100, u'x');
    Open(*FmMenu, MessagesNode, 200, 26);
    PointAt(*FmMenu, greeting->Index());
    ASSERT_TRUE(PumpUntil([] { return FmHint->Visible(); }, 3000));
    EXPECT_EQ(FmHint->HintText.size(), 2000u);
}

TEST_F(Submenus, ALongMenuScrollsRowByRowUntilTheArrowHidesItsFixedRowsStaying)
{
    for (int i = 0; i < 60; ++i)
        added.push_back(Add(MessagesNode, RowName(i), nkMessage, u"x"));
    Open(*FmMenu, MessagesNode, 200, 26);
    TPanel& down = *FmMenu->PanelBtmScroll;
    TPanel& up = *FmMenu->PanelTopScroll;
    ASSERT_EQ(down.Width(), 28);
    ASSERT_EQ(up.Width(), 0);
    std::vector<int> fixedTops;
    for (int i = 0; i < 3; ++i)
        fixedTops.push_back(FmMenu->WideMenuItem[i]->Top());
    // The pointer rests on the down arrow.
    const POINT arrow = down.ClientToScreen({14, 7});
    SetCursorPos(arrow.x, arrow.y);
    SendMessageW(down.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(14, 7));
    EXPECT_EQ(FmMenu->MouseInScroolBtn, 2);
    EXPECT_TRUE(FmMenu->TimerScroll.Enabled());
    EXPECT_EQ(FmMenu->TimerScroll.Interval(), 150u);
    TWideMenuItem& first = *FmMenu->WideMenuItem[3];
    const int startTop = first.Top();
    std::vector<int> tops{startTop};
    // Each tick records its own move: a busy machine may deliver two ticks between two looks.
    const std::function<void()> tick = FmMenu->TimerScroll.OnTimer;
    FmMenu->TimerScroll.OnTimer = [&] {
        tick();
        if (first.Top() != tops.back())
            tops.push_back(first.Top());
    };
    const bool scrolledToTheEnd = PumpUntil([&] { return down.Width() == 0; }, 20000);
    FmMenu->TimerScroll.OnTimer = tick;
    ASSERT_TRUE(scrolledToTheEnd);
    EXPECT_FALSE(FmMenu->TimerScroll.Enabled());
    EXPECT_EQ(FmMenu->TimerScroll.Interval(), 80u);
    ASSERT_GT(tops.size(), 3u);
    for (size_t i = 1; i < tops.size(); ++i)
        EXPECT_EQ(tops[i - 1] - tops[i], 22) << "one row per tick";
    EXPECT_TRUE(FmMenu->WideMenuItem.back()->Visible());
    EXPECT_FALSE(first.Visible());
    EXPECT_EQ(up.Width(), 28);
    EXPECT_EQ(up.Left(), (FmMenu->ClientWidth() - 28) / 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(FmMenu->WideMenuItem[i]->Top(), fixedTops[i]);
        EXPECT_TRUE(FmMenu->WideMenuItem[i]->Visible());
    }
    SendMessageW(down.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(FmMenu->MouseInScroolBtn, 0);
}

TEST_F(Submenus, ADragHeldOnAnArrowScrollsLikeThePointer)
{
    for (int i = 0; i < 60; ++i)
        added.push_back(Add(MessagesNode, RowName(i), nkMessage, u"x"));
    Open(*FmMenu, MessagesNode, 200, 26);
    bool accept = true;
    FmMenu->ImageBtmScroll->DragOver(nullptr, 1, 1, TDragState::dsDragEnter, accept);
    EXPECT_EQ(FmMenu->MouseInScroolBtn, 2);
    EXPECT_TRUE(FmMenu->TimerScroll.Enabled());
    const int top = FmMenu->WideMenuItem[3]->Top();
    ASSERT_TRUE(PumpUntil([&] { return FmMenu->WideMenuItem[3]->Top() != top; }, 2000));
    FmMenu->ImageBtmScroll->DragOver(nullptr, 1, 1, TDragState::dsDragLeave, accept);
    EXPECT_EQ(FmMenu->MouseInScroolBtn, 0);
    EXPECT_FALSE(FmMenu->TimerScroll.Enabled());
}

TEST_F(Submenus, APressOnTheEmptyPanelAreaHidesTheSubmenuAndThePreview)
{
    Open(*FmMenu, MessagesNode, 200, 26);
    ClickRow(*FmMenu, level1->Index());
    ASSERT_TRUE(PumpUntil([&] { return SubmenuShows(*FmMenu); }, 1000));
    SendMessageW(FmMenu->PanelData->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    SendMessageW(FmMenu->PanelData->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(0, 5));
    EXPECT_FALSE(SubmenuShows(*FmMenu));
    EXPECT_NE(FmMenu->FmMenuSub, nullptr) << "kept for reuse";
    EXPECT_TRUE(FmMenu->Visible());
}

} // namespace
