// The Organize window in process: its layout, the tree of menus and folders and the list of the
// selected one, the enabling of its commands, Delete, Sort, keys and double-clicks through real
// messages, the items of deleted nodes, drag and drop through the real pointer, and the data file
// at the end of a session and after the Organize command.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogAccess.h"
#include "Environment.h"
#include "ModalDriver.h"
#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/NodeWatch.h"
#include "core/ScopeExit.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "OsDoubles.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/UnitOrg.h"
#include "organize/win32/UnitRename.h"
#include "ui/Application.h"
#include "ui/DragDrop.h"
#include "ui/Timer.h"
#include "ui/WinText.h"

namespace {

// Answers the delete questions as a user would and records them.
class AnsweringOs : public TWin32Input, public TWin32Shell {
public:
    int Answer = IDNO;
    std::vector<String> Questions;
    std::vector<int> Unregistered;
    bool UnregisterHotkey(int id) override
    {
        Unregistered.push_back(id);
        return TWin32Input::UnregisterHotkey(id);
    }
    int MessageDialog(StringView text, StringView, int flags) override
    {
        Questions.emplace_back(text);
        Flags = flags;
        return Answer;
    }
    int Flags = 0;
};

void SendMouse(DWORD flags, POINT screen = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(input));
}

std::vector<String> ListedNames(const TTreeNode* node)
{
    std::vector<String> names;
    for (int i = 0; node && i < node->Count(); ++i)
        if (node->Item(i)->ImageIndex == nkMessage || node->Item(i)->ImageIndex == nkFolder)
            names.push_back(node->Item(i)->Text);
    return names;
}

String Numbered(const char16_t* prefix, int i)
{
    String name = prefix;
    for (char c : std::to_string(i))
        name += static_cast<char16_t>(c);
    return name;
}

// The data file on disk holds name (as UTF-16 text at any byte offset).
bool FileContains(const char16_t* name)
{
    const std::vector<std::uint8_t> bytes = OsFiles().ReadWholeFile(DataFile);
    for (size_t offset : {0u, 1u}) {
        if (bytes.size() <= offset)
            continue;
        const std::u16string text(reinterpret_cast<const char16_t*>(bytes.data() + offset),
                                  (bytes.size() - offset) / 2);
        if (text.find(name) != std::u16string::npos)
            return true;
    }
    return false;
}

struct OrganizeWindow : testing::Test {
    AnsweringOs os;
    TOsServices real = OsServices();
    TTreeNode* menu = nullptr;
    TTreeNode *alpha = nullptr, *inner = nullptr, *m1 = nullptr, *m2 = nullptr, *beta = nullptr, *m3 = nullptr;
    std::unique_ptr<TFmOrg> org;
    int menuCount = 0;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        menuCount = RootNode->Count();
        os.HotkeyWindow = FmMenuBar->Handle();
        SetOsServices(WithDouble(real, os));
        TTreeNodes& items = SnippetTree();
        menu = items.AddChild(RootNode, u"Work");
        menu->ImageIndex = nkFolder;
        AddMessageMenuRows(items, menu);
        m1 = Add(menu, u"m1", nkMessage);
        alpha = Add(menu, u"Alpha", nkFolder);
        inner = Add(alpha, u"Inner", nkFolder);
        m3 = Add(alpha, u"m3", nkMessage);
        Add(menu, u"-", nkSeparator);
        m2 = Add(menu, u"m2", nkMessage);
        beta = Add(menu, u"Beta", nkFolder);
        org = MakeWindow<TFmOrg>();
        FmOrg = org.get();
    }
    void TearDown() override
    {
        // A test that ends with the left button held (a drag it cancelled with the right one) lets
        // it go: the thread's key state would otherwise show it held to every later test.
        if (GetCapture() || GetKeyState(VK_LBUTTON) < 0)
            SendMouse(MOUSEEVENTF_LEFTUP);
        PumpUntil([] { return !DragInProgress() && GetKeyState(VK_LBUTTON) >= 0; });
        // The pointer goes back out of the way and no input of this test is left for the next one.
        SendMouse(MOUSEEVENTF_MOVE, {5, 700});
        PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; });
        FmOrg = nullptr;
        org.reset();
        while (RootNode->Count() > menuCount)
            SnippetTree().Delete(RootNode->Item(RootNode->Count() - 1));
        SetOsServices(real);
    }
    TTreeNode* Add(TTreeNode* parent, const String& name, int kind)
    {
        TTreeNode* node = SnippetTree().AddChild(parent, name);
        node->ImageIndex = kind;
        return node;
    }
    void Open(const TTreeNode* preselect)
    {
        org->LoadTreeNodeFromMenuData(preselect);
        ASSERT_TRUE(WaitUntilForeignForegroundHandled());
        org->Show();
        ASSERT_TRUE(ActivateWithFocus(org->Handle(), org->TreeView1->Handle()));
    }
    std::vector<String> ListCaptions() const
    {
        std::vector<String> captions;
        for (int i = 0; i < org->ListView1->Count(); ++i)
            captions.push_back(org->ListView1->ItemCaption(i));
        return captions;
    }
    std::vector<String> TreeChildren(HTREEITEM parent) const
    {
        std::vector<String> names;
        TTreeView& tree = *org->TreeView1;
        for (HTREEITEM at = parent ? tree.FirstChild(parent) : tree.FirstTop(); at; at = tree.NextSibling(at))
            names.push_back(tree.ItemText(at));
        return names;
    }
    static std::vector<String> Names(const TTreeNode* node, int from = 0)
    {
        std::vector<String> names;
        for (int i = from; i < node->Count(); ++i)
            names.push_back(node->Item(i)->Text);
        return names;
    }
    TOrgButtonStates States() const
    {
        return {org->SBtnRename->Enabled(), org->SBtnEdit->Enabled(), org->SBtnDelete->Enabled(),
                org->SBtnExport->Enabled()};
    }
    void SelectOnly(std::initializer_list<int> indexes)
    {
        for (int i = 0; i < org->ListView1->Count(); ++i)
            org->ListView1->SetSelected(i, false);
        for (int i : indexes)
            org->ListView1->SetSelected(i, true);
    }
    HTREEITEM Mirror(const TTreeNode* node) const { return org->FindOrgTreeNode(node); }
    POINT TreeItemCentre(HTREEITEM item) const
    {
        RECT r{};
        TreeView_GetItemRect(org->TreeView1->Handle(), item, &r, TRUE);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(org->TreeView1->Handle(), &p);
        return p;
    }
    POINT ListItemCentre(int index) const
    {
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageW(org->ListView1->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 10, (r.top + r.bottom) / 2};
        ClientToScreen(org->ListView1->Handle(), &p);
        return p;
    }
    // Presses at from and moves until the drag is under way.
    void StartDrag(POINT from)
    {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ASSERT_TRUE(PumpUntilHandled()); // the control has seen the pointer there
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_MOVE, {from.x + 4, from.y + 12});
        ASSERT_TRUE(PumpUntil([] { return DragInProgress(); }));
    }
    // Presses at from, moves until the drag is under way, moves to to, waits until the control
    // there has seen the pointer (over() tells), and releases.
    void Drag(POINT from, POINT to, const std::function<bool()>& over)
    {
        StartDrag(from);
        SendMouse(MOUSEEVENTF_MOVE, {to.x, to.y - 1});
        SendMouse(MOUSEEVENTF_MOVE, to);
        ASSERT_TRUE(PumpUntil(over));
        SendMouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([] { return !DragInProgress(); }));
    }
    // Counts the drag-over calls (entries and moves) that the tree and the list see from now on.
    int treeOvers = 0, listOvers = 0;
    void CountOvers()
    {
        auto tree = org->TreeView1->OnDragOver;
        org->TreeView1->OnDragOver = [this, tree](TDragControl* s, int x, int y, TDragState st, bool& a) {
            if (st != TDragState::dsDragLeave)
                ++treeOvers;
            tree(s, x, y, st, a);
        };
        auto list = org->ListView1->OnDragOver;
        org->ListView1->OnDragOver = [this, list](TDragControl* s, int x, int y, TDragState st, bool& a) {
            if (st != TDragState::dsDragLeave)
                ++listOvers;
            list(s, x, y, st, a);
        };
    }
};

