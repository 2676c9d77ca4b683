#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroRecord.h"

namespace solvane {

// "宏指令_" and the number with at least three digits: "宏指令_007", "宏指令_042", "宏指令_123".
std::u16string DefaultMacroName(unsigned number);

// The default name with the smallest positive number that no name of `names` already has
// (exact, case-sensitive comparison).
std::u16string NextDefaultMacroName(std::span<const std::u16string> names);

// A name as a record can hold it: up to its first zero unit and at most 254 units, never ending
// in half a surrogate pair.
std::u16string FitMacroName(std::u16string_view name);

// The names of the store's macros in number order.
std::vector<std::u16string> MacroNames(const MacroStore& store);

}  // namespace solvane
