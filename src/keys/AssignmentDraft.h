#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "keys/Configuration.h"
#include "macros/MacroRecord.h"

namespace solvane {

// A captured-key count that asks for the slot's default instead of any assignment.
inline constexpr std::uint32_t RESTORE_DEFAULT_COUNT = 255;

// What the key assignment dialog hands over when it ends with OK.
struct AssignmentDraft {
    std::uint8_t CurrentSlot = kNoSlot;
    std::uint8_t DefaultCode = 0;            // the slot's default code
    std::uint8_t kind = KIND_SINGLE_KEY;     // an AssignmentKind
    std::array<std::uint8_t, kAssignmentKeysSize> CapturedKeys{};  // virtual-key codes
    std::uint32_t CapturedCount = 0;         // RESTORE_DEFAULT_COUNT: back to the default
    std::u16string FunctionName;             // kind 3: a name of the FunctionCodeTable
    std::u16string TargetPath;               // kinds 4..7: at most 255 units
    std::int32_t MacroIndex = -1;            // kind 2: the macro's number, -1 = none chosen
    std::uint8_t KeyEnabled = 1;             // 1 = the key stays enabled, 0 = disable it
};

// The draft the dialog hands over when it opens on `slot` and is saved without a change: the
// slot's current assignment and enable state. A macro the store does not hold is no choice (-1).
AssignmentDraft CurrentAssignmentDraft(const Configuration& configuration, std::uint8_t slot,
                                       const MacroStore& macros);

}  // namespace solvane
