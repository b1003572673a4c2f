// Objects that a message handler retires while code of theirs may still be on the stack (a row
// whose click hides its own menu window, a row rebuilt by a drop on itself) are released once
// the outermost window procedure has returned, so nothing ever runs on a freed object.
#pragma once

#include <functional>
#include <memory>

// Counts the window procedures running; the last to return releases what was retired.
class TDispatchScope {
public:
    TDispatchScope();
    ~TDispatchScope();
    TDispatchScope(const TDispatchScope&) = delete;
    TDispatchScope& operator=(const TDispatchScope&) = delete;
};

void ReleaseLaterFn(std::function<void()> release);

// Frees object after the current message has been handled (at once outside any handler).
template <class T>
void ReleaseLater(std::unique_ptr<T> object)
{
    if (!object)
        return;
    std::shared_ptr<T> held(std::move(object));
    ReleaseLaterFn([held]() mutable { held.reset(); });
}
