#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli/Cli.h"
#include "common/AtomicFile.h"
#include "keys/KeymapFile.h"
#include "sim/VirtualKeyboard.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

enum class Fault { Silent, Garbage, UnplugMidway };

const char* Name(Fault fault) {
    switch (fault) {
        case Fault::Silent:
            return "silent";
        case Fault::Garbage:
            return "garbage";
        case Fault::UnplugMidway:
            break;
    }
    return "unplugged midway";
}

// solvane-cli on a keyboard that misbehaves. Pauses and read time-outs are counted, not slept,
// so a command that waits on the keyboard shows as a count rather than as a hang.
struct FaultyRun {
    int status = -1;
    std::string out;
    std::string err;
    int pauses = 0;
    int timeouts = 0;
};

// The keyboard unplugs after this many pauses: inside the read-back, a save and a factory
// reset alike (info pauses fewer times and goes through).
constexpr int kUnplugAfterPauses = 10;

FaultyRun RunOnFaultyKeyboard(Fault fault, const std::filesystem::path& data, const std::string& command) {
    FaultyRun run;
    auto keyboard = std::make_shared<VirtualKeyboard*>(nullptr);
    CliEnvironment environment;
    environment.pause = [&run, fault, keyboard](int) {
        if (++run.pauses == kUnplugAfterPauses && fault == Fault::UnplugMidway && *keyboard != nullptr) {
            (*keyboard)->setUnplugged(true);
        }
    };
    environment.readTimeoutWait = [&run](int) { ++run.timeouts; };
    environment.hardware = [fault, keyboard] {
        VirtualKeyboardOptions options;
        options.waitForTimeout = nullptr;  // the environment's wait is the one counted
        auto device = std::make_unique<VirtualKeyboard>(std::move(options));
        device->setSilent(fault == Fault::Silent);
        device->setGarbage(fault == Fault::Garbage);
        *keyboard = device.get();
        return device;
    };
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> arguments{"--data-dir", data.string(), command};
    run.status = RunCli(arguments, out, err, environment);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(FaultyKeyboardTest, EveryCommandEndsAndAFailureExitsNonZeroWithAMessage) {
    for (const Fault fault : {Fault::Silent, Fault::Garbage, Fault::UnplugMidway}) {
        for (const char* command : {"info", "read", "write", "reset"}) {
            SCOPED_TRACE(std::string(Name(fault)) + " keyboard, " + command);
            testing::TempFolder folder;
            // A keymap.bin read from a good keyboard, so that `write` has something to send.
            const auto prepared = testing::RunCliInFolder(folder.path(), {"read"});
            ASSERT_EQ(prepared.status, 0) << prepared.err;
            const auto keymapBefore = ReadFileBounded(folder / "keymap.bin", keymap_file::kSize + 1).value();

            const FaultyRun run = RunOnFaultyKeyboard(fault, folder.path(), command);
            // No command waits for more than one time-out of the keyboard.
            EXPECT_LE(run.timeouts, 1);
            const bool fails = fault != Fault::Garbage &&
                               !(fault == Fault::UnplugMidway && std::string(command) == "info");
            if (fails) {
                EXPECT_EQ(run.status, 1) << run.out;
                EXPECT_TRUE(run.err.starts_with("solvane-cli: ")) << run.err;
                EXPECT_NE(run.err.find("keyboard"), std::string::npos) << run.err;
                // A failed command leaves keymap.bin as it was.
                EXPECT_EQ(ReadFileBounded(folder / "keymap.bin", keymap_file::kSize + 1).value(), keymapBefore);
            } else {
                // Garbage cannot be told from settings: the command goes through, and a read
                // leaves keymap.bin whole.
                EXPECT_EQ(run.status, 0) << run.err;
                EXPECT_EQ(std::filesystem::file_size(folder / "keymap.bin"), keymap_file::kSize);
            }
        }
    }
}

TEST(FaultyKeyboardTest, WriteToAKeyboardThatStoppedListeningIsNoSuccess) {
    testing::TempFolder folder;
    ASSERT_EQ(testing::RunCliInFolder(folder.path(), {"read"}).status, 0);
    const FaultyRun run = RunOnFaultyKeyboard(Fault::Silent, folder.path(), "write");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.find("wrote"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "solvane-cli: the keyboard did not answer a command\n");
}

}  // namespace
}  // namespace solvane
