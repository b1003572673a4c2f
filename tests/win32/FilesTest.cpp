#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UserState.h"
#include "core/win32/Win32Os.h"
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
        RemoveFolder();
        CreateDirectoryW(folder.c_str(), nullptr);
        std::wstring file = folder + L"\\Quorvane.db";
        path.assign(file.begin(), file.end());
    }
    void TearDown() override { RemoveFolder(); }
    // The folder's files may have paths longer than the usual form reaches.
    void RemoveFolder() const
    {
        for (const std::wstring& name : FolderFiles())
            DeleteFileW((L"\\\\?\\" + folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
    }

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
    // Writes a file without the writer under test, whatever the length of its path.
    void Put(const std::wstring& name, const std::string& bytes) const
    {
        UniqueKernelHandle file(CreateFileW((L"\\\\?\\" + folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, 0, nullptr));
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

TEST_F(Files, EveryTargetPathTheSystemTakesSavesWhateverItsTemporaryNeeds)
{
    // The temporary name beside these is longer than MAX_PATH allows, and the target is written
    // as a user or a dialog may write it.
    const struct {
        size_t length;
        bool slashes;
    } cases[] = {{247, false}, {248, false}, {256, false}, {259, false}, {259, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << (c.slashes ? " with slashes" : ""));
        const std::wstring prefix = folder + L"\\";
        ASSERT_LT(prefix.size() + 10, c.length);
        const std::wstring name(c.length - prefix.size(), L'n');
        std::wstring written = prefix + name;
        if (c.slashes)
            std::replace(written.begin(), written.end(), L'\\', L'/');
        Put(name, "old");
        Put(L"mine.tmp", "mine");
        Put(name + L".~qv0A9F.tmp", "left by a killed save");
        os.WriteWholeFile(String(written.begin(), written.end()), {'n', 'e', 'w', 0, 0xFF});
        EXPECT_EQ(Bytes(name), std::string("new\0\xFF", 5));
        EXPECT_EQ(Bytes(L"mine.tmp"), "mine");
        EXPECT_EQ(FolderFiles(), (std::vector<std::wstring>{L"mine.tmp", name}));
        DeleteFileW((prefix + name).c_str());
    }
}

TEST_F(Files, ANameTooLongForItsTemporaryNameGetsAShorterOne)
{
    // A target in the extended-length form, of a name as long as a file name can be.
    const std::wstring name(255, L'n');
    const std::wstring extended = L"\\\\?\\" + folder + L"\\" + name;
    const String target(extended.begin(), extended.end());
    Put(L"mine.tmp", "mine");
    // What a killed save of it left: the name cut short to leave room for ".~qv0A9F.tmp".
    Put(name.substr(0, 255 - 12) + L".~qv0A9F.tmp", "left by a killed save");
    for (const std::vector<std::uint8_t>& bytes : {std::vector<std::uint8_t>{1, 2}, std::vector<std::uint8_t>{3}}) {
        os.WriteWholeFile(target, bytes);
        EXPECT_EQ(os.ReadWholeFile(target), bytes);
        EXPECT_EQ(FolderFiles(), (std::vector<std::wstring>{L"mine.tmp", name}));
    }
    EXPECT_EQ(Bytes(L"mine.tmp"), "mine");
}

TEST_F(Files, ATargetTooLongForTheSystemGetsTheCreateErrorAndLosesNothing)
{
    Put(L"mine.tmp", "mine");
    for (const size_t length : {260u, 300u}) {
        SCOPED_TRACE(length);
        const std::wstring prefix = folder + L"\\";
        const std::wstring full = prefix + std::wstring(length - prefix.size(), L'n');
        const String target(full.begin(), full.end());
        try {
            os.WriteWholeFile(target, {'n', 'e', 'w'});
            ADD_FAILURE() << "the write should fail";
        } catch (const EAppError& e) {
            EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + target + u"\". ", 0), 0u) << ToUtf8(e.Message());
        }
        EXPECT_EQ(FolderFiles(), std::vector<std::wstring>{L"mine.tmp"});
        EXPECT_EQ(Bytes(L"mine.tmp"), "mine");
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
