#include "ModalDriver.h"

#include <windows.h>

TWhileModal::TWhileModal(std::function<bool()> ready, std::function<void()> act)
    : ready_(std::move(ready)), act_(std::move(act))
{
    timer_->SetInterval(10);
    timer_->OnTimer = [this] {
        if (acted_ || !ready_())
            return;
        acted_ = true;
        timer_->SetEnabled(false);
        act_();
    };
    timer_->SetEnabled(true);
}

void PostKey(void* window, unsigned key)
{
    HWND h = static_cast<HWND>(window);
    PostMessageW(h, WM_KEYDOWN, key, 1);
    PostMessageW(h, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

TModalDeadline::TModalDeadline(std::function<void*()> window, unsigned ms)
{
    timer_->SetInterval(ms);
    timer_->OnTimer = [this, window] {
        timer_->SetEnabled(false);
        if (HWND h = static_cast<HWND>(window()))
            PostMessageW(h, WM_CLOSE, 0, 0);
    };
    timer_->SetEnabled(true);
}
