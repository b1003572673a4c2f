#include "UserForm.h"

#include "Driver.h"

UserForm::UserForm()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"QvDriverUserForm";
    RegisterClassW(&wc);
    form = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"User form", WS_OVERLAPPED | WS_CAPTION, 300, 200,
                           360, 180, nullptr, nullptr, wc.hInstance, this);
    const DWORD edit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    first = CreateWindowExW(0, L"EDIT", L"", edit, 20, 20, 300, 24, form, HMENU(101), wc.hInstance, nullptr);
    second = CreateWindowExW(0, L"EDIT", L"", edit, 20, 56, 300, 24, form, HMENU(102), wc.hInstance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 96, 100, 28, form,
                    HMENU(IDOK), wc.hInstance, nullptr);
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    PumpUntil([this] { return GetForegroundWindow() == form; }, 3000);
    PumpUntil(OwnQueueEmpty);
}

UserForm::~UserForm() { DestroyWindow(form); }

void UserForm::StartOver()
{
    SetWindowTextW(first, L"");
    SetWindowTextW(second, L"");
    submitted = 0;
    // The focus watch starts once the activation has arrived.
    TakeForeground(form, first, [this](const std::function<bool()>& done, int ms) { return Wait(done, ms); });
    focusLeft = false;
    PumpUntil(OwnQueueEmpty);
}

std::wstring UserForm::Text(HWND edit)
{
    wchar_t text[256] = L"";
    GetWindowTextW(edit, text, 256);
    return text;
}

void UserForm::PumpOnce(DWORD waitMs)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(form, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    HWND focus = GetFocus();
    if (GetForegroundWindow() != form || !focus || GetParent(focus) != form)
        focusLeft = true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
}

void UserForm::Pump(int ms)
{
    const DWORD start = GetTickCount();
    do
        PumpOnce(5);
    while (GetTickCount() - start < static_cast<DWORD>(ms));
}

bool UserForm::PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        PumpOnce(1);
    }
    return true;
}

LRESULT CALLBACK UserForm::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<UserForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == DM_GETDEFID)
        return MAKELONG(IDOK, DC_HASDEFID);
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK && self) {
        ++self->submitted;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Key(BYTE key, bool up)
{
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, 0)), up ? KEYEVENTF_KEYUP : 0, 0);
}

void PressHotkey(int hotkey, bool releaseAlt)
{
    const BYTE key = static_cast<BYTE>(hotkey & 0xFF);
    if (hotkey & CtrlHotkey)
        Key(VK_CONTROL, false);
    if (hotkey & AltHotkeyBit)
        Key(VK_MENU, false);
    Key(key, false);
    Key(key, true);
    if ((hotkey & AltHotkeyBit) && releaseAlt)
        Key(VK_MENU, true);
    if (hotkey & CtrlHotkey)
        Key(VK_CONTROL, true);
}
