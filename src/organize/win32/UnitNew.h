// The New chooser of a menu's New... row: New Menu, New Folder or New Message, run after the
// chooser closes. New folders and messages go into parent, the menu whose row was clicked; the
// node created is returned, nullptr when nothing was.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "core/SnippetTree.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Dialog.h"

TTreeNode* ShowNewDialog(TTreeNode* parent);

// The commands of the chooser, in the order of its buttons.
enum class TNewChoice { Menu, Folder, Message };

class TFmNew : public TDialogForm, public TLanguageWindow {
public:
    TFmNew();

    // Runs the chooser in FmNew; command gets what was chosen with a New button, and runs while
    // the chooser, closed and hidden, still exists. Close runs nothing.
    static void Run(const std::function<void(TNewChoice)>& command);

    static constexpr int FormBorderWidth = 16;
    static constexpr int ButtonWidth = 144;
    static constexpr int ButtonSpacing = 8;

    void BtnNewMenuClick() { Choose(*Ui.BtnNewMenu); }
    void BtnNewFolderClick() { Choose(*Ui.BtnNewFolder); }
    void BtnNewMessageClick() { Choose(*Ui.BtnNewMessage); }
    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;

private:
    friend struct TDialogTestAccess; // the in-process tests act on the controls as a user would

    void Choose(const TButton& pressed);

    struct {
        std::unique_ptr<TButton> BtnNewMenu;
        std::unique_ptr<TButton> BtnNewFolder;
        std::unique_ptr<TButton> BtnNewMessage;
        std::unique_ptr<TButton> BtnClose;
    } Ui;
    std::optional<TNewChoice> choice_;
};
