#include "macros/MacroNames.h"

#include <algorithm>
#include <unordered_set>

namespace solvane {

std::u16string DefaultMacroName(unsigned number) {
    std::u16string digits;
    for (unsigned rest = number; rest != 0 || digits.empty(); rest /= 10) {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
    }
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), u'0');
    }
    return u"宏指令_" + digits;
}

std::u16string NextDefaultMacroName(std::span<const std::u16string> names) {
    const std::unordered_set<std::u16string> taken(names.begin(), names.end());
    for (unsigned number = 1;; ++number) {
        auto name = DefaultMacroName(number);
        if (!taken.contains(name)) {
            return name;
        }
    }
}

std::u16string FitMacroName(std::u16string_view name) {
    name = name.substr(0, name.find(u'\0'));
    if (name.size() > macro_record::kMaxNameLength) {
        name = name.substr(0, macro_record::kMaxNameLength);
        if (name.back() >= 0xD800 && name.back() <= 0xDBFF) {
            name.remove_suffix(1);
        }
    }
    return std::u16string(name);
}

std::vector<std::u16string> MacroNames(const MacroStore& store) {
    std::vector<std::u16string> names;
    const std::size_t count = MacroCount(store);
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(MacroName(store[i]));
    }
    return names;
}

}  // namespace solvane
