#pragma once

#include <cstddef>
#include <filesystem>

#include "common/Result.h"
#include "keys/KeyAssignment.h"
#include "link/DeviceImage.h"

namespace solvane {

// keymap.bin (and every profile file): the DeviceImage followed by the record table.
namespace keymap_file {
inline constexpr const char* kFileName = "keymap.bin";
inline constexpr std::size_t kImageOffset = 0;
inline constexpr std::size_t kRecordsOffset = image::kSize;
inline constexpr std::size_t kSize = kRecordsOffset + sizeof(RecordTable);
static_assert(kSize == 204340);
}  // namespace keymap_file

enum class KeymapLoadMode {
    Full,         // the image and the records
    RecordsOnly,  // the records; the image in memory (perhaps newer, from the keyboard) is kept
};

// Reads the file as far as it goes; a short file leaves the rest of the targets unchanged, and
// the default codes of records 0..107 are then set from the key slot table.
// A missing file is created from `image` and zeroed records: the records are zeroed too, default
// codes included, even when the file cannot be created. A file that exists but cannot be read is
// reported and left alone, and nothing in memory changes.
Status LoadKeymapFile(const std::filesystem::path& path, KeymapLoadMode mode, DeviceImage& image,
                      RecordTable& records);

// Replaces the file atomically with the image and the records.
Status SaveKeymapFile(const std::filesystem::path& path, const DeviceImage& image,
                      const RecordTable& records);

// What start-up does: records zeroed, the file loaded in full (created when missing), then the
// default codes set whatever the load did.
Status LoadKeymapAtStartUp(const std::filesystem::path& path, DeviceImage& image,
                           RecordTable& records);

}  // namespace solvane
