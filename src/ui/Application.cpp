#include "ui/Application.h"

#include <exception>
#include <stdexcept>

#include "ui/DeferredRelease.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "ui/WinText.h"

TApplication* Application = nullptr;

namespace {
constexpr wchar_t ApplicationClass[] = L"TApplication";
}

TApplication::TApplication(HINSTANCE instance, int iconId) : instance_(instance), iconId_(iconId)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, ApplicationClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = ApplicationClass;
        RegisterClassExW(&wc);
    }
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, ApplicationClass, ToW(title_).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                                  0, 0, nullptr, nullptr, instance, nullptr));
    if (!window_)
        throw std::runtime_error("cannot create the application window");
    Application = this;
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

void TApplication::SetTitle(String title)
{
    title_ = std::move(title);
    SetWindowTextW(Handle(), ToW(title_).c_str());
}

void TApplication::Run()
{
    if (MainForm)
        MainForm->Show();
    while (HandleMessage()) {
    }
}

void TApplication::Terminate()
{
    if (!terminated_) {
        terminated_ = true;
        PostQuitMessage(0);
    }
}

bool TApplication::HandleMessage(HWND dialog, const std::function<bool(const MSG&)>& preTranslate)
{
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        terminated_ = true;
        PostQuitMessage(0); // let every enclosing loop see it too
        return false;
    }
    if (preTranslate && preTranslate(msg))
        return true;
    if (dialog && IsDialogMessageW(dialog, &msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int TApplication::MessageDialog(StringView text, StringView caption, int flags)
{
    HWND owner = GetActiveWindow();
    if (!owner)
        owner = Handle();
    // The system disables the owner only: the bar, the menus and other dialogs would still take
    // clicks under the box.
    TWindowDisabler disabled(nullptr);
    ++MessageBoxLevel;
    const int pressed =
        MessageBoxW(owner, ToW(text).c_str(), ToW(caption).c_str(), static_cast<UINT>(flags) | MB_TASKMODAL);
    --MessageBoxLevel;
    ModalEnded();
    return pressed;
}

void TApplication::ModalEnded()
{
    if (ModalLevel == 0 && MessageBoxLevel == 0 && OnModalEnd)
        OnModalEnd();
}

void TApplication::HandleException()
{
    String text;
    try {
        throw;
    } catch (const EAppError& e) {
        text = e.Message();
    } catch (const std::exception& e) {
        for (const char* p = e.what(); *p; ++p)
            text += static_cast<unsigned char>(*p); // runtime messages are plain ASCII
    } catch (...) {
        text = u"Unknown error";
    }
    if (text.empty() || (text.back() != u'.' && text.back() != u'!' && text.back() != u'?'))
        text += u'.';
    if (OnException)
        OnException(text);
    else
        MessageDialog(text, title_, MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TDispatchScope scope;
    if (msg == WM_TIMER) {
        TTimer::Dispatch(static_cast<UINT_PTR>(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
