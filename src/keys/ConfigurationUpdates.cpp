#include "keys/ConfigurationUpdates.h"

#include <algorithm>

#include "keys/KeymapFile.h"
#include "macros/MacroBlock.h"
#include "macros/MacroFile.h"

namespace solvane {
namespace {

Status SaveKeymap(const Configuration& configuration, const std::filesystem::path& keymapPath) {
    return SaveKeymapFile(keymapPath, configuration.image, configuration.records);
}

}  // namespace

Status CompleteReadBack(Configuration& configuration, const std::filesystem::path& keymapPath) {
    RecomputeReassignedMarks(configuration);
    return SaveKeymap(configuration, keymapPath);
}

Status CompleteMacroEditing(const MacroStore& macros, Configuration& configuration,
                            const std::filesystem::path& keymapPath,
                            const std::filesystem::path& macroPath) {
    EncodeMacroBlocks(macros, configuration.image);
    Status keymap = SaveKeymap(configuration, keymapPath);
    Status macroFile = SaveMacroFile(macroPath, macros);
    return keymap ? macroFile : keymap;
}

Status FactoryResetRecords(Configuration& configuration, const std::filesystem::path& keymapPath) {
    configuration.marks.fill(0);
    std::ranges::fill(configuration.image.keyEnableBitmap(), 0xFF);
    ClearRecords(configuration.records);
    return SaveKeymap(configuration, keymapPath);
}

}  // namespace solvane
