// A timer with Interval, Enabled, Tag and an OnTimer handler; ticks arrive through the message
// loop on the GUI thread, like every other event.
#pragma once

#include <functional>

class TTimer {
public:
    TTimer() = default;
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    int Tag = 0;
    std::function<void()> OnTimer;

    // Called by the application window for WM_TIMER.
    static void Dispatch(unsigned long long id);

private:
    void Update();

    unsigned interval_ = 1000;
    bool enabled_ = false;
    unsigned long long id_ = 0;
};
