#pragma once

#include <cstdint>

namespace solvane {

// A colour as the skin's tables give it: 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned RedOf(ColorRef color) { return color & 0xFFu; }
constexpr unsigned GreenOf(ColorRef color) { return (color >> 8) & 0xFFu; }
constexpr unsigned BlueOf(ColorRef color) { return (color >> 16) & 0xFFu; }

}  // namespace solvane
