#pragma once

#include <filesystem>
#include <string>

namespace solvane {

// The name of the lock that keeps a second copy of the program from starting.
inline constexpr const char* kSingleInstanceName = " {57D1171D-1a34-0804-8A3A-65ABA2150002}";

// Holds an exclusive lock on a file in the runtime folder for as long as it lives; the system
// releases it when the process ends, however it ends.
class SingleInstance {
public:
    // `folder` empty: $XDG_RUNTIME_DIR, else the temporary folder.
    explicit SingleInstance(std::filesystem::path folder = {}, std::string name = kSingleInstanceName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another process holds the lock.
    bool acquired() const { return m_fd >= 0; }
    const std::filesystem::path& lockPath() const { return m_path; }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
};

}  // namespace solvane
