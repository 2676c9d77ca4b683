#pragma once

#include <string>
#include <string_view>

#include "common/Result.h"

namespace solvane {

// The program's texts are UTF-16 in records and files and UTF-8 at the terminal and in paths.

// A lone surrogate becomes U+FFFD, so any stored text can be shown.
std::string ToUtf8(std::u16string_view text);

// Fails on malformed UTF-8 rather than guessing what was meant.
Result<std::u16string> FromUtf8(std::string_view text);

}  // namespace solvane
