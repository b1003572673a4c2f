// The five program windows, created once for the Win32 tests in this process.
#pragma once

#include <functional>

// Pumps messages until done() or the time runs out; true when done() held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
