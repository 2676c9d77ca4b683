#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "CrashContents.h"
#include "common/AtomicFile.h"
#include "keys/KeymapFile.h"
#include "macros/MacroFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileManager.h"
#include "support/TempFolder.h"

extern char** environ;

namespace solvane {
namespace {

constexpr int kKills = 200;
// Each kill lets the child finish up to this many saves, then lands somewhere in the next one.
constexpr int kMostSavesBeforeAKill = 5;
constexpr std::size_t kReadLimit = 1 << 20;

struct SavedFile {
    std::string label;
    std::filesystem::path relative;
    std::vector<std::uint8_t> versions[2];
};

std::filesystem::path ProfileRelative() {
    return std::filesystem::path(kProfileFolderName) / (std::string(testing::kCrashProfileName) + ".bin");
}

// Saves one version of every file into `folder` in this process.
void SaveVersion(const std::filesystem::path& folder, int version) {
    const auto contents = testing::CrashVersion(version);
    ASSERT_TRUE(PrepareProfileFolder(folder));
    ASSERT_TRUE(SaveKeymapFile(folder / keymap_file::kFileName, contents.keymap->image, contents.keymap->records));
    ASSERT_TRUE(SaveMacroFile(folder / macro_file::kFileName, *contents.macros));
    ASSERT_TRUE(SaveKeymapFile(folder / ProfileRelative(), contents.profile->image, contents.profile->records));
}

std::vector<SavedFile> ExpectedFiles(const std::filesystem::path& scratch) {
    std::vector<SavedFile> files{{"keymap.bin", keymap_file::kFileName, {}},
                                 {"MacroDefine.bin", macro_file::kFileName, {}},
                                 {"the profile", ProfileRelative(), {}}};
    for (int version = 0; version < 2; ++version) {
        const auto folder = scratch / ("version" + std::to_string(version));
        SaveVersion(folder, version);
        for (auto& file : files) {
            auto bytes = ReadFileBounded(folder / file.relative, kReadLimit);
            EXPECT_TRUE(bytes) << file.label;
            if (bytes) {
                file.versions[version] = std::move(bytes.value());
            }
        }
    }
    return files;
}

struct Child {
    pid_t pid = -1;
    int output = -1;
};

Child StartSaver(const std::filesystem::path& data, int firstVersion) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    const std::string program = SOLVANE_CRASH_SAVER;
    const std::string folder = data.string();
    const std::string version = std::to_string(firstVersion);
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(folder.c_str()),
                          const_cast<char*>(version.c_str()), nullptr};
    Child child;
    const int spawned = ::posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        ADD_FAILURE() << "cannot start " << program;
        return {};
    }
    child.output = pipeFds[0];
    return child;
}

// Leftovers of saves that were cut short.
std::size_t TemporaryFilesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().filename().string().find(".tmp-") != std::string::npos) {
            ++count;
        }
    }
    return count;
}

TEST(CrashTest, AKilledSaveLeavesEveryFileWholeAndOldOrNew) {
    const char* fixedSeed = std::getenv("SOLVANE_CRASH_SEED");
    const unsigned seed = fixedSeed != nullptr ? static_cast<unsigned>(std::strtoul(fixedSeed, nullptr, 10))
                                               : std::random_device{}();
    SCOPED_TRACE("SOLVANE_CRASH_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> savesBeforeKill(0, kMostSavesBeforeAKill);
    // How long one save takes here, learnt from the child's reports; only where the kill lands
    // depends on it.
    auto saveTime = std::chrono::microseconds(5000);

    // In memory where the system has it: a killed process tests the rename, not the disk, and
    // flushing to a real disk would make the 200 rounds slow.
    std::error_code noShm;
    const std::filesystem::path shm("/dev/shm");
    testing::TempFolder scratch(std::filesystem::is_directory(shm, noShm) ? shm
                                                                         : std::filesystem::temp_directory_path());
    const auto files = ExpectedFiles(scratch.path());
    for (const auto& file : files) {
        ASSERT_NE(file.versions[0], file.versions[1]) << file.label;
    }
    const auto data = scratch / "data";
    SaveVersion(data, 0);

    int seen[2] = {0, 0};
    for (int kill = 0; kill < kKills; ++kill) {
        const Child child = StartSaver(data, static_cast<int>(random() % 2));
        ASSERT_GT(child.pid, 0);
        char report = 0;
        const bool started = ::read(child.output, &report, 1) == 1;
        if (started) {
            const int saves = savesBeforeKill(random);
            auto last = std::chrono::steady_clock::now();
            for (int n = 0; n < saves && ::read(child.output, &report, 1) == 1; ++n) {
                const auto now = std::chrono::steady_clock::now();
                saveTime = (saveTime * 3 + std::chrono::duration_cast<std::chrono::microseconds>(now - last)) / 4;
                last = now;
            }
            std::uniform_int_distribution<long> into(0, saveTime.count());
            std::this_thread::sleep_for(std::chrono::microseconds(into(random)));
        }
        ::kill(child.pid, SIGKILL);
        ::close(child.output);
        int status = 0;
        ASSERT_EQ(::waitpid(child.pid, &status, 0), child.pid);
        ASSERT_TRUE(started) << "the saver stopped before saving";
        // It died of the kill, not of a failed save.
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << kill;

        for (const auto& file : files) {
            const auto bytes = ReadFileBounded(data / file.relative, kReadLimit);
            ASSERT_TRUE(bytes) << file.label << " is missing after kill " << kill;
            const bool isOld = bytes.value() == file.versions[0];
            const bool isNew = bytes.value() == file.versions[1];
            ASSERT_TRUE(isOld || isNew) << file.label << " is neither version after kill " << kill
                                        << " (" << bytes->size() << " bytes)";
            ++seen[isNew ? 1 : 0];
        }
    }
    // The kills landed among the saves: both versions were found on disk.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);

    // Saves cut short may leave their temporary files; loading and the profile list pass them by.
    std::cout << "temporary files left by " << kKills << " kills: " << TemporaryFilesIn(data) << '\n';
    DeviceImage image;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(data / keymap_file::kFileName, KeymapLoadMode::Full, image, records));
    MacroStore macros{};
    ASSERT_TRUE(LoadMacroFile(data / macro_file::kFileName, macros));
    struct Silent final : ProfilePrompts {
        void ShowMessage(std::string_view, std::string_view) override {}
        bool AskOkCancel(std::string_view, std::string_view) override { return false; }
        std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override { return {}; }
    } prompts;
    ProfileManager profiles(data, image, records, prompts);
    profiles.Open();
    ASSERT_EQ(profiles.list().size(), 1u);
    EXPECT_EQ(profiles.list().at(0), testing::kCrashProfileName);

    // The next save of each file clears what the killed saves left of it.
    SaveVersion(data, 1);
    EXPECT_EQ(TemporaryFilesIn(data), 0u);
}

}  // namespace
}  // namespace solvane