TEST_F(OrganizeWindow, LayoutOfTheTreeTheListAndTheButtonColumn)
{
    TFmOrg& o = *org;
    EXPECT_EQ(ToUtf8(o.Caption()), "Organize");
    // The layout's 678 by 466 lie inside the border of 8 pixels.
    EXPECT_EQ(o.ClientWidth(), 678 + 16);
    EXPECT_EQ(o.ClientHeight(), 466 + 16);
    EXPECT_TRUE(GetWindowLongW(o.Handle(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(o.Handle(), GW_OWNER), FmMain->Handle());
    EXPECT_EQ(o.Left(), (GetSystemMetrics(SM_CXSCREEN) - o.Width()) / 2);
    MINMAXINFO limits{};
    SendMessageW(o.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 520);
    EXPECT_EQ(limits.ptMinTrackSize.y, 420);

    const DWORD treeStyle = static_cast<DWORD>(GetWindowLongW(o.TreeView1->Handle(), GWL_STYLE));
    EXPECT_TRUE(treeStyle & TVS_SHOWSELALWAYS);
    EXPECT_FALSE(treeStyle & TVS_EDITLABELS);
    EXPECT_EQ(SendMessageW(o.TreeView1->Handle(), TVM_GETINDENT, 0, 0), 19);
    const DWORD listStyle = static_cast<DWORD>(GetWindowLongW(o.ListView1->Handle(), GWL_STYLE));
    EXPECT_EQ(listStyle & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_TRUE(listStyle & LVS_NOCOLUMNHEADER);
    EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(listStyle & LVS_SINGLESEL);
    EXPECT_FALSE(listStyle & LVS_EDITLABELS);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(o.ImageList1.Handle(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_GE(o.ImageList1.Count(), 8);

    const auto expectLayout = [&](int width, int height) {
        SCOPED_TRACE(width);
        RECT tree = o.TreeView1->BoundsRect(), list = o.ListView1->BoundsRect(), splitter{};
        GetWindowRect(o.Splitter1->Handle(), &splitter);
        MapWindowPoints(HWND_DESKTOP, o.Handle(), reinterpret_cast<POINT*>(&splitter), 2);
        EXPECT_EQ(tree.left, 8);
        EXPECT_EQ(tree.top, 8);
        EXPECT_EQ(tree.right, 168);
        EXPECT_EQ(tree.bottom, height - 8);
        EXPECT_EQ(splitter.left, 168);
        EXPECT_EQ(splitter.right, 171);
        EXPECT_EQ(list.left, 171);
        EXPECT_EQ(list.right, width - 8 - 107 - 8);
        EXPECT_EQ(list.bottom, height - 8);
        const int tops[] = {8, 41, 74, 119, 152, 185, 218, 263, 296, 341};
        int i = 0;
        for (TSpeedButton* b : {o.SBtnNewMenu, o.SBtnNewFolder, o.SBtnNewMessage, o.SBtnRename, o.SBtnEdit,
                                o.SBtnDelete, o.SBtnSort, o.SBtnImport, o.SBtnExport, o.SBtnClose}) {
            EXPECT_EQ(b->Left(), width - 8 - 107) << i;
            EXPECT_EQ(b->Top(), tops[i]) << i;
            EXPECT_EQ(b->Width(), 107);
            EXPECT_EQ(b->Height(), 25);
            ++i;
        }
    };
    expectLayout(694, 482);
    o.SetClientSize(800, 520);
    expectLayout(800, 520);

    const struct {
        TSpeedButton* button;
        const char* caption;
        bool enabled;
    } buttons[] = {{o.SBtnNewMenu, "New Menu...", true},  {o.SBtnNewFolder, "New Folder...", true},
                   {o.SBtnNewMessage, "New Message...", true}, {o.SBtnRename, "Rename", false},
                   {o.SBtnEdit, "Edit...", false},         {o.SBtnDelete, "Delete", false},
                   {o.SBtnSort, "Sort", true},             {o.SBtnImport, "Import...", true},
                   {o.SBtnExport, "Export...", true},      {o.SBtnClose, "Close", true}};
    for (const auto& b : buttons) {
        EXPECT_EQ(ToUtf8(b.button->Caption()), b.caption);
        EXPECT_EQ(b.button->Enabled(), b.enabled) << b.caption;
    }
    // The tree comes first in the tab order, then the list; the buttons are no windows at all.
    EXPECT_EQ(GetNextDlgTabItem(o.Handle(), o.TreeView1->Handle(), FALSE), o.ListView1->Handle());
}

TEST_F(OrganizeWindow, TheTreeMirrorsMenusAndFoldersAndTheListShowsMessagesAndFolders)
{
    Open(menu);
    TTreeView& tree = *org->TreeView1;
    std::vector<String> tops;
    for (int i = 1; i < RootNode->Count(); ++i)
        tops.push_back(RootNode->Item(i)->Text);
    EXPECT_EQ(TreeChildren(nullptr), tops); // no program menu
    HTREEITEM work = Mirror(menu);
    ASSERT_TRUE(work);
    EXPECT_EQ(tree.Selected(), work);
    EXPECT_TRUE(tree.Expanded(work));
    EXPECT_EQ(TreeChildren(work), (std::vector<String>{u"Alpha", u"Beta"}));
    EXPECT_EQ(TreeChildren(Mirror(alpha)), std::vector<String>{u"Inner"});
    EXPECT_FALSE(tree.Expanded(Mirror(alpha)));
    EXPECT_EQ(tree.Data(Mirror(inner)), inner);
    // Never the New..., Organize... and separator rows.
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"m1", u"Alpha", u"m2", u"Beta"}));
    EXPECT_EQ(org->ListView1->ImageIndex(0), nkMessage);
    EXPECT_EQ(org->ListView1->ImageIndex(1), nkFolder);
    EXPECT_EQ(org->ListView1->Data(2), m2);
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = work;
    TreeView_GetItem(tree.Handle(), &item);
    EXPECT_EQ(item.iImage, 6);
    EXPECT_EQ(item.iSelectedImage, 7);
}

TEST_F(OrganizeWindow, PreselectionByTheNodeTheCommandPasses)
{
    const struct {
        const TTreeNode* node;
        bool selected;
    } cases[] = {{ClipboardsNode, true}, {nullptr, false}, {alpha, true}, {ProgramMenuNode, false}, {m1, false}};
    for (const auto& c : cases) {
        org->LoadTreeNodeFromMenuData(c.node);
        HTREEITEM selected = org->TreeView1->Selected();
        EXPECT_EQ(selected != nullptr, c.selected);
        if (c.selected) {
            EXPECT_EQ(org->TreeView1->Data(selected), c.node);
        } else {
            org->ListView1->Clear();
        }
    }
    org->LoadTreeNodeFromMenuData(ClipboardsNode);
    EXPECT_EQ(ListCaptions(), ListedNames(ClipboardsNode)); // never Cut, Copy and the separator
    EXPECT_EQ(ListCaptions().size() + 3, static_cast<size_t>(ClipboardsNode->Count()));
    EXPECT_EQ(States(), (TOrgButtonStates{false, false, false, true}));
    org->LoadTreeNodeFromMenuData(nullptr);
    org->TreeView1Enter();
    EXPECT_EQ(States(), (TOrgButtonStates{}));
}

TEST_F(OrganizeWindow, CommandsFollowThePaneWithTheFocusAndItsSelection)
{
    Open(MessagesNode);
    TTreeView& tree = *org->TreeView1;
    EXPECT_EQ(GetFocus(), tree.Handle());
    EXPECT_EQ(States(), (TOrgButtonStates{false, false, false, true}));
    tree.Select(Mirror(menu));
    EXPECT_EQ(States(), (TOrgButtonStates{true, false, true, true}));
    tree.Select(Mirror(inner));
    EXPECT_EQ(States(), (TOrgButtonStates{true, false, true, true}));
    tree.Select(Mirror(ClipboardsNode));
    EXPECT_EQ(States(), (TOrgButtonStates{false, false, false, true}));

    tree.Select(Mirror(menu));
    org->ListView1->SetFocus();
    EXPECT_EQ(States(), (TOrgButtonStates{})); // nothing selected in the list
    const struct {
        std::vector<int> selected;
        TOrgButtonStates states;
    } selections[] = {
        {{0}, {true, true, true, true}},      // a message
        {{1}, {true, false, true, true}},     // a folder
        {{0, 2}, {false, false, true, true}}, // the second selection sees two
    };
    for (const auto& s : selections) {
        SelectOnly({});
        for (int i : s.selected)
            org->ListView1->SetSelected(i, true);
        EXPECT_EQ(States(), s.states);
    }
    org->ListView1->SetSelected(2, false); // Ctrl+click on a selected item
    EXPECT_EQ(States(), (TOrgButtonStates{}));
    tree.SetFocus();
    EXPECT_EQ(States(), (TOrgButtonStates{true, false, true, true}));
    org->ListView1->SetFocus(); // one message selected
    EXPECT_EQ(States(), (TOrgButtonStates{true, true, true, true}));
}

TEST_F(OrganizeWindow, SpeedButtonsNeverTakeTheFocus)
{
    Open(menu);
    org->ListView1->SetFocus();
    SelectOnly({0});
    const TSpeedButton& sort = *org->SBtnSort;
    const LPARAM at = MAKELPARAM(sort.Left() + 5, sort.Top() + 5);
    SendMessageW(org->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(org->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(GetFocus(), org->ListView1->Handle());
    EXPECT_EQ(Names(menu, 3), (std::vector<String>{u"Alpha", u"Beta", u"m1", u"m2", u"-"}));

    // A disabled button does nothing on a click.
    os.Questions.clear();
    org->SBtnDelete->SetEnabled(false);
    const LPARAM del = MAKELPARAM(org->SBtnDelete->Left() + 5, org->SBtnDelete->Top() + 5);
    SendMessageW(org->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, del);
    SendMessageW(org->Handle(), WM_LBUTTONUP, 0, del);
    EXPECT_TRUE(os.Questions.empty());
}

TEST_F(OrganizeWindow, DeleteAsksOnceAndDeletesTheSelectedItems)
{
    Open(menu);
    org->ListView1->SetFocus();
    const struct {
        std::vector<int> selected;
        const char* question;
    } cases[] = {
        {{0}, "Are you sure you want to delete this message?"},
        {{1}, "Are you sure you want to delete this folder?"},
        {{0, 2, 3}, "Are you sure you want to delete these items?"},
    };
    for (const auto& c : cases) {
        SelectOnly({});
        for (int i : c.selected)
            org->ListView1->SetSelected(i, true);
        os.Questions.clear();
        os.Answer = IDNO;
        org->BtnDeleteClick();
        ASSERT_EQ(os.Questions.size(), 1u);
        EXPECT_EQ(ToUtf8(os.Questions[0]), c.question);
        EXPECT_EQ(os.Flags, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
        EXPECT_EQ(ListCaptions().size(), 4u); // No changes nothing
    }
    os.Answer = IDYES;
    m3->StateIndex = 0x4000 | 'J'; // a message with a registered hotkey inside the folder
    m3->Enabled = true;
    SelectOnly({0, 1, 3});
    org->BtnDeleteClick();
    EXPECT_EQ(os.Unregistered.size(), 1u); // the hotkey of the message in the deleted folder
    EXPECT_EQ(ListCaptions(), std::vector<String>{u"m2"});
    EXPECT_EQ(Names(menu, 3), (std::vector<String>{u"-", u"m2"}));
    EXPECT_EQ(TreeChildren(Mirror(menu)), std::vector<String>{});
    EXPECT_FALSE(Mirror(inner)); // the folder's subfolders went with it
}

TEST_F(OrganizeWindow, TheListsScrollBarFollowsAFillAndADeletionAndTheListStaysShown)
{
    for (int i = 0; i < 100; ++i)
        Add(beta, u"message " + String(1, char16_t(u'A' + i % 26)), nkMessage);
    HWND list = org->ListView1->Handle();
    // Filled while its window is still hidden, the list keeps its own visibility for the showing.
    org->LoadTreeNodeFromMenuData(beta);
    ASSERT_EQ(org->ListView1->Count(), 100);
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE);
    Open(beta);
    const auto verticalBar = [&] {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        const bool shown = (GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) != 0;
        return shown && GetScrollInfo(list, SB_VERT, &info) && info.nMax + 1 > static_cast<int>(info.nPage);
    };
    ASSERT_EQ(org->ListView1->Count(), 100);
    EXPECT_TRUE(verticalBar());
    EXPECT_TRUE(IsWindowVisible(list));
    org->ListView1->SetFocus();
    for (int i = 0; i < 98; ++i)
        org->ListView1->SetSelected(i, true);
    os.Answer = IDYES;
    org->BtnDeleteClick();
    EXPECT_EQ(org->ListView1->Count(), 2);
    EXPECT_EQ(beta->Count(), 2);
    EXPECT_FALSE(verticalBar());
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(org->SBtnDelete->Enabled());
}

TEST_F(OrganizeWindow, TheListsColumnIsAsWideAsItsWidestCaption)
{
    // The most characters are not the widest caption.
    Add(beta, u"iiiiiiiiiiiiiiiiiiii", nkMessage);
    Add(beta, u"WWWWWWWWWWWW", nkMessage);
    Add(beta, u"a folder", nkFolder);
    HWND list = org->ListView1->Handle();
    for (const TTreeNode* shown : std::initializer_list<const TTreeNode*>{beta, alpha}) {
        Open(shown);
        const auto width = SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0);
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
        EXPECT_EQ(width, SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)) << ToUtf8(shown->Text);
    }
}

TEST_F(OrganizeWindow, DeleteFromTheTreeAsksTheFolderQuestionAlsoForAMenu)
{
    Open(alpha);
    os.Answer = IDYES;
    org->BtnDeleteClick();
    ASSERT_EQ(os.Questions.size(), 1u);
    EXPECT_EQ(os.Questions[0], PopupDeleteFolderMsg);
    EXPECT_EQ(Names(menu, 3), (std::vector<String>{u"m1", u"-", u"m2", u"Beta"}));
    EXPECT_FALSE(Mirror(alpha));
    // The tree selected a neighbour and the list follows it.
    HTREEITEM now = org->TreeView1->Selected();
    ASSERT_TRUE(now);
    const auto* shown = static_cast<TTreeNode*>(org->TreeView1->Data(now));
    EXPECT_EQ(ListCaptions(), ListedNames(shown));

    org->TreeView1->Select(Mirror(menu));
    org->BtnDeleteClick();
    EXPECT_EQ(os.Questions.size(), 2u);
    EXPECT_EQ(RootNode->Count(), menuCount); // the menu went
    EXPECT_FALSE(Mirror(beta));
    menu = nullptr;
}

// Looks at the window's tree and list while each node of a deletion goes, after the window
// itself has heard of that node.
struct TViewsDuringDeletion : TNodeWatcher {
    const TFmOrg& org;
    const TTreeNode* branch;
    std::vector<int> listCounts;
    std::vector<bool> branchShown;
    TViewsDuringDeletion(const TFmOrg& o, const TTreeNode* b) : org(o), branch(b) {}
    void NodeDeleted(TTreeNode&) override
    {
        listCounts.push_back(org.ListView1->Count());
        branchShown.push_back(org.FindOrgTreeNode(branch) != nullptr);
    }
};

TEST_F(OrganizeWindow, ABigFolderLeavesTheTreeAndTheListInOneGo)
{
    // A folder of a few hundred messages, with subfolders that are expanded in the tree.
    TTreeNode* many = Add(menu, u"Many", nkFolder);
    for (int i = 0; i < 300; ++i)
        Add(many, Numbered(u"Message ", i), nkMessage);
    std::vector<TTreeNode*> subfolders;
    for (int i = 0; i < 3; ++i) {
        subfolders.push_back(Add(many, Numbered(u"Sub ", i), nkFolder));
        Add(Add(subfolders.back(), u"Deeper", nkFolder), u"m", nkMessage);
    }
    Open(many);
    for (TTreeNode* sub : subfolders)
        org->TreeView1->Expand(Mirror(sub));
    ASSERT_EQ(org->ListView1->Count(), 303);
    const int treeCountBefore = org->TreeView1->Count();

    os.Answer = IDYES;
    {
        TViewsDuringDeletion views(*org, many);
        org->BtnDeleteClick();
        // From the first node that goes, the list shows nothing of the folder and the tree none
        // of its branch: neither goes item by item.
        ASSERT_EQ(views.listCounts.size(), 300u + 3 * 3 + 1);
        EXPECT_EQ(views.listCounts.front(), 0);
        EXPECT_FALSE(views.branchShown.front());
    }
    EXPECT_EQ(Names(menu, 3), (std::vector<String>{u"m1", u"Alpha", u"-", u"m2", u"Beta"}));
    EXPECT_FALSE(Mirror(many));
    for (TTreeNode* sub : subfolders)
        EXPECT_FALSE(Mirror(sub));
    EXPECT_EQ(org->TreeView1->Count(), treeCountBefore - 7);
    EXPECT_EQ(TreeChildren(Mirror(menu)), (std::vector<String>{u"Alpha", u"Beta"}));
    // The tree selected a neighbour and the list shows its items, none of a freed node.
    HTREEITEM now = org->TreeView1->Selected();
    ASSERT_TRUE(now);
    const auto* shown = static_cast<TTreeNode*>(org->TreeView1->Data(now));
    EXPECT_EQ(ListCaptions(), ListedNames(shown));
    std::vector<const void*> listedNodes;
    for (int i = 0; i < shown->Count(); ++i)
        if (shown->Item(i)->ImageIndex == nkMessage || shown->Item(i)->ImageIndex == nkFolder)
            listedNodes.push_back(shown->Item(i));
    std::vector<const void*> itemNodes;
    for (int i = 0; i < org->ListView1->Count(); ++i)
        itemNodes.push_back(org->ListView1->Data(i));
    EXPECT_EQ(itemNodes, listedNodes);

    // From the list: a folder with its expanded subfolders goes from the tree as one branch.
    TTreeNode* listed = Add(menu, u"Listed", nkFolder);
    TTreeNode* expanded = Add(listed, u"Expanded", nkFolder);
    Add(expanded, u"Leaf", nkFolder);
    org->LoadTreeNodeFromMenuData(menu);
    org->TreeView1->Expand(Mirror(listed));
    org->TreeView1->Expand(Mirror(expanded));
    org->ListView1->SetFocus();
    SelectOnly({4});
    ASSERT_EQ(org->ListView1->ItemCaption(4), u"Listed");
    {
        TViewsDuringDeletion views(*org, listed);
        org->BtnDeleteClick();
        ASSERT_EQ(views.branchShown.size(), 3u);
        EXPECT_FALSE(views.branchShown.front());
    }
    EXPECT_FALSE(Mirror(listed));
    EXPECT_FALSE(Mirror(expanded));
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"m1", u"Alpha", u"m2", u"Beta"}));
    EXPECT_EQ(TreeChildren(Mirror(menu)), (std::vector<String>{u"Alpha", u"Beta"}));
}

