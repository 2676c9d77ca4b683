#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "keys/KeyMapEntry.h"

namespace solvane {

// What a key slot does; one byte of the record.
enum AssignmentKind : std::uint8_t {
    KIND_SINGLE_KEY = 0,
    KIND_COMBINATION = 1,
    KIND_MACRO = 2,
    KIND_FUNCTION = 3,
    KIND_PLAY_SOUND = 4,
    KIND_LAUNCH_PROGRAM = 5,
    KIND_OPEN_FILE = 6,
    KIND_OPEN_FOLDER = 7,
};

// Kinds the program itself carries out when the key is pressed; the keyboard sends the plain key.
constexpr bool IsLaunchKind(std::uint8_t kind) {
    return kind >= KIND_PLAY_SOUND && kind <= KIND_OPEN_FOLDER;
}

inline constexpr std::size_t kAssignmentKeysSize = 255;
inline constexpr std::size_t kAssignmentPathUnits = 256;  // 255 units and the terminator
inline constexpr std::size_t kAssignmentPathMaxLength = kAssignmentPathUnits - 1;

// The 772-byte record of one key slot, laid out as it is stored in keymap.bin and profiles.
struct KeyAssignment {
    std::uint8_t defaultCode;
    std::uint8_t kind;
    std::array<std::uint8_t, kAssignmentKeysSize> keys;
    std::uint8_t keyCount;
    std::array<std::uint8_t, 2> reserved;
    std::array<char16_t, kAssignmentPathUnits> path;  // UTF-16LE, zero-terminated
};

namespace record {
inline constexpr std::size_t kSize = 772;
inline constexpr std::size_t kCount = 255;
inline constexpr std::size_t kDefaultCode = 0;
inline constexpr std::size_t kKind = 1;
inline constexpr std::size_t kKeys = 2;
inline constexpr std::size_t kKeyCount = 257;
inline constexpr std::size_t kReserved = 258;
inline constexpr std::size_t kPath = 260;
}  // namespace record

static_assert(sizeof(KeyAssignment) == record::kSize);
static_assert(offsetof(KeyAssignment, defaultCode) == record::kDefaultCode);
static_assert(offsetof(KeyAssignment, kind) == record::kKind);
static_assert(offsetof(KeyAssignment, keys) == record::kKeys);
static_assert(offsetof(KeyAssignment, keyCount) == record::kKeyCount);
static_assert(offsetof(KeyAssignment, reserved) == record::kReserved);
static_assert(offsetof(KeyAssignment, path) == record::kPath);
// Records are read and written as raw bytes; the path is little-endian UTF-16 on disk.
static_assert(std::endian::native == std::endian::little);

// One record per key slot (0..107 are the keyboard's keys; the rest are carried along).
using RecordTable = std::array<KeyAssignment, record::kCount>;
static_assert(sizeof(RecordTable) == record::kSize * record::kCount);

// The launch path of a record, up to its terminator and never past the field.
std::u16string RecordPath(const KeyAssignment& record);
// Stores `path` and its terminator; refuses a path longer than 255 units, leaving the record as
// it was. The units after the terminator keep what they held.
Status SetRecordPath(KeyAssignment& record, std::u16string_view path);

// Bytes 0..3 of `keys`: for kinds 2..7 the entry the key stands for.
KeyMapEntry EntryCodeOf(const KeyAssignment& record);
void SetEntryCode(KeyAssignment& record, const KeyMapEntry& entry);

// Writes each key slot's default code into byte 0 of its record (0..107); the stored value is
// never trusted.
void SetDefaultCodes(RecordTable& records);

// Every byte of every record zero.
void ZeroRecords(RecordTable& records);
// Every record zero, then the default codes: what a factory reset leaves.
void ClearRecords(RecordTable& records);

}  // namespace solvane
