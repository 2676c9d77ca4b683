#include <gtest/gtest.h>

#include "common/ListOrder.h"
#include "common/Utf16.h"

namespace solvane {
namespace {

TEST(ListOrderTest, LettersIgnoreCaseEverythingElseByCodePoint) {
    struct Case {
        std::u16string a;
        std::u16string b;
        int order;
    };
    const Case cases[] = {
        {u"abc", u"ABC", 0},
        {u"Alpha", u"beta", -1},
        {u"_x", u"a", -1},           // '_' lies before the letters
        {u"Z", u"[", 1},             // upper case compares as lower case: after '['
        {u"ab", u"abc", -1},
        {u"宏指令_002", u"宏指令_010", -1},
        {u"\uFFFD", u"\U0001F600", -1},  // by code point, not by UTF-16 unit
        {u"\U0001F600", u"\xD800", -1},  // an unpaired surrogate sorts after every code point
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareListText(c.a, c.b), c.order) << Utf16ToUtf8(c.a) << " / " << Utf16ToUtf8(c.b);
        EXPECT_EQ(CompareListText(c.b, c.a), -c.order);
        // UTF-8 has no unpaired surrogates.
        if ((c.a + c.b).find(u'\xD800') == std::u16string::npos) {
            EXPECT_EQ(CompareListText(Utf16ToUtf8(c.a), Utf16ToUtf8(c.b)), c.order);
        }
    }
}

}  // namespace
}  // namespace solvane
