#include "profiles/ProfileFiles.h"

#include <algorithm>
#include <cstring>

#include "common/AtomicFile.h"
#include "keys/KeymapFile.h"
#include "profiles/ProfileMessages.h"

namespace solvane {
namespace {

Status FileStatus(std::string_view text, const std::filesystem::path& path, const std::error_code& error) {
    return {ErrorCode::FileError, std::string(text) + path.string() + ": " + error.message()};
}

}  // namespace

std::filesystem::path ProfileFolderIn(const std::filesystem::path& dataFolder) {
    return dataFolder / kProfileFolderName;
}

Result<std::filesystem::path> PrepareProfileFolder(const std::filesystem::path& dataFolder) {
    auto folder = ProfileFolderIn(dataFolder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return FileStatus("cannot create the profile folder ", folder, error);
    }
    return folder;
}

Result<std::vector<std::uint8_t>> ReadProfileForCopy(const std::filesystem::path& path) {
    auto bytes = ReadFileBounded(path, keymap_file::kSize);
    if (bytes && bytes->size() < image::kSize) {
        bytes->resize(image::kSize, 0);
    }
    return bytes;
}

Status ReadProfileFile(const std::filesystem::path& path, DeviceImage& image, RecordTable& records) {
    // One byte more than a whole profile tells a longer file from a profile.
    auto bytes = ReadFileBounded(path, keymap_file::kSize + 1);
    if (!bytes) {
        return bytes.status();
    }
    const auto& content = bytes.value();
    if (content.size() != image::kSize && content.size() != keymap_file::kSize) {
        return {ErrorCode::InvalidArgument, std::string(profile_text::kNotAProfile)};
    }
    std::copy_n(content.begin(), image::kSize, image.bytes().begin());
    if (content.size() == keymap_file::kSize) {
        std::memcpy(static_cast<void*>(records.data()), content.data() + keymap_file::kRecordsOffset,
                    sizeof(RecordTable));
    }
    return Status::Ok();
}

std::error_code RemoveFile(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return error;
}

Status RemoveProfileFile(const std::filesystem::path& path, const RemoveFileFunction& remove) {
    std::error_code error = remove(path);
    for (int retry = 0; error && error != std::errc::no_such_file_or_directory &&
                        retry < kProfileRemoveRetries;
         ++retry) {
        error = remove(path);
    }
    if (error && error != std::errc::no_such_file_or_directory) {
        return FileStatus("cannot delete ", path, error);
    }
    return Status::Ok();
}

Status MoveProfileFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        return FileStatus("cannot rename " + from.string() + " to ", to, error);
    }
    return Status::Ok();
}

}  // namespace solvane
