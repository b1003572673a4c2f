#include <gtest/gtest.h>

#include "core/Text.h"

namespace {

TEST(CutKeepingPairs, EndsOneUnitEarlierRatherThanOnHalfACharacter)
{
    const String smile = u"\U0001F600"; // a high and a low surrogate
    const struct {
        String text;
        std::size_t maxUnits;
        String expected;
    } cases[] = {
        {u"abc", 5, u"abc"},
        {u"abc", 3, u"abc"},
        {u"abcd", 3, u"abc"},
        {u"ab" + smile, 3, u"ab"},
        {u"ab" + smile, 4, u"ab" + smile},
        {u"a" + smile + u"b", 3, u"a" + smile},
        {smile, 1, u""},
        {u"abc", 0, u""},
        {u"ab\xDC00z", 3, u"ab\xDC00"}, // a lone low surrogate is no pair to keep
    };
    for (const auto& c : cases)
        EXPECT_EQ(String(CutKeepingPairs(c.text, c.maxUnits)), c.expected) << ToUtf8(c.text) << " at " << c.maxUnits;
}

} // namespace
