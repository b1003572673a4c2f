#include "organize/UnitRename.h"

#include "core/DataFile.h"
#include "core/DialogOpener.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/NodeWatch.h"
#include "core/OsServices.h"
#include "core/TreeRoutines.h"
#include "core/UnitMenuBar.h"

namespace {
constexpr int ButtonWidth = 80;
constexpr int ButtonSpacing = 6;
constexpr int LabelHeight = 13;
constexpr int EditTop = 16;
constexpr int EditHeight = 21;

// Runs the name dialog held in global; onOk gets the name typed when the user confirmed it.
// Returns what onOk returns, nullptr after a cancel.
template <class Prepare, class OnOk>
TTreeNode* AskName(TFmAddFolderRename*& global, Prepare prepare, OnOk onOk)
{
    TTreeNode* result = nullptr;
    TDialogCommand<TFmAddFolderRename> command;
    command.Prepare = prepare;
    command.Apply = [&](TFmAddFolderRename& dialog, int modalResult) {
        if (modalResult == mrOk)
            result = onOk(dialog.LEditName->Text());
    };
    OpenDialog(global, command);
    return result;
}

TTreeNode* AddFolder(TTreeNode* parent, const String& name)
{
    TTreeNode* node = SnippetTree().AddChild(parent, name);
    node->ImageIndex = nkFolder;
    return node;
}
} // namespace

TFmAddFolderRename::TFmAddFolderRename() : TDialogForm(u"TFmAddFolderRename", TBorder::Fixed) {}

void TFmAddFolderRename::CreateControls()
{
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);
    const int left = FormBorderWidth;
    const int right = FormBorderWidth + LayoutWidth;
    const int top = FormBorderWidth;
    LEditName = std::make_unique<TEdit>(*this, RECT{left, top + EditTop, right, top + EditTop + EditHeight});
    LEditName->SetMaxLength(static_cast<int>(MaxNameLength));
    LabelName = std::make_unique<TStaticLabel>(*this, RECT{left, top, right, top + LabelHeight}, u"&Name:",
                                               LEditName.get());
    const int buttonTop = top + LayoutHeight - ButtonHeight;
    BtnOk = std::make_unique<TButton>(
        *this, RECT{right - 2 * ButtonWidth - ButtonSpacing, buttonTop, right - ButtonWidth - ButtonSpacing,
                    buttonTop + ButtonHeight},
        u"&Ok");
    BtnOk->OnClick = [this] { BtnOkClick(); };
    SetDefaultButton(BtnOk.get());
    BtnCancel = std::make_unique<TButton>(
        *this, RECT{right - ButtonWidth, buttonTop, right, buttonTop + ButtonHeight}, u"&Cancel", mrCancel);
    CancelButton = BtnCancel.get();
    CenterOnScreen();
}

void TFmAddFolderRename::BtnOkClick()
{
    if (LEditName->Text().empty()) {
        LEditName->SetFocus();
        OsInput().MessageBeep(0);
        return;
    }
    ModalResult = mrOk;
}

TTreeNode* NewMenu()
{
    return AskName(FmNewMenu, nullptr, [](const String& name) {
        TTreeNode* menu = AddFolder(RootNode, name);
        AddMessageMenuRows(SnippetTree(), menu);
        SaveDataFile(SnippetTree(), RootNode);
        FmMenuBar->InitToolBarMenu();
        return menu;
    });
}

TTreeNode* NewFolder(TTreeNode* parent)
{
    // A capture's trim may delete the parent while the dialog is open: the folder then goes
    // into Messages rather than nowhere.
    TNodeRef target(parent);
    return AskName(FmNewFolder, nullptr, [&](const String& name) {
        TTreeNode* folder = AddFolder(FolderOrMessages(target.Get()), name);
        SaveDataFile(SnippetTree(), RootNode);
        return folder;
    });
}

TTreeNode* RenameNode(TTreeNode* node)
{
    TNodeRef renamed(node);
    return AskName(
        FmRename,
        [&](TFmAddFolderRename& dialog) {
            dialog.LEditName->SetText(node->Text);
            dialog.LEditName->SelectAll();
        },
        [&](const String& name) -> TTreeNode* {
            // A node deleted while the dialog was open has nothing left to rename.
            if (!renamed)
                return nullptr;
            renamed->Text = name;
            SaveDataFile(SnippetTree(), RootNode);
            return renamed.Get();
        });
}
