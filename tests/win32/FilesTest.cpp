#include <gtest/gtest.h>
#include <windows.h>

#include "UserState.h"
#include "core/Win32Os.h"
#include "ui/Handles.h"

namespace {

struct Files : testing::Test {
    TWin32Files os;
    std::wstring folder;
    String path;

    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"QuorvaneFilesTest";
        DeleteTree(folder);
        CreateDirectoryW(folder.c_str(), nullptr);
        std::wstring file = folder + L"\\Quorvane.db";
        path.assign(file.begin(), file.end());
    }
    void TearDown() override { DeleteTree(folder); }

    bool TemporaryLeft() const { return PathExists(folder + L"\\Quorvane.db.tmp"); }
};

TEST_F(Files, AWriteReplacesTheWholeFileAndLeavesNoTemporary)
{
    os.WriteWholeFile(path, {1, 2, 3, 4, 5});
    os.WriteWholeFile(path, {9, 8});
    EXPECT_EQ(os.ReadWholeFile(path), (std::vector<std::uint8_t>{9, 8}));
    EXPECT_TRUE(os.FileExists(path));
    EXPECT_FALSE(TemporaryLeft());
    os.WriteWholeFile(path, {});
    EXPECT_TRUE(os.ReadWholeFile(path).empty());
}

TEST_F(Files, AFailedWriteKeepsTheOldFileAndSaysWhy)
{
    os.WriteWholeFile(path, {1, 2, 3});
    // Another program holds the file open without letting it be replaced.
    UniqueKernelHandle holder(CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    try {
        os.WriteWholeFile(path, {7, 7, 7, 7});
        ADD_FAILURE() << "the write should fail";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + path + u"\". ", 0), 0u) << ToUtf8(e.Message());
    }
    holder.reset();
    EXPECT_EQ(os.ReadWholeFile(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(TemporaryLeft());
}

TEST_F(Files, MissingFilesAndFoldersGiveTheFileErrors)
{
    const String missing = path + u".none";
    EXPECT_FALSE(os.FileExists(missing));
    try {
        os.ReadWholeFile(missing);
        ADD_FAILURE() << "the read should fail";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot open file \"" + missing + u"\". ", 0), 0u) << ToUtf8(e.Message());
    }
    const String inMissingFolder = path + u".d\\Quorvane.db";
    EXPECT_THROW(os.WriteWholeFile(inMissingFolder, {1}), EAppError);
    EXPECT_FALSE(os.FileExists(inMissingFolder));
}

TEST_F(Files, CopyFileToKeepsTheSourceAndReplacesTheTarget)
{
    os.WriteWholeFile(path, {4, 2});
    const String copy = path + u".unreadable";
    os.WriteWholeFile(copy, {0});
    EXPECT_TRUE(os.CopyFileTo(path, copy));
    EXPECT_EQ(os.ReadWholeFile(copy), (std::vector<std::uint8_t>{4, 2}));
    EXPECT_EQ(os.ReadWholeFile(path), (std::vector<std::uint8_t>{4, 2}));
    EXPECT_FALSE(os.CopyFileTo(path + u".none", copy));
}

} // namespace