TEST_F(OrganizeWindow, TheDeleteKeyOnReleaseWithAnyModifiers)
{
    Open(ClipboardsNode);
    const auto pressDelete = [&](HWND pane, bool shift) {
        if (shift)
            SendMessageW(pane, WM_KEYDOWN, VK_SHIFT, 0);
        SendMessageW(pane, WM_KEYDOWN, VK_DELETE, 0);
        const size_t before = os.Questions.size();
        ASSERT_TRUE(PumpUntilHandled());
        EXPECT_EQ(os.Questions.size(), before); // not on the press
        SendMessageW(pane, WM_KEYUP, VK_DELETE, 0xC0000001);
        if (shift)
            SendMessageW(pane, WM_KEYUP, VK_SHIFT, 0xC0000001);
    };
    pressDelete(org->TreeView1->Handle(), false);
    EXPECT_TRUE(os.Questions.empty()); // Clipboards cannot be deleted
    org->TreeView1->Select(Mirror(menu));
    pressDelete(org->TreeView1->Handle(), true);
    EXPECT_EQ(os.Questions.size(), 1u);
    org->ListView1->SetFocus();
    pressDelete(org->ListView1->Handle(), false);
    EXPECT_EQ(os.Questions.size(), 1u); // nothing selected
    org->ListView1->SetSelected(2, true);
    pressDelete(org->ListView1->Handle(), false);
    ASSERT_EQ(os.Questions.size(), 2u);
    EXPECT_EQ(os.Questions[1], org->DeleteMessageMsg);
}

