#pragma once

#include <cstdint>
#include <optional>

namespace solvane {

// The virtual-key code of a Linux input key code (KEY_*), as the key tables know the key; none
// for keys the program has no code for.
std::optional<std::uint8_t> VirtualKeyFromInputCode(std::uint16_t inputCode);

// The first Linux input key code that gives `virtualKey`; none when no key of the keyboard
// produces it, so neither the key monitor nor the key hook can ever report it.
std::optional<std::uint16_t> InputCodeFromVirtualKey(std::uint8_t virtualKey);

}  // namespace solvane
