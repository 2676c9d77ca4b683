#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <span>
#include <vector>

#include <signal.h>
#include <unistd.h>

namespace solvane::fuzz {

// A broken promise is a crash to the fuzzer: it keeps the input and reports it.
#define FUZZ_REQUIRE(condition, what)                                                        \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s (%s)\n", __FILE__, __LINE__, \
                         what, #condition);                                                  \
            std::abort();                                                                    \
        }                                                                                    \
    } while (false)

// The bytes a fuzzer hands over, as a file of a chosen length: the first three bytes give the
// length (little-endian, modulo `maxLength + 1`), the rest repeats to fill it. Small inputs so
// reach every length a loader tells apart, and patterns reach every record of a large file.
inline std::vector<std::uint8_t> SizedFileBytes(std::span<const std::uint8_t> input,
                                                std::size_t maxLength) {
    constexpr std::size_t kHeader = 3;
    if (input.size() < kHeader) {
        return {input.begin(), input.end()};
    }
    const std::size_t wanted =
        (std::size_t{input[0]} | std::size_t{input[1]} << 8 | std::size_t{input[2]} << 16) %
        (maxLength + 1);
    const auto pattern = input.subspan(kHeader);
    std::vector<std::uint8_t> bytes(wanted, 0);
    if (!pattern.empty()) {
        for (std::size_t i = 0; i < wanted; ++i) {
            bytes[i] = pattern[i % pattern.size()];
        }
    }
    return bytes;
}

// A folder of this process for the files the loaders read; removed when the process exits.
class ScratchFolder {
public:
    ScratchFolder() : m_path(Base() / (kPrefix + std::to_string(::getpid()))) {
        RemoveFoldersOfEndedRuns();
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Puts `bytes` into the file `name` of the folder, replacing what was there.
    std::filesystem::path Write(const char* name, std::span<const std::uint8_t> bytes) const {
        std::error_code ignored;
        std::filesystem::create_directories(m_path, ignored);
        const auto file = m_path / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        FUZZ_REQUIRE(out.good(), "the scratch file can be written");
        return file;
    }

    void Remove(const char* name) const {
        std::error_code ignored;
        std::filesystem::remove(m_path / name, ignored);
    }

private:
    static constexpr const char* kPrefix = "solvane-fuzz-";

    // libFuzzer may end a run without destructors (a crash, a time-out): its folder stays
    // until a later run finds its process gone.
    static void RemoveFoldersOfEndedRuns() {
        std::error_code error;
        for (std::filesystem::directory_iterator it(Base(), error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (!name.starts_with(kPrefix)) {
                continue;
            }
            const long pid = std::strtol(name.c_str() + std::string_view(kPrefix).size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
                std::error_code ignored;
                std::filesystem::remove_all(it->path(), ignored);
            }
        }
    }

    // Memory-backed when the system has it: the loaders' saves flush every file to disk.
    static std::filesystem::path Base() {
        std::error_code error;
        const std::filesystem::path shm("/dev/shm");
        return std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
    }

    std::filesystem::path m_path;
};

// The scratch folder of this process, made on first use. Constant once made.
inline const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

}  // namespace solvane::fuzz
