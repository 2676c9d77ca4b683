#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace solvane {

inline constexpr std::string_view kProfileExtension = ".bin";

// Number of UTF-16 code units `utf8` needs; a byte that is not valid UTF-8 counts as one unit.
std::size_t Utf16Length(std::string_view utf8);

// The profile a file in the profile folder holds: its name without the ".bin" ending, or nothing
// when the file is no profile (another ending, or a name that is not a valid profile name).
std::optional<std::string> ProfileNameOfFile(std::string_view fileName);

// The file name of the profile `name`.
std::string ProfileFileName(std::string_view name);

// What the user typed as a new name: a trailing ".bin" is the file ending, not part of the name.
std::string ProfileNameFromTyped(std::string_view typed);

// A profile name is a file name, never a path: empty, ".", "..", separators, control characters
// and invalid UTF-8 are refused, and so is a name whose path would not fit the path table.
Status CheckProfileName(const std::filesystem::path& profileFolder, std::string_view name);

}  // namespace solvane
