// The bar's background pictures and labels: building them, opening the drop-down from a label,
// dragging the bar sideways, auto hide and the outside-press watch. Every control of PanelMenuBar
// with a Tag of 0 or more is a menu label; its Tag is its menu's index among the root's children.
#pragma once

#include <windows.h>

#include "ui/DragDrop.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Timer.h"

class TMenuBarLabels {
public:
    // bar: the menu-bar window, which the labels place and move; panelMenuBar: its client area.
    TMenuBarLabels(TForm& bar, TPanel& panelMenuBar);
    TMenuBarLabels(const TMenuBarLabels&) = delete;
    TMenuBarLabels& operator=(const TMenuBarLabels&) = delete;

    TPanel& PanelMenuBar;
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
    // FmMenu has opened: presses outside the program are watched for.
    void DropDownShown();
    // FmMenu, showing the menu of this index, has closed: its label returns to normal unless the
    // pointer is on it.
    void DropDownHidden(int menuIndex);

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
    static void SetLabelHighlighted(TLabel& label, bool highlighted);
    static bool LabelHighlighted(const TLabel& label);

private:
    void CreateBarImages();
    void AlignBarImages();
    void OpenMenuFor(TLabel& label);

    TForm& bar_;
};
