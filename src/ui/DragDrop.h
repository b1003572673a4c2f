// Drag and drop of window-less controls across all of the program's windows. A drag takes the
// mouse capture in a hidden window of its own, so it outlives the window and the control it
// began on; every control it passes gets DragOver with the enter, move and leave states, the one
// under the release gets DragDrop when it accepted, and the end-of-drag handler always runs.
#pragma once

#include <functional>

class TGraphicControl;

// Begins a drag of source, which the left button is pressing: the press ends at once (source gets
// its click, when the pointer is inside, and its release). Not immediate: the drag becomes active
// only when the pointer has moved threshold pixels from where it is now; a release before that
// ends it without any drag-over or drop. onEndDrag runs once when the drag ends in any way.
void BeginDrag(TGraphicControl& source, bool immediate, int threshold, std::function<void()> onEndDrag);
// Called by every control as it is destroyed.
void DragControlDestroyed(const TGraphicControl* control);
