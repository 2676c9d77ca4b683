#include <gtest/gtest.h>

#include "common/Utf16.h"

namespace solvane {
namespace {

TEST(Utf16Test, RoundTrips) {
    for (std::u16string text : {std::u16string(u""), std::u16string(u"Esc "), std::u16string(u"宏指令_001"),
                                std::u16string(u"/home/ü/🎵.mp3")}) {
        const std::string utf8 = ToUtf8(text);
        const auto back = FromUtf8(utf8);
        ASSERT_TRUE(back);
        EXPECT_EQ(back.value(), text);
    }
    EXPECT_EQ(ToUtf8(u"复制"), "\xE5\xA4\x8D\xE5\x88\xB6");
}

TEST(Utf16Test, MalformedTextIsRefusedOrReplaced) {
    // Truncated, overlong, surrogate, out of range, stray continuation.
    for (std::string_view bad : {"\xE5\xA4", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "a\xFF"}) {
        EXPECT_EQ(FromUtf8(bad).status().code(), ErrorCode::InvalidArgument) << bad;
    }
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(ToUtf8({lone, 4}), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

}  // namespace
}  // namespace solvane
