// The name dialog: one small window asking for a name, for a new menu, a new folder or a rename.
// Each opener changes the tree and writes the data file at once; it returns the node it created
// or renamed, or nullptr when the user cancelled (nothing changed then).
#pragma once

#include <memory>
#include <optional>

#include "core/SnippetTree.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Dialog.h"

TTreeNode* NewMenu();
TTreeNode* NewFolder(TTreeNode* parent);
TTreeNode* RenameNode(TTreeNode* node);

// What the name is asked for. Each use is held in a global of its own (FmNewMenu, FmNewFolder,
// FmRename) and takes its texts from a section of its own.
enum class TNameDialogUse { NewMenu, NewFolder, Rename };

// The window itself: a name field with its label and the OK and Cancel buttons.
class TFmAddFolderRename : public TDialogForm, public TLanguageWindow {
public:
    // The dialog for use, its field holding name (all of it selected).
    explicit TFmAddFolderRename(TNameDialogUse use = TNameDialogUse::NewMenu, String name = {});

    // Runs the dialog for use, held in that use's global while it is open: the name the user
    // confirmed with OK, or nothing.
    static std::optional<String> AskName(TNameDialogUse use, const String& name = {});

    // The laid-out area inside the 8-pixel border.
    static constexpr int LayoutWidth = 258;
    static constexpr int LayoutHeight = 73;

    void BtnOkClick();
    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;

private:
    friend struct TDialogTestAccess; // the in-process tests act on the controls as a user would

    struct {
        std::unique_ptr<TEdit> LEditName;
        std::unique_ptr<TStaticLabel> LabelName;
        std::unique_ptr<TButton> BtnOk;
        std::unique_ptr<TButton> BtnCancel;
    } Ui;
    TNameDialogUse use_;
    String name_;
};
