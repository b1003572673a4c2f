// The name dialog: one small window asking for a name, for a new menu, a new folder or a rename.
// Each opener changes the tree and writes the data file at once; it returns the node it created
// or renamed, or nullptr when the user cancelled (nothing changed then).
#pragma once

#include <memory>

#include "core/SnippetTree.h"
#include "ui/Dialog.h"

TTreeNode* NewMenu();
TTreeNode* NewFolder(TTreeNode* parent);
TTreeNode* RenameNode(TTreeNode* node);

// The window itself: a name field with its label and the OK and Cancel buttons.
class TFmAddFolderRename : public TDialogForm {
public:
    TFmAddFolderRename();

    // The laid-out area inside the 8-pixel border.
    static constexpr int LayoutWidth = 258;
    static constexpr int LayoutHeight = 73;

    std::unique_ptr<TEdit> LEditName;
    std::unique_ptr<TStaticLabel> LabelName;
    std::unique_ptr<TButton> BtnOk;
    std::unique_ptr<TButton> BtnCancel;

    void BtnOkClick();

protected:
    void CreateControls() override;
};
