#include "Environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "FakeUpdateServer.h"
#include "core/win32/MainBlock.h"
#include "UserState.h"
#include "core/Globals.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "ui/Application.h"
#include "ui/ImageList.h"

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application->ProcessMessages();
    }
    return true;
}

bool PumpUntilHandled(int timeoutMs)
{
    return PumpUntil([] { return HIWORD(GetQueueStatus(QS_SENDMESSAGE | QS_POSTMESSAGE | QS_INPUT)) == 0; },
                     timeoutMs);
}

bool WaitUntilForeignForegroundHandled()
{
    // A thread takes a paint only when no sent or posted message waits for it.
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (!foreground || foreground == GetDesktopWindow() || process == GetCurrentProcessId() ||
        !IsWindowVisible(foreground))
        return true;
    RedrawWindow(foreground, nullptr, nullptr, RDW_INVALIDATE);
    return PumpUntil([foreground] { return !IsWindow(foreground) || !GetUpdateRect(foreground, nullptr, FALSE); });
}

bool ActivateWithFocus(HWND window, HWND control)
{
    SetForegroundWindow(window);
    SetFocus(control);
    return PumpUntil([=] { return GetForegroundWindow() == window && GetFocus() == control; });
}

std::vector<COLORREF> PicturePixels(const TImageList& images, int index, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    images.Draw(dc, 0, 0, index);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

namespace {
TStateBeforeStartup stateBeforeStartup;
int clipboardsCountAfterStartup = 0;

class ProgramWindows : public testing::Environment {
public:
    void SetUp() override
    {
        CleanUserState();
        SetUpdateServerVariable(nullptr);
        block_ = new TMainBlock(GetModuleHandleW(nullptr));
        // An error box would wait for a user who is not there.
        Application->OnException = [](const String& text) { ADD_FAILURE() << "error box: " << ToUtf8(text); };
        stateBeforeStartup = {FmMenuBar->Left(),    FmMain->Left(),   FmMain->Top(),
                              FmMain->Width(),      FmMain->Height(), FmMain->TrayIcon1.Visible()};
        if (!PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }, 30000))
            ADD_FAILURE() << "start-up did not run";
        clipboardsCountAfterStartup = ClipboardsNode->Count();
    }
    void TearDown() override
    {
        delete block_;
        block_ = nullptr;
        // What the program stored on its way out is no start for a later run.
        CleanUserState();
    }

private:
    TMainBlock* block_ = nullptr;
};

} // namespace

const TStateBeforeStartup& StateBeforeStartup() { return stateBeforeStartup; }
int ClipboardsCountAfterStartup() { return clipboardsCountAfterStartup; }

namespace {
testing::Environment* const programWindows = testing::AddGlobalTestEnvironment(new ProgramWindows);
} // namespace
