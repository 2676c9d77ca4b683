#pragma once

#include <array>
#include <cstdint>

#include "keys/KeyAssignment.h"
#include "link/DeviceImage.h"

namespace solvane {

// Per key slot (0..107 used): non-zero when the main window draws the key as changed. Held in
// memory only; recomputed after every read-back and updated by every assignment.
using ReassignedMarks = std::array<std::uint8_t, 256>;

// What the program knows of the keyboard's configuration: the mirror of the keyboard, the key
// records (together they make keymap.bin) and the changed-key marks.
struct Configuration {
    DeviceImage image;
    RecordTable records{};
    ReassignedMarks marks{};
};

// The marks as a read-back leaves them, for slots 0..107: a slot is marked when its entry's byte
// 2 differs from the factory entry's, its record is not a plain key, its record holds one key
// other than its default, or its key is disabled. Slot 100 is never marked.
void RecomputeReassignedMarks(Configuration& configuration);

}  // namespace solvane
