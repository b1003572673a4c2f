// The menu bar: the thin always-on-top bar at the top edge of the screen. It owns the snippet
// tree and never takes the keyboard focus. The rest of the program uses its commands; its parts
// each keep what they set up and undo it when they go: the labels (MenuBarLabels.h), the row
// pictures (MenuBarRowPictures.h), the hotkeys with the paste timers (MenuBarHotkeys.h) and the
// clipboard viewer membership (MenuBarClipboard.h).
#pragma once

#include <memory>

#include "core/Globals.h"
#include "core/SnippetTree.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/PopupMenu.h"

class TMenuBarClipboard;
class TMenuBarHotkeys;
class TMenuBarLabels;
class TMenuBarRowPictures;

class TFmMenuBar : public TNonActivatingForm {
public:
    TFmMenuBar();
    ~TFmMenuBar() override;

    static constexpr int BarHeight = 26;
    static constexpr int LayoutWidth = 425;

    // Rebuilds the labels from the menus and places the bar (MenuBarLabels.cpp).
    void InitToolBarMenu();
    // The bar joins the clipboard viewer chain; it leaves when it goes.
    void JoinClipboardChain();
    // FmMenu has opened, or has closed while showing the menu of menuIndex.
    void DropDownShown();
    void DropDownHidden(int menuIndex);

    // The program commands and the tray menu (MenuBarActions.cpp).
    void ActionOptionsExecute();
    // The Organize window with the item of preselect selected (none for nullptr).
    void ActionOrganizeExecute(const TTreeNode* preselect);
    void ActionHelpExecute();
    void ActionAboutExecute();
    void ActionTrayExecute();
    void ActionExitExecute();
    // The tray menu, rebuilt from the program menu, at (x, y) on the screen for owner.
    void PopupTrayMenu(HWND owner, int x, int y);
    void PopupMenu1Popup();
    const TPopupMenu& TrayMenu() const { return PopupMenu1; }

    // The parts, for what watches them.
    TMenuBarLabels& Labels() { return *labels_; }
    const TMenuBarRowPictures& RowPictures() const { return *rowPictures_; }
    TMenuBarHotkeys& Hotkeys() { return *hotkeys_; }
    TMenuBarClipboard& Clipboard() { return *clipboard_; }

protected:
    void CreateControls() override;
    void CreateParams(TCreateParams& params) override;
    LRESULT WMMouseActivate() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend TTreeNodes& SnippetTree();

    void FormCreate();
    void BuildTrayMenuItems(TTreeNode* menu, TPopupMenu& items);

    // Declared in the order of building; each goes before what it was built on.
    TTreeNodes TreeViewData;
    TFont Font;
    // MenuFont is the bar's own font, which the labels and the other windows copy.
    TGlobalBinding<TFont> menuFont_{MenuFont, &Font};
    std::unique_ptr<TPanel> PanelMenuBar;
    TPopupMenu PopupMenu1;
    std::unique_ptr<TMenuBarLabels> labels_;
    std::unique_ptr<TMenuBarRowPictures> rowPictures_;
    std::unique_ptr<TMenuBarClipboard> clipboard_;
    std::unique_ptr<TMenuBarHotkeys> hotkeys_;
};

// The snippet tree, TreeViewData of the menu bar: the one way to it for the rest of the program.
TTreeNodes& SnippetTree();

// What a hotkey or a tray click does while a modal window or program message box is open:
// a click just inside the bar, the cursor put back, and a beep.
void ModalClickAndBeep();
// True while a modal window or a program message box is open.
bool ModalWindowOpen();
