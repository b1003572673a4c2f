// One row of a drop-down menu window: a window-less control that paints itself (background,
// icon column, node icon, caption, hotkey text, submenu arrow or separator line), tells its menu
// window where the pointer rests, starts and takes drag-and-drop moves of tree nodes, and acts
// on a click by the kind of its node.
#pragma once

#include <windows.h>

#include "core/SnippetTree.h"
#include "ui/GraphicControl.h"

class TImageList;

constexpr COLORREF MenuBackColor = 0x00FFF8F1;
constexpr COLORREF MenuHighlightColor = 0x00FEE0C7;
constexpr COLORREF MenuHighlightBorderColor = 0x00D48D4A;
constexpr COLORREF MenuLineColor = 0x00B8C2C5;
constexpr COLORREF MenuBorderColor = 0x00D48D4A;

// The pixels a row moves under a pressed button before its drag begins, and the drag threshold
// after that.
constexpr int RowDragStart = 6;
constexpr int RowDragThreshold = 5;

class TWideMenuItem : public TGraphicControl {
public:
    explicit TWideMenuItem(TWinControl& parent);

    const TImageList* ImageList = nullptr;
    int ImageIndex = -1;            // the row's kind; -1 on the Empty row
    TTreeNode* Node = nullptr;      // nullptr on the Empty row
    TTreeNode* ParentNode = nullptr;
    HBITMAP LeftBarGraphic = nullptr;
    HWND hMenuWnd = nullptr;
    bool Empty = false;
    bool MouseEnter = false;        // highlighted
    // The row's index among its siblings as the menu window built it; -1 on the Empty row.
    int RowIndex = -1;

    String Caption;
    String Hint;
    HFONT Font = nullptr; // the menu font, borrowed

    // Repaints the row now.
    void Repaint();

    void Paint(HDC dc) override;
    void Click() override;
    void DoMouseEnter() override { CMMouseEnter(); }
    void DoMouseLeave() override { CMMouseLeave(); }
    void MouseDown(TMouseButton button, WPARAM keys, int x, int y) override;
    void MouseMove(WPARAM keys, int x, int y) override;
    void MouseUp(TMouseButton button, WPARAM keys, int x, int y) override;
    bool AcceptsDrags() const override { return true; }
    void DragOver(TGraphicControl* source, int x, int y, TDragState state, bool& accept) override;
    void DragDrop(TGraphicControl* source, int x, int y) override;

private:
    void CMMouseEnter();
    void CMMouseLeave();
    void DoDrawText(HDC dc, RECT rect);
    bool Draggable() const;
    // The drop's move of the dragged node to this row's place, with the rebuilds of the windows
    // that show it; false when the row takes no move.
    bool MoveDraggedNode(TTreeNode* dragNode);
};

// Whether a row of this kind starts drags and takes drops: messages, folders and kinds 11, 13, 15.
bool IsDraggableKind(int kind);