TEST_F(OrganizeWindow, ADoubleClickOnAFolderShowsItsContents)
{
    Open(menu);
    const POINT at = [&] {
        POINT p = ListItemCentre(1);
        ScreenToClient(org->ListView1->Handle(), &p);
        return p;
    }();
    const LPARAM where = MAKELPARAM(at.x, at.y);
    HWND list = org->ListView1->Handle();
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(list, WM_LBUTTONUP, 0, where);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    SendMessageW(list, WM_LBUTTONUP, 0, where);
    EXPECT_EQ(org->TreeView1->Selected(), Mirror(alpha));
    EXPECT_TRUE(org->TreeView1->Expanded(Mirror(alpha)));
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"Inner", u"m3"}));
    EXPECT_EQ(GetFocus(), list);
}

// Types name into the name dialog in global once it shows and presses Enter, or Esc for nullptr.
TWhileModal AnswerName(TFmAddFolderRename*& global, const wchar_t* name)
{
    return TWhileModal([&global] { return global && global->Visible(); },
                       [&global, name] {
                           if (name)
                               SetWindowTextW(Ui(*global).LEditName->Handle(), name);
                           Ui(*global).LEditName->SetFocus();
                           PostKey(Ui(*global).LEditName->Handle(), name ? VK_RETURN : VK_ESCAPE);
                       });
}

