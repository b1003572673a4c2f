// The bare path that the hotkey paste's press-to-text time is set beside: a minimal program that
// registers one hotkey and answers it with a clipboard write and Ctrl+V, nothing else.
// Usage: BarePaste.exe <modifiers> <virtual key> <text>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {
std::wstring Text;

void PasteText(HWND owner)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    const size_t bytes = (Text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        std::memcpy(GlobalLock(memory), Text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
    const BYTE ctrl = static_cast<BYTE>(MapVirtualKeyW(VK_CONTROL, 0)), v = static_cast<BYTE>(MapVirtualKeyW('V', 0));
    keybd_event(VK_CONTROL, ctrl, 0, 0);
    keybd_event('V', v, 0, 0);
    keybd_event('V', v, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, ctrl, KEYEVENTF_KEYUP, 0);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_HOTKEY) {
        PasteText(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return 2;
    Text = argv[3];
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QvBarePaste";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (!window || !RegisterHotKey(window, 1, static_cast<UINT>(_wtoi(argv[1])), static_cast<UINT>(_wtoi(argv[2]))))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
