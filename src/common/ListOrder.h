#pragma once

#include <string_view>

namespace solvane {

// The order of every sorted list the user sees (profile names, macro names), as a sorted list
// box keeps it: letters compare without regard to case, everything else by code point.
// Unpaired surrogates sort after every code point, by their unit value.
int CompareListText(std::u16string_view a, std::u16string_view b);

// UTF-8 texts in the same order as their UTF-16 form.
int CompareListText(std::string_view a, std::string_view b);

}  // namespace solvane
