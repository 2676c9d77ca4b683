#include "controls/ListItemRules.h"

#include <algorithm>
#include <string>

namespace solvane {
namespace {

bool Contains(std::u16string_view text, std::u16string_view needle) {
    return text.find(needle) != std::u16string_view::npos;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

}  // namespace

std::u16string RemoveAll(std::u16string_view text, std::u16string_view needle) {
    if (needle.empty()) {
        return std::u16string(text);
    }
    std::u16string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(needle); at != std::u16string_view::npos;
         at = text.find(needle, from)) {
        result.append(text.substr(from, at - from));
        from = at + needle.size();
    }
    result.append(text.substr(from));
    return result;
}

ShownListItem ShowListItem(ListMode mode, std::u16string_view text) {
    if (mode != ListMode::MacroEvents) {
        return {std::u16string(text), ListItemIcon::None};
    }
    if (Contains(text, u"dn")) {
        return {RemoveAll(text, u"dn"), ListItemIcon::KeyDown};
    }
    if (Contains(text, u"up")) {
        return {RemoveAll(text, u"up"), ListItemIcon::KeyUp};
    }
    if (Contains(text, u"ms")) {
        return {std::u16string(text), ListItemIcon::Delay};
    }
    return {std::u16string(text), ListItemIcon::None};
}

bool OpensInPlaceEdit(ListMode mode, std::u16string_view text) {
    return !(mode == ListMode::MacroEvents && (Contains(text, u"up") || Contains(text, u"dn")));
}

std::u16string EditTextOf(ListMode mode, std::u16string_view itemText) {
    return mode == ListMode::MacroEvents ? RemoveAll(itemText, u" ms") : std::u16string(itemText);
}

int DelayFromEditText(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Saturates well above the limit, so a long run of digits cannot overflow.
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - u'0'), kMaxDelayMs + 1LL);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(std::clamp<long long>(value, kMinDelayMs, kMaxDelayMs));
}

std::u16string DelayItemText(int milliseconds) {
    const std::string digits = std::to_string(milliseconds);
    std::u16string text(digits.begin(), digits.end());
    text += u" ms";
    return text;
}

}  // namespace solvane
