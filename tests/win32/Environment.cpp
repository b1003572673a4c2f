#include "Environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "MainBlock.h"
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
    void SetUp() override { block_ = new TMainBlock(GetModuleHandleW(nullptr)); }
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
