#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace solvane {

inline constexpr std::size_t kMacroNameUnits = 255;      // 254 characters and the terminator
inline constexpr std::size_t kMacroEventBytes = 190;

// One recorded macro, laid out as it is stored in MacroDefine.bin.
struct MacroRecord {
    std::array<char16_t, kMacroNameUnits> name;  // UTF-16LE, zero-terminated; empty = no macro
    std::array<std::uint8_t, 2> loopCount;       // how often the keyboard plays it, little-endian
    std::uint8_t flags;                          // bit 0: delays between key actions recorded
    std::array<std::uint8_t, kMacroEventBytes> deviceEvents;  // what the keyboard receives
    std::array<std::uint8_t, kMacroEventBytes> keyEvents;     // the same with virtual-key codes
    std::uint8_t reserved;
};

namespace macro_record {
inline constexpr std::size_t kSize = 894;
inline constexpr std::size_t kCount = 190;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kLoopCount = 510;
inline constexpr std::size_t kFlags = 512;
inline constexpr std::size_t kDeviceEvents = 513;
inline constexpr std::size_t kKeyEvents = 703;
inline constexpr std::size_t kReserved = 893;
inline constexpr std::uint8_t kFlagRecordDelays = 0x01;
inline constexpr std::size_t kMaxNameLength = kMacroNameUnits - 1;
}  // namespace macro_record

static_assert(sizeof(MacroRecord) == macro_record::kSize);
static_assert(offsetof(MacroRecord, name) == macro_record::kName);
static_assert(offsetof(MacroRecord, loopCount) == macro_record::kLoopCount);
static_assert(offsetof(MacroRecord, flags) == macro_record::kFlags);
static_assert(offsetof(MacroRecord, deviceEvents) == macro_record::kDeviceEvents);
static_assert(offsetof(MacroRecord, keyEvents) == macro_record::kKeyEvents);
static_assert(offsetof(MacroRecord, reserved) == macro_record::kReserved);
// Records are read and written as raw bytes; the name is little-endian UTF-16 on disk.
static_assert(std::endian::native == std::endian::little);

// Every macro the user has recorded; a macro's number is its index. The named records are
// contiguous from record 0.
using MacroStore = std::array<MacroRecord, macro_record::kCount>;
static_assert(sizeof(MacroStore) == 169860);

std::uint16_t LoopCountOf(const MacroRecord& record);
void SetLoopCount(MacroRecord& record, std::uint16_t count);

// The name up to its terminator, never past the field.
std::u16string MacroName(const MacroRecord& record);
bool HasMacroName(const MacroRecord& record);
// Refuses a name longer than 254 units, leaving the record as it was.
Status SetMacroName(MacroRecord& record, std::u16string_view name);

// How many macros the store holds: the named records from record 0 up to the first empty one.
std::size_t MacroCount(const MacroStore& store);

}  // namespace solvane
