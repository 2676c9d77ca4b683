#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "common/Result.h"

namespace solvane {

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`, so a crash or a full disk leaves either the old or the new file, never a mix.
// Temporary files that crashed saves of `path` left behind are removed after a save succeeds.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Reads at most `maxBytes` from `path`; a longer file yields its first `maxBytes` bytes.
Result<std::vector<std::uint8_t>> ReadFileBounded(const std::filesystem::path& path,
                                                   std::size_t maxBytes);

// Like ReadFileBounded, but a file that does not exist is no failure: it yields nullopt. A file
// that exists and cannot be read is a failure.
Result<std::optional<std::vector<std::uint8_t>>> ReadFileIfPresent(const std::filesystem::path& path,
                                                                    std::size_t maxBytes);

}  // namespace solvane
