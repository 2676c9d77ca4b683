#include <gtest/gtest.h>

#include "common/AtomicFile.h"
#include "keys/KeymapFile.h"
#include "sim/KeyboardFlash.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using testing::RunCliForTest;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(CliTest, InfoShowsTheVirtualKeyboard) {
    testing::TempFolder folder;
    const auto outcome = RunCliForTest({"--data-dir", folder.path().string(), "--simulate", "info"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "keyboard: found\n"
              "path: " + VirtualKeyboard::KeyboardInterfacePath() + "\n"
              "firmware: 1.1\n"
              "lighting: effect 0x03, speed 5, brightness 50, direction 1, aux 0x00\n"
              "game mode: off\n"
              "report rate: step 0\n"
              "key response: 1 (2 ms)\n");
}

TEST(CliTest, TraceShowsEachOperationInOrder) {
    const auto outcome = RunCliForTest({"--simulate", "--trace", "info"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto lines = Lines(outcome.out);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "set 00800000000000007f");
    EXPECT_EQ(lines[1], "pause 10");
    EXPECT_EQ(lines[2], "get 008001010000000000");
    EXPECT_EQ(lines[3], "pause 10");
}

TEST(CliTest, FailuresExitNonZeroWithOneLine) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"info"}, 1, "solvane-cli: no keyboard found\n"},
        {{}, 2, "solvane-cli: no command given (see solvane-cli --help)\n"},
        {{"frobnicate"}, 2, "solvane-cli: unknown command frobnicate (see solvane-cli --help)\n"},
        {{"--simulate", "info", "extra"}, 2, "solvane-cli: unexpected argument extra (see solvane-cli --help)\n"},
        {{"--bogus", "info"}, 2, "solvane-cli: unknown option --bogus (see solvane-cli --help)\n"},
        {{"info", "--data-dir"}, 2, "solvane-cli: --data-dir needs a folder (see solvane-cli --help)\n"},
    };
    for (const auto& c : cases) {
        const auto outcome = RunCliForTest(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.err;
        EXPECT_EQ(outcome.err, c.err);
    }
}

TEST(CliTest, HelpForTheToolAndForEachCommand) {
    const auto all = RunCliForTest({"--help"});
    EXPECT_EQ(all.status, 0);
    EXPECT_NE(all.out.find("--simulate[=STATE_FILE]"), std::string::npos);
    for (const char* command : {"info", "read", "write", "reset"}) {
        const auto one = RunCliForTest({command, "--help"});
        EXPECT_EQ(one.status, 0);
        EXPECT_TRUE(one.out.starts_with(std::string("Usage: solvane-cli [OPTIONS] ") + command)) << one.out;
    }
}

TEST(CliTest, ReadCreatesKeymapAndKeepsTheBytesOnlyTheFileHolds) {
    testing::TempFolder folder;
    const auto keymap = folder / "keymap.bin";
    // First read: no file yet.
    auto outcome = RunCliForTest({"--data-dir", folder.path().string(), "--simulate", "read"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    ASSERT_EQ(std::filesystem::file_size(keymap), 204340u);

    // A file whose every byte is patterned: read-back replaces only what the keyboard stores.
    std::vector<std::uint8_t> original(keymap_file::kSize);
    for (std::size_t i = 0; i < original.size(); ++i) original[i] = static_cast<std::uint8_t>(i * 13 + 5);
    ASSERT_TRUE(WriteFileAtomically(keymap, original));
    outcome = RunCliForTest({"--data-dir", folder.path().string(), "--simulate", "read"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto after = ReadFileBounded(keymap, keymap_file::kSize + 1);
    ASSERT_TRUE(after);
    ASSERT_EQ(after->size(), original.size());
    for (std::size_t offset : {0u, 10u, 12u, 500u, 791u, 7448u, 7478u, 7479u}) {
        EXPECT_EQ(after.value()[offset], original[offset]) << offset;
    }
    // The records survive, except that each key slot's default code is repaired.
    auto expected = original;
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        expected[keymap_file::kRecordsOffset + slot * record::kSize] = KeySlotTable[slot].defaultCode;
    }
    EXPECT_TRUE(std::equal(expected.begin() + keymap_file::kRecordsOffset, expected.end(),
                           after->begin() + keymap_file::kRecordsOffset));
    EXPECT_EQ(after.value()[image::kLedBrightness], 50);  // the keyboard's value
    EXPECT_EQ(after.value()[image::kGameMode], 1);        // the read-back switches game mode on
}

TEST(CliTest, StateFileKeepsWhatWriteSentForTheNextProcess) {
    testing::TempFolder folder;
    const std::string data = folder.path().string();
    const std::string simulate = "--simulate=" + (folder / "kb.state").string();
    ASSERT_EQ(RunCliForTest({"--data-dir", data, simulate, "read"}).status, 0);

    // Change the brightness and a macro block in keymap.bin, write, then read in a new "process".
    DeviceImage image;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(folder / "keymap.bin", KeymapLoadMode::Full, image, records));
    auto lighting = image.lighting();
    lighting.brightness = 12;
    image.setLighting(lighting);
    image.macroBlock(30)[5] = 0x42;
    ASSERT_TRUE(SaveKeymapFile(folder / "keymap.bin", image, records));
    ASSERT_EQ(RunCliForTest({"--data-dir", data, simulate, "write"}).status, 0);

    const auto flash = LoadFlashFile(folder / "kb.state");
    ASSERT_TRUE(flash);
    EXPECT_EQ(flash->ledBrightness, 12);
    EXPECT_EQ(flash->macroBlocks[30][5], 0x42);
    const auto info = RunCliForTest({"--data-dir", data, simulate, "info"});
    EXPECT_NE(info.out.find("brightness 12"), std::string::npos) << info.out;
}

TEST(CliTest, AnUnreadableStateFileStartsFromTheFactoryWithAWarning) {
    testing::TempFolder folder;
    const auto state = folder / "kb.state";
    const std::vector<std::uint8_t> junk(100, 0x7A);
    ASSERT_TRUE(WriteFileAtomically(state, junk));
    const auto outcome = RunCliForTest({"--simulate=" + state.string(), "info"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.err.find("warning"), std::string::npos);
    EXPECT_NE(outcome.out.find("brightness 50"), std::string::npos);
    // Nothing changed the flash, so the file was left for the user to inspect.
    EXPECT_EQ(std::filesystem::file_size(state), 100u);
}

TEST(CliTest, ResetRestoresTheFactoryLighting) {
    testing::TempFolder folder;
    const auto state = folder / "kb.state";
    auto flash = FactoryFlash({});
    flash.ledBrightness = 7;
    ASSERT_TRUE(SaveFlashFile(state, flash));
    const auto outcome = RunCliForTest({"--data-dir", folder.path().string(), "--simulate=" + state.string(), "reset"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(LoadFlashFile(state)->ledBrightness, 50);
    DeviceImage image;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(folder / "keymap.bin", KeymapLoadMode::Full, image, records));
    EXPECT_EQ(image.lighting().brightness, 50);
}

}  // namespace
}  // namespace solvane
