// Acting on a modal window from inside its own loop, as a user would while it is up: a timer of
// the running loop waits until the window is there, then acts once.
#pragma once

#include <functional>
#include <memory>

#include "ui/Timer.h"

class TWhileModal {
public:
    // act runs once, on the first tick at which ready() holds.
    TWhileModal(std::function<bool()> ready, std::function<void()> act);
    TWhileModal(const TWhileModal&) = delete;
    TWhileModal& operator=(const TWhileModal&) = delete;
    bool Acted() const { return acted_; }

private:
    std::unique_ptr<TTimer> timer_ = std::make_unique<TTimer>();
    std::function<bool()> ready_;
    std::function<void()> act_;
    bool acted_ = false;
};

// Closes a modal form that is still up after ms, so a test that fails leaves no loop running.
class TModalDeadline {
public:
    TModalDeadline(std::function<void*()> window, unsigned ms = 5000);

private:
    std::unique_ptr<TTimer> timer_ = std::make_unique<TTimer>();
};

// Posts a key press (down and up) to window, as it reaches a focused control from the keyboard.
void PostKey(void* window, unsigned key);