// Gives the editor a name and a text once it shows and presses its Ok.
TWhileModal AnswerEditor(const wchar_t* name)
{
    return TWhileModal([] { return FmMessage && FmMessage->Visible(); },
                       [name] {
                           SetWindowTextW(Ui(*FmMessage).EditName->Handle(), name);
                           SetWindowTextW(Ui(*FmMessage).MemoText->Handle(), L"some text");
                           SendMessageW(Ui(*FmMessage).BtnOk->Handle(), BM_CLICK, 0, 0);
                       });
}

TEST_F(OrganizeWindow, NewMenuFolderAndMessageAreSelectedAndShown)
{
    Open(menu);
    {
        auto answer = AnswerName(FmNewMenu, L"Fresh menu");
        org->SBtnNewMenu->Click();
        EXPECT_TRUE(answer.Acted());
    }
    TTreeNode* fresh = RootNode->Item(RootNode->Count() - 1);
    EXPECT_EQ(fresh->Text, u"Fresh menu");
    EXPECT_EQ(TreeChildren(nullptr).back(), u"Fresh menu");
    EXPECT_EQ(org->TreeView1->Selected(), Mirror(fresh));
    EXPECT_TRUE(ListCaptions().empty());

    org->TreeView1->Select(Mirror(alpha));
    {
        auto answer = AnswerName(FmNewFolder, L"Fresh folder");
        org->SBtnNewFolder->Click();
        EXPECT_TRUE(answer.Acted());
    }
    EXPECT_EQ(Names(alpha), (std::vector<String>{u"Inner", u"m3", u"Fresh folder"}));
    EXPECT_EQ(TreeChildren(Mirror(alpha)), (std::vector<String>{u"Inner", u"Fresh folder"}));
    EXPECT_EQ(org->TreeView1->Parent(org->TreeView1->Selected()), Mirror(alpha));
    {
        auto cancel = AnswerName(FmNewFolder, nullptr);
        org->SBtnNewFolder->Click();
        EXPECT_TRUE(cancel.Acted());
    }
    EXPECT_EQ(TreeChildren(Mirror(alpha)), (std::vector<String>{u"Inner", u"Fresh folder"}));

    org->TreeView1->Select(Mirror(beta));
    {
        auto answer = AnswerEditor(L"Fresh message");
        org->SBtnNewMessage->Click();
        EXPECT_TRUE(answer.Acted());
    }
    EXPECT_EQ(Names(beta), std::vector<String>{u"Fresh message"});
    EXPECT_EQ(ListCaptions(), std::vector<String>{u"Fresh message"});
    EXPECT_TRUE(FileContains(u"Fresh message"));
}

