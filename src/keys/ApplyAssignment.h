#pragma once

#include <cstdint>
#include <filesystem>

#include "common/Result.h"
#include "keys/AssignmentDraft.h"
#include "keys/Configuration.h"
#include "macros/MacroRecord.h"

namespace solvane {

// Whether the draft can be applied. Refused: a slot that is not a key slot, more captured keys
// than a record holds, a macro the store
// does not hold, a macro numbered 32 or more (the keyboard holds blocks 0..31 only), and a launch
// path longer than 255 units. A restore of the default is always accepted.
Status CheckAssignment(const AssignmentDraft& draft, const MacroStore& macros);

// Writes the draft into the slot's record and key map entry and updates its mark (for a macro
// also the macro blocks), then saves keymap.bin; a restore of the default saves nothing, the
// caller does. The enable bit is left to the caller. A refused draft changes nothing.
Status ApplyAssignment(const AssignmentDraft& draft, Configuration& configuration,
                       const MacroStore& macros, const std::filesystem::path& keymapPath);

// Before the dialog opens on `slot`: the draft learns the slot and its default code, and the
// records are reloaded from keymap.bin (the image in memory is kept).
Status PrepareAssignment(AssignmentDraft& draft, Configuration& configuration, std::uint8_t slot,
                         const std::filesystem::path& keymapPath);

// After the dialog ended with OK: the mark is cleared, the draft applied, the enable bit set or
// cleared (a disabled key is marked) and keymap.bin saved. A refused draft changes nothing.
Status CompleteAssignment(const AssignmentDraft& draft, Configuration& configuration,
                          const MacroStore& macros, const std::filesystem::path& keymapPath);

}  // namespace solvane
