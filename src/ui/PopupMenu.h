// A context menu whose items are (re)built by its owner, popped up at a screen point. A chosen
// item's handler runs once the menu has closed.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "core/Text.h"

class TPopupMenu {
public:
    struct TMenuItem {
        String Caption; // "-" is a separator line
        std::function<void()> OnClick;
    };

    // Runs first at each popup, so the items can be rebuilt.
    std::function<void()> OnPopup;

    void Clear() { items_.clear(); }
    void Add(String caption, std::function<void()> onClick = {});
    const std::vector<TMenuItem>& Items() const { return items_; }

    // Shows the menu at the point with owner as its window, and runs the chosen item's handler.
    void Popup(HWND owner, int x, int y);

private:
    std::vector<TMenuItem> items_;
};
