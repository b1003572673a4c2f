// Timing for the figures measured under Wine: the median of repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "ui/WinText.h"

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

// Points the data file into a folder of the figures' own below the temporary folder; returns it.
inline std::wstring UseBenchDataFolder()
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"QuorvaneBench";
    CreateDirectoryW(folder.c_str(), nullptr);
    DataFile = FromW(folder + L"\\Quorvane.db");
    return folder;
}
