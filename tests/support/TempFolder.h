#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace solvane::testing {

// A fresh folder under the system's temporary folder (or `base`), removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::random_device seed;
        m_path = base / ("solvane-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

}  // namespace solvane::testing
