#pragma once

#include <cstdint>
#include <optional>

namespace solvane {

// The virtual-key code of a Linux input key code (KEY_*), as the key tables know the key; none
// for keys the program has no code for.
std::optional<std::uint8_t> VirtualKeyFromInputCode(std::uint16_t inputCode);

}  // namespace solvane
