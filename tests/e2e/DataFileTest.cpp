#include <gtest/gtest.h>

#include <string>

#include "Driver.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Append32(Bytes& b, int v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * i)));
}

void AppendText(Bytes& b, const std::u16string& text)
{
    Append32(b, static_cast<int>(text.size() * 2));
    for (char16_t c : text) {
        b.push_back(static_cast<unsigned char>(c & 0xFF));
        b.push_back(static_cast<unsigned char>(c >> 8));
    }
}

// The 76-byte header: magic, version, the digest of the empty text, 4 zero bytes.
Bytes Header()
{
    Bytes b;
    Append32(b, 0x245A78C0);
    Append32(b, 1000);
    for (char c : std::string("D41D8CD98F00B204E9800998ECF8427E")) {
        b.push_back(static_cast<unsigned char>(c));
        b.push_back(0);
    }
    Append32(b, 0);
    return b;
}

void AppendMessageRecord(Bytes& b, int level)
{
    Append32(b, level);
    Append32(b, 4);
    Append32(b, 0);
    Append32(b, 0);
    AppendText(b, u"A");
    AppendText(b, u"x");
}

// One user menu "Work" holding the message "A" with the content "x"; a second record at
// secondLevel when given.
Bytes WorkMenuFile(int secondLevel = 0)
{
    Bytes b = Header();
    Append32(b, 1);
    AppendText(b, u"Work");
    Append32(b, 0); // Clipboards
    Append32(b, 0); // Messages
    Append32(b, secondLevel ? 56 : 28);
    AppendMessageRecord(b, 2);
    if (secondLevel)
        AppendMessageRecord(b, secondLevel);
    return b;
}

struct DataFileOnDisk : testing::Test {
    void SetUp() override { CleanUserState(); }
};

TEST_F(DataFileOnDisk, FirstStartWritesTheEmptyCollection)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    Bytes expected = Header();
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

} // namespace
