#include <gtest/gtest.h>

#include "FakeOs.h"
#include "core/Globals.h"
#include "core/SharedRoutines.h"

namespace {

TEST(SharedRoutines, NestedMessageBoxesAreCounted)
{
    FakeOs os;
    std::vector<int> seen;
    os.OnMessageBox = [&](StringView text, int) {
        seen.push_back(OpenMessageBoxCount);
        if (text == u"outer")
            ShowMessageBox(u"inner", ProgramName, 0x30);
        return 6;
    };
    EXPECT_EQ(ShowMessageBox(u"outer", ProgramName, 0x34), 6);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(OpenMessageBoxCount, 0);
}

TEST(SharedRoutines, MessageBoxCountDropsWhenTheBoxFails)
{
    FakeOs os;
    os.OnMessageBox = [](StringView, int) -> int { throw std::runtime_error("no box"); };
    EXPECT_THROW(ShowMessageBox(u"x", ProgramName, 0), std::runtime_error);
    EXPECT_EQ(OpenMessageBoxCount, 0);
}

TEST(SharedRoutines, RunProgramStartsNothingForAnEmptyCommandLine)
{
    FakeOs os;
    os.NextProcess = 42;
    EXPECT_EQ(RunProgram(u""), 0u);
    EXPECT_TRUE(os.Calls.empty());
    EXPECT_EQ(RunProgram(u"C:\\x\\EditLanguageFile.exe"), 42u);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"StartProgram C:\\x\\EditLanguageFile.exe"}));
}

} // namespace
