// Runs a piece of code when the scope ends, on every path out of it (a return, an exception).
// It knows nothing of the program, so the window layer may use it as well as the portable core.
#pragma once

#include <utility>

template <class F>
class ScopeExit {
public:
    explicit ScopeExit(F onExit) : onExit_(std::move(onExit)) {}
    ~ScopeExit() { onExit_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F onExit_;
};
