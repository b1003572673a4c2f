// The driver's hands: the real pointer and keyboard through the system's input queue, the
// user's own window that holds the keyboard focus, and what the user sees of the program
// (Wine's tray window, the program's settings in the registry). Each input returns once the
// programs and this thread have handled it (WaitUntilHandled); it throws when they did not.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

void MoveMouseTo(int x, int y);
void MouseButton(bool right, bool down);
void ClickAt(int x, int y, bool right = false);
// A left press at the point that lasts until done() holds, as a user's press lasts, for what a
// program does from a timer that watches the buttons; false when done() never held.
bool PressAtUntil(int x, int y, const std::function<bool()>& done, int timeoutMs = 3000);
void PressKey(WORD key);
// Presses the keys in order and releases them in reverse (Ctrl+F3: {VK_CONTROL, VK_F3}).
void PressKeys(std::initializer_list<WORD> keys);
void TypeText(const std::wstring& text);

// A top-level window of the driver with an edit box that has the keyboard focus.
class UserWindow {
public:
    UserWindow();
    ~UserWindow();
    UserWindow(const UserWindow&) = delete;
    UserWindow& operator=(const UserWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Edit() const { return edit_; }
    // The window is in the foreground and its edit box has the focus.
    bool HasFocus() const;
    // Brings the window forward with the focus in its edit box, as a click on it would.
    bool TakeFocus();
    std::wstring Text() const;

private:
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

// The program's icon in the tray window that Wine shows without a desktop shell (a window of
// explorer.exe); nullptr when there is none.
HWND TrayIconWindow();
// The centre of the program's icon in the tray window that Wine shows without a desktop shell
// (a window of explorer.exe); nullopt when there is none.
std::optional<POINT> TrayIconCentre();
// A visible pop-up menu window of the process; nullptr when none is open.
HWND OpenPopupMenu(DWORD process);
// The screen rectangle of a window.
RECT ScreenRect(HWND window);
// A child window of the given class (and text, when given).
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);

// The text of another process's control, which only the control itself can tell.
std::wstring ControlText(HWND control);
// The control that has the keyboard focus in the thread of window; nullptr when none.
HWND FocusedControl(HWND window);
// The active window of the thread of window, as its title bar shows; nullptr when none.
HWND ActiveWindowOf(HWND window);

// Values of the program's settings key; nullopt when missing or of another type.
std::optional<DWORD> SettingsDword(const wchar_t* name);
std::optional<std::wstring> SettingsString(const wchar_t* name);
void SetSettingsDword(const wchar_t* name, DWORD value);

// The width of a text in the system menu font, as the bar measures its labels.
int MenuFontTextWidth(const std::wstring& text);
// The screen centre of label index on a bar whose left edge is at barLeft and whose labels read
// captions; labelLeft, when given, gets the label's left edge.
POINT BarLabelCentre(int barLeft, std::initializer_list<const wchar_t*> captions, int index, int* labelLeft = nullptr);
