#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "DialogAccess.h"
#include "Environment.h"
#include "ModalDriver.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarLabels.h"
#include "core/win32/UnitMenuBar.h"
#include "organize/win32/UnitRename.h"
#include "ui/WinText.h"

namespace {

struct NameDialog : testing::Test {
    TTreeNodes& tree = SnippetTree();
    int rootCount = 0, messagesCount = 0;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        rootCount = RootNode->Count();
        messagesCount = MessagesNode->Count();
    }
    void TearDown() override
    {
        while (RootNode->Count() > rootCount)
            tree.Delete(RootNode->Item(RootNode->Count() - 1));
        while (MessagesNode->Count() > messagesCount)
            tree.Delete(MessagesNode->Item(MessagesNode->Count() - 1));
        SaveDataFile(tree, RootNode);
        FmMenuBar->InitToolBarMenu();
    }
    static std::vector<std::uint8_t> FileBytes() { return OsFiles().ReadWholeFile(DataFile); }
    // The data file holds the tree as it is now.
    static bool FileIsTheTree() { return FileBytes() == BuildDataFileBytes(RootNode); }
    // Types name into the dialog in global once it shows, then presses key there.
    static TWhileModal Answer(TFmAddFolderRename*& global, const wchar_t* name, unsigned key)
    {
        return TWhileModal([&global] { return global && global->Visible(); },
                           [&global, name, key] {
                               if (name) {
                                   SetWindowTextW(Ui(*global).LEditName->Handle(), name);
                                   Ui(*global).LEditName->SetFocus();
                               }
                               PostKey(Ui(*global).LEditName->Handle(), key);
                           });
    }
};

TEST_F(NameDialog, TheWindowAsLaidOutWithItsOwnTextsForEachUse)
{
    const struct {
        TFmAddFolderRename** global;
        std::function<TTreeNode*()> open;
        const char* title;
    } uses[] = {
        {&FmNewMenu, [] { return NewMenu(); }, "New Menu"},
        {&FmNewFolder, [] { return NewFolder(MessagesNode); }, "New Folder"},
        {&FmRename, [] { return RenameNode(MessagesNode); }, "Rename"},
    };
    for (const auto& use : uses) {
        SCOPED_TRACE(use.title);
        std::string title, label;
        RECT edit{}, ok{}, cancel{};
        int clientWidth = 0, clientHeight = 0, limit = 0;
        DWORD style = 0;
        HWND owner = nullptr;
        std::vector<HWND> order, expected;
        TWhileModal look([&] { return *use.global && (*use.global)->Visible(); },
                         [&] {
                             TFmAddFolderRename& d = **use.global;
                             title = ToUtf8(d.Caption());
                             label = ToUtf8(Ui(d).LabelName->Text());
                             edit = Ui(d).LEditName->BoundsRect();
                             ok = Ui(d).BtnOk->BoundsRect();
                             cancel = Ui(d).BtnCancel->BoundsRect();
                             clientWidth = d.ClientWidth();
                             clientHeight = d.ClientHeight();
                             limit = static_cast<int>(SendMessageW(Ui(d).LEditName->Handle(), EM_GETLIMITTEXT, 0, 0));
                             style = static_cast<DWORD>(GetWindowLongW(d.Handle(), GWL_STYLE));
                             owner = GetWindow(d.Handle(), GW_OWNER);
                             HWND h = Ui(d).LEditName->Handle();
                             for (int i = 0; i < 3; ++i, h = GetNextDlgTabItem(d.Handle(), h, FALSE))
                                 order.push_back(h);
                             expected = {Ui(d).LEditName->Handle(), Ui(d).BtnOk->Handle(), Ui(d).BtnCancel->Handle()};
                             PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
                         });
        EXPECT_EQ(use.open(), nullptr);
        EXPECT_EQ(*use.global, nullptr);
        EXPECT_EQ(title, use.title);
        EXPECT_EQ(label, "&Name:");
        EXPECT_EQ(clientWidth, 258 + 16);
        EXPECT_EQ(clientHeight, 73 + 16);
        EXPECT_EQ(edit.left, 8);
        EXPECT_EQ(edit.right, 266);
        EXPECT_EQ(ok.right - ok.left, 80);
        EXPECT_EQ(ok.bottom - ok.top, 25);
        EXPECT_EQ(cancel.left - ok.right, 6);
        EXPECT_EQ(cancel.right, 266);
        EXPECT_EQ(cancel.bottom, 81);
        EXPECT_EQ(limit, 60);
        EXPECT_FALSE(style & WS_THICKFRAME);
        EXPECT_EQ(owner, FmMain->Handle());
        EXPECT_EQ(order, expected);
    }
}

TEST_F(NameDialog, NewMenuAppendsAMenuWithItsFixedRowsSavesItAndShowsItsLabel)
{
    auto answer = Answer(FmNewMenu, L"My menu", VK_RETURN);
    TTreeNode* menu = NewMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Parent(), RootNode);
    EXPECT_EQ(menu->Index(), RootNode->Count() - 1);
    EXPECT_EQ(ToUtf8(menu->Text), "My menu");
    EXPECT_EQ(menu->ImageIndex, nkFolder);
    EXPECT_FALSE(menu->Data);
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Item(0)->ImageIndex, nkNew);
    EXPECT_EQ(menu->Item(1)->ImageIndex, nkOrganize);
    EXPECT_EQ(menu->Item(2)->ImageIndex, nkSeparator);
    ASSERT_NE(FmMenuBar->Labels().MenuLabel(menu->Index()), nullptr);
    EXPECT_EQ(ToUtf8(FmMenuBar->Labels().MenuLabel(menu->Index())->Caption()), "My menu");
    EXPECT_TRUE(FileIsTheTree());
}

