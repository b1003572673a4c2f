// System hotkeys, the keyboard and the mouse.
#include "core/win32/Win32Os.h"
#include "ui/WinText.h"

bool TWin32Input::RegisterHotkey(int id, unsigned modifiers, unsigned key)
{
    return RegisterHotKey(HotkeyWindow, id, modifiers, key) != FALSE;
}

bool TWin32Input::UnregisterHotkey(int id) { return UnregisterHotKey(HotkeyWindow, id) != FALSE; }

void TWin32Input::KeybdEvent(int key, int scanCode, unsigned flags)
{
    keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(scanCode), flags, 0);
}

int TWin32Input::VirtualKeyScanCode(int key) { return static_cast<int>(MapVirtualKeyW(static_cast<UINT>(key), 0)); }

int TWin32Input::KeyState(int key) { return GetKeyState(key); }

void TWin32Input::Sleep(unsigned ms) { ::Sleep(ms); }


TScreenPoint TWin32Input::CursorPos()
{
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void TWin32Input::SetCursorPos(TScreenPoint p) { ::SetCursorPos(p.X, p.Y); }

void TWin32Input::MouseEvent(unsigned flags) { mouse_event(flags, 0, 0, 0, 0); }

void TWin32Input::MessageBeep(unsigned type) { ::MessageBeep(type); }

String TWin32Input::KeyName(int virtualKey)
{
    // The keys of the navigation block and a few others share their scan codes with the number
    // pad; the extended bit tells them apart, as the hot-key control does.
    bool extended = false;
    switch (virtualKey) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_SNAPSHOT:
        extended = true;
        break;
    default:
        break;
    }
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    const LONG keyData = static_cast<LONG>((scanCode << 16) | (extended ? 1u << 24 : 0u));
    wchar_t name[64] = {};
    const int length = GetKeyNameTextW(keyData, name, 64);
    return length > 0 ? FromW(std::wstring(name, static_cast<size_t>(length))) : String();
}
