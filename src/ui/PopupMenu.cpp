#include "ui/PopupMenu.h"

#include "ui/Application.h"
#include "ui/WinText.h"

namespace {
struct MenuDeleter {
    static HMENU Invalid() { return nullptr; }
    static void Free(HMENU h) { DestroyMenu(h); }
};
} // namespace

void TPopupMenu::Add(String caption, std::function<void()> onClick)
{
    items_.push_back({std::move(caption), std::move(onClick)});
}

void TPopupMenu::Popup(HWND owner, int x, int y)
{
    if (OnPopup)
        OnPopup();
    UniqueHandle<HMENU, MenuDeleter> menu(CreatePopupMenu());
    if (!menu)
        return;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].Caption == u"-")
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu.get(), MF_STRING, i + 1, ToW(items_[i].Caption).c_str());
    }
    const UINT_PTR chosen = static_cast<UINT_PTR>(
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0); // lets the menu close for good when its owner is hidden
    if (chosen == 0 || chosen > items_.size())
        return;
    // The handler may rebuild the items; keep it alive while it runs.
    std::function<void()> handler = items_[chosen - 1].OnClick;
    if (handler)
        handler();
}
