#include "ui/Timer.h"

#include <windows.h>

#include <map>

#include "ui/Application.h"

namespace {
std::map<UINT_PTR, TTimer*>& Timers()
{
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
UINT_PTR NextId = 1;
} // namespace

TTimer::~TTimer()
{
    enabled_ = false;
    Update();
}

void TTimer::SetInterval(unsigned ms)
{
    if (ms != interval_) {
        interval_ = ms;
        Update();
    }
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void TTimer::Update()
{
    if (id_) {
        if (Application)
            KillTimer(Application->Handle(), id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0 && OnTimer && Application) {
        id_ = NextId++;
        Timers()[id_] = this;
        SetTimer(Application->Handle(), id_, interval_, nullptr);
    }
}

void TTimer::Dispatch(unsigned long long id)
{
    auto it = Timers().find(id);
    if (it == Timers().end())
        return;
    TTimer* timer = it->second;
    Guarded([&] { timer->OnTimer(); });
}
