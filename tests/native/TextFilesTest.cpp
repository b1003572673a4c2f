#include <gtest/gtest.h>

#include "FakeOs.h"
#include "organize/TextFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TextFiles, BytesAreTheMarkThenTheCodeUnitsLittleEndian)
{
    const struct {
        String text;
        Bytes bytes;
    } cases[] = {
        {u"", {0xFF, 0xFE}},
        {u"A", {0xFF, 0xFE, 0x41, 0x00}},
        {u"a\r\nb", {0xFF, 0xFE, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x62, 0x00}},
        {u"\u00E9\u4E2D", {0xFF, 0xFE, 0xE9, 0x00, 0x2D, 0x4E}},
        {u"\U0001D11E", {0xFF, 0xFE, 0x34, 0xD8, 0x1E, 0xDD}},   // a surrogate pair, as stored
        {u"<^DATE>\n", {0xFF, 0xFE, 0x3C, 0, 0x5E, 0, 0x44, 0, 0x41, 0, 0x54, 0, 0x45, 0, 0x3E, 0, 0x0A, 0}},
        {String(u"x\0y", 3), {0xFF, 0xFE, 0x78, 0x00, 0x00, 0x00, 0x79, 0x00}}, // no cut at a NUL
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextFileBytes(c.text), c.bytes) << ToUtf8(c.text);
}

TEST(TextFiles, ProposedNamesAreMadeValid)
{
    const struct {
        String name;
        String valid;
    } cases[] = {
        {u"Greeting", u"Greeting"},
        {u"a\\b/c:d*e?f\"g<h>i|j", u"a_b_c_d_e_f_g_h_i_j"},
        {u"line one\r\nline two\tend", u"line one__line two_end"},
        {u"ends with dots...", u"ends with dots"},
        {u"dots and blanks . . ", u"dots and blanks"},
        {u"  leading blanks stay", u"  leading blanks stay"},
        {u"", u"Message"},
        {u"...", u"Message"},
        {u" . ", u"Message"},
        {u"a.b", u"a.b"},
        {u"\u00C4pfel \U0001D11E", u"\u00C4pfel \U0001D11E"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidFileName(c.name), c.valid) << ToUtf8(c.name);
}

TEST(TextFiles, SaveWritesTheWholeFileAndReplacesAnOldOne)
{
    FakeOs os;
    os.Files[u"C:\\out\\note.txt"] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    SaveMessageToFile(u"Hi", u"C:\\out\\note.txt");
    EXPECT_EQ(os.Files[u"C:\\out\\note.txt"], (Bytes{0xFF, 0xFE, 0x48, 0x00, 0x69, 0x00}));
    SaveMessageToFile(u"", u"C:\\out\\empty.txt");
    EXPECT_EQ(os.Files[u"C:\\out\\empty.txt"], (Bytes{0xFF, 0xFE}));
}

TEST(TextFiles, AFailedWriteIsAnErrorAndLeavesTheOldFile)
{
    FakeOs os;
    os.Files[u"C:\\out\\note.txt"] = {0xFF, 0xFE, 0x41, 0x00};
    os.FailWrites = true;
    EXPECT_THROW(SaveMessageToFile(u"new", u"C:\\out\\note.txt"), EAppError);
    EXPECT_EQ(os.Files[u"C:\\out\\note.txt"], (Bytes{0xFF, 0xFE, 0x41, 0x00}));
}

} // namespace
