#include "common/ListOrder.h"

#include "common/Utf16.h"

namespace solvane {
namespace {

constexpr char32_t kAfterEveryCodePoint = 0x110000;

struct Unit {
    char32_t key = 0;    // what the comparison sees
    std::size_t length = 1;
};

Unit CodePointAt(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF) {
        return {0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at + 1] - 0xDC00), 2};
    }
    if (high || low) {
        return {kAfterEveryCodePoint + unit, 1};
    }
    if (unit >= u'A' && unit <= u'Z') {
        return {static_cast<char32_t>(unit - u'A' + u'a'), 1};
    }
    return {unit, 1};
}

}  // namespace

int CompareListText(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const Unit x = CodePointAt(a, i);
        const Unit y = CodePointAt(b, j);
        if (x.key != y.key) {
            return x.key < y.key ? -1 : 1;
        }
        i += x.length;
        j += y.length;
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

int CompareListText(std::string_view a, std::string_view b) {
    return CompareListText(std::u16string_view(Utf8ToUtf16(a)), std::u16string_view(Utf8ToUtf16(b)));
}

}  // namespace solvane
