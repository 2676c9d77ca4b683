#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace solvane {
namespace {

std::filesystem::path RuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return runtime;
    }
    return std::filesystem::temp_directory_path();
}

}  // namespace

SingleInstance::SingleInstance(std::filesystem::path folder, std::string name) {
    if (folder.empty()) {
        folder = RuntimeFolder();
    }
    m_path = folder / ("solvane" + name + ".lock");
    const int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

SingleInstance::~SingleInstance() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

}  // namespace solvane
