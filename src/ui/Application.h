// The application object: its own hidden window, title, modal level, message loop and the
// default error box that every message handler and timer falls back on.
#pragma once

#include <windows.h>

#include <functional>

#include "core/Text.h"
#include "ui/Handles.h"

class TForm;

class TApplication {
public:
    // iconId: the resource id of the program's icon, which every form's window class shows.
    TApplication(HINSTANCE instance, int iconId);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HINSTANCE Instance() const { return instance_; }
    int IconId() const { return iconId_; }
    // The application's own window: hidden, it owns the timers.
    HWND Handle() const { return window_.get(); }

    const String& Title() const { return title_; }
    void SetTitle(String title);

    // Number of modal windows open now.
    int ModalLevel = 0;
    // Number of message boxes of MessageDialog open now.
    int MessageBoxLevel = 0;
    // Runs when the last modal window or message box has closed.
    std::function<void()> OnModalEnd;
    // Ends a modal window or message box: OnModalEnd once none is left.
    void ModalEnded();
    bool MainFormOnTaskBar = true;
    TForm* MainForm = nullptr;

    // Runs the message loop until Terminate; shows the main form first.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles what is queued now, then returns.
    void ProcessMessages();
    // One message of a loop; false once WM_QUIT arrived (it stays queued for the outer loop).
    // With a dialog, its keyboard interface (Tab, Enter, Esc, access keys) runs first, after
    // preTranslate, which may keep a message from it and from the controls.
    bool HandleMessage(HWND dialog = nullptr, const std::function<bool(const MSG&)>& preTranslate = {});

    // The framework's modal message box, modal to every window of the program (not counted as a
    // program message box).
    int MessageDialog(StringView text, StringView caption, int flags);
    // The default error box: the text of the exception being handled. Call from a catch block.
    void HandleException();
    // Replaces the error box, for tests that must not show one.
    std::function<void(const String& text)> OnException;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    HINSTANCE instance_;
    int iconId_;
    UniqueWindow window_;
    String title_ = u"Quorvane";
    bool terminated_ = false;
};

extern TApplication* Application;

// Runs f and sends any exception it throws to the default error box.
template <class F>
void Guarded(F&& f)
{
    try {
        f();
    } catch (...) {
        Application->HandleException();
    }
}
