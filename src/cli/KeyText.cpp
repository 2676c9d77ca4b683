#include "cli/KeyText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "cli/ParseNumber.h"
#include "common/Utf16.h"
#include "keys/FunctionCodeTable.h"
#include "keys/KeyNameTable.h"
#include "keys/KeySlotTable.h"

namespace solvane {
namespace {

constexpr std::size_t kMaxShownKeys = 3;  // the key map entry holds three

std::string Hex(std::uint8_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

std::string JoinedKeys(const KeyAssignment& record) {
    const std::size_t count = std::min<std::size_t>(record.keyCount, kMaxShownKeys);
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += (i == 0 ? "" : " + ") + KeyText(record.keys[i]);
    }
    return text.empty() ? "(no keys)" : text;
}

std::string MacroText(const KeyAssignment& record, const MacroStore& macros) {
    const KeyMapEntry entry = EntryCodeOf(record);
    const std::uint8_t number = entry.bytes[2];
    if (entry.kind() != ENTRY_MACRO || number == 0xFF) {
        return "macro (none chosen)";
    }
    const std::string name = number < MacroCount(macros) ? Utf16ToUtf8(MacroName(macros[number]))
                                                         : "not in the macro store";
    return "macro " + std::to_string(number) + " (" + name + ")";
}

// Columns of terminal cells: East Asian characters take two.
std::size_t DisplayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t used = DisplayWidth(text);
    return text + std::string(used < width ? width - used : 0, ' ');
}

bool SameName(std::string_view typed, std::string_view name) {
    return typed.size() == name.size() &&
           std::equal(typed.begin(), typed.end(), name.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string Line(const std::string& slot, const std::string& name, const std::string& assignment,
                 const std::string& state, const std::string& changed) {
    return Padded(slot, 6) + Padded(name, 8) + "  " + Padded(assignment, 28) + "  " +
           Padded(state, 8) + "  " + changed;
}

}  // namespace

std::string KeyText(std::uint8_t code) {
    std::u16string_view name = KeyName(code);
    while (!name.empty() && name.back() == u' ') {
        name.remove_suffix(1);
    }
    return name.empty() ? Hex(code) : Utf16ToUtf8(name);
}

std::string SlotText(std::size_t slot) { return KeyText(KeySlotTable.at(slot).defaultCode); }

std::optional<std::uint8_t> ParseSlot(std::string_view text) {
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))) {
        const auto number = ParseNumber<unsigned>(text);
        if (!number || *number >= kKeySlotCount) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(*number);
    }
    std::optional<std::uint8_t> anySlot;
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        if (SameName(text, SlotText(slot))) {
            if (IsOfferedForAssignment(slot)) {
                return static_cast<std::uint8_t>(slot);
            }
            anySlot = anySlot ? anySlot : static_cast<std::uint8_t>(slot);
        }
    }
    return anySlot;
}

std::optional<std::uint8_t> ParseKey(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        const auto code = ParseNumber<unsigned>(text.substr(2), 16);
        if (!code || *code == 0 || *code > 0xFF) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(*code);
    }
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        if (HasKeyOnPicture(slot) && SameName(text, SlotText(slot))) {
            return KeySlotTable[slot].defaultCode;
        }
    }
    for (std::size_t code = 1; code < kVirtualKeyCount; ++code) {
        if (!KeyName(static_cast<std::uint8_t>(code)).empty() &&
            SameName(text, KeyText(static_cast<std::uint8_t>(code)))) {
            return static_cast<std::uint8_t>(code);
        }
    }
    return std::nullopt;
}

std::string DescribeAssignment(const KeyAssignment& record, const MacroStore& macros) {
    switch (record.kind) {
        case KIND_SINGLE_KEY:
            return record.keyCount == 0 ? "default" : "key " + JoinedKeys(record);
        case KIND_COMBINATION:
            return "combination " + JoinedKeys(record);
        case KIND_MACRO:
            return MacroText(record, macros);
        case KIND_FUNCTION: {
            const auto* function = FindFunctionByEntry(EntryCodeOf(record));
            return function != nullptr ? "function " + Utf16ToUtf8(function->name) : "function (none chosen)";
        }
        case KIND_PLAY_SOUND:
            return "play sound " + Utf16ToUtf8(RecordPath(record));
        case KIND_LAUNCH_PROGRAM:
            return "program " + Utf16ToUtf8(RecordPath(record));
        case KIND_OPEN_FILE:
            return "file " + Utf16ToUtf8(RecordPath(record));
        case KIND_OPEN_FOLDER:
            return "folder " + Utf16ToUtf8(RecordPath(record));
        default:
            return "unknown kind " + std::to_string(record.kind);
    }
}

std::string KeyLineHeader() { return Line("SLOT", "KEY", "ASSIGNMENT", "STATE", "CHANGED"); }

std::string KeyLine(const Configuration& configuration, const MacroStore& macros, std::size_t slot) {
    const bool changed = IsMarkShown(slot) && configuration.marks[slot] != 0;
    return Line(std::to_string(slot), SlotText(slot),
                DescribeAssignment(configuration.records[slot], macros),
                IsKeyEnabled(configuration.image, slot) ? "enabled" : "disabled",
                changed ? "changed" : "-");
}

std::string ChangedKeysText(const Configuration& configuration) {
    std::string text;
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        if (IsMarkShown(slot) && configuration.marks[slot] != 0) {
            text += (text.empty() ? "" : ", ") + SlotText(slot);
        }
    }
    return text.empty() ? "none" : text;
}

}  // namespace solvane
