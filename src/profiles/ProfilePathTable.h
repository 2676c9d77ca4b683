#pragma once

#include <array>
#include <cstddef>
#include <filesystem>

namespace solvane {

inline constexpr std::size_t kProfilePathTableSize = 255;
// An entry holds at most this many UTF-16 code units (and its terminator); profiles must stay
// reachable wherever they are opened, so longer paths are never stored.
inline constexpr std::size_t kProfilePathMaxUnits = 254;

// Whether `path` fits an entry of the path table.
bool ProfilePathFits(const std::filesystem::path& path);

// Entry i is the file of list item i (after the paths are rebuilt from the list).
class ProfilePathTable {
public:
    // Empties every entry.
    void Clear();
    // Stores `path` in entry `index`; refuses (returns false) an index or a path that does not fit.
    bool Set(std::size_t index, std::filesystem::path path);
    // Entry `index`; empty for an index beyond the table.
    const std::filesystem::path& at(std::size_t index) const;

private:
    std::array<std::filesystem::path, kProfilePathTableSize> m_entries;
};

}  // namespace solvane
