#include <gtest/gtest.h>

#include "Driver.h"

namespace {

struct Startup : testing::Test {
    void SetUp() override { CleanUserState(); }
};

TEST_F(Startup, FirstStartCreatesTheDataFolderAndShowsOnlyTheTrayIcon)
{
    ASSERT_FALSE(PathExists(DataFolderPath()));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    EXPECT_TRUE(PathExists(DataFolderPath()));
    EXPECT_TRUE(WaitFor([&] { return quorvane.TrayIconPresent(); }));
    EXPECT_FALSE(quorvane.TrayIconPresent(2)); // the check tells an absent icon
    HWND main = quorvane.Window(L"TFmMain");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(IsWindowVisible(quorvane.Window(L"TApplication")));
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_TRUE(quorvane.Alive());
}

TEST_F(Startup, TheStartupStepRunsOnlyOnce)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    // Without its folder, a second start-up would create it again.
    CleanUserState();
    PostMessageW(quorvane.Window(L"TFmMain"), WM_USER + 3, 100, 0);
    ASSERT_TRUE(WaitUntilHandled());
    // The message only starts the 100 ms timer that runs the step, and nothing outside shows
    // that the timer ran: it gets several of its intervals.
    Hold(500);
    EXPECT_FALSE(PathExists(DataFolderPath()));
    EXPECT_TRUE(quorvane.Alive());
}

} // namespace
