#include "keys/KeyMapEntry.h"

#include <algorithm>
#include <stdexcept>

namespace solvane {
namespace {

std::size_t EntryOffset(std::size_t entry) {
    if (entry >= kKeyMapEntryCount) {
        throw std::out_of_range("key map entry");
    }
    return kKeyMapEntrySize * entry;
}

const KeySlot& SlotAt(std::size_t slot) { return KeySlotTable.at(slot); }

}  // namespace

KeyMapEntry ReadKeyMapEntry(std::span<const std::uint8_t, image::kKeyMapBlockSize> keyMap,
                            std::size_t entry) {
    const std::size_t offset = EntryOffset(entry);
    KeyMapEntry value;
    std::copy_n(keyMap.begin() + static_cast<std::ptrdiff_t>(offset), kKeyMapEntrySize,
                value.bytes.begin());
    return value;
}

void WriteKeyMapEntry(std::span<std::uint8_t, image::kKeyMapBlockSize> keyMap, std::size_t entry,
                      const KeyMapEntry& value) {
    const std::size_t offset = EntryOffset(entry);
    std::copy(value.bytes.begin(), value.bytes.end(),
              keyMap.begin() + static_cast<std::ptrdiff_t>(offset));
}

KeyMapEntry FactoryEntryOf(std::size_t slot) {
    return ReadKeyMapEntry(FactoryKeyMap, SlotAt(slot).entry());
}

bool HasKeyMap(const DeviceImage& image) {
    return std::ranges::any_of(image.keyMapBlock(), [](std::uint8_t b) { return b != 0; });
}

bool IsKeyEnabled(const DeviceImage& image, std::size_t slot) {
    const std::size_t entry = SlotAt(slot).entry();
    return (image.keyEnableBitmap()[entry / kKeyMapRows] >> (entry % kKeyMapRows) & 1) != 0;
}

void SetKeyEnabled(DeviceImage& image, std::size_t slot, bool enabled) {
    const std::size_t entry = SlotAt(slot).entry();
    auto& byte = image.keyEnableBitmap()[entry / kKeyMapRows];
    const auto bit = static_cast<std::uint8_t>(1u << (entry % kKeyMapRows));
    byte = enabled ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
}

}  // namespace solvane
