// The menu bar: the thin always-on-top bar at the top edge of the screen. It owns the snippet
// tree and never takes the keyboard focus.
#pragma once

#include <memory>

#include "core/ClipboardCapture.h"
#include "core/PasteEngine.h"
#include "core/SnippetTree.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/ImageList.h"
#include "ui/PopupMenu.h"
#include "ui/Timer.h"

class TFmMenuBar : public TNonActivatingForm, private ITabPasteTimer {
public:
    TFmMenuBar();
    ~TFmMenuBar() override;

    TTreeNodes TreeViewData;
    // Texts cut or copied to a folder other than Clipboards, waiting for the message editor; the
    // bar posts itself UM_FOLDERCAPTURE to open the editor for them.
    TFolderCaptures FolderCaptures;
    static constexpr UINT UM_FOLDERCAPTURE = WM_USER + 7;
    void UserMsgFolderCapture();
    // The error of a capture's failed save, waiting to be shown; the bar posts itself
    // UM_CAPTURESAVEERROR to show it once the chain message has gone on.
    TCaptureSaveErrors CaptureSaveErrors;
    static constexpr UINT UM_CAPTURESAVEERROR = WM_USER + 8;
    void UserMsgCaptureSaveError();
    std::unique_ptr<TPanel> PanelMenuBar;
    TFont Font;
    HWND hNextClip = nullptr;
    bool FirstClipboardMsg = false;

    // System hotkeys and key-macro typing (MenuBarHotkeys.cpp).
    TTimer TimerHotkey;   // 10 ms, while an Alt hotkey's message (AltHotkeyNode) waits for Alt to go up
    TTimer TimerTabPaste; // one step of a key-macro message per tick
    void MyHotKey(WPARAM id, LPARAM keys);
    void TimerHotkeyTimer();
    void TimerTabPasteTimer();

    static constexpr int BarHeight = 26;
    static constexpr int LayoutWidth = 425;

    // The bar's background and labels (MenuBarLabels.cpp). Every control of PanelMenuBar with a
    // Tag of 0 or more is a menu label; its Tag is its menu's index among the root's children.
    TImage* ImageL = nullptr;
    TImage* ImageM = nullptr;
    TImage* ImageR = nullptr;
    TTimer TimerMenu;
    bool MouseIsDown = false;
    bool WndIsDrag = false;
    int OldLeft = 0;
    int OldTop = 0;
    POINT OldCurPos{};

    void InitToolBarMenu();
    void LabelMouseEnter(TLabel& label);
    void LabelMouseLeave(TLabel& label);
    void LabelMouseDown(TLabel& label);
    void LabelDragOver(TLabel& label, TDragState state, bool& accept);
    void ImageMMouseDown();
    void ImageMMouseMove();
    void ImageMMouseUp();
    void ImageMMouseEnter();
    void TimerMenuTimer();
    // The label of the menu with this index among the root's children, or nullptr.
    TLabel* MenuLabel(int index) const;
    void SetLabelHighlighted(TLabel& label, bool highlighted);
    static bool LabelHighlighted(const TLabel& label) { return !label.Transparent; }

    // What the drop-down menu rows draw (MenuBarRowPictures.cpp): the row icons by node kind and
    // the hidden icon-column picture.
    TImageList ImageList1;
    TImage* ImageMenuLeftBar = nullptr;
    void CreateRowPictures();

    // The program commands and the tray menu (MenuBarActions.cpp).
    TPopupMenu PopupMenu1;
    void ActionOptionsExecute();
    // The Organize window with the item of preselect selected (none for nullptr).
    void ActionOrganizeExecute(const TTreeNode* preselect);
    void ActionHelpExecute();
    void ActionAboutExecute();
    void ActionTrayExecute();
    void ActionExitExecute();
    void PopupMenu1Popup();
    void BuildTrayMenuItems(TTreeNode* menu, TPopupMenu& items);

protected:
    void CreateControls() override;
    void CreateParams(TCreateParams& params) override;
    LRESULT WMMouseActivate() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateBarImages();
    void OpenMenuFor(TLabel& label);
    void AlignBarImages();
    void CreateHotkeyTimers();
    void Restart(unsigned intervalMs) override;
    void Stop() override;

    // The clipboard viewer chain (MenuBarClipboard.cpp).
    void CreateFolderCaptures();
    LRESULT WMDrawClipboard(WPARAM wParam, LPARAM lParam);
    LRESULT WMChangeCBChain(WPARAM wParam, LPARAM lParam);
    void LeaveClipboardChain();
};

// What a hotkey or a tray click does while a modal window or program message box is open:
// a click just inside the bar, the cursor put back, and a beep.
void ModalClickAndBeep();
// True while a modal window or a program message box is open.
bool ModalWindowOpen();