TEST_F(OrganizeWindow, RenameFromTheListOrTheTreeAndEdit)
{
    Open(menu);
    org->ListView1->SetFocus();
    SelectOnly({1});
    {
        auto answer = AnswerName(FmRename, L"Omega");
        org->SBtnRename->Click();
        EXPECT_TRUE(answer.Acted());
    }
    EXPECT_EQ(alpha->Text, u"Omega");
    EXPECT_EQ(ListCaptions()[1], u"Omega");
    EXPECT_EQ(org->TreeView1->ItemText(Mirror(alpha)), u"Omega"); // the folder's tree node too
    EXPECT_TRUE(FileContains(u"Omega"));
    SelectOnly({0});
    {
        auto cancel = AnswerName(FmRename, nullptr);
        org->SBtnRename->Click();
        EXPECT_TRUE(cancel.Acted());
    }
    EXPECT_EQ(ListCaptions()[0], u"m1");
    {
        auto answer = AnswerEditor(L"m1 edited");
        org->SBtnEdit->Click();
        EXPECT_TRUE(answer.Acted());
    }
    EXPECT_EQ(m1->Text, u"m1 edited");
    EXPECT_EQ(ListCaptions()[0], u"m1 edited");
    EXPECT_EQ(m1->Content(), u"some text");

    org->TreeView1->SetFocus();
    {
        auto answer = AnswerName(FmRename, L"Workplace");
        org->SBtnRename->Click();
        EXPECT_TRUE(answer.Acted());
    }
    EXPECT_EQ(menu->Text, u"Workplace");
    EXPECT_EQ(org->TreeView1->ItemText(Mirror(menu)), u"Workplace");
    EXPECT_EQ(GetFocus(), org->TreeView1->Handle());
}

TEST_F(OrganizeWindow, ADoubleClickOnAMessageOpensTheEditor)
{
    Open(menu);
    org->ListView1->SetFocus();
    SelectOnly({2});
    auto answer = AnswerEditor(L"m2 edited");
    org->ListView1DblClick();
    EXPECT_TRUE(answer.Acted());
    EXPECT_EQ(m2->Text, u"m2 edited");
    EXPECT_EQ(ListCaptions()[2], u"m2 edited");
}

TEST_F(OrganizeWindow, AHistoryEntryTrimmedWhileItIsEditedComesBackInTheList)
{
    const bool autoDelete = AutoDelete;
    const int maxCount = ClipboardMaxCount;
    const auto restore = ScopeExit([&] {
        while (ClipboardsNode->Count() > 3)
            SnippetTree().Delete(ClipboardsNode->Item(3));
        AutoDelete = autoDelete;
        ClipboardMaxCount = maxCount;
    });
    AutoDelete = true;
    ClipboardMaxCount = 5;
    for (const char16_t* name : {u"e1", u"e2", u"e3", u"e4", u"e5"})
        Add(ClipboardsNode, name, nkMessage);
    Open(ClipboardsNode);
    org->ListView1->SetFocus();
    SelectOnly({4}); // the oldest entry, the next one a capture trims
    TWhileModal answer([] { return FmMessage && FmMessage->Visible(); },
                       [] {
                           SetWindowTextW(Ui(*FmMessage).EditName->Handle(), L"kept");
                           SetWindowTextW(Ui(*FmMessage).MemoText->Handle(), L"typed");
                           InsertNewestEntry(SnippetTree(), ClipboardsNode, u"captured");
                           SendMessageW(Ui(*FmMessage).BtnOk->Handle(), BM_CLICK, 0, 0);
                       });
    org->SBtnEdit->Click();
    EXPECT_TRUE(answer.Acted());
    EXPECT_EQ(ListedNames(ClipboardsNode), (std::vector<String>{u"kept", u"captured", u"e1", u"e2", u"e3"}));
    EXPECT_EQ(ListCaptions(), ListedNames(ClipboardsNode));
}

