#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "keys/Configuration.h"
#include "macros/MacroRecord.h"

namespace solvane {

// A key's display name without its trailing blank ("Esc", "F5", "LCtrl"); a code without a name
// is shown as hex ("0x10").
std::string KeyText(std::uint8_t code);

// The display name of a key slot: the name of its default code.
std::string SlotText(std::size_t slot);

// What the user typed for a key slot: a slot number, or a key name (any letter case): the first
// slot of that name the user can change, else the first slot of that name at all.
std::optional<std::uint8_t> ParseSlot(std::string_view text);

// What the user typed for a key: a virtual-key code (0x41) or a key name (any letter case); a
// name two keys share means the key on the keyboard picture (the main row's "-", not the
// keypad's).
std::optional<std::uint8_t> ParseKey(std::string_view text);

// What a record makes its key do: "default", "key A", "combination LCtrl + C", "macro 3 (name)",
// "function 复制", "play sound PATH", "program PATH", "file PATH", "folder PATH".
std::string DescribeAssignment(const KeyAssignment& record, const MacroStore& macros);

// One line of `keys`: slot, name, assignment, enabled or disabled, changed mark.
std::string KeyLine(const Configuration& configuration, const MacroStore& macros, std::size_t slot);
std::string KeyLineHeader();

// The display names of the slots drawn as changed, comma-separated; "none" when there are none.
std::string ChangedKeysText(const Configuration& configuration);

}  // namespace solvane
