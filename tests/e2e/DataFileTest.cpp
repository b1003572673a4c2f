#include <gtest/gtest.h>

#include <string>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserInput.h"

namespace {

// One user menu "Work" holding the message "A" with the content "x"; a second such record at
// secondLevel when given.
Bytes WorkMenuFile(int secondLevel = 0)
{
    std::vector<RecordSpec> work = {{2, 4, 0, u"A", u"x"}};
    if (secondLevel)
        work.push_back({secondLevel, 4, 0, u"A", u"x"});
    return DataFileBytes({u"Work"}, {{}, {}, work});
}

struct DataFileOnDisk : testing::Test {
    void SetUp() override { CleanUserState(); }
};

TEST_F(DataFileOnDisk, FirstStartWritesTheEmptyCollection)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    Bytes expected = DataFileHeader();
    for (int i = 0; i < 3; ++i)
        Append32(expected, 0);
    EXPECT_EQ(ReadFileBytes(DataFilePath()), expected);
    EXPECT_EQ(expected.size(), 88u);
}

TEST_F(DataFileOnDisk, ASavedCollectionIsLoadedAndLeftAsItIs)
{
    WriteFileBytes(DataFilePath(), WorkMenuFile());
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    EXPECT_TRUE(quorvane.TrayIconPresent());
    EXPECT_EQ(FindMessageBox(quorvane.Id()), nullptr);
    EXPECT_EQ(ReadFileBytes(DataFilePath()), WorkMenuFile());
}

TEST_F(DataFileOnDisk, AFileOfAnotherFormatIsNeitherLoadedNorOverwritten)
{
    const Bytes foreign = {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'};
    WriteFileBytes(DataFilePath(), foreign);
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    EXPECT_EQ(FindMessageBox(quorvane.Id()), nullptr);
    EXPECT_EQ(ReadFileBytes(DataFilePath()), foreign);
}

TEST_F(DataFileOnDisk, AnInvalidLevelStopsTheStartupWithTheErrorAndKeepsTheFile)
{
    const Bytes damaged = WorkMenuFile(4); // two levels below the row before it
    WriteFileBytes(DataFilePath(), damaged);
    QuorvaneProcess quorvane;
    std::wstring text;
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(quorvane.Id(), &text) != nullptr; }));
    EXPECT_NE(text.find(L"Invalid level (4) for item \"\""), std::wstring::npos) << std::string(text.begin(), text.end());
    EXPECT_FALSE(IsWindowVisible(quorvane.Window(L"TFmMenuBar")));
    EXPECT_FALSE(quorvane.TrayIconPresent());
    EXPECT_EQ(ReadFileBytes(DataFilePath()), damaged);
    EXPECT_TRUE(quorvane.Alive());
}

TEST_F(DataFileOnDisk, ClosingTheProgramAfterAFailedStartKeepsTheUsersSettings)
{
    WriteFileBytes(DataFilePath(), WorkMenuFile(4));
    SetSettingsDword(L"MenuBarLeft", 123);
    SetSettingsDword(L"AutoHide", 1);
    QuorvaneProcess quorvane;
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(quorvane.Id())) != nullptr; }));
    PostMessageW(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    // The main window stayed with its taskbar button; the user closes the program there.
    HWND main = quorvane.Window(L"TFmMain");
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !quorvane.Alive(); }));
    EXPECT_EQ(SettingsDword(L"MenuBarLeft"), 123u);
    EXPECT_EQ(SettingsDword(L"AutoHide"), 1u);
    EXPECT_EQ(SettingsDword(L"TurnOnHotkey"), std::nullopt);
}

} // namespace
