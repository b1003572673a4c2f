#include "Environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "FakeUpdateServer.h"
#include "MainBlock.h"
#include "UserState.h"
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
class ProgramWindows : public testing::Environment {
public:
    void SetUp() override
    {
        CleanUserState();
        SetUpdateServerVariable(nullptr);
        block_ = new TMainBlock(GetModuleHandleW(nullptr));
        // An error box would wait for a user who is not there.
        Application->OnException = [](const String& text) { ADD_FAILURE() << "error box: " << ToUtf8(text); };
    }
    void TearDown() override
    {
        delete block_;
        block_ = nullptr;
    }

private:
    TMainBlock* block_ = nullptr;
};

testing::Environment* const programWindows = testing::AddGlobalTestEnvironment(new ProgramWindows);
} // namespace
