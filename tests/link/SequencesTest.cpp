#include <gtest/gtest.h>

#include "link/Sequences.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

// The trace with data reports reduced to their direction, so a sequence reads as its commands.
std::vector<std::string> Outline(const std::vector<std::string>& log) {
    std::vector<std::string> outline;
    for (const auto& line : log) {
        if (line.starts_with("write ")) {
            outline.push_back("write");
        } else if (line.starts_with("read ")) {
            outline.push_back("read");
        } else if (line.starts_with("get ")) {
            outline.push_back("get");
        } else {
            outline.push_back(line);
        }
    }
    return outline;
}

void Append(std::vector<std::string>& to, std::initializer_list<std::string> lines) {
    to.insert(to.end(), lines);
}

std::vector<std::string> ExpectedReadOfSettingsAndKeyMap() {
    std::vector<std::string> e;
    Append(e, {"set 008800000000000077", "pause 10", "get"});
    Append(e, {"set 008900000000000076", "pause 5", "get"});
    Append(e, {"set 00810000000000007e", "pause 10", "get", "pause 10"});
    Append(e, {"set 00840000000000007b", "pause 10", "get", "pause 10"});
    Append(e, {"set 008d00000000000072", "get"});
    for (int i = 0; i < 8; ++i) e.push_back("read");
    Append(e, {"set 008e0000150000005c", "get", "read"});
    return e;
}

std::string MacroReadCommand(int n) {
    char text[32];
    std::snprintf(text, sizeof text, "set 009100%02x00000000%02x", n, 0x6E - n);
    return text;
}

class SequencesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(kb.Connect()); }
    testing::TracedKeyboard kb;
};

TEST_F(SequencesTest, WriteAllSendsEveryFieldWithTheProtocolsPauses) {
    DeviceImage image;
    image.setLighting({0x03, 4, 30, 0x00, 2});
    image.setGameMode(0);
    image.setReportRateStep(2);
    image.setKeyResponse(5);
    ASSERT_TRUE(WriteAll(kb.link, image));

    std::vector<std::string> e;
    Append(e, {"set 00080003061e0002ce", "pause 10"});
    Append(e, {"set 0009000000000000f6", "pause 20"});
    Append(e, {"set 0001020000000000fc", "pause 10"});
    Append(e, {"set 0004050000000000f6", "pause 10"});
    Append(e, {"set 000d000008000000ea", "pause 50"});
    for (int i = 0; i < 8; ++i) e.push_back("write");
    Append(e, {"pause 60", "pause 50"});
    Append(e, {"set 000e000015000000dc", "pause 10", "write", "pause 50"});
    for (int n = 0; n < 32; ++n) {
        char command[32];
        std::snprintf(command, sizeof command, "set 001100%02x03000000%02x", n, 0xEB - n);
        Append(e, {command, "pause 1", "write", "pause 1", "write", "pause 2", "write", "pause 10",
                   "pause 60"});
    }
    EXPECT_EQ(Outline(kb.log), e);
    EXPECT_EQ(kb.PauseTotal(), 2638);
}

TEST_F(SequencesTest, WriteAllSendsAll32MacroBlocksAsTheyStand) {
    DeviceImage image;
    for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
        auto block = image.macroBlock(n);
        for (std::size_t i = 0; i < block.size(); ++i) {
            block[i] = static_cast<std::uint8_t>(n * 7 + i);
        }
    }
    ASSERT_TRUE(WriteAll(kb.link, image));
    const auto flash = kb.keyboard.flash();
    for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
        const auto block = image.macroBlock(n);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), flash.macroBlocks[n].begin())) << n;
    }
}

