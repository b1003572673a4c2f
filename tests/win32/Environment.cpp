#include "Environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "MainBlock.h"
#include "UserState.h"
#include "core/Globals.h"
#include "core/UnitMain.h"
#include "core/UnitMenuBar.h"
#include "ui/Application.h"

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

namespace {
TStateBeforeStartup stateBeforeStartup;
int clipboardsCountAfterStartup = 0;

class ProgramWindows : public testing::Environment {
public:
    void SetUp() override
    {
        CleanUserState();
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
