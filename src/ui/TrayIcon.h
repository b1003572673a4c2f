// The notification-area icon of a window. Its owner forwards its window messages to
// HandleMessage, which turns the icon's callbacks into mouse events and re-adds the icon when
// the shell restarts.
#pragma once

#include <windows.h>

#include <functional>

#include "core/Text.h"
#include "ui/Form.h"
#include "ui/Handles.h"

class TTrayIcon {
public:
    static constexpr UINT CallbackMessage = WM_APP + 100;
    static constexpr UINT IconId = 1;

    TTrayIcon() = default;
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    void SetOwner(HWND owner) { owner_ = owner; }
    void SetIcon(HICON icon) { icon_.reset(icon); }
    const String& Hint() const { return hint_; }
    void SetHint(String hint);
    // Whether the icon is wanted in the notification area; the shell may not hold it yet (a
    // refused add, a shell not started), and gets it again at its next restart.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    std::function<void(TMouseButton, int x, int y)> OnMouseDown;
    std::function<void(TMouseButton, int x, int y)> OnMouseUp;

    // True when the message was the icon's.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    NOTIFYICONDATAW Data(UINT flags) const;
    void Add();

    HWND owner_ = nullptr;
    UniqueIcon icon_;
    String hint_;
    bool visible_ = false;
    bool added_ = false; // the shell holds the icon
    UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
};
