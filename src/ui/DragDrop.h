// Drag and drop across all of the program's windows, between window-less controls and the
// system's own controls (tree and list views) alike. A drag takes the mouse capture in a hidden
// window of its own, so it outlives the window and the control it began on; every control it
// passes gets DragOver with the enter, move and leave states, the one under the release gets
// DragDrop when it accepted, and the end-of-drag handler always runs.
#pragma once

#include <functional>

// Where a drag stands over a control: it came in, moves over it, or went out.
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What a drag can begin on or pass over. Coordinates are the control's own.
class TDragControl {
public:
    TDragControl() = default;
    virtual ~TDragControl();
    TDragControl(const TDragControl&) = delete;
    TDragControl& operator=(const TDragControl&) = delete;

    // accept arrives true when the control takes drops at all.
    virtual bool AcceptsDrags() const = 0;
    // source: the control the drag began on, nullptr once it is gone.
    virtual void DoDragOver(TDragControl* source, int x, int y, TDragState state, bool& accept) = 0;
    virtual void DoDragDrop(TDragControl* source, int x, int y) = 0;
    // The drag takes over the press that began it.
    virtual void DragTakesPress() {}
};

// Begins a drag of source, which the left button is pressing: the press ends at once (a
// window-less source gets its click, when the pointer is inside, and its release). Not immediate:
// the drag becomes active only when the pointer has moved threshold pixels from where it is now;
// a release before that ends it without any drag-over or drop. onEndDrag runs once when the drag
// ends in any way.
void BeginDrag(TDragControl& source, bool immediate, int threshold, std::function<void()> onEndDrag);
// A drag is under way.
bool DragInProgress();
