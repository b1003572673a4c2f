// The data file on a real file system under Wine: SaveDataFile (temporary file, flush, replace)
// beside writing the same bytes with the same flush and replace, and LoadDataFile beside reading
// the file in one call. Prints medians; a reported figure, not a test.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "Collection.h"
#include "WineTiming.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/TreeRoutines.h"
#include "core/win32/Win32Os.h"
#include "ui/WinText.h"

namespace {

constexpr int Runs = 15;


SIZE_T CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

void WriteReplace(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    std::wstring temporary = path + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

std::vector<std::uint8_t> ReadInOneCall(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<std::uint8_t> bytes(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return bytes;
}

} // namespace

int main()
{
    TWin32Os os;
    SetOsServices(os.Services());
    const std::wstring folder = UseBenchDataFolder();
    const std::wstring baselinePath = folder + L"\\Baseline.db";

    TTreeNodes items;
    TTreeNode* root = StartupTree(items);
    SetNodeGlobals(items);
    FillCollection(items, root);
    const std::vector<std::uint8_t> bytes = BuildDataFileBytes(root);
    SaveDataFile(items, root);

    // Memory first, while the process has not yet grown for the timings.
    const SIZE_T before = CommittedBytes();
    SIZE_T afterLoad = 0, peakDuringLoad = 0;
    {
        auto loaded = std::make_unique<TTreeNodes>();
        TTreeNode* loadedRoot = StartupTree(*loaded);
        PROCESS_MEMORY_COUNTERS counters{};
        LoadDataFile(*loaded, loadedRoot);
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
        afterLoad = counters.PagefileUsage;
        peakDuringLoad = counters.PeakPagefileUsage;
    }

    const double save = MedianMs(Runs, [&] { SaveDataFile(items, root); });
    const double write = MedianMs(Runs, [&] { WriteReplace(baselinePath, bytes); });
    // The program loads once, into a new tree; the trees are freed after the timing.
    std::vector<std::unique_ptr<TTreeNodes>> trees;
    const double load = MedianMs(Runs, [&] {
        trees.push_back(std::make_unique<TTreeNodes>());
        LoadDataFile(*trees.back(), StartupTree(*trees.back()));
    });
    trees.clear();
    const double read = MedianMs(Runs, [&] { ReadInOneCall(baselinePath); });
    const double build = MedianMs(Runs, [&] { BuildDataFileBytes(root); });
    const double parse = MedianMs(Runs, [&] {
        trees.push_back(std::make_unique<TTreeNodes>());
        ParseDataFileBytes(*trees.back(), StartupTree(*trees.back()), bytes);
    });
    const double release = MedianMs(Runs, [&] { trees.pop_back(); });

    std::printf("data file: %.2f MB, medians of %d runs\n", double(bytes.size()) / 1e6, Runs);
    std::printf("SaveDataFile          %8.2f ms\n", save);
    std::printf("write+flush+replace   %8.2f ms   (save / baseline = %.2fx)\n", write, save / write);
    std::printf("LoadDataFile          %8.2f ms   (into a new tree)\n", load);
    std::printf("read in one call      %8.2f ms   (load / baseline = %.2fx)\n", read, load / read);
    std::printf("of which: bytes from the tree %.2f ms, tree from the bytes %.2f ms, freeing a tree %.2f ms\n",
                build, parse, release);
    std::printf("memory at load: %.2f MB at the peak, %.2f MB held by the tree after it (file %.2f MB)\n",
                double(peakDuringLoad - before) / 1e6, double(afterLoad - before) / 1e6,
                double(bytes.size()) / 1e6);

    DeleteFileW((folder + L"\\Quorvane.db").c_str());
    DeleteFileW(baselinePath.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}
