#include "keys/KeymapFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/AtomicFile.h"

namespace solvane {
Status LoadKeymapFile(const std::filesystem::path& path, KeymapLoadMode mode, DeviceImage& image,
                      RecordTable& records) {
    auto bytes = ReadFileIfPresent(path, keymap_file::kSize);
    if (!bytes) {
        return bytes.status();
    }
    if (!bytes.value()) {
        ZeroRecords(records);
        return SaveKeymapFile(path, image, records);
    }
    const auto& content = *bytes.value();
    if (mode == KeymapLoadMode::Full) {
        const std::size_t count = std::min(content.size(), image::kSize);
        std::copy_n(content.begin(), count, image.bytes().begin());
    }
    if (content.size() > keymap_file::kRecordsOffset) {
        std::memcpy(static_cast<void*>(records.data()), content.data() + keymap_file::kRecordsOffset,
                    content.size() - keymap_file::kRecordsOffset);
    }
    SetDefaultCodes(records);
    return Status::Ok();
}

Status SaveKeymapFile(const std::filesystem::path& path, const DeviceImage& image,
                      const RecordTable& records) {
    std::vector<std::uint8_t> bytes(keymap_file::kSize);
    std::copy(image.bytes().begin(), image.bytes().end(), bytes.begin());
    std::memcpy(bytes.data() + keymap_file::kRecordsOffset, records.data(), sizeof(RecordTable));
    return WriteFileAtomically(path, bytes);
}

Status LoadKeymapAtStartUp(const std::filesystem::path& path, DeviceImage& image,
                           RecordTable& records) {
    ZeroRecords(records);
    Status loaded = LoadKeymapFile(path, KeymapLoadMode::Full, image, records);
    SetDefaultCodes(records);
    return loaded;
}

}  // namespace solvane
