// The New chooser of a menu's New... row: New Menu, New Folder or New Message, run after the
// chooser closes. New folders and messages go into parent, the menu whose row was clicked.
#pragma once

#include <memory>

#include "core/SnippetTree.h"
#include "ui/Dialog.h"

int ShowNewDialog(TTreeNode* parent);

class TFmNew : public TDialogForm {
public:
    TFmNew();

    static constexpr int FormBorderWidth = 16;
    static constexpr int ButtonWidth = 144;
    static constexpr int ButtonSpacing = 8;

    std::unique_ptr<TButton> BtnNewMenu;
    std::unique_ptr<TButton> BtnNewFolder;
    std::unique_ptr<TButton> BtnNewMessage;
    std::unique_ptr<TButton> BtnClose;
    // The caption of the button that was pressed; empty until then.
    String BtnTitle;

    void BtnNewMenuClick() { Choose(*BtnNewMenu); }
    void BtnNewFolderClick() { Choose(*BtnNewFolder); }
    void BtnNewMessageClick() { Choose(*BtnNewMessage); }

protected:
    void CreateControls() override;

private:
    void Choose(const TButton& button);
};
