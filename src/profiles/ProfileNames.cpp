#include "profiles/ProfileNames.h"

#include <algorithm>

#include "profiles/ProfileMessages.h"
#include "profiles/ProfilePathTable.h"

namespace solvane {
namespace {

struct CodePoint {
    char32_t value = 0;
    std::size_t length = 1;  // bytes taken
    bool valid = false;
};

// Decodes the code point at `text[at]`; an invalid sequence takes one byte.
CodePoint DecodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size()) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        value = (value << 6) | (next & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < minimum || value > 0x10FFFF || surrogate) {
        return {};
    }
    return {value, length, true};
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

constexpr std::string_view kDot = ".";
constexpr std::string_view kDotDot = "..";

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const CodePoint c = DecodeUtf8(utf8, at);
        units += (c.valid && c.value >= 0x10000) ? 2 : 1;
        at += c.length;
    }
    return units;
}

std::optional<std::string> ProfileNameOfFile(std::string_view fileName) {
    if (!fileName.ends_with(kProfileExtension)) {
        return std::nullopt;
    }
    std::string name(fileName.substr(0, fileName.size() - kProfileExtension.size()));
    if (!CheckProfileName({}, name)) {
        return std::nullopt;
    }
    return name;
}

std::string ProfileFileName(std::string_view name) {
    std::string file(name);
    file += kProfileExtension;
    return file;
}

std::string ProfileNameFromTyped(std::string_view typed) {
    if (typed.ends_with(kProfileExtension)) {
        typed.remove_suffix(kProfileExtension.size());
    }
    return std::string(typed);
}

Status CheckProfileName(const std::filesystem::path& profileFolder, std::string_view name) {
    const Status invalid{ErrorCode::InvalidArgument, std::string(profile_text::kInvalidName)};
    if (name.empty() || name == kDot || name == kDotDot) {
        return invalid;
    }
    for (std::size_t at = 0; at < name.size();) {
        const CodePoint c = DecodeUtf8(name, at);
        if (!c.valid || IsControl(c.value) || c.value == U'/' || c.value == U'\\') {
            return invalid;
        }
        at += c.length;
    }
    if (!ProfilePathFits(profileFolder / ProfileFileName(name))) {
        return {ErrorCode::InvalidArgument, std::string(profile_text::kNameTooLong)};
    }
    return Status::Ok();
}

}  // namespace solvane
