#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "keys/KeyNameTable.h"
#include "keys/KeySlotTable.h"
#include "link/DeviceImage.h"

namespace solvane {

inline constexpr std::size_t kKeyMapEntryCount = 128;
inline constexpr std::size_t kKeyMapEntrySize = 4;
static_assert(kKeyMapEntryCount * kKeyMapEntrySize == image::kKeyMapBlockSize);

// Byte 0 of a key map entry: how the keyboard reads bytes 1..3.
enum KeyMapEntryKind : std::uint8_t {
    ENTRY_KEYS = 0,          // up to three device codes in bytes 1, 2, 3
    ENTRY_FACTORY_ONLY = 2,  // found only in the factory key map; never written by the program
    ENTRY_CONSUMER = 3,      // byte 1 = 0, bytes 2..3 = a Consumer usage, little-endian
    ENTRY_MACRO = 4,         // byte 1 = 1, byte 2 = the macro block's number
};

// One 4-byte cell of the keyboard's key map, kind first.
struct KeyMapEntry {
    std::array<std::uint8_t, kKeyMapEntrySize> bytes{};

    constexpr std::uint8_t kind() const { return bytes[0]; }
    friend constexpr bool operator==(const KeyMapEntry&, const KeyMapEntry&) = default;
};

// The entry the keyboard needs to send the key of virtual-key code `code`: a plain key, or a
// Consumer usage for the four media keys (whose device codes are the usages' low bytes).
constexpr KeyMapEntry SingleKeyEntry(std::uint8_t code) {
    const std::uint8_t device = DeviceCodeOf(code);
    if (device == 0x83) {
        return {{ENTRY_CONSUMER, 0x00, 0x83, 0x01}};  // Consumer 0x0183
    }
    if (device == 0xCD || device == 0xE9 || device == 0xEA) {
        return {{ENTRY_CONSUMER, 0x00, device, 0x00}};
    }
    return {{ENTRY_KEYS, 0x00, device, 0x00}};
}

using KeyMapBlock = std::array<std::uint8_t, image::kKeyMapBlockSize>;

constexpr KeyMapBlock BuildFactoryKeyMap() {
    KeyMapBlock map{};
    auto put = [&map](std::size_t entry, KeyMapEntry value) {
        for (std::size_t i = 0; i < kKeyMapEntrySize; ++i) {
            map[kKeyMapEntrySize * entry + i] = value.bytes[i];
        }
    };
    for (const auto& slot : KeySlotTable) {
        put(slot.entry(), SingleKeyEntry(slot.defaultCode));
    }
    // The keyboard's own backslash key sends 0x31 although the PC's backslash maps to 0x32.
    put(KeySlotTable[54].entry(), {{ENTRY_KEYS, 0x00, 0x31, 0x00}});
    // Entries no slot uses.
    put(11, {{ENTRY_KEYS, 0x00, 0x32, 0x00}});
    put(18, {{ENTRY_KEYS, 0x00, 0x91, 0x00}});
    put(48, {{ENTRY_KEYS, 0x00, 0x90, 0x00}});
    put(60, {{ENTRY_FACTORY_ONLY, 0x00, 0x00, 0x00}});
    put(79, {{ENTRY_KEYS, 0x00, 0x28, 0x00}});
    put(126, {{ENTRY_KEYS, 0xE0, 0x00, 0x00}});
    put(127, {{ENTRY_KEYS, 0xE1, 0x00, 0x00}});
    return map;
}

// The key map as the keyboard leaves the factory.
inline constexpr KeyMapBlock FactoryKeyMap = BuildFactoryKeyMap();

// Entry `entry` (0..127) of a key map; throws std::out_of_range for others.
KeyMapEntry ReadKeyMapEntry(std::span<const std::uint8_t, image::kKeyMapBlockSize> keyMap,
                            std::size_t entry);
void WriteKeyMapEntry(std::span<std::uint8_t, image::kKeyMapBlockSize> keyMap, std::size_t entry,
                      const KeyMapEntry& value);

// The factory entry of a key slot (0..107).
KeyMapEntry FactoryEntryOf(std::size_t slot);

// False for an all-zero key map, as a keymap.bin made before any keyboard was read holds; sent
// to the keyboard it would leave every key dead.
bool HasKeyMap(const DeviceImage& image);

// The key enable bit of a slot (0..107): bit entry % 6 of bitmap byte entry / 6; 1 = the key
// works. Throws std::out_of_range for other slots.
bool IsKeyEnabled(const DeviceImage& image, std::size_t slot);
void SetKeyEnabled(DeviceImage& image, std::size_t slot, bool enabled);

}  // namespace solvane
