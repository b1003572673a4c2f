#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

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

    // The names of the files in the folder, in order.
    std::vector<std::wstring> FolderFiles() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
    bool TemporaryLeft() const { return FolderFiles() != std::vector<std::wstring>{L"Quorvane.db"}; }
    // Writes a file without the writer under test.
    void Put(const std::wstring& name, const std::string& bytes) const
    {
        UniqueKernelHandle file(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                            nullptr));
        ASSERT_TRUE(file) << GetLastError();
        DWORD written = 0;
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    std::string Bytes(const std::wstring& name)
    {
        const std::wstring full = folder + L"\\" + name;
        const std::vector<std::uint8_t> bytes = os.ReadWholeFile(String(full.begin(), full.end()));
        return std::string(bytes.begin(), bytes.end());
    }
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

TEST_F(Files, AUsersOwnFileNamedLikeATemporaryIsNeverTouched)
{
    // A file of the user's beside the target, named as a temporary file often is.
    Put(L"Quorvane.db.tmp", "mine");
    os.WriteWholeFile(path, {1, 2});
    os.WriteWholeFile(path, {3});
    EXPECT_EQ(Bytes(L"Quorvane.db.tmp"), "mine");
    EXPECT_EQ(os.ReadWholeFile(path), (std::vector<std::uint8_t>{3}));
    EXPECT_EQ(FolderFiles(), (std::vector<std::wstring>{L"Quorvane.db", L"Quorvane.db.tmp"}));
}

TEST_F(Files, WhatKilledSavesLeftGoesAtTheNextSaveOfTheSameFile)
{
    const std::vector<std::wstring> left = {L"Quorvane.db.~qv0A9F.tmp", L"QUORVANE.DB.~QV89ab.TMP"};
    // Not ours, or of another file: they stay.
    const std::vector<std::wstring> others = {L"Other.db.~qv0A9F.tmp",      L"Quorvane.db.~qv0A9.tmp",
                                              L"Quorvane.db.~qv0A9FF.tmp",    L"Quorvane.db.~qv0A9G.tmp",
                                              L"Quorvane.db.~qv0A9F.tmp.txt", L"xQuorvane.db.~qv0A9F.tmp"};
    for (const auto& name : left)
        Put(name, std::string(1000, 'x'));
    for (const auto& name : others)
        Put(name, "other");
    os.WriteWholeFile(path, {5});
    std::vector<std::wstring> expected = others;
    expected.push_back(L"Quorvane.db");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderFiles(), expected);
    for (const auto& name : others)
        EXPECT_EQ(Bytes(name), "other");

    // A failed save removes nothing: only a save that replaced its file knows it was the last.
    Put(left[0], "left");
    UniqueKernelHandle holder(CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_THROW(os.WriteWholeFile(path, {6}), EAppError);
    holder.reset();
    EXPECT_EQ(Bytes(left[0]), "left");
    os.WriteWholeFile(path, {7});
    EXPECT_FALSE(PathExists(folder + L"\\" + left[0]));
}

TEST_F(Files, ATargetTooLongForItsTemporaryGetsTheCreateErrorAndLosesNothing)
{
    // Paths the system takes for the target; with the temporary name beside them only the
    // shortest still fits.
    for (const size_t length : {247u, 248u, 256u, 259u}) {
        SCOPED_TRACE(length);
        const std::wstring prefix = folder + L"\\";
        ASSERT_LT(prefix.size() + 10, length);
        const std::wstring name(length - prefix.size(), L'n');
        const String target(prefix.begin(), prefix.end());
        const String full = target + String(name.begin(), name.end());
        Put(name, "old");
        if (length == 247u) {
            os.WriteWholeFile(full, {'n', 'e', 'w'});
            EXPECT_EQ(Bytes(name), "new");
        } else {
            try {
                os.WriteWholeFile(full, {'n', 'e', 'w'});
                ADD_FAILURE() << "the write should fail";
            } catch (const EAppError& e) {
                EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + full + u"\". ", 0), 0u) << ToUtf8(e.Message());
            }
            EXPECT_EQ(Bytes(name), "old");
        }
        EXPECT_EQ(FolderFiles(), std::vector<std::wstring>{name});
        DeleteFileW((prefix + name).c_str());
    }
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
