#pragma once

#include <filesystem>

#include "common/Result.h"
#include "keys/Configuration.h"
#include "macros/MacroRecord.h"

namespace solvane {

// The moments outside the key assignment dialog at which the configuration changes as a whole
// and keymap.bin is rewritten.

// The image has new content (read from the keyboard or loaded from a profile): the marks are
// recomputed and keymap.bin saved.
Status CompleteReadBack(Configuration& configuration, const std::filesystem::path& keymapPath);

// The macro manager confirmed its edits into `macros`: the macro blocks are encoded, then
// keymap.bin and MacroDefine.bin saved (both are attempted; the first failure is reported).
Status CompleteMacroEditing(const MacroStore& macros, Configuration& configuration,
                            const std::filesystem::path& keymapPath,
                            const std::filesystem::path& macroPath);

// The record part of a factory reset: marks cleared, every key enabled, every record emptied
// but for its default code, and keymap.bin saved.
Status FactoryResetRecords(Configuration& configuration, const std::filesystem::path& keymapPath);

}  // namespace solvane
