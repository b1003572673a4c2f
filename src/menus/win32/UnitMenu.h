// The drop-down menu window: a non-activating top-most popup that shows the children of one
// node of the snippet tree as a column of rows. FmMenu opens under a bar label; each window
// opens at most one submenu window of its own class beside it for a folder row.
#pragma once

#include <memory>
#include <vector>

#include "core/NodeWatch.h"
#include "menus/MenuLayout.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Timer.h"

class TWideMenuItem;

class TFmMenu : public TNonActivatingForm, private TNodeWatcher {
public:
    TFmMenu();
    ~TFmMenu() override;

    std::unique_ptr<TPanel> PanelBorder;
    std::unique_ptr<TPanel> PanelData;
    std::unique_ptr<TPanel> PanelTopScroll;
    std::unique_ptr<TPanel> PanelBtmScroll;
    TImage* ImageTopScroll = nullptr;
    TImage* ImageBtmScroll = nullptr;
    TTimer TimerScroll;
    TTimer TimerDirHint;

    std::vector<TWideMenuItem*> WideMenuItem; // the rows, owned by PanelData
    TTreeNode* Node = nullptr;                // the menu or folder shown
    std::unique_ptr<TFmMenu> FmMenuSub;       // this window's submenu window
    int SelectedItem = -1;
    int LeftWidth = 0;
    bool ShowSubMenuAtRight = false;
    int FirstScrollIndex = 0;
    int MouseInScroolBtn = 0;

    // Rebuilds every row for Node, sizes the window and puts its top-left corner at (ALeft,
    // ATop) unless a screen edge moves it. Does not show the window.
    void LoadData(int ALeft, int ATop);
    void Show() override;
    void Hide() override;

    // The message handlers of the rows and the context menu.
    void UserMsgMenuItemSelected(TMessage& msg);
    void UserMsgMenuItemSelecting(TMessage& msg);
    void UserMsgLoadData(TMessage& msg);
    void UserMsgCloseSubMenu(TMessage& msg);

    // Hover, submenus and scrolling (UnitMenuHover.cpp, MenuScrolling.cpp).
    void TimerDirHintTimer();
    void TimerScrollTimer();
    void ImageTopScrollMouseEnter();
    void ImageTopScrollMouseLeave();
    void ImageTopScrollDragOver(TDragState state, bool& accept);
    void ImageBtmScrollMouseEnter();
    void ImageBtmScrollMouseLeave();
    void ImageBtmScrollDragOver(TDragState state, bool& accept);
    void PanelDataMouseDown(TMouseButton button);
    void PanelDataMouseUp(TMouseButton button);

protected:
    void CreateControls() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // A node leaves the tree: an open menu chain that shows it closes, so that no row keeps
    // pointing at a freed node (a capture's trim can delete an entry of an open Clipboards menu).
    void NodeDeleted(TTreeNode& node) override;
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormDestroy();
    void CreateScrollArrow(std::unique_ptr<TPanel>& panel, TImage*& image, int pictureId);
    // Frees the submenu window chain below this window, once no code of it runs any more.
    void FreeSubMenu();
    bool ShowsNode(const TTreeNode& node) const;
    void BindSubmenuHandlers();
    void OpenSubMenu(TWideMenuItem& row);
    void ShowPreview(TWideMenuItem& row, POINT cursor);
    void ScrollArrowEntered(TPanel& panel, int arrow);
    void ScrollArrowLeft(TPanel& panel);
    void ShowScrollArrow(TPanel& panel, bool shown);
};

// Hides the preview window and the context menu, which belong to no one menu window.
void HidePreviewAndContextMenu();
