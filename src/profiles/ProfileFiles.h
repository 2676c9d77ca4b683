#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "common/Result.h"
#include "keys/KeyAssignment.h"
#include "link/DeviceImage.h"

namespace solvane {

inline constexpr const char* kProfileFolderName = "Configure";

// The profile folder inside the data folder.
std::filesystem::path ProfileFolderIn(const std::filesystem::path& dataFolder);

// Creates the profile folder when it is missing, so a new user can make a profile at all.
Result<std::filesystem::path> PrepareProfileFolder(const std::filesystem::path& dataFolder);

// What a copy of the profile at `path` holds: its first block (zero-filled where the file is
// shorter) and as much of the record table as the file holds.
Result<std::vector<std::uint8_t>> ReadProfileForCopy(const std::filesystem::path& path);

// Reads a profile file into the image and the records. Only files of a profile's two sizes are
// taken: the DeviceImage alone (a new profile, the records are kept) or both blocks. Anything
// else is refused and nothing changes.
Status ReadProfileFile(const std::filesystem::path& path, DeviceImage& image, RecordTable& records);

// Removes one file; an error code when it could not.
using RemoveFileFunction = std::function<std::error_code(const std::filesystem::path&)>;
std::error_code RemoveFile(const std::filesystem::path& path);

// Removes a profile file; a failed removal is tried again at once, up to
// `kProfileRemoveRetries` times for this call. A file that is already gone counts as removed.
inline constexpr int kProfileRemoveRetries = 10;
Status RemoveProfileFile(const std::filesystem::path& path, const RemoveFileFunction& remove = RemoveFile);

// Renames a profile file, replacing a file that has the new name.
Status MoveProfileFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace solvane
