#include <gtest/gtest.h>

#include "core/SharedRoutines.h"

namespace {

TEST(Md5, PlatformDigestOfUsAsciiBytes)
{
    const struct {
        const char16_t* text;
        const char16_t* digest;
    } cases[] = {
        {u"", u"D41D8CD98F00B204E9800998ECF8427E"},
        {u"abc", u"900150983CD24FB0D6963F7D28E17F72"},
        {u"\u4E2D", u"D1457B72C3FB323A2671125AEF3EAB5D"},       // becomes "?"
        {u"\u6587", u"D1457B72C3FB323A2671125AEF3EAB5D"},       // also "?"
        {u"\U0001F600", u"EA03FCB8C47822BCE772CF6C07D0EBBB"},   // a surrogate pair: "??"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8(MD5Hex(c.text)), ToUtf8(c.digest)) << ToUtf8(c.text);
        EXPECT_EQ(HeaderMD5Hex(c.text), MD5Hex(c.text));
    }
}

} // namespace
