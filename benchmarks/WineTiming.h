// Timing for the figures measured under Wine: the median of repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

// The median time of runs calls of work in milliseconds; between runs calls between, if given.
inline double MedianMs(int runs, const std::function<void()>& work, const std::function<void()>& between = {})
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
        if (between)
            between();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
