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
    EXPECT_EQ(RunProgram(u""), nullptr);
    EXPECT_TRUE(os.Calls.empty());
    std::unique_ptr<IProcess> process = RunProgram(u"C:\\x\\EditLanguageFile.exe");
    EXPECT_NE(process, nullptr);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"StartProgram C:\\x\\EditLanguageFile.exe"}));
    process.reset();
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"StartProgram C:\\x\\EditLanguageFile.exe", "ProcessReleased"}));
}

TEST(SharedRoutines, RunProgramGivesNothingWhenTheProgramCannotStart)
{
    FakeOs os;
    os.ProgramStarts = false;
    EXPECT_EQ(RunProgram(u"C:\\x\\Missing.exe"), nullptr);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"StartProgram C:\\x\\Missing.exe"}));
}

} // namespace
