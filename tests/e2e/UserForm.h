// A user's dialog-like form in the driver, where hotkeys paste, and the hand that presses them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Two edit boxes that take Tab and a default button that takes Enter, run with IsDialogMessageW
// as dialogs are.
class UserForm {
public:
    UserForm();
    ~UserForm();
    UserForm(const UserForm&) = delete;
    UserForm& operator=(const UserForm&) = delete;

    // Both fields emptied, the focus in the first, as a user starts over.
    void StartOver();
    static std::wstring Text(HWND edit);

    // Handles this thread's messages, the form's through IsDialogMessageW, and notes whether
    // the focus ever left the form.
    void PumpOnce(DWORD waitMs);
    void Pump(int ms);
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    // PumpUntil as a wait for the driver's barriers.
    bool Wait(const std::function<bool()>& done, int timeoutMs) { return PumpUntil(done, timeoutMs); }

    HWND form = nullptr, first = nullptr, second = nullptr;
    int submitted = 0;
    bool focusLeft = false;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// Hotkey values as the data file holds them: Ctrl $4000, Alt $8000.
constexpr int CtrlHotkey = 0x4000;
constexpr int AltHotkeyBit = 0x8000;

void Key(BYTE key, bool up);
// What a user's hand does: the modifiers down, the key pressed and released, the modifiers up
// (Alt only when releaseAlt).
void PressHotkey(int hotkey, bool releaseAlt = true);
