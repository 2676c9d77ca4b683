#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/Geometry.h"
#include "keys/KeySlotTable.h"

namespace solvane {

// Where the keyboard picture sits in the main window.
inline constexpr Point kKeyboardPictureOrigin{300, 160};

// The rectangle of a key slot on the keyboard picture, relative to the picture's origin; none
// for the slots of the full-size layout that this keyboard does not have.
std::optional<Rect> KeyRectangle(std::size_t slot);

// The slot whose key is under (x, y) in window coordinates; kNoSlot for no key and for the two
// slots that cannot be clicked.
std::uint8_t HitTestKey(int x, int y);

}  // namespace solvane
