// The context menu of the drop-down menus: fourteen custom-drawn rows that capture the user's
// selection into a menu or folder, make, rename, edit, delete, sort, view and save its items. It
// never takes the focus, so the user's window keeps it and gets the Ctrl+X or Ctrl+C of Cut to
// and Copy to.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/NodeWatch.h"
#include "menus/PopupMenuRules.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"

// One row of the context menu, told apart from the others by its command.
class TPopupMenuItem : public TGraphicControl {
public:
    TPopupMenuItem(TWinControl& parent, TPopupCommand command);

    const TPopupCommand Command;
    const bool IsLine;
    String Caption;
    bool Enabled = true;
    HFONT Font = nullptr; // the menu font, borrowed
    // White until the pointer first enters the row, as the panel behind it.
    COLORREF Color = RGB(255, 255, 255);
    COLORREF FontColor = RGB(0, 0, 0);
    std::function<void(TPopupMenuItem& sender)> OnItemClick;

    void Paint(HDC dc) override;
    void Click() override;
    void DoMouseEnter() override { CMMouseEnter(); }
    void DoMouseLeave() override { CMMouseLeave(); }

private:
    void CMMouseEnter();
    void CMMouseLeave();
    void DoDrawText(HDC dc, RECT rect);
};

class TFmPopupMenu : public TNonActivatingForm, private TNodeWatcher {
public:
    TFmPopupMenu();
    ~TFmPopupMenu() override;

    std::unique_ptr<TPanel> PanelBorder;
    std::unique_ptr<TPanel> PanelBack;
    std::vector<TPopupMenuItem*> LabelItem; // the rows now shown, owned by PanelBack

    // Set by the caller before every opening: the menu or folder whose window was right-clicked,
    // the right-clicked row's node (nullptr on the empty area) and that window. A node that
    // leaves the tree while they hold it is dropped and the context menu closes.
    TTreeNode* ParentNode = nullptr;
    TTreeNode* SelectedNode = nullptr;
    HWND hMenuWnd = nullptr;

    // Builds the rows for ParentNode and SelectedNode and shows the window at Left and Top, or
    // nearer the pointer where the work area ends.
    void OpenPopupMenu();
    void MainMenuPopupMenuItemClick(TPopupMenuItem& sender);
    // The save dialog came up: it goes to the front although the menus never activate.
    void SaveDialog1Show(HWND dialog);
    // Runs the save dialog with a proposed file name and gives the chosen one, nothing on
    // Cancel; throws EAppError when the dialog fails. Tests put their own in its place.
    std::function<std::optional<String>(const String& proposed)> SaveDialog1Execute;

protected:
    void CreateControls() override;

private:
    void FormCreate();
    void FormDestroy();
    void NodeDeleted(TTreeNode& node) override;
    void DeleteSelectedNode(TTreeNode* node);
    void SaveSelectedNodeAs(const TTreeNode& node);
    std::optional<String> SaveDialog1(const String& proposed);
};

// Opens the context menu at the pointer for a right release in the menu window menuWnd, after
// that window's submenu has closed.
void OpenContextMenu(TTreeNode* parentNode, TTreeNode* selectedNode, HWND menuWnd);
