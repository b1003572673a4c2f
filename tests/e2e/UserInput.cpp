#include "UserInput.h"

#include <iterator>
#include <stdexcept>
#include <vector>

#include "Driver.h"

namespace {
void Send(INPUT input) { SendInput(1, &input, sizeof(input)); }

void Handled()
{
    if (!WaitUntilHandled())
        throw std::runtime_error("the programs did not handle the input within 10 s");
}

// Where the hand last put the pointer. Every mouse input names it: a program that moves the
// pointer and back (the click-and-beep) has the X server report those moves to Wine later, and
// one that comes after the hand's move would otherwise take the hand's next click elsewhere.
POINT Hand{};

INPUT MouseAtHand(DWORD flags)
{
    // Normalized to 0..65535, rounded up so that the system's conversion gives the pixel back.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (Hand.x * 65536 + width - 1) / width;
    input.mi.dy = (Hand.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT Key(WORD key, WORD scan, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

constexpr wchar_t SettingsKeyPath[] = L"Software\\Quorvane-cn\\1.0";
} // namespace

void MoveMouseTo(int x, int y)
{
    Hand = {x, y};
    SetCursorPos(x, y);
    Send(MouseAtHand(0)); // the windows hear of the pointer
    Handled();
}

void MouseButton(bool right, bool down)
{
    const DWORD flags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                              : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    Send(MouseAtHand(flags));
    Handled();
}

void ClickAt(int x, int y, bool right)
{
    MoveMouseTo(x, y);
    MouseButton(right, true);
    MouseButton(right, false);
}

bool PressAtUntil(int x, int y, const std::function<bool()>& done, int timeoutMs)
{
    MoveMouseTo(x, y);
    MouseButton(false, true);
    const bool held = WaitFor(done, timeoutMs);
    MouseButton(false, false);
    return held;
}

void PressKey(WORD key)
{
    Send(Key(key, 0, 0));
    Send(Key(key, 0, KEYEVENTF_KEYUP));
    Handled();
}

void PressKeys(std::initializer_list<WORD> keys)
{
    for (WORD key : keys)
        Send(Key(key, 0, 0));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        Send(Key(*it, 0, KEYEVENTF_KEYUP));
    Handled();
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        Send(Key(0, c, KEYEVENTF_UNICODE));
        Send(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Handled();
}

namespace {
LRESULT CALLBACK UserWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(h, msg, wParam, lParam);
}
} // namespace

UserWindow::UserWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = UserWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuorvaneDriverUserWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"User", WS_OVERLAPPEDWINDOW, 300, 400, 400, 200, nullptr,
                              nullptr, wc.hInstance, nullptr);
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 300, 24,
                            window_, nullptr, wc.hInstance, nullptr);
    ShowWindow(window_, SW_SHOW);
    if (!TakeFocus())
        throw std::runtime_error("the user's window did not get the focus");
}

bool UserWindow::TakeFocus()
{
    return TakeForeground(window_, edit_);
}

UserWindow::~UserWindow() { DestroyWindow(window_); }

bool UserWindow::HasFocus() const { return GetForegroundWindow() == window_ && GetFocus() == edit_; }

std::wstring UserWindow::Text() const
{
    wchar_t text[256] = L"";
    GetWindowTextW(edit_, text, 256);
    return text;
}

namespace {
std::wstring ProcessImage(DWORD pid)
{
    wchar_t name[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process) {
        QueryFullProcessImageNameW(process, 0, name, &size);
        CloseHandle(process);
    }
    return name;
}

struct TraySearch {
    HWND icon = nullptr;
};

BOOL CALLBACK FindTrayIcon(HWND h, LPARAM lParam)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    std::wstring image = ProcessImage(pid);
    const bool explorer = image.size() >= 12 && _wcsicmp(image.c_str() + image.size() - 12, L"explorer.exe") == 0;
    if (explorer && IsWindowVisible(h)) {
        if (HWND icon = FindChild(h, L"__winex11_tray_icon")) {
            reinterpret_cast<TraySearch*>(lParam)->icon = icon;
            return FALSE;
        }
    }
    return TRUE;
}

struct ChildSearch {
    const wchar_t* className;
    const wchar_t* text;
    HWND found = nullptr;
};

BOOL CALLBACK FindOneChild(HWND h, LPARAM lParam)
{
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    wchar_t name[64] = L"";
    GetClassNameW(h, name, 64);
    if (_wcsicmp(name, search->className) != 0)
        return TRUE;
    if (search->text) {
        wchar_t text[128] = L"";
        GetWindowTextW(h, text, 128);
        if (wcscmp(text, search->text) != 0)
            return TRUE;
    }
    search->found = h;
    return FALSE;
}

} // namespace

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text)
{
    ChildSearch search{className, text};
    EnumChildWindows(parent, FindOneChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TrayIconWindow()
{
    TraySearch search;
    EnumWindows(FindTrayIcon, reinterpret_cast<LPARAM>(&search));
    return search.icon;
}

std::optional<POINT> TrayIconCentre()
{
    HWND icon = TrayIconWindow();
    if (!icon)
        return std::nullopt;
    RECT r = ScreenRect(icon);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND OpenPopupMenu(DWORD process) { return FindProcessWindow(process, L"#32768", true); }

RECT ScreenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[512] = L"";
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

namespace {
GUITHREADINFO ThreadInfoOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        info = GUITHREADINFO{};
    return info;
}
} // namespace

HWND FocusedControl(HWND window) { return ThreadInfoOf(window).hwndFocus; }

HWND ActiveWindowOf(HWND window) { return ThreadInfoOf(window).hwndActive; }

std::optional<DWORD> SettingsDword(const wchar_t* name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<std::wstring> SettingsString(const wchar_t* name)
{
    wchar_t value[256] = L"";
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKeyPath, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void SetSettingsDword(const wchar_t* name, DWORD value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKeyPath, name, REG_DWORD, &value, sizeof(value));
}

int MenuFontTextWidth(const std::wstring& text)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx;
}

POINT BarLabelCentre(int barLeft, std::initializer_list<const wchar_t*> captions, int index, int* labelLeft)
{
    int x = barLeft + 7; // the bar's left end
    const wchar_t* const* caption = captions.begin();
    for (int i = 0; i < index; ++i)
        x += MenuFontTextWidth(caption[i]) + 10;
    if (labelLeft)
        *labelLeft = x;
    return {x + (MenuFontTextWidth(caption[index]) + 10) / 2, 13};
}
