#pragma once

#include <span>
#include <string>
#include <string_view>

namespace solvane {

// Text held in fixed UTF-16 fields of records and files, up to the first zero unit or the end
// of the field, whichever comes first.
std::u16string TerminatedText(std::span<const char16_t> field);

// Conversions at the edges; unpaired surrogates and malformed bytes become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace solvane
