#include "keys/AssignmentDraft.h"

#include <algorithm>

#include "keys/FunctionCodeTable.h"

namespace solvane {

AssignmentDraft CurrentAssignmentDraft(const Configuration& configuration, std::uint8_t slot,
                                       const MacroStore& macros) {
    const KeyAssignment& record = configuration.records.at(slot);
    AssignmentDraft draft;
    draft.CurrentSlot = slot;
    draft.DefaultCode = KeySlotTable.at(slot).defaultCode;
    draft.kind = record.kind;
    draft.KeyEnabled = IsKeyEnabled(configuration.image, slot) ? 1 : 0;
    const KeyMapEntry entryCode = EntryCodeOf(record);
    switch (record.kind) {
        case KIND_SINGLE_KEY:
        case KIND_COMBINATION: {
            // Only the keys the record counts; bytes after them are leftovers of older captures.
            const std::size_t count = std::min<std::size_t>(record.keyCount, kAssignmentKeysSize);
            std::copy_n(record.keys.begin(), count, draft.CapturedKeys.begin());
            const auto end = std::find(draft.CapturedKeys.begin(),
                                       draft.CapturedKeys.begin() + static_cast<std::ptrdiff_t>(count), 0);
            draft.CapturedCount = static_cast<std::uint32_t>(end - draft.CapturedKeys.begin());
            break;
        }
        case KIND_MACRO:
            if (entryCode.kind() == ENTRY_MACRO && entryCode.bytes[2] < MacroCount(macros)) {
                draft.MacroIndex = entryCode.bytes[2];
            }
            break;
        case KIND_FUNCTION:
            if (const auto* function = FindFunctionByEntry(entryCode)) {
                draft.FunctionName = function->name;
            }
            break;
        case KIND_PLAY_SOUND:
        case KIND_LAUNCH_PROGRAM:
        case KIND_OPEN_FILE:
        case KIND_OPEN_FOLDER:
            draft.TargetPath = RecordPath(record);
            break;
        default:
            break;
    }
    return draft;
}

}  // namespace solvane
