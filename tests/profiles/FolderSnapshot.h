#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/AtomicFile.h"

namespace solvane::testing {

// Every file and folder below `root` with the files' contents, to show that nothing changed.
inline std::map<std::string, std::vector<std::uint8_t>> SnapshotTree(const std::filesystem::path& root) {
    std::map<std::string, std::vector<std::uint8_t>> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto relative = std::filesystem::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            tree[relative + "/"] = {};
        } else {
            tree[relative] = ReadFileBounded(entry.path(), 1 << 20).value();
        }
    }
    return tree;
}

// `size` bytes counting up from `seed`, so files of different seeds differ everywhere.
inline std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return bytes;
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    return ReadFileBounded(path, 1 << 20).value();
}

}  // namespace solvane::testing
