// A pop-up menu whose items are (re)built by its owner, popped up at a screen point: items with
// submenus, hidden items, tags and shortcut texts. A chosen item's handler runs once the menu has
// closed.
#pragma once

#include <windows.h>

#include <functional>
#include <list>

#include "core/Text.h"

class TMenuItem {
public:
    String Caption;  // "-" is a separator line
    String ShortCut; // shown at the right, as "F1"; the owner makes the key work
    int Tag = 0;
    bool Visible = true;
    std::function<void(TMenuItem& sender)> OnClick;
    // A submenu; stable references, so items can be kept while more are added.
    std::list<TMenuItem> Items;

    TMenuItem& Add(String caption, std::function<void(TMenuItem&)> onClick = {});
    // Runs the handler as choosing the item does. A handler that rebuilds the menu holding its
    // item must not use sender afterwards.
    void Click();
};

class TPopupMenu {
public:
    // Runs first at each popup, so the items can be rebuilt.
    std::function<void()> OnPopup;

    void Clear() { root_.Items.clear(); }
    TMenuItem& Add(String caption, std::function<void(TMenuItem&)> onClick = {});
    const std::list<TMenuItem>& Items() const { return root_.Items; }

    // Shows the menu at the point with owner as its window, and runs the chosen item's handler.
    void Popup(HWND owner, int x, int y);

private:
    TMenuItem root_;
};
