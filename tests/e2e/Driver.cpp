#include "Driver.h"

#include <shellapi.h>
#include <shlobj.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "FakeUpdateServer.h"
#include "UserInput.h"

namespace {
struct WindowSearch {
    DWORD process;
    const wchar_t* className;
    bool visibleOnly;
    HWND found = nullptr;
};

BOOL CALLBACK FindOneWindow(HWND h, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[64] = L"";
    GetClassNameW(h, name, 64);
    if (pid != search->process || wcscmp(name, search->className) != 0 || (search->visibleOnly && !IsWindowVisible(h)))
        return TRUE;
    search->found = h;
    return FALSE;
}
} // namespace

HWND FindProcessWindow(DWORD process, const wchar_t* className, bool visibleOnly)
{
    WindowSearch search{process, className, visibleOnly};
    EnumWindows(FindOneWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {
// Handles this thread's messages for at least ms.
void PumpFor(int ms)
{
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs, int everyMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        PumpFor(everyMs);
    }
    return true;
}
} // namespace

bool WaitFor(const std::function<bool()>& done, int timeoutMs) { return PumpUntil(done, timeoutMs, 20); }

bool WaitClosely(const std::function<bool()>& done, int timeoutMs) { return PumpUntil(done, timeoutMs, 1); }

void Hold(int ms) { PumpFor(ms); }

bool OwnQueueEmpty()
{
    return HIWORD(GetQueueStatus(QS_SENDMESSAGE | QS_POSTMESSAGE | QS_HOTKEY | QS_INPUT)) == 0;
}

namespace {
std::vector<const QuorvaneProcess*> RunningPrograms;

// The windows whose paint shows that their thread has handled everything before it.
std::vector<HWND> WatchedWindows()
{
    std::vector<HWND> windows;
    for (const QuorvaneProcess* program : RunningPrograms) {
        HWND bar = program->Window(L"TFmMenuBar");
        if (bar && IsWindowVisible(bar))
            windows.push_back(bar);
    }
    if (HWND tray = TrayIconWindow())
        windows.push_back(tray);
    return windows;
}
} // namespace

bool WaitUntilHandled(const Waiter& wait)
{
    // The second round covers what the first one's handling sent on: the tray window's click
    // reaches the program, the program's paste reaches this thread.
    for (int round = 0; round < 2; ++round) {
        const std::vector<HWND> windows = WatchedWindows();
        for (HWND window : windows)
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
        const auto painted = [&windows] {
            for (HWND window : windows)
                if (IsWindow(window) && GetUpdateRect(window, nullptr, FALSE))
                    return false;
            return true;
        };
        if (!wait(painted, 10000) || !wait(OwnQueueEmpty, 10000))
            return false;
    }
    return true;
}

bool TakeForeground(HWND window, HWND control, const Waiter& wait)
{
    if (!WaitUntilHandled(wait))
        return false;
    SetForegroundWindow(window);
    SetFocus(control);
    return wait([=] { return GetForegroundWindow() == window && GetFocus() == control; }, 8000);
}

namespace {
std::wstring ProgramPath()
{
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Quorvane.exe";
}

} // namespace

QuorvaneProcess::QuorvaneProcess(const wchar_t* updateServer)
{
    SetUpdateServerVariable(updateServer);
    std::wstring command = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Under Wine a start right after the previous instance ended has failed once in many runs;
    // the system is asked again before the test gives up.
    DWORD error = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
            error = 0;
            break;
        }
        error = GetLastError();
        Sleep(250); // a moment before the system is asked again, not a wait for the program
    }
    if (error)
        throw std::runtime_error("cannot start Quorvane.exe (error " + std::to_string(error) + ")");
    WaitForInputIdle(info_.hProcess, 5000);
    RunningPrograms.push_back(this);
}

QuorvaneProcess::~QuorvaneProcess()
{
    std::erase(RunningPrograms, this);
    if (info_.hProcess) {
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool QuorvaneProcess::Alive() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

HWND QuorvaneProcess::Window(const wchar_t* className) const { return FindProcessWindow(info_.dwProcessId, className); }

bool QuorvaneProcess::WaitUntilStarted() const
{
    // The bar shows half-way through the start-up, which then hides the main window.
    return WaitFor([this] {
        HWND bar = Window(L"TFmMenuBar");
        return bar && IsWindowVisible(bar);
    }) && WaitUntilHandled();
}

bool QuorvaneProcess::TrayIconPresent(UINT id) const
{
    // The shell accepts a change only for an icon that exists; an empty change alters nothing.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = Window(L"TFmMain");
    data.uID = id;
    return data.hWnd && Shell_NotifyIconW(NIM_MODIFY, &data);
}

std::vector<unsigned char> ReadFileBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    DWORD size = GetFileSize(file, nullptr), got = 0;
    bytes.resize(size);
    if (size && !ReadFile(file, bytes.data(), size, &got, nullptr))
        got = 0;
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes)
{
    SHCreateDirectoryExW(nullptr, path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a fixture file");
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

namespace {
BOOL CALLBACK CollectText(HWND child, LPARAM lParam)
{
    wchar_t name[16] = L"";
    GetClassNameW(child, name, 16);
    if (_wcsicmp(name, L"Static") == 0) {
        wchar_t text[1024] = L"";
        GetWindowTextW(child, text, 1024);
        *reinterpret_cast<std::wstring*>(lParam) += text;
    }
    return TRUE;
}
} // namespace

HWND FindMessageBox(DWORD process, std::wstring* text)
{
    HWND box = FindProcessWindow(process, L"#32770", true);
    if (box && text) {
        text->clear();
        EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(text));
    }
    return box;
}

std::function<bool()> ClipboardHolds(std::u16string text)
{
    return [text = std::move(text), seen = DWORD(0), holds = false]() mutable {
        const DWORD now = GetClipboardSequenceNumber();
        if (now == seen || !OpenClipboard(nullptr))
            return holds;
        seen = now;
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const auto* units = data ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr;
        holds = units && text == units;
        if (units)
            GlobalUnlock(data);
        CloseClipboard();
        return holds;
    };
}

// Puts the text on the clipboard as a user's program does; owner is the window that opens it
// (nullptr leaves the clipboard without an owner).
bool PutOnClipboard(HWND owner, const std::u16string* text)
{
    if (!WaitFor([&] { return OpenClipboard(owner) != FALSE; }, 5000))
        return false;
    EmptyClipboard();
    bool ok = true;
    if (text) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text->size() + 1) * sizeof(char16_t));
        auto* units = static_cast<char16_t*>(GlobalLock(memory));
        text->copy(units, text->size());
        units[text->size()] = 0;
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!ok)
            GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}
