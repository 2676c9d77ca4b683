#include <gtest/gtest.h>

#include <cstring>

#include "app/Launcher.h"
#include "common/AtomicFile.h"
#include "common/Utf16.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

class RecordingLauncher : public LaunchService {
public:
    Status Launch(const LaunchRequest& request) override {
        requests.push_back(request);
        return Status::Ok();
    }
    std::vector<LaunchRequest> requests;
};

void SetRecord(RecordTable& records, std::size_t index, std::uint8_t key, std::uint8_t kind,
               const std::string& path) {
    auto& record = records[index];
    record.defaultCode = key;
    record.kind = kind;
    record.path.fill(0);
    const auto text = Utf8ToUtf16(path);
    std::copy_n(text.begin(), std::min(text.size(), record.path.size()), record.path.begin());
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(static_cast<void*>(records.data()), 0, sizeof records);
        file = (folder / "tune.mp3").string();
        ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>{1, 2, 3}));
    }
    testing::TempFolder folder;
    RecordTable records;
    std::string file;
    RecordingLauncher launcher;
};

TEST_F(LauncherTest, TheFirstLaunchRecordWithTheKeyWins) {
    const std::string other = (folder.path()).string();
    SetRecord(records, 3, 0x70, KIND_SINGLE_KEY, file);     // not a launch kind
    SetRecord(records, 20, 0x70, KIND_OPEN_FOLDER, other);
    SetRecord(records, 150, 0x70, KIND_PLAY_SOUND, file);   // later records are carried along
    EXPECT_EQ(LaunchFromKey(records, 0x70, launcher), LaunchOutcome::Launched);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].kind, KIND_OPEN_FOLDER);
    EXPECT_EQ(launcher.requests[0].target, folder.path());
    EXPECT_EQ(LaunchFromKey(records, 0x71, launcher), LaunchOutcome::NoLaunchKey);
}

TEST_F(LauncherTest, RecordsBeyondTheKeySlotsLaunchToo) {
    SetRecord(records, 254, 0x41, KIND_PLAY_SOUND, file);
    EXPECT_EQ(LaunchFromKey(records, 0x41, launcher), LaunchOutcome::Launched);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].target, std::filesystem::path(file));
    EXPECT_EQ(launcher.requests[0].folder, folder.path());
}

TEST_F(LauncherTest, PathsThatCannotBeLaunchedAreRefused) {
    const std::string cases[] = {"", "relative/tune.mp3", (folder / "absent.mp3").string()};
    for (const auto& path : cases) {
        SetRecord(records, 0, 0x42, KIND_LAUNCH_PROGRAM, path);
        EXPECT_EQ(LaunchFromKey(records, 0x42, launcher), LaunchOutcome::Refused) << path;
    }
    EXPECT_TRUE(launcher.requests.empty());
}

TEST_F(LauncherTest, APathWithoutTerminatorIsReadOnlyToTheEndOfItsField) {
    SetRecord(records, 0, 0x43, KIND_OPEN_FILE, file);
    std::fill(records[0].path.begin(), records[0].path.end(), u'x');
    EXPECT_EQ(LaunchFromKey(records, 0x43, launcher), LaunchOutcome::Refused);
}

}  // namespace
}  // namespace solvane
