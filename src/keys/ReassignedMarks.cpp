#include "keys/Configuration.h"
#include "keys/KeyMapEntry.h"

namespace solvane {

void RecomputeReassignedMarks(Configuration& configuration) {
    constexpr std::size_t kCodeByte = 2;  // the only byte compared with the factory entry
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        const std::size_t entry = KeySlotTable[slot].entry();
        const KeyMapEntry current = ReadKeyMapEntry(configuration.image.keyMapBlock(), entry);
        const KeyMapEntry factory = ReadKeyMapEntry(FactoryKeyMap, entry);
        const KeyAssignment& record = configuration.records[slot];
        bool marked = current.bytes[kCodeByte] != factory.bytes[kCodeByte] ||
                      record.kind != KIND_SINGLE_KEY ||
                      (record.keys[0] != record.defaultCode && record.keyCount == 1);
        if (!IsKeyEnabled(configuration.image, slot)) {
            marked = true;
        }
        configuration.marks[slot] = marked ? 1 : 0;
    }
    configuration.marks[kSharedApplicationSlot] = 0;
}

}  // namespace solvane
