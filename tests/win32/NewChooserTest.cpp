#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "DialogAccess.h"
#include "Environment.h"
#include "ModalDriver.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/UnitNew.h"
#include "organize/win32/UnitRename.h"
#include "ui/WinText.h"

namespace {

struct NewChooser : testing::Test {
    TTreeNodes& tree = SnippetTree();
    TTreeNode* menu = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        menu = tree.AddChild(RootNode, u"Chooser menu");
        menu->ImageIndex = nkFolder;
    }
    void TearDown() override
    {
        tree.Delete(menu);
        FmMenuBar->InitToolBarMenu();
    }
    // Presses the chooser's button once it shows, then closes whatever dialog it leads to,
    // reporting which one that was.
    struct Choice {
        std::string opened;
        std::unique_ptr<TWhileModal> press, close;
    };
    static void Choose(Choice& choice, std::function<TButton*()> button)
    {
        choice.press = std::make_unique<TWhileModal>([] { return FmNew && FmNew->Visible(); },
                                                     [button] { SendMessageW(button()->Handle(), BM_CLICK, 0, 0); });
        choice.close = std::make_unique<TWhileModal>(
            [] {
                return (FmNewMenu && FmNewMenu->Visible()) || (FmNewFolder && FmNewFolder->Visible()) ||
                       (FmMessage && FmMessage->Visible());
            },
            [&choice] {
                TForm* dialog = FmNewMenu ? static_cast<TForm*>(FmNewMenu)
                                : FmNewFolder ? static_cast<TForm*>(FmNewFolder)
                                              : static_cast<TForm*>(FmMessage);
                choice.opened = FmNewMenu ? "menu" : FmNewFolder ? "folder" : "message";
                // The chooser stays, hidden, until this dialog closes.
                if (!FmNew || FmNew->Visible())
                    choice.opened += " (chooser not hidden)";
                PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
            });
    }
};

TEST_F(NewChooser, FourStackedButtonsInTabOrderWithTheirTexts)
{
    std::vector<RECT> buttons;
    std::vector<std::string> texts;
    int width = 0, height = 0;
    std::string title;
    TWhileModal look([] { return FmNew && FmNew->Visible(); },
                     [&] {
                         title = ToUtf8(FmNew->Caption());
                         width = FmNew->ClientWidth();
                         height = FmNew->ClientHeight();
                         HWND h = Ui(*FmNew).BtnNewMenu->Handle();
                         for (int i = 0; i < 4; ++i, h = GetNextDlgTabItem(FmNew->Handle(), h, FALSE)) {
                             buttons.push_back(TStdControl::FromHandle(h)->BoundsRect());
                             texts.push_back(ToUtf8(TStdControl::FromHandle(h)->Text()));
                         }
                         PostKey(Ui(*FmNew).BtnNewMenu->Handle(), VK_ESCAPE);
                     });
    EXPECT_EQ(ShowNewDialog(menu), nullptr);
    EXPECT_EQ(FmNew, nullptr);
    EXPECT_EQ(title, "New");
    EXPECT_EQ(width, 144 + 32);
    EXPECT_EQ(height, 4 * 25 + 3 * 8 + 32);
    EXPECT_EQ(texts, (std::vector<std::string>{"New Menu...", "New Folder...", "New Message...", "Close"}));
    ASSERT_EQ(buttons.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i].left, 16);
        EXPECT_EQ(buttons[i].top, 16 + i * 33);
        EXPECT_EQ(buttons[i].right - buttons[i].left, 144);
        EXPECT_EQ(buttons[i].bottom - buttons[i].top, 25);
    }
}

TEST_F(NewChooser, EachButtonLeadsToItsDialogForTheRowsMenuAndCloseToNothing)
{
    const struct {
        const char* name;
        std::function<TButton*()> button;
        const char* opened;
    } cases[] = {
        {"New Menu", [] { return Ui(*FmNew).BtnNewMenu.get(); }, "menu"},
        {"New Folder", [] { return Ui(*FmNew).BtnNewFolder.get(); }, "folder"},
        {"New Message", [] { return Ui(*FmNew).BtnNewMessage.get(); }, "message"},
        {"Close", [] { return Ui(*FmNew).BtnClose.get(); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Choice choice;
        Choose(choice, c.button);
        TModalDeadline deadline([] { return FmNew ? FmNew->Handle() : nullptr; });
        EXPECT_EQ(ShowNewDialog(menu), nullptr);
        EXPECT_EQ(choice.opened, c.opened);
        EXPECT_EQ(FmNew, nullptr);
        EXPECT_EQ(menu->Count(), 0) << "every second dialog was cancelled";
    }
}

TEST_F(NewChooser, EqualCaptionsRunTheFirstCommandInTheOrderMenuFolderMessage)
{
    Choice choice;
    Choose(choice, nullptr);
    choice.press = std::make_unique<TWhileModal>([] { return FmNew && FmNew->Visible(); },
                                                 [] {
                                                     Ui(*FmNew).BtnNewFolder->SetText(u"Same");
                                                     Ui(*FmNew).BtnNewMessage->SetText(u"Same");
                                                     SendMessageW(Ui(*FmNew).BtnNewMessage->Handle(), BM_CLICK, 0, 0);
                                                 });
    ShowNewDialog(menu);
    EXPECT_EQ(choice.opened, "folder");
}

TEST_F(NewChooser, ReturnsTheNodeTheDialogItLedToCreated)
{
    TWhileModal press([] { return FmNew && FmNew->Visible(); },
                      [] { SendMessageW(Ui(*FmNew).BtnNewFolder->Handle(), BM_CLICK, 0, 0); });
    TWhileModal name([] { return FmNewFolder && FmNewFolder->Visible(); },
                     [] {
                         SetWindowTextW(Ui(*FmNewFolder).LEditName->Handle(), L"Chosen");
                         PostKey(Ui(*FmNewFolder).LEditName->Handle(), VK_RETURN);
                     });
    TModalDeadline deadline([] { return FmNewFolder ? FmNewFolder->Handle() : FmNew ? FmNew->Handle() : nullptr; });
    TTreeNode* folder = ShowNewDialog(menu);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Parent(), menu);
    EXPECT_EQ(folder->Text, u"Chosen");
    EXPECT_EQ(folder->ImageIndex, nkFolder);
}

} // namespace
