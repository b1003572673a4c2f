#include "ui/PopupMenu.h"

#include <vector>

#include "ui/Application.h"
#include "ui/WinText.h"

namespace {
struct MenuDeleter {
    static HMENU Invalid() { return nullptr; }
    static void Free(HMENU h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;

// Appends the visible items to menu; an item's command id is its place in chosen plus one.
void AppendItems(HMENU menu, std::list<TMenuItem>& items, std::vector<TMenuItem*>& chosen)
{
    for (TMenuItem& item : items) {
        if (!item.Visible)
            continue;
        if (item.Caption == u"-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = ToW(item.Caption);
        if (!item.ShortCut.empty())
            text += L"\t" + ToW(item.ShortCut);
        if (!item.Items.empty()) {
            HMENU submenu = CreatePopupMenu();
            AppendItems(submenu, item.Items, chosen);
            // The menu owns its submenus from here on.
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
            continue;
        }
        chosen.push_back(&item);
        AppendMenuW(menu, MF_STRING, chosen.size(), text.c_str());
    }
}
} // namespace

TMenuItem& TMenuItem::Add(String caption, std::function<void(TMenuItem&)> onClick)
{
    TMenuItem& item = Items.emplace_back();
    item.Caption = std::move(caption);
    item.OnClick = std::move(onClick);
    return item;
}

void TMenuItem::Click()
{
    // The handler may rebuild the menu that holds this item; keep it alive while it runs.
    if (std::function<void(TMenuItem&)> handler = OnClick)
        handler(*this);
}

TMenuItem& TPopupMenu::Add(String caption, std::function<void(TMenuItem&)> onClick)
{
    return root_.Add(std::move(caption), std::move(onClick));
}

void TPopupMenu::Popup(HWND owner, int x, int y)
{
    if (OnPopup)
        OnPopup();
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    std::vector<TMenuItem*> chosen;
    AppendItems(menu.get(), root_.Items, chosen);
    const UINT_PTR id = static_cast<UINT_PTR>(TrackPopupMenuEx(
        menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner,
        nullptr));
    PostMessageW(owner, WM_NULL, 0, 0); // lets the menu close for good when its owner is hidden
    if (id == 0 || id > chosen.size())
        return;
    chosen[id - 1]->Click();
}