TEST_F(SequencesTest, WriteAllAppliesTheWindowsKeyLockToTheBitmapItSends) {
    struct Case {
        std::uint8_t winLock;
        std::uint8_t before;
        std::uint8_t sent;
    };
    for (const auto c : {Case{1, 0xFF, 0x3E}, Case{0, 0xFE, 0xFF}, Case{0, 0x3E, 0x3F}}) {
        DeviceImage image;
        image.setWinLockOn(c.winLock);
        image.keyEnableBitmap()[1] = c.before;
        ASSERT_TRUE(WriteAll(kb.link, image));
        EXPECT_EQ(kb.keyboard.flash().keyEnable[1], c.sent);
        EXPECT_EQ(image.keyEnableBitmap()[1], c.sent);
    }
}

TEST_F(SequencesTest, ReadAllReadsEverythingButTheVersion) {
    DeviceImage image;
    ASSERT_TRUE(ReadAll(kb.link, image));
    std::vector<std::string> e{"set 0009010000000000f5", "pause 20", "pause 10"};
    for (const auto& line : ExpectedReadOfSettingsAndKeyMap()) e.push_back(line);
    for (int n = 0; n < 32; ++n) {
        Append(e, {MacroReadCommand(n), "get", "read", "read", "read"});
    }
    EXPECT_EQ(Outline(kb.log), e);
}

TEST_F(SequencesTest, ReadBackWorkerSetsGameModeReadsVersionAndYieldsBetweenBlocks) {
    auto flash = kb.keyboard.flash();
    flash.firmware = {1, 4};
    flash.gameMode = 0;
    kb.keyboard.setFlash(flash);

    DeviceImage image;
    FirmwareVersion firmware;
    ASSERT_TRUE(ReadBackWorker(kb.link, image, firmware));
    std::vector<std::string> e{"set 0009010000000000f5", "pause 20", "set 00800000000000007f",
                               "pause 10", "get", "pause 10"};
    for (const auto& line : ExpectedReadOfSettingsAndKeyMap()) e.push_back(line);
    for (int n = 0; n < 32; ++n) {
        Append(e, {MacroReadCommand(n), "get", "read", "read", "read", "pause 0"});
    }
    EXPECT_EQ(Outline(kb.log), e);
    EXPECT_EQ(firmware, (FirmwareVersion{1, 4}));
    // The game mode read right after setting it reflects the keyboard's answer.
    EXPECT_EQ(image.gameMode(), 1);
}

TEST_F(SequencesTest, FactoryResetSequenceSettlesAfterEachStep) {
    ASSERT_TRUE(FactoryResetSequence(kb.link));
    EXPECT_EQ(kb.log, (std::vector<std::string>{
                          "set 0013ff0000000000ed", "pause 300", "set 0009010000000000f5", "pause 20",
                          "pause 300", "set 0009010000000000f5", "pause 20", "pause 300"}));
}

TEST_F(SequencesTest, FactoryResetRestoresTheFlashButNotTheFirmware) {
    auto flash = kb.keyboard.flash();
    const auto factory = flash;
    flash.ledBrightness = 3;
    flash.keyEnable[4] = 0;
    flash.macroBlocks[9][0] = 0x55;
    flash.firmware = {1, 9};
    kb.keyboard.setFlash(flash);
    ASSERT_TRUE(FactoryResetSequence(kb.link));
    auto after = kb.keyboard.flash();
    EXPECT_EQ(after.firmware, (FirmwareVersion{1, 9}));
    after.firmware = factory.firmware;
    after.gameMode = factory.gameMode;  // the sequence switches game mode on
    EXPECT_EQ(after, factory);
}

TEST_F(SequencesTest, WriteThenReadReturnsTheSameTransferableFields) {
    DeviceImage written;
    for (std::size_t i = 0; i < image::kSize; ++i) {
        written.bytes()[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    written.setGameMode(1);
    written.setWinLockOn(0);
    written.setLighting({0x04, 9, 50, 0x80, 3});
    ASSERT_TRUE(WriteAll(kb.link, written));

    DeviceImage read;
    ASSERT_TRUE(ReadAll(kb.link, read));
    DeviceImage expected;
    expected.TakeTransferableFields(written);
    EXPECT_EQ(read, expected);
}

}  // namespace
}  // namespace solvane