TEST_F(OrganizeWindow, SortOrdersTheDataAndTheTree)
{
    Add(menu, u"Aardvark", nkFolder);
    Add(menu, u"0 first", nkMessage);
    Open(menu);
    org->BtnSortClick();
    EXPECT_EQ(Names(menu), (std::vector<String>{NewCaption, OrganizeCaption, u"-", u"Aardvark", u"Alpha", u"Beta",
                                                u"0 first", u"m1", u"m2", u"-"}));
    EXPECT_EQ(TreeChildren(Mirror(menu)), (std::vector<String>{u"Aardvark", u"Alpha", u"Beta"}));
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"Aardvark", u"Alpha", u"Beta", u"0 first", u"m1", u"m2"}));
}

TEST_F(OrganizeWindow, ItemsOfDeletedNodesGoWhoeverDeletesThem)
{
    Open(menu);
    DeleteNodeTree(m1);
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"Alpha", u"m2", u"Beta"}));
    DeleteNodeTree(alpha);
    EXPECT_FALSE(Mirror(alpha));
    EXPECT_FALSE(Mirror(inner));
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"m2", u"Beta"}));
    // The shown menu itself: the list follows the new selection once the deletion is over.
    SnippetTree().Delete(menu);
    menu = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
        HTREEITEM now = org->TreeView1->Selected();
        return now && ListCaptions() == ListedNames(static_cast<TTreeNode*>(org->TreeView1->Data(now)));
    }));
    for (HTREEITEM at = org->TreeView1->FirstTop(); at; at = org->TreeView1->Next(at))
        EXPECT_NE(org->TreeView1->Data(at), nullptr);
}

TEST_F(OrganizeWindow, SessionEndSavesTheChanges)
{
    m1->Text = u"Kept at log-off";
    m2->Text = u"Gone at log-off";
    Open(menu);
    org->ListView1->SetFocus();
    SelectOnly({2});
    os.Answer = IDYES;
    org->BtnDeleteClick();
    EXPECT_EQ(SendMessageW(org->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(FileContains(u"Kept at log-off"));
    EXPECT_FALSE(FileContains(u"Gone at log-off"));
    SendMessageW(org->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(FileContains(u"Gone at log-off"));
}

TEST_F(OrganizeWindow, DragsMoveListItemsAndTreeNodes)
{
    Open(menu);
    CountOvers();
    // A message from the list onto a folder of the tree.
    const int overs = treeOvers;
    Drag(ListItemCentre(0), TreeItemCentre(Mirror(beta)), [&] { return treeOvers > overs; });
    EXPECT_EQ(Names(beta), std::vector<String>{u"m1"});
    EXPECT_EQ(org->TreeView1->Selected(), Mirror(beta));
    EXPECT_EQ(ListCaptions(), std::vector<String>{u"m1"});

    // A folder of the tree onto another one: its tree node moves along.
    org->TreeView1->Expand(Mirror(menu));
    const int overs2 = treeOvers;
    Drag(TreeItemCentre(Mirror(alpha)), TreeItemCentre(Mirror(beta)), [&] { return treeOvers > overs2; });
    EXPECT_EQ(Names(beta), (std::vector<String>{u"m1", u"Alpha"}));
    EXPECT_EQ(org->TreeView1->Parent(Mirror(alpha)), Mirror(beta));
    EXPECT_EQ(TreeChildren(Mirror(alpha)), std::vector<String>{u"Inner"});
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"m1", u"Alpha"}));

    // A folder onto its own subfolder moves nothing; the subfolder is shown.
    org->TreeView1->Expand(Mirror(alpha));
    const int overs3 = treeOvers;
    Drag(TreeItemCentre(Mirror(alpha)), TreeItemCentre(Mirror(inner)), [&] { return treeOvers > overs3; });
    EXPECT_EQ(alpha->Parent(), beta);
    EXPECT_EQ(inner->Parent(), alpha);
    EXPECT_EQ(org->TreeView1->Selected(), Mirror(inner));
}

TEST_F(OrganizeWindow, ListItemsDroppedTogetherKeepTheirOrderAndAMenuItsFixedRows)
{
    TTreeNode* other = SnippetTree().AddChild(RootNode, u"Other");
    other->ImageIndex = nkFolder;
    AddMessageMenuRows(SnippetTree(), other);
    Open(menu);
    CountOvers();
    org->ListView1->SetFocus();
    SelectOnly({0, 1, 2});
    const int overs = treeOvers;
    Drag(ListItemCentre(2), TreeItemCentre(Mirror(other)), [&] { return treeOvers > overs; });
    EXPECT_EQ(Names(other), (std::vector<String>{NewCaption, OrganizeCaption, u"-", u"m1", u"Alpha", u"m2"}));
    EXPECT_EQ(org->TreeView1->Parent(Mirror(alpha)), Mirror(other));
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"m1", u"Alpha", u"m2"}));
}

TEST_F(OrganizeWindow, ReorderingInTheList)
{
    Add(menu, u"m4", nkMessage);
    Open(menu);
    CountOvers();
    // m1, Alpha, m2, Beta, m4: the first dropped onto the fourth lands just before it.
    org->ListView1->SetFocus();
    const int overs = listOvers;
    Drag(ListItemCentre(0), ListItemCentre(3), [&] { return listOvers > overs; });
    EXPECT_EQ(ListCaptions(), (std::vector<String>{u"Alpha", u"m2", u"m1", u"Beta", u"m4"}));
    EXPECT_EQ(TreeChildren(Mirror(menu)), (std::vector<String>{u"Alpha", u"Beta"}));
}

