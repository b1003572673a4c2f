#include "organize/win32/UnitRename.h"

#include "core/DataFile.h"
#include "core/win32/DialogOpener.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/NodeWatch.h"
#include "core/OsServices.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMenuBar.h"

namespace {
constexpr int ButtonWidth = 80;
constexpr int ButtonSpacing = 6;
constexpr int LabelHeight = 13;
constexpr int EditTop = 16;
constexpr int EditHeight = 21;

TFmAddFolderRename*& GlobalOf(TNameDialogUse use)
{
    switch (use) {
    case TNameDialogUse::NewFolder:
        return FmNewFolder;
    case TNameDialogUse::Rename:
        return FmRename;
    case TNameDialogUse::NewMenu:
        break;
    }
    return FmNewMenu;
}

TTreeNode* AddFolder(TTreeNode* parent, const String& name)
{
    TTreeNode* node = SnippetTree().AddChild(parent, name);
    node->ImageIndex = nkFolder;
    return node;
}
} // namespace

TFmAddFolderRename::TFmAddFolderRename(TNameDialogUse use, String name)
    : TDialogForm(u"TFmAddFolderRename", TBorder::Fixed), use_(use), name_(std::move(name))
{
}

void TFmAddFolderRename::CreateControls()
{
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);
    const int left = FormBorderWidth;
    const int right = FormBorderWidth + LayoutWidth;
    const int top = FormBorderWidth;
    Ui.LEditName = std::make_unique<TEdit>(*this, RECT{left, top + EditTop, right, top + EditTop + EditHeight});
    Ui.LEditName->SetMaxLength(static_cast<int>(MaxNameLength));
    Ui.LabelName = std::make_unique<TStaticLabel>(*this, RECT{left, top, right, top + LabelHeight}, u"&Name:",
                                               Ui.LEditName.get());
    const int buttonTop = top + LayoutHeight - ButtonHeight;
    Ui.BtnOk = std::make_unique<TButton>(
        *this, RECT{right - 2 * ButtonWidth - ButtonSpacing, buttonTop, right - ButtonWidth - ButtonSpacing,
                    buttonTop + ButtonHeight},
        u"&Ok");
    Ui.BtnOk->OnClick = [this] { BtnOkClick(); };
    SetDefaultButton(Ui.BtnOk.get());
    Ui.BtnCancel = std::make_unique<TButton>(
        *this, RECT{right - ButtonWidth, buttonTop, right, buttonTop + ButtonHeight}, u"&Cancel", mrCancel);
    CancelButton = Ui.BtnCancel.get();
    Ui.LEditName->SetText(name_);
    Ui.LEditName->SelectAll();
    CenterOnScreen();
}

void TFmAddFolderRename::BtnOkClick()
{
    if (Ui.LEditName->Text().empty()) {
        Ui.LEditName->SetFocus();
        OsInput().MessageBeep(0);
        return;
    }
    ModalResult = mrOk;
}

void TFmAddFolderRename::ApplyLanguageTexts(TLanguageRun& run)
{
    // One window class, told apart by the section word and the title's key word.
    struct TTexts {
        const char16_t* Section;
        const char16_t* TitleWord;
        const char16_t* Title;
    };
    const TTexts texts = use_ == TNameDialogUse::NewFolder ? TTexts{u"NewFolderWindow", u"NewFolder", u"New Folder"}
                         : use_ == TNameDialogUse::Rename  ? TTexts{u"RenameWindow", u"Rename", u"Rename"}
                                                           : TTexts{u"NewMenuWindow", u"NewMenu", u"New Menu"};
    const String section = texts.Section;
    run.Section(section);
    SetCaption(run.Text(section + u"/Title/" + texts.TitleWord, texts.Title));
    Ui.LabelName->SetText(run.Text(section + u"/Label/Name", u"Name:"));
    Ui.BtnOk->SetText(run.Text(section + u"/Button/Ok", u"Ok"));
    Ui.BtnCancel->SetText(run.Text(section + u"/Button/Cancel", u"Cancel"));
}

std::optional<String> TFmAddFolderRename::AskName(TNameDialogUse use, const String& name)
{
    std::optional<String> result;
    TDialogCommand<TFmAddFolderRename> command;
    command.Create = [&] { return MakeWindow<TFmAddFolderRename>(use, name); };
    command.Apply = [&](TFmAddFolderRename& dialog, int modalResult) {
        if (modalResult == mrOk)
            result = dialog.Ui.LEditName->Text();
    };
    OpenDialog(GlobalOf(use), command);
    return result;
}

TTreeNode* NewMenu()
{
    const std::optional<String> name = TFmAddFolderRename::AskName(TNameDialogUse::NewMenu);
    if (!name)
        return nullptr;
    TTreeNode* menu = AddFolder(RootNode, *name);
    AddMessageMenuRows(SnippetTree(), menu);
    SaveDataFile(SnippetTree(), RootNode);
    FmMenuBar->InitToolBarMenu();
    return menu;
}

TTreeNode* NewFolder(TTreeNode* parent)
{
    // A capture's trim may delete the parent while the dialog is open: the folder then goes
    // into Messages rather than nowhere.
    const TNodeRef target(parent);
    const std::optional<String> name = TFmAddFolderRename::AskName(TNameDialogUse::NewFolder);
    if (!name)
        return nullptr;
    TTreeNode* folder = AddFolder(FolderOrMessages(target.Get()), *name);
    SaveDataFile(SnippetTree(), RootNode);
    return folder;
}

TTreeNode* RenameNode(TTreeNode* node)
{
    const TNodeRef renamed(node);
    const std::optional<String> name = TFmAddFolderRename::AskName(TNameDialogUse::Rename, node->Text);
    // A node deleted while the dialog was open has nothing left to rename.
    if (!name || !renamed)
        return nullptr;
    renamed->Text = *name;
    SaveDataFile(SnippetTree(), RootNode);
    return renamed.Get();
}
