#include "keys/KeymapFile.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <vector>

#include "common/AtomicFile.h"

namespace solvane {

Status LoadKeymapFile(const std::filesystem::path& path, KeymapLoadMode mode, DeviceImage& image,
                      RecordTable& records) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::memset(static_cast<void*>(records.data()), 0, sizeof(RecordTable));
        return SaveKeymapFile(path, image, records);
    }
    auto bytes = ReadFileBounded(path, keymap_file::kSize);
    if (!bytes) {
        return bytes.status();
    }
    const auto& content = bytes.value();
    if (mode == KeymapLoadMode::Full) {
        const std::size_t count = std::min(content.size(), image::kSize);
        std::copy_n(content.begin(), count, image.bytes().begin());
    }
    if (content.size() > keymap_file::kRecordsOffset) {
        std::memcpy(static_cast<void*>(records.data()), content.data() + keymap_file::kRecordsOffset,
                    content.size() - keymap_file::kRecordsOffset);
    }
    return Status::Ok();
}

Status SaveKeymapFile(const std::filesystem::path& path, const DeviceImage& image,
                      const RecordTable& records) {
    std::vector<std::uint8_t> bytes(keymap_file::kSize);
    std::copy(image.bytes().begin(), image.bytes().end(), bytes.begin());
    std::memcpy(bytes.data() + keymap_file::kRecordsOffset, records.data(), sizeof(RecordTable));
    return WriteFileAtomically(path, bytes);
}

}  // namespace solvane