TEST_F(OrganizeWindow, DropRulesOverTheTreeAndTheList)
{
    Open(menu);
    TFmOrg& o = *org;
    const auto overTree = [&](TDragControl* source, HTREEITEM item) {
        POINT p = TreeItemCentre(item);
        ScreenToClient(o.TreeView1->Handle(), &p);
        bool accept = true;
        o.TreeView1DragOver(source, p.x, p.y, TDragState::dsDragMove, accept);
        return accept;
    };
    EXPECT_FALSE(overTree(o.ListView1.get(), Mirror(menu))); // the shown node itself
    EXPECT_TRUE(overTree(o.ListView1.get(), Mirror(beta)));
    EXPECT_FALSE(overTree(o.TreeView1.get(), Mirror(beta))); // a menu is dragged
    o.TreeView1->Select(Mirror(alpha));
    o.TreeView1->Expand(Mirror(alpha));
    EXPECT_TRUE(overTree(o.TreeView1.get(), Mirror(beta)));
    EXPECT_TRUE(overTree(o.TreeView1.get(), Mirror(inner))); // taken, and moves nothing
    bool accept = true;
    RECT client{};
    GetClientRect(o.TreeView1->Handle(), &client);
    o.TreeView1DragOver(o.ListView1.get(), 2, client.bottom - 2, TDragState::dsDragMove, accept);
    EXPECT_FALSE(accept); // no node there
    o.TimerOpen.SetEnabled(false);

    o.TreeView1->Select(Mirror(menu));
    const auto overList = [&](TDragControl* source, int item) {
        POINT p = ListItemCentre(item);
        ScreenToClient(o.ListView1->Handle(), &p);
        bool taken = true;
        o.ListView1DragOver(source, p.x, p.y, TDragState::dsDragMove, taken);
        return taken;
    };
    SelectOnly({0});
    EXPECT_TRUE(overList(o.ListView1.get(), 2));
    EXPECT_FALSE(overList(o.ListView1.get(), 0)); // itself
    EXPECT_FALSE(overList(o.TreeView1.get(), 2));
    SelectOnly({0, 1});
    EXPECT_FALSE(overList(o.ListView1.get(), 2));
}

TEST_F(OrganizeWindow, HoveringAFolderDuringADragOpensIt)
{
    Open(menu);
    CountOvers();
    org->ListView1->SetFocus();
    SelectOnly({0});
    ASSERT_FALSE(org->TreeView1->Expanded(Mirror(alpha)));
    const POINT from = ListItemCentre(0);
    const POINT to = TreeItemCentre(Mirror(alpha));
    StartDrag(from);
    SendMouse(MOUSEEVENTF_MOVE, to);
    ASSERT_TRUE(PumpUntil([&] { return treeOvers > 0; }));
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return org->TreeView1->Expanded(Mirror(alpha)); }, 3000));
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 500u);
    EXPECT_LE(took, 3000u);
    SendMouse(MOUSEEVENTF_RIGHTDOWN); // cancels
    SendMouse(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([] { return !DragInProgress(); }));
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(alpha->Parent(), menu);
}

TEST_F(OrganizeWindow, HoldingThePointerBelowTheTreeScrollsIt)
{
    for (int i = 0; i < 60; ++i)
        Add(beta, u"folder " + String(1, char16_t(u'A' + i % 26)), nkFolder);
    Open(menu);
    org->TreeView1->Expand(Mirror(beta));
    SendMessageW(org->TreeView1->Handle(), WM_VSCROLL, SB_TOP, 0);
    CountOvers();
    org->ListView1->SetFocus();
    SelectOnly({0});
    const POINT from = ListItemCentre(0);
    RECT tree{};
    GetWindowRect(org->TreeView1->Handle(), &tree);
    StartDrag(from);
    SendMouse(MOUSEEVENTF_MOVE, {tree.left + 20, tree.top + 20});
    ASSERT_TRUE(PumpUntil([&] { return treeOvers > 0; }));
    const auto firstVisible = [&] { return TreeView_GetFirstVisible(org->TreeView1->Handle()); };
    HTREEITEM top = firstVisible();
    SendMouse(MOUSEEVENTF_MOVE, {tree.left + 20, tree.bottom + 15});
    EXPECT_TRUE(PumpUntil([&] { return firstVisible() != top; }, 3000));
    EXPECT_TRUE(org->TimerTreeViewScroll.Enabled());
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([] { return !DragInProgress(); }));
    EXPECT_FALSE(org->TimerTreeViewScroll.Enabled());
    EXPECT_FALSE(org->TimerListViewScroll.Enabled());
}

TEST_F(OrganizeWindow, TheCommandPreselectsRebuildsTheBarAndSavesTheFile)
{
    FmOrg = nullptr;
    org.reset();
    const struct {
        std::function<void()> open;
        const TTreeNode* selected;
    } ways[] = {
        {[] { FmMenuBar->ActionOrganizeExecute(ClipboardsNode); }, ClipboardsNode},
        {[&] { FmMenuBar->ActionOrganizeExecute(menu); }, menu},
        {[] { FmMenuBar->ActionOrganizeExecute(nullptr); }, nullptr},
    };
    for (const auto& way : ways) {
        const TTreeNode* seen = reinterpret_cast<const TTreeNode*>(1);
        bool visible = false;
        TTimer close;
        close.SetInterval(20);
        close.OnTimer = [&] {
            if (!FmOrg || !FmOrg->InModal())
                return;
            visible = IsWindowVisible(FmOrg->Handle()) != FALSE;
            seen = FmOrg->TreeNodeOf(FmOrg->TreeView1->Selected());
            menu->Text = u"Renamed";
            FmOrg->SBtnClose->Click();
        };
        close.SetEnabled(true);
        way.open();
        close.SetEnabled(false);
        EXPECT_TRUE(visible);
        EXPECT_EQ(seen, way.selected);
        EXPECT_EQ(FmOrg, nullptr);
        // The data file shows the change made while the window was open.
        EXPECT_TRUE(FileContains(u"Renamed"));
        menu->Text = u"Work";
        SaveDataFile(SnippetTree(), RootNode);
    }
}

} // namespace
