#include <gtest/gtest.h>

#include "keys/KeymapFile.h"
#include "profiles/FolderSnapshot.h"
#include "profiles/ProfileMessages.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using testing::FileBytes;
using testing::Pattern;
using testing::RunCliForTest;

class ProfileCommandsTest : public ::testing::Test {
protected:
    testing::CliOutcome Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--data-dir", data.path().string(), "profile"});
        return RunCliForTest(arguments);
    }

    testing::TempFolder data;
    std::filesystem::path folder = data / "Configure";
};

TEST_F(ProfileCommandsTest, EachCommandPrintsWhatTheDialogWouldShow) {
    struct Step {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    };
    const std::string invalid(profile_text::kInvalidName);
    const Step steps[] = {
        {{"list"}, 0, "", ""},
        {{"new"}, 0, "created Profile001\n", ""},
        {{"new"}, 0, "created Profile002\n", ""},
        {{"copy", "Profile001"}, 0, "created 复制 Profile001\n", ""},
        {{"rename", "Profile002", "Work.bin"}, 0, "renamed Profile002 to Work\n", ""},
        {{"list"}, 0, "Profile001\nWork\n复制 Profile001\n", ""},
        {{"delete", "Work"}, 1, "删除当前配置文件吗\n", "solvane-cli: Work not deleted: give --yes to delete it\n"},
        {{"delete", "Work", "--yes"}, 0, "删除当前配置文件吗\ndeleted Work\n", ""},
        {{"copy", "Nope"}, 1, "请选择一个配置文件拷贝\n", "solvane-cli: no profile named Nope\n"},
        {{"rename", "Profile001", "../x"}, 1, invalid, ""},
        {{"rename", "Nope", "x"}, 1, "", "solvane-cli: no profile named Nope\n"},
        {{"list"}, 0, "Profile001\n复制 Profile001\n", ""},
    };
    for (const auto& step : steps) {
        const auto outcome = Run(step.arguments);
        EXPECT_EQ(outcome.status, step.status) << step.arguments[0] << ": " << outcome.err;
        EXPECT_EQ(outcome.out, step.out) << step.arguments[0];
        EXPECT_EQ(outcome.err, step.err) << step.arguments[0];
    }
    EXPECT_FALSE(std::filesystem::exists(data.path().parent_path() / "x.bin"));
}

TEST_F(ProfileCommandsTest, SaveAndLoadGoThroughKeymapBin) {
    const auto keymap = data / "keymap.bin";
    const auto written = Pattern(keymap_file::kSize, 6);
    ASSERT_TRUE(WriteFileAtomically(keymap, written));
    // Loading repairs each key slot's default code; everything else goes through unchanged.
    auto state = written;
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        state[keymap_file::kRecordsOffset + slot * record::kSize] = KeySlotTable[slot].defaultCode;
    }
    ASSERT_EQ(Run({"new"}).status, 0);

    const auto exported = data / "out.bin";
    auto outcome = Run({"save", "Profile001", "--export", exported.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(FileBytes(folder / "Profile001.bin"), state);
    EXPECT_EQ(FileBytes(exported), state);

    // An image-only file replaces the image and keeps the records, in keymap.bin and the profile.
    const auto image = Pattern(image::kSize, 40);
    ASSERT_TRUE(WriteFileAtomically(data / "image.bin", image));
    outcome = Run({"load", "Profile001", "--file", (data / "image.bin").string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    auto expected = state;
    std::copy(image.begin(), image.end(), expected.begin());
    EXPECT_EQ(FileBytes(keymap), expected);
    EXPECT_EQ(FileBytes(folder / "Profile001.bin"), expected);

    // A file that is no profile changes nothing.
    ASSERT_TRUE(WriteFileAtomically(data / "short.bin", Pattern(10, 1)));
    const auto before = testing::SnapshotTree(data.path());
    outcome = Run({"load", "Profile001", "--file", (data / "short.bin").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, profile_text::kNotAProfile);
    EXPECT_EQ(testing::SnapshotTree(data.path()), before);
}

TEST_F(ProfileCommandsTest, AFullFolderListsSixAndRefusesNew) {
    std::filesystem::create_directories(folder);
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g"}) {
        ASSERT_TRUE(WriteFileAtomically(folder / (std::string(name) + ".bin"), Pattern(image::kSize, 0)));
    }
    auto outcome = Run({"list"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "a\nb\nc\nd\ne\nf\n");
    EXPECT_NE(outcome.err.find("more than 6"), std::string::npos) << outcome.err;
    outcome = Run({"new"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, profile_text::kTooManyProfiles);
    outcome = Run({"copy", "a"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("six profiles"), std::string::npos) << outcome.err;
}

TEST_F(ProfileCommandsTest, MalformedCommandsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases{
        {},
        {"bogus"},
        {"copy"},
        {"list", "extra"},
        {"rename", "a"},
        {"load", "a"},
        {"load", "a", "--file"},
        {"save", "a", "--export"},
        {"delete", "a", "--file", "x"},
        {"copy", "a", "--yes"},
    };
    for (const auto& arguments : cases) {
        const auto outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_TRUE(outcome.err.ends_with("(see solvane-cli --help)\n")) << outcome.err;
    }
    EXPECT_FALSE(std::filesystem::exists(data / "keymap.bin"));
    const auto help = RunCliForTest({"profile", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: solvane-cli [OPTIONS] profile")) << help.out;
}

}  // namespace
}  // namespace solvane
