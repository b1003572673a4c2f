#include "organize/win32/UnitNew.h"

#include <iterator>

#include "core/win32/DialogOpener.h"
#include "core/Globals.h"
#include "core/NodeWatch.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/win32/UnitMenu.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/UnitRename.h"

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
    Ui.BtnNewMenu = std::make_unique<TButton>(*this, next(), u"New Menu...");
    Ui.BtnNewMenu->OnClick = [this] { BtnNewMenuClick(); };
    Ui.BtnNewFolder = std::make_unique<TButton>(*this, next(), u"New Folder...");
    Ui.BtnNewFolder->OnClick = [this] { BtnNewFolderClick(); };
    Ui.BtnNewMessage = std::make_unique<TButton>(*this, next(), u"New Message...");
    Ui.BtnNewMessage->OnClick = [this] { BtnNewMessageClick(); };
    Ui.BtnClose = std::make_unique<TButton>(*this, next(), u"Close", mrClose);
    CancelButton = Ui.BtnClose.get();
    CenterOnScreen();
}

void TFmNew::Choose(const TButton& pressed)
{
    if (FmMenu)
        FmMenu->Hide();
    // Buttons that a language table gives one caption are one command to the user: the first of
    // them, in the order Menu, Folder, Message.
    const TButton* buttons[] = {Ui.BtnNewMenu.get(), Ui.BtnNewFolder.get(), Ui.BtnNewMessage.get()};
    for (size_t i = 0; i < std::size(buttons); ++i) {
        if (buttons[i]->Text() == pressed.Text()) {
            choice_ = static_cast<TNewChoice>(i);
            break;
        }
    }
    ModalResult = mrOk;
}

void TFmNew::Run(const std::function<void(TNewChoice)>& command)
{
    TDialogCommand<TFmNew> chooser;
    chooser.Apply = [&](TFmNew& dialog, int result) {
        if (result == mrOk && dialog.choice_)
            command(*dialog.choice_);
    };
    OpenDialog(FmNew, chooser);
}

TTreeNode* ShowNewDialog(TTreeNode* parent)
{
    const TNodeRef target(parent);
    TTreeNode* created = nullptr;
    TFmNew::Run([&](TNewChoice choice) {
        switch (choice) {
        case TNewChoice::Menu:
            created = NewMenu();
            FmMenuBar->InitToolBarMenu();
            break;
        case TNewChoice::Folder:
            created = NewFolder(FolderOrMessages(target.Get()));
            break;
        case TNewChoice::Message:
            created = NewMessage(FolderOrMessages(target.Get()));
            break;
        }
    });
    return created;
}

void TFmNew::ApplyLanguageTexts(TLanguageRun& run)
{
    run.Section(u"NewWindow");
    SetCaption(run.Text(u"NewWindow/Title/New", u"New"));
    Ui.BtnNewMenu->SetText(run.Text(u"NewWindow/Button/NewMenu", u"New Menu..."));
    Ui.BtnNewFolder->SetText(run.Text(u"NewWindow/Button/NewFolder", u"New Folder..."));
    Ui.BtnNewMessage->SetText(run.Text(u"NewWindow/Button/NewMessage", u"New Message..."));
    Ui.BtnClose->SetText(run.Text(u"NewWindow/Button/Close", u"Close"));
}
