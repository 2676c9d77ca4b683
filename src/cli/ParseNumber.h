#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace solvane {

// The whole of `text` as a number in `base`; nothing for an empty text, a sign, trailing
// characters or a value out of range.
template <class Number>
std::optional<Number> ParseNumber(std::string_view text, int base = 10) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace solvane
