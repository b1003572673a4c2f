// The end-to-end driver: starts the real Quorvane.exe and looks at it as a user would, from
// another process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "UserState.h"

// Waits, pumping this process's own messages, until done() holds; false when time ran out. It
// looks every 20 ms: a condition that reads the program's data file holds it open for a moment,
// and the program's save fails when it replaces the file just then.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);
// WaitFor that looks again after each message or millisecond, for conditions that touch nothing
// of the program's.
bool WaitClosely(const std::function<bool()>& done, int timeoutMs = 10000);
// A wait like WaitFor that handles this process's messages its own way (a form's IsDialogMessageW).
using Waiter = std::function<bool(const std::function<bool()>& done, int timeoutMs)>;
// No sent or posted message and no input waits for this thread (its timers and paints aside).
bool OwnQueueEmpty();
// Handles this thread's messages for ms: only for what lasts in itself (a key held down, a look
// at the screen, a program's own polling timer), never to let the program catch up.
void Hold(int ms);
// Waits until every started Quorvane.exe whose bar shows and Wine's tray window have handled every message and
// input queued for them before the call, and this thread in turn what they sent it (a paste's
// Ctrl+V, handled through wait): a check that something did not happen comes after this, and
// the driver's hands send their next input only after it. Their windows are repainted for it: a
// thread takes a paint only when no posted message and no input is waiting for it (a sent
// WM_NULL would overtake both). A program's timers may still run later.
bool WaitUntilHandled(const Waiter& wait = WaitClosely);
// Makes window the foreground window with the focus in control, as a click on it would, and
// waits until both hold. What the programs were still to handle comes first: a window of theirs
// that had the foreground and went (the program's main window at the end of its start-up, a
// closed dialog) has its program, or Wine's tray window that took it over, take the focus late,
// from whichever window took the foreground meanwhile.
bool TakeForeground(HWND window, HWND control, const Waiter& wait = WaitClosely);
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
    // Waits until the deferred start-up has shown the menu bar and has ended.
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
// A condition for WaitFor: the clipboard holds this text. It opens the clipboard only after a
// change, so that polling it leaves the clipboard to the programs that write it.
std::function<bool()> ClipboardHolds(std::u16string text);
// A message box (dialog) window of the process, with its text; nullptr when none is open.
HWND FindMessageBox(DWORD process, std::wstring* text = nullptr);
