// The end-to-end driver: starts the real Quorvane.exe and looks at it as a user would, from
// another process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "UserState.h"

// Waits, pumping this process's own messages, until done() holds; false when time ran out.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);
void Pause(int ms);
// A top-level window of a process by its class; nullptr when there is none.
HWND FindProcessWindow(DWORD process, const wchar_t* className, bool visibleOnly = false);


// A running Quorvane.exe, ended when this object goes. Its update check asks updateServer, by
// default a closed loopback port.
class QuorvaneProcess {
public:
    explicit QuorvaneProcess(const wchar_t* updateServer = nullptr);
    ~QuorvaneProcess();
    QuorvaneProcess(const QuorvaneProcess&) = delete;
    QuorvaneProcess& operator=(const QuorvaneProcess&) = delete;

    bool Alive() const;
    DWORD Id() const { return info_.dwProcessId; }
    // A top-level window of the program by its class; nullptr when there is none (yet).
    HWND Window(const wchar_t* className) const;
    // Waits until the deferred start-up has shown the menu bar.
    bool WaitUntilStarted() const;
    // Whether the program's notification-area icon exists.
    bool TrayIconPresent(UINT id = 1) const;

private:
    PROCESS_INFORMATION info_{};
};

std::vector<unsigned char> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
// Puts the text on the clipboard as a user's program does; owner is the window that opens it
// (nullptr leaves the clipboard without an owner; no text empties it).
bool PutOnClipboard(HWND owner, const std::u16string* text);
// A message box (dialog) window of the process, with its text; nullptr when none is open.
HWND FindMessageBox(DWORD process, std::wstring* text = nullptr);
