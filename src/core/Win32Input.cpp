// The OS services of the hotkey routines and the paste engine, for real on Win32.
#include <cstring>

#include "core/Win32Os.h"
#include "ui/Application.h"
#include "ui/WinText.h"

bool TWin32Os::RegisterHotkey(int id, unsigned modifiers, unsigned key)
{
    return RegisterHotKey(HotkeyWindow, id, modifiers, key) != FALSE;
}

bool TWin32Os::UnregisterHotkey(int id) { return UnregisterHotKey(HotkeyWindow, id) != FALSE; }

void TWin32Os::KeybdEvent(int key, int scanCode, unsigned flags)
{
    keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(scanCode), flags, 0);
}

int TWin32Os::VirtualKeyScanCode(int key) { return static_cast<int>(MapVirtualKeyW(static_cast<UINT>(key), 0)); }

int TWin32Os::KeyState(int key) { return GetKeyState(key); }

void TWin32Os::Sleep(unsigned ms) { ::Sleep(ms); }

namespace {
template <class Format>
String LocaleText(Format format)
{
    wchar_t text[128] = L"";
    return format(text, 128) > 0 ? FromW(text) : String();
}
} // namespace

TDateTimeText TWin32Os::CurrentDateTimeText()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    TDateTimeText out;
    out.Date = LocaleText([&](wchar_t* text, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, size);
    });
    out.Time = LocaleText(
        [&](wchar_t* text, int size) { return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, text, size); });
    return out;
}

void TWin32Os::SetClipboardText(StringView text)
{
    // The clipboard belongs to the window that empties it; a null owner would make the write fail.
    const ClipboardOpened clipboard(Application ? Application->Handle() : nullptr);
    if (!clipboard.IsOpen())
        throw EAppError(u"Cannot open clipboard: " + SystemErrorText(GetLastError()));
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        throw EAppError(u"Out of memory");
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        throw EAppError(u"Out of memory");
    }
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(target)[text.size()] = L'\0';
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory); // the system took no ownership
}

TScreenPoint TWin32Os::CursorPos()
{
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void TWin32Os::SetCursorPos(TScreenPoint p) { ::SetCursorPos(p.X, p.Y); }

void TWin32Os::MouseEvent(unsigned flags) { mouse_event(flags, 0, 0, 0, 0); }

void TWin32Os::MessageBeep(unsigned type) { ::MessageBeep(type); }

String TWin32Os::KeyName(int virtualKey)
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
