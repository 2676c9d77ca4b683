#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "app/Geometry.h"

namespace solvane {

inline constexpr std::size_t kKeySlotCount = 108;
inline constexpr std::uint8_t kNoSlot = 255;
// Where the keyboard picture sits in the main window.
inline constexpr Point kKeyboardPictureOrigin{300, 160};
// The left Windows key and the key beside the right Alt are never offered for assignment.
inline constexpr std::uint8_t kLeftWindowsSlot = 96;
inline constexpr std::uint8_t kSecondApplicationSlot = 100;

// The rectangle of a key slot on the keyboard picture, relative to the picture's origin; none
// for the slots of the full-size layout that this keyboard does not have.
std::optional<Rect> KeyRectangle(std::size_t slot);

// The slot whose key is under (x, y) in window coordinates; kNoSlot for no key and for the two
// slots that cannot be clicked.
std::uint8_t HitTestKey(int x, int y);

}  // namespace solvane