TEST_F(NameDialog, NewFolderBecomesTheLastChildAndABlankNameIsKeptAsTyped)
{
    tree.AddChild(MessagesNode, u"a message")->ImageIndex = nkMessage;
    auto answer = Answer(FmNewFolder, L"  ", VK_RETURN);
    TTreeNode* folder = NewFolder(MessagesNode);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Parent(), MessagesNode);
    EXPECT_EQ(folder->Index(), MessagesNode->Count() - 1);
    EXPECT_EQ(folder->Text, u"  ");
    EXPECT_EQ(folder->ImageIndex, nkFolder);
    EXPECT_EQ(folder->Count(), 0);
    EXPECT_TRUE(FileIsTheTree());
}

TEST_F(NameDialog, AnEmptyNameIsRefusedWithTheFocusOnTheField)
{
    bool stayedOpen = false, focused = false;
    TWhileModal empty([] { return FmNewFolder && FmNewFolder->Visible(); },
                      [] { SendMessageW(Ui(*FmNewFolder).BtnOk->Handle(), BM_CLICK, 0, 0); });
    TWhileModal cancel([&] { return empty.Acted(); },
                       [&] {
                           stayedOpen = FmNewFolder && FmNewFolder->Visible() && FmNewFolder->ModalResult == 0;
                           focused = FmNewFolder && Ui(*FmNewFolder).LEditName->Focused();
                           PostKey(Ui(*FmNewFolder).LEditName->Handle(), VK_ESCAPE);
                       });
    EXPECT_EQ(NewFolder(MessagesNode), nullptr);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focused);
    EXPECT_EQ(MessagesNode->Count(), messagesCount);
}

TEST_F(NameDialog, CancelEscAndTheCloseBoxChangeNeitherTheTreeNorTheFile)
{
    SaveDataFile(tree, RootNode);
    const auto before = FileBytes();
    const struct {
        const char* name;
        std::function<void()> act;
    } ways[] = {
        {"Cancel", [] { SendMessageW(Ui(*FmNewMenu).BtnCancel->Handle(), BM_CLICK, 0, 0); }},
        {"Esc", [] { PostKey(Ui(*FmNewMenu).LEditName->Handle(), VK_ESCAPE); }},
        {"close box", [] { PostMessageW(FmNewMenu->Handle(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        TWhileModal act([] { return FmNewMenu && FmNewMenu->Visible(); },
                        [&] {
                            SetWindowTextW(Ui(*FmNewMenu).LEditName->Handle(), L"never");
                            way.act();
                        });
        EXPECT_EQ(NewMenu(), nullptr);
        EXPECT_EQ(RootNode->Count(), rootCount);
        EXPECT_EQ(FileBytes(), before);
    }
}

TEST_F(NameDialog, RenameShowsTheWholeNameSelectedAndKeepsItWholeWhenConfirmed)
{
    const String longName(75, u'x');
    TTreeNode* message = tree.AddChild(MessagesNode, longName);
    message->ImageIndex = nkMessage;
    bool allSelected = false;
    String shown;
    TWhileModal look([] { return FmRename && FmRename->Visible(); },
                     [&] {
                         shown = Ui(*FmRename).LEditName->Text();
                         DWORD from = 0, to = 0;
                         SendMessageW(Ui(*FmRename).LEditName->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                                      reinterpret_cast<LPARAM>(&to));
                         allSelected = from == 0 && to == longName.size();
                         PostKey(Ui(*FmRename).LEditName->Handle(), VK_RETURN);
                     });
    EXPECT_EQ(RenameNode(message), message);
    EXPECT_EQ(shown, longName);
    EXPECT_TRUE(allSelected);
    EXPECT_EQ(message->Text, longName);

    auto renamed = Answer(FmRename, L"new name", VK_RETURN);
    EXPECT_EQ(RenameNode(message), message);
    EXPECT_EQ(ToUtf8(message->Text), "new name");
    EXPECT_TRUE(FileIsTheTree());
}

TEST_F(NameDialog, ANodeDeletedWhileTheDialogIsOpenIsNeverTouched)
{
    // A capture's trim can delete the node or the parent while the dialog waits for the user.
    TTreeNode* folder = tree.AddChild(MessagesNode, u"folder");
    folder->ImageIndex = nkFolder;
    TWhileModal trim([] { return FmNewFolder && FmNewFolder->Visible(); },
                     [&] {
                         tree.Delete(folder);
                         SetWindowTextW(Ui(*FmNewFolder).LEditName->Handle(), L"kept");
                         PostKey(Ui(*FmNewFolder).LEditName->Handle(), VK_RETURN);
                     });
    TTreeNode* created = NewFolder(folder);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Parent(), MessagesNode);
    EXPECT_EQ(ToUtf8(created->Text), "kept");

    TTreeNode* message = tree.AddChild(MessagesNode, u"message");
    TWhileModal gone([] { return FmRename && FmRename->Visible(); },
                     [&] {
                         tree.Delete(message);
                         PostKey(Ui(*FmRename).LEditName->Handle(), VK_RETURN);
                     });
    EXPECT_EQ(RenameNode(message), nullptr);
}

} // namespace
