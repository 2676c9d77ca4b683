#include "profiles/ProfilePathTable.h"

#include <utility>

#include "profiles/ProfileNames.h"

namespace solvane {

bool ProfilePathFits(const std::filesystem::path& path) {
    return Utf16Length(path.string()) <= kProfilePathMaxUnits;
}

void ProfilePathTable::Clear() {
    for (auto& entry : m_entries) {
        entry.clear();
    }
}

bool ProfilePathTable::Set(std::size_t index, std::filesystem::path path) {
    if (index >= m_entries.size() || !ProfilePathFits(path)) {
        return false;
    }
    m_entries[index] = std::move(path);
    return true;
}

const std::filesystem::path& ProfilePathTable::at(std::size_t index) const {
    static const std::filesystem::path kEmpty;
    return index < m_entries.size() ? m_entries[index] : kEmpty;
}

}  // namespace solvane
