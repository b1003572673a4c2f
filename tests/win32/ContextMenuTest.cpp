// The real context menu over a real drop-down menu: where a right release opens it, its rows'
// places, paint and enabled state, and what each row does to the tree, the menus and the files.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Environment.h"
#include "UserState.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "OsDoubles.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitPopupMenu.h"
#include "menus/win32/UnitWideMenuItem.h"
#include "ui/Application.h"
#include "ui/WinText.h"

namespace {

// The real services, with message boxes answered and keystrokes recorded instead of sent.
class AnsweringOs : public TWin32Input, public TWin32Shell {
public:
    int answer = IDNO;
    std::vector<std::string> calls;
    int MessageDialog(StringView text, StringView, int flags) override
    {
        calls.push_back("Box " + ToUtf8(text) + " " + std::to_string(flags));
        return answer;
    }
    void KeybdEvent(int key, int, unsigned flags) override
    {
        calls.push_back("Key " + std::to_string(key) + (flags ? " up" : " down"));
    }
};

struct ContextMenu : testing::Test {
    TOsServices real;
    AnsweringOs os;
    TTreeNode* menu = nullptr;
    TTreeNode *charlie = nullptr, *alpha = nullptr, *folder = nullptr, *bravo = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        real = OsServices();
        os.HotkeyWindow = FmMenuBar->Handle();
        SetOsServices(WithDouble(real, os));
        TTreeNodes& items = SnippetTree();
        menu = items.AddChild(RootNode, u"Context");
        menu->ImageIndex = nkFolder;
        AddMessageMenuRows(items, menu);
        charlie = Add(menu, u"Charlie", nkMessage, u"third <^DATE>");
        folder = Add(menu, u"Folder", nkFolder);
        alpha = Add(menu, u"Alpha", nkMessage, u"first");
        bravo = Add(folder, u"Bravo", nkMessage, u"second");
        FmMenu->Node = menu;
        FmMenu->LeftWidth = 0;
        FmMenu->LoadData(100, 26);
        FmMenu->Show();
    }
    void TearDown() override
    {
        FmMenu->Hide();
        FmPopupMenu->Hide();
        FmMenu->Node = nullptr;
        FmMenu->LoadData(0, 0);
        CaptureTargetNode = nullptr;
        DeleteNodeTree(menu);
        SetOsServices(real);
    }
    TTreeNode* Add(TTreeNode* parent, const String& name, int kind, const String& content = {})
    {
        TTreeNode* node = SnippetTree().AddChild(parent, name);
        node->ImageIndex = kind;
        if (kind == nkMessage)
            node->Data = content;
        return node;
    }
    int RowOf(const TTreeNode* node) const
    {
        for (size_t i = 0; i < FmMenu->WideMenuItem.size(); ++i)
            if (FmMenu->WideMenuItem[i]->Node == node)
                return static_cast<int>(i);
        return -1;
    }
    // A right press and release on a row of FmMenu with the pointer on its centre.
    void RightClickRow(const TTreeNode* node)
    {
        const TWideMenuItem& row = *FmMenu->WideMenuItem.at(static_cast<size_t>(RowOf(node)));
        const POINT origin = row.ClientOrigin();
        RightClickAt({origin.x + row.Width() / 2, origin.y + row.Height() / 2});
    }
    void RightClickAt(POINT screen)
    {
        SetCursorPos(screen.x, screen.y);
        POINT client = screen;
        ScreenToClient(FmMenu->PanelData->Handle(), &client);
        SendMessageW(FmMenu->PanelData->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
        SendMessageW(FmMenu->PanelData->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }
    static TPopupMenuItem& Item(TPopupCommand command)
    {
        for (TPopupMenuItem* row : FmPopupMenu->LabelItem)
            if (row->Command == command)
                return *row;
        throw std::logic_error("no such row");
    }
    static POINT ItemCentre(const TPopupMenuItem& row)
    {
        return {row.Left() + row.Width() / 2, row.Top() + row.Height() / 2};
    }
    static void ClickItem(TPopupCommand command)
    {
        const POINT p = ItemCentre(Item(command));
        SendMessageW(FmPopupMenu->PanelBack->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(FmPopupMenu->PanelBack->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    static std::string Enabled()
    {
        std::string out;
        for (TPopupMenuItem* row : FmPopupMenu->LabelItem)
            out += row->IsLine ? '-' : row->Enabled ? 'E' : '.';
        return out;
    }
    static std::string Children(const TTreeNode* node)
    {
        std::string out;
        for (int i = 0; i < node->Count(); ++i)
            out += (out.empty() ? "" : ",") + ToUtf8(node->Item(i)->Text);
        return out;
    }
};

TEST_F(ContextMenu, ARightReleaseOnAMessageRowOpensItBelowThePointerWithoutTakingTheFocus)
{
    const HWND foreground = GetForegroundWindow();
    const TWideMenuItem& row = *FmMenu->WideMenuItem.at(static_cast<size_t>(RowOf(alpha)));
    const POINT origin = row.ClientOrigin();
    RightClickRow(alpha);
    ASSERT_TRUE(FmPopupMenu->Visible());
    EXPECT_EQ(FmPopupMenu->ParentNode, menu);
    EXPECT_EQ(FmPopupMenu->SelectedNode, alpha);
    EXPECT_EQ(FmPopupMenu->hMenuWnd, FmMenu->Handle());
    EXPECT_EQ(FmPopupMenu->Left(), origin.x + row.Width() / 2);
    EXPECT_EQ(FmPopupMenu->Top(), origin.y + row.Height() / 2 + 1);
    EXPECT_EQ(FmPopupMenu->Height(), 239);
    EXPECT_GE(FmPopupMenu->Width(), 120);
    EXPECT_EQ(GetForegroundWindow(), foreground);
    const LONG exStyle = GetWindowLongW(FmPopupMenu->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    for (HWND h : {FmPopupMenu->Handle(), FmPopupMenu->PanelBack->Handle(), FmPopupMenu->PanelBorder->Handle()})
        EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), OwnWindowMarker);

    ASSERT_EQ(FmPopupMenu->LabelItem.size(), 14u);
    const char* captions[] = {"Cut to", "Copy to", "-", "New Menu...", "New Folder...", "New Message...", "-",
                              "Rename...", "Edit...", "Delete...", "Sort", "-", "View...", "Save As..."};
    int top = 1;
    for (size_t i = 0; i < 14; ++i) {
        const TPopupMenuItem& item = *FmPopupMenu->LabelItem[i];
        EXPECT_EQ(ToUtf8(item.Caption), captions[i]);
        EXPECT_EQ(item.Left(), 1);
        EXPECT_EQ(item.Top(), top);
        EXPECT_EQ(item.Width(), FmPopupMenu->Width() - 4);
        EXPECT_EQ(item.Height(), item.IsLine ? 5 : 20);
        top += item.Height();
    }
    EXPECT_EQ(Enabled(), "EE-EEE-EEEE-EE");
}

TEST_F(ContextMenu, RowsAreEnabledForTheEmptyAreaAndAFolderRowAndTheProgramMenuHasNone)
{
    const RECT panel = [] {
        RECT r{};
        GetWindowRect(FmMenu->PanelData->Handle(), &r);
        return r;
    }();
    const TWideMenuItem& last = *FmMenu->WideMenuItem.back();
    // Below the last row, on the panel itself.
    FmMenu->SetBounds(FmMenu->Left(), FmMenu->Top(), FmMenu->Width(), FmMenu->Height() + 30);
    FmMenu->PanelBorder->SetBounds(0, 0, FmMenu->Width(), FmMenu->Height());
    FmMenu->PanelData->SetBounds(1, 1, FmMenu->Width() - 2, FmMenu->Height() - 2);
    RightClickAt({panel.left + 10, last.ClientOrigin().y + last.Height() + 10});
    ASSERT_TRUE(FmPopupMenu->Visible());
    EXPECT_EQ(FmPopupMenu->SelectedNode, nullptr);
    EXPECT_EQ(FmPopupMenu->ParentNode, menu);
    EXPECT_EQ(Enabled(), "EE-EEE-...E-..");

    RightClickRow(folder);
    EXPECT_EQ(FmPopupMenu->SelectedNode, folder);
    EXPECT_EQ(FmPopupMenu->ParentNode, menu); // New Folder, New Message and Sort act on the menu
    EXPECT_EQ(Enabled(), "EE-EEE-E.EE-..");

    FmPopupMenu->Hide();
    FmMenu->Node = ProgramMenuNode;
    FmMenu->LoadData(100, 26);
    RightClickRow(OptionsNode);
    EXPECT_FALSE(FmPopupMenu->Visible());
}

TEST_F(ContextMenu, PaintsAFrameWhiteRowsAHotRowAndDisabledCaptionsInTheShadowColour)
{
    RightClickRow(folder);
    UpdateWindow(FmPopupMenu->PanelBorder->Handle());
    UpdateWindow(FmPopupMenu->PanelBack->Handle());
    const int w = FmPopupMenu->Width(), h = FmPopupMenu->Height();
    HDC dc = GetDC(FmPopupMenu->Handle());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), white = RGB(255, 255, 255);
    EXPECT_EQ(GetPixel(dc, 0, 0), shadow);
    EXPECT_EQ(GetPixel(dc, w - 1, h - 1), shadow);
    EXPECT_EQ(GetPixel(dc, w / 2, h - 1), shadow);
    EXPECT_EQ(GetPixel(dc, 1, 1), white);
    ReleaseDC(FmPopupMenu->Handle(), dc);

    HDC back = GetDC(FmPopupMenu->PanelBack->Handle());
    auto count = [&](const TPopupMenuItem& row, COLORREF colour, int fromX) {
        int n = 0;
        for (int y = row.Top(); y < row.Top() + row.Height(); ++y)
            for (int x = row.Left() + fromX; x < row.Left() + row.Width(); ++x)
                n += GetPixel(back, x, y) == colour;
        return n;
    };
    const TPopupMenuItem& line = *FmPopupMenu->LabelItem[2];
    EXPECT_EQ(GetPixel(back, line.Left() + 3, line.Top() + 2), MenuLineColor);
    EXPECT_EQ(GetPixel(back, line.Left() + 3, line.Top() + 1), white);
    // Captions start 21 pixels in; an enabled one is black, a disabled one in the shadow colour.
    EXPECT_EQ(count(Item(TPopupCommand::Rename), RGB(0, 0, 0), 0), count(Item(TPopupCommand::Rename), RGB(0, 0, 0), 21));
    EXPECT_GT(count(Item(TPopupCommand::Rename), RGB(0, 0, 0), 21), 10);
    EXPECT_EQ(count(Item(TPopupCommand::Edit), RGB(0, 0, 0), 0), 0);
    EXPECT_GT(count(Item(TPopupCommand::Edit), shadow, 21), 10);

    // The pointer on a row: blue with a white caption, back to white when it leaves.
    TPopupMenuItem& sort = Item(TPopupCommand::Sort);
    sort.DoMouseEnter();
    UpdateWindow(FmPopupMenu->PanelBack->Handle());
    EXPECT_EQ(GetPixel(back, sort.Left() + 2, sort.Top() + 2), RGB(0x31, 0x6A, 0xC5));
    EXPECT_GT(count(sort, white, 21), 10);
    sort.DoMouseLeave();
    UpdateWindow(FmPopupMenu->PanelBack->Handle());
    EXPECT_EQ(GetPixel(back, sort.Left() + 2, sort.Top() + 2), white);
    ReleaseDC(FmPopupMenu->PanelBack->Handle(), back);
}

TEST_F(ContextMenu, NearTheWorkAreaEdgesItOpensToThePointersLeftAndAbove)
{
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    FmMenu->LoadData(area.right - FmMenu->Width(), area.bottom - FmMenu->Height());
    const TWideMenuItem& row = *FmMenu->WideMenuItem.at(static_cast<size_t>(RowOf(alpha)));
    const POINT origin = row.ClientOrigin();
    const POINT pointer{origin.x + row.Width() / 2, origin.y + row.Height() / 2};
    RightClickRow(alpha);
    ASSERT_TRUE(FmPopupMenu->Visible());
    EXPECT_EQ(FmPopupMenu->Left() + FmPopupMenu->Width(), pointer.x);
    EXPECT_EQ(FmPopupMenu->Top() + FmPopupMenu->Height(), pointer.y);
    EXPECT_GE(FmPopupMenu->Left(), area.left);
    EXPECT_GE(FmPopupMenu->Top(), area.top);
}

TEST_F(ContextMenu, CutToAndCopyToCaptureIntoTheRightClickedMenuOrFolder)
{
    const struct {
        TPopupCommand command;
        int key;
    } cases[] = {{TPopupCommand::CutTo, 'X'}, {TPopupCommand::CopyTo, 'C'}};
    for (const auto& c : cases) {
        os.calls.clear();
        FmMenu->LoadData(100, 26);
        FmMenu->Show();
        RightClickRow(folder);
        ClickItem(c.command);
        EXPECT_FALSE(FmPopupMenu->Visible());
        EXPECT_FALSE(FmMenu->Visible());
        EXPECT_EQ(CaptureTargetNode, menu); // the menu whose window was right-clicked, not the folder row
        EXPECT_EQ(os.calls, (std::vector<std::string>{"Key 17 down", "Key " + std::to_string(c.key) + " down",
                                                      "Key " + std::to_string(c.key) + " up", "Key 17 up"}));
        CaptureTargetNode = nullptr;
    }
}

TEST_F(ContextMenu, DeleteAsksWithNoAsDefaultAndDeletesAndSavesOnlyOnYes)
{
    for (int answer : {IDNO, IDYES}) {
        os.calls.clear();
        os.answer = answer;
        FmMenu->LoadData(100, 26);
        FmMenu->Show();
        RightClickRow(folder);
        ClickItem(TPopupCommand::Delete);
        EXPECT_FALSE(FmMenu->Visible());
        ASSERT_FALSE(os.calls.empty());
        EXPECT_EQ(os.calls[0], "Box Are you sure you want to delete this folder? " +
                                   std::to_string(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
        EXPECT_EQ(Children(menu).find("Folder") != std::string::npos, answer == IDNO);
    }
    os.calls.clear();
    FmMenu->LoadData(100, 26);
    RightClickRow(alpha);
    ClickItem(TPopupCommand::Delete);
    EXPECT_EQ(os.calls.at(0), "Box Are you sure you want to delete this message? 308");
    EXPECT_EQ(Children(menu), "New...,Organize...,-,Charlie");
    // What the file holds now is the tree without them.
    HANDLE file = CreateFileW(DataFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<char> bytes(static_cast<size_t>(GetFileSize(file, nullptr)));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    const std::u16string inFile(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
    EXPECT_NE(inFile.find(u"Charlie"), std::u16string::npos);
    EXPECT_EQ(inFile.find(u"Alpha"), std::u16string::npos);
}

TEST_F(ContextMenu, ANodeDeletedWhileTheQuestionIsOpenIsNotTouchedAfterIt)
{
    os.answer = IDYES;
    RightClickRow(alpha);
    // The trim of a capture takes the node while the question waits for the user.
    struct DeletingOs : AnsweringOs {
        TTreeNode* victim = nullptr;
        int MessageDialog(StringView text, StringView caption, int flags) override
        {
            DeleteNodeTree(victim);
            return AnsweringOs::MessageDialog(text, caption, flags);
        }
    } deleting;
    deleting.answer = IDYES;
    deleting.victim = alpha;
    SetOsServices(WithDouble(real, deleting));
    ClickItem(TPopupCommand::Delete);
    SetOsServices(WithDouble(real, os));
    EXPECT_EQ(Children(menu), "New...,Organize...,-,Charlie,Folder");
}

TEST_F(ContextMenu, ANodeLeavingTheTreeClosesTheOpenContextMenu)
{
    RightClickRow(folder);
    ASSERT_TRUE(FmPopupMenu->Visible());
    DeleteNodeTree(bravo); // neither of its nodes, nor one the menu shows: it stays
    EXPECT_TRUE(FmPopupMenu->Visible());
    EXPECT_EQ(FmPopupMenu->SelectedNode, folder);
    DeleteNodeTree(folder);
    EXPECT_FALSE(FmPopupMenu->Visible());
    EXPECT_EQ(FmPopupMenu->SelectedNode, nullptr);
    EXPECT_EQ(FmPopupMenu->ParentNode, nullptr);
}

TEST_F(ContextMenu, SortRebuildsTheOpenMenuInPlaceAndLeavesItOpen)
{
    Add(menu, u"Bravo", nkMessage, u"b");
    FmMenu->LoadData(100, 26);
    const int left = FmMenu->Left(), top = FmMenu->Top();
    RightClickRow(alpha);
    ClickItem(TPopupCommand::Sort);
    EXPECT_EQ(Children(menu), "New...,Organize...,-,Folder,Alpha,Bravo,Charlie");
    EXPECT_TRUE(FmMenu->Visible());
    EXPECT_FALSE(FmPopupMenu->Visible());
    EXPECT_EQ(FmMenu->Left(), left);
    EXPECT_EQ(FmMenu->Top(), top);
    std::string shown;
    for (const TWideMenuItem* row : FmMenu->WideMenuItem)
        shown += ToUtf8(row->Caption) + ",";
    EXPECT_EQ(shown, "New...,Organize...,-,Folder,Alpha,Bravo,Charlie,");
}

TEST_F(ContextMenu, RowsWithEqualCaptionsRunOnlyTheirOwnCommand)
{
    const String cut = PopupCutToCaption, del = PopupDeleteCaption;
    PopupCutToCaption = u"Same";
    PopupDeleteCaption = u"Same";
    os.answer = IDNO;
    RightClickRow(alpha);
    ClickItem(TPopupCommand::Delete);
    PopupCutToCaption = cut;
    PopupDeleteCaption = del;
    EXPECT_EQ(os.calls, (std::vector<std::string>{"Box Are you sure you want to delete this message? 308"}));
    EXPECT_EQ(CaptureTargetNode, nullptr);
}

TEST_F(ContextMenu, SaveAsOffersAValidNameAndWritesTheTextAsUtf16WithItsMark)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const String path = FromW(temp) + u"QuorvaneSaveAs.txt";
    alpha->Text = u"a/b: \"c\"?.";
    alpha->Data = u"line 1\r\n<^DATE> \u00E9";
    std::vector<String> offered;
    std::optional<String> chosen = path;
    const auto systemDialog = FmPopupMenu->SaveDialog1Execute;
    FmPopupMenu->SaveDialog1Execute = [&](const String& proposed) {
        offered.push_back(proposed);
        return chosen;
    };
    RightClickRow(alpha);
    ClickItem(TPopupCommand::SaveAs);
    EXPECT_FALSE(FmMenu->Visible());
    EXPECT_EQ(offered, (std::vector<String>{u"a_b_ _c__"}));
    HANDLE file = CreateFileW(ToW(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<unsigned char> bytes(64);
    DWORD read = 0;
    ReadFile(file, bytes.data(), 64, &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    std::vector<unsigned char> expected{0xFF, 0xFE};
    for (char16_t c : String(u"line 1\r\n<^DATE> \u00E9")) {
        expected.push_back(static_cast<unsigned char>(c & 0xFF));
        expected.push_back(static_cast<unsigned char>(c >> 8));
    }
    EXPECT_EQ(bytes, expected);
    DeleteFileW(ToW(path).c_str());

    // Cancel writes nothing; a file that cannot be written is shown as an error.
    chosen.reset();
    FmMenu->LoadData(100, 26);
    FmMenu->Show();
    RightClickRow(alpha);
    ClickItem(TPopupCommand::SaveAs);
    EXPECT_FALSE(PathExists(ToW(path)));
    std::vector<String> errors;
    const auto onException = Application->OnException;
    Application->OnException = [&](const String& text) { errors.push_back(text); };
    chosen = FromW(temp) + u"no such folder\\x.txt";
    FmMenu->LoadData(100, 26);
    FmMenu->Show();
    RightClickRow(alpha);
    ClickItem(TPopupCommand::SaveAs);
    Application->OnException = onException;
    FmPopupMenu->SaveDialog1Execute = systemDialog;
    EXPECT_EQ(errors.size(), 1u);
}

} // namespace
