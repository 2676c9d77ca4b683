#include <gtest/gtest.h>

#include "common/Utf16.h"

namespace solvane {
namespace {

TEST(Utf16Test, RoundTripsAndReplacesWhatIsMalformed) {
    for (std::u16string text : {std::u16string(u""), std::u16string(u"Esc "), std::u16string(u"宏指令_001"),
                                std::u16string(u"/home/ü/🎵.mp3")}) {
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    }
    EXPECT_EQ(Utf16ToUtf8(u"复制"), "\xE5\xA4\x8D\xE5\x88\xB6");
    // Truncated, overlong, surrogate, out of range, stray continuation.
    for (std::string_view bad : {"\xE5\xA4", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"}) {
        EXPECT_NE(Utf8ToUtf16(bad).find(u'\xFFFD'), std::u16string::npos) << bad;
    }
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(Utf16ToUtf8({lone, 4}), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

}  // namespace
}  // namespace solvane
