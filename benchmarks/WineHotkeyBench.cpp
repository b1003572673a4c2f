// Under Wine: the time from a hotkey press to the message's text in the user's focused edit box,
// for the real Quorvane.exe and, in the same run, for a bare program that only writes the
// clipboard and sends Ctrl+V (BarePaste.exe). Prints medians; a reported figure, not a test.
// The end-to-end driver's hands and user state: it uses the project's own Wine prefix.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserForm.h"

namespace {

constexpr int Presses = 15;
constexpr int ProgramHotkey = CtrlHotkey | VK_F6;
constexpr UINT BareKey = VK_F5;
constexpr int BareHotkey = CtrlHotkey | BareKey;

// Ends the bare program when the figures are done.
struct BareProgram {
    PROCESS_INFORMATION info{};
    bool Start()
    {
        wchar_t self[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring folder = self;
        folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
        std::wstring command = L"\"" + folder + L"BarePaste.exe\" " + std::to_wstring(MOD_CONTROL) + L" " +
                               std::to_wstring(BareKey) + L" speed";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    }
    ~BareProgram()
    {
        if (!info.hProcess)
            return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main()
{
    CleanUserState();
    WriteFileBytes(DataFilePath(), DataFileBytes({}, {{}, {{2, 4, ProgramHotkey, u"Speed", u"speed"}}}));
    QuorvaneProcess quorvane;
    if (!quorvane.WaitUntilStarted()) {
        std::fprintf(stderr, "Quorvane did not start\n");
        return 1;
    }
    UserForm form;
    BareProgram bare;
    if (!bare.Start()) {
        std::fprintf(stderr, "cannot start BarePaste.exe\n");
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // Milliseconds from the press to the text in the form; -1 when it did not arrive.
    auto measure = [&](int hotkey) {
        form.StartOver();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        PressHotkey(hotkey);
        const bool arrived = form.PumpUntil([&] { return UserForm::Text(form.first) == L"speed"; }, 3000);
        QueryPerformanceCounter(&end);
        return arrived ? 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart : -1.0;
    };
    // The bare program is ready once it has registered its hotkey: a first press gets through.
    bool bareReady = false;
    for (int i = 0; i < 10 && !bareReady; ++i)
        bareReady = measure(BareHotkey) >= 0;
    if (!bareReady) {
        std::fprintf(stderr, "BarePaste.exe does not answer its hotkey\n");
        return 1;
    }
    std::vector<double> program, plain;
    int lost = 0;
    for (int i = 0; i < Presses; ++i) {
        for (auto [hotkey, times] : {std::pair{ProgramHotkey, &program}, std::pair{BareHotkey, &plain}}) {
            const double ms = measure(hotkey);
            if (ms < 0)
                ++lost;
            else
                times->push_back(ms);
        }
    }
    if (program.empty() || plain.empty()) {
        std::fprintf(stderr, "no press pasted\n");
        return 1;
    }
    const double p = Median(program), b = Median(plain);
    std::printf("Hotkey press to text in the focused edit box, median of %d presses under Wine:\n", Presses);
    std::printf("  Quorvane:                      %8.2f ms\n", p);
    std::printf("  bare clipboard and Ctrl+V:     %8.2f ms\n", b);
    std::printf("  ratio: %.2f\n", p / b);
    if (lost)
        std::printf("  (%d presses lost on a busy machine)\n", lost);
    CleanUserState();
    return 0;
}
