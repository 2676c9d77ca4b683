#pragma once

#include <cstdint>

namespace solvane::palette {

// The colours of the skin, as 0xRRGGBB. Images are copied opaquely, so every picture drawn on
// another one is painted on the colour that lies beneath it; these names keep them in step.
inline constexpr std::uint32_t kWindow = 0x1A1A1A;       // main window and macro manager base
inline constexpr std::uint32_t kTitleBar = 0x121212;
inline constexpr std::uint32_t kCard = 0x242424;         // left panel; the slider bitmaps sit on it
inline constexpr std::uint32_t kHeaderTop = 0x3A3A3A;
inline constexpr std::uint32_t kHeaderBottom = 0x2E2E2E;
inline constexpr std::uint32_t kField = 0x161616;
inline constexpr std::uint32_t kBorder = 0x3C3C3C;
inline constexpr std::uint32_t kBorderLight = 0x4C4C4C;
inline constexpr std::uint32_t kKeyAssignBase = 0x232323; // key assignment dialog base
inline constexpr std::uint32_t kTree = 0x1E1E1E;          // the function tree's own background
inline constexpr std::uint32_t kListPanel = 0x2A2A2A;
inline constexpr std::uint32_t kListInterior = 0x1C1C1C;  // rows of the skinned lists
inline constexpr std::uint32_t kText = 0xFFFFFF;
inline constexpr std::uint32_t kTextDim = 0xA0A0A0;
inline constexpr std::uint32_t kAccent = 0xE5343F;
inline constexpr std::uint32_t kAccentDark = 0x9A1C25;
inline constexpr std::uint32_t kAccentLight = 0xFF6570;
inline constexpr std::uint32_t kCyan = 0x2FD6E8;

}  // namespace solvane::palette
