#include "organize/UnitNew.h"

#include "core/DialogOpener.h"
#include "core/Globals.h"
#include "core/NodeWatch.h"
#include "core/TreeRoutines.h"
#include "core/UnitMenuBar.h"
#include "menus/UnitMenu.h"
#include "organize/UnitMessage.h"
#include "organize/UnitRename.h"

TFmNew::TFmNew() : TDialogForm(u"TFmNew", TBorder::Fixed) {}

void TFmNew::CreateControls()
{
    SetClientSize(ButtonWidth + 2 * FormBorderWidth, 4 * ButtonHeight + 3 * ButtonSpacing + 2 * FormBorderWidth);
    int top = FormBorderWidth;
    auto next = [&] {
        RECT r{FormBorderWidth, top, FormBorderWidth + ButtonWidth, top + ButtonHeight};
        top += ButtonHeight + ButtonSpacing;
        return r;
    };
    BtnNewMenu = std::make_unique<TButton>(*this, next(), u"New Menu...");
    BtnNewMenu->OnClick = [this] { BtnNewMenuClick(); };
    BtnNewFolder = std::make_unique<TButton>(*this, next(), u"New Folder...");
    BtnNewFolder->OnClick = [this] { BtnNewFolderClick(); };
    BtnNewMessage = std::make_unique<TButton>(*this, next(), u"New Message...");
    BtnNewMessage->OnClick = [this] { BtnNewMessageClick(); };
    BtnClose = std::make_unique<TButton>(*this, next(), u"Close", mrClose);
    CancelButton = BtnClose.get();
    CenterOnScreen();
}

void TFmNew::Choose(const TButton& button)
{
    if (FmMenu)
        FmMenu->Hide();
    BtnTitle = button.Text();
    ModalResult = mrOk;
}

int ShowNewDialog(TTreeNode* parent)
{
    // The chooser stays (hidden) until the dialog it leads to has closed.
    TNodeRef target(parent);
    TDialogCommand<TFmNew> command;
    command.Apply = [&](TFmNew& chooser, int result) {
        if (result != mrOk)
            return;
        // Told apart by caption, in this order: with equal captions the first command wins.
        if (chooser.BtnTitle == chooser.BtnNewMenu->Text()) {
            NewMenu();
            FmMenuBar->InitToolBarMenu();
        } else if (chooser.BtnTitle == chooser.BtnNewFolder->Text()) {
            NewFolder(FolderOrMessages(target.Get()));
        } else if (chooser.BtnTitle == chooser.BtnNewMessage->Text()) {
            NewMessage(FolderOrMessages(target.Get()));
        }
    };
    OpenDialog(FmNew, command);
    return 0;
}
