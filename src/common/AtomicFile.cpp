#include "common/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace solvane {
namespace {

Status FileFailure(const std::filesystem::path& path, const char* what, int error) {
    return {ErrorCode::FileError,
            std::string(what) + " " + path.string() + ": " + std::strerror(error)};
}

std::string TemporaryPrefix(const std::filesystem::path& path) { return path.filename().string() + ".tmp-"; }

std::filesystem::path TemporarySibling(const std::filesystem::path& path) {
    std::random_device seed;
    std::mt19937 generator(seed());
    auto name = TemporaryPrefix(path) + std::to_string(::getpid()) + "-" +
                std::to_string(generator() & 0xFFFFFFu);
    return path.parent_path() / name;
}

// Removes the temporary files of earlier saves of `path` that a crash cut short: those of a
// process that no longer runs. A running process may still be writing its own.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::filesystem::path& path) {
    const std::string prefix = TemporaryPrefix(path);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix)) {
            continue;
        }
        pid_t pid = 0;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        const auto parsed = std::from_chars(first, last, pid);
        if (parsed.ec != std::errc() || parsed.ptr == last || *parsed.ptr != '-' || pid <= 0 ||
            pid == ::getpid()) {
            continue;
        }
        if (::kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    const auto temporary = TemporarySibling(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return FileFailure(path, "cannot write", errno);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            ::unlink(temporary.c_str());
            return FileFailure(path, "cannot write", error);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return FileFailure(path, "cannot flush", error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return FileFailure(path, "cannot replace", error);
    }
    // Make the rename itself durable.
    const auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    RemoveStaleTemporaries(folder, path);
    return Status::Ok();
}

Result<std::vector<std::uint8_t>> ReadFileBounded(const std::filesystem::path& path,
                                                   std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Status{ErrorCode::FileError, "cannot open " + path.string()};
    }
    std::vector<std::uint8_t> bytes(maxBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
    if (in.bad()) {
        return Status{ErrorCode::FileError, "cannot read " + path.string()};
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

Result<std::optional<std::vector<std::uint8_t>>> ReadFileIfPresent(const std::filesystem::path& path,
                                                                    std::size_t maxBytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::optional<std::vector<std::uint8_t>>();
    }
    if (error) {
        return Status{ErrorCode::FileError, "cannot read " + path.string() + ": " + error.message()};
    }
    auto bytes = ReadFileBounded(path, maxBytes);
    if (!bytes) {
        return bytes.status();
    }
    return std::optional(std::move(bytes.value()));
}

}  // namespace solvane
