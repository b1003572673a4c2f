#include "ui/TrayIcon.h"

#include <algorithm>

#include "ui/WinText.h"

TTrayIcon::~TTrayIcon() { SetVisible(false); }

NOTIFYICONDATAW TTrayIcon::Data(UINT flags) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = IconId;
    data.uFlags = flags;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = icon_.get();
    std::wstring tip = ToW(hint_).substr(0, std::size(data.szTip) - 1);
    std::copy(tip.begin(), tip.end(), data.szTip);
    return data;
}

void TTrayIcon::SetHint(String hint)
{
    hint_ = std::move(hint);
    if (added_) {
        NOTIFYICONDATAW data = Data(NIF_TIP);
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }
}

void TTrayIcon::Add()
{
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TTrayIcon::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (visible) {
        Add();
    } else if (added_) {
        NOTIFYICONDATAW data = Data(0);
        Shell_NotifyIconW(NIM_DELETE, &data);
        added_ = false;
    }
}

bool TTrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        if (visible_)
            Add();
        return false; // other windows may want it too
    }
    if (msg != CallbackMessage || wParam != IconId)
        return false;
    static const struct {
        UINT message;
        TMouseButton button;
        bool down;
    } events[] = {
        {WM_LBUTTONDOWN, TMouseButton::Left, true},   {WM_RBUTTONDOWN, TMouseButton::Right, true},
        {WM_MBUTTONDOWN, TMouseButton::Middle, true}, {WM_LBUTTONUP, TMouseButton::Left, false},
        {WM_RBUTTONUP, TMouseButton::Right, false},   {WM_MBUTTONUP, TMouseButton::Middle, false},
    };
    for (const auto& event : events) {
        if (event.message != static_cast<UINT>(lParam))
            continue;
        POINT p{};
        GetCursorPos(&p);
        if (auto& handler = event.down ? OnMouseDown : OnMouseUp)
            handler(event.button, p.x, p.y);
    }
    return true;
}
