#include <gtest/gtest.h>

#include "link/Commands.h"
#include "link/Sequences.h"
#include "sim/KeyboardFlash.h"
#include "support/TempFolder.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

TEST(VirtualKeyboardTest, EnumeratesItsInterfacesBesideAnUnrelatedDevice) {
    VirtualKeyboard keyboard;
    const auto interfaces = keyboard.Enumerate();
    std::vector<int> keyboardInterfaces;
    bool other = false;
    for (const auto& entry : interfaces) {
        if (entry.vendorId == KEYBOARD_VENDOR_ID && entry.productId == KEYBOARD_PRODUCT_ID) {
            keyboardInterfaces.push_back(entry.interfaceNumber);
        } else {
            other = true;
        }
    }
    std::sort(keyboardInterfaces.begin(), keyboardInterfaces.end());
    EXPECT_EQ(keyboardInterfaces, (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(other);
}

TEST(VirtualKeyboardTest, DropsACommandWithAWrongChecksum) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    auto report = MakeFeatureReport(CMD_SET_GAME_MODE, {.p1 = 1});
    report[kFeatureChecksumOffset] ^= 0xFF;
    ASSERT_TRUE(kb.keyboard.SetFeature(kb.link.keyboardHandle(), report));
    EXPECT_EQ(kb.keyboard.flash().gameMode, 0);
}

TEST(VirtualKeyboardTest, TheStateFileFollowsEveryChangeAndSurvivesANewInstance) {
    testing::TempFolder folder;
    const auto state = folder / "kb.state";
    VirtualKeyboardOptions options = testing::TracedKeyboard::QuickOptions();
    options.stateFile = state;
    {
        testing::TracedKeyboard kb(options);
        ASSERT_TRUE(kb.Connect());
        DeviceImage image;
        image.setKeyResponse(7);
        image.macroBlock(0)[0] = 0x99;
        ASSERT_TRUE(WriteAll(kb.link, image));
        EXPECT_TRUE(kb.keyboard.lastSaveStatus().ok());
    }
    EXPECT_EQ(std::filesystem::file_size(state), flash_file::kSize);
    VirtualKeyboard again(options);
    EXPECT_TRUE(again.stateFileStatus().ok());
    EXPECT_EQ(again.flash().keyResponse, 7);
    EXPECT_EQ(again.flash().macroBlocks[0][0], 0x99);
}

TEST(VirtualKeyboardTest, RejectsStateFilesThatAreNotItsOwn) {
    auto bytes = SerializeFlash(FactoryFlash({}));
    EXPECT_TRUE(DeserializeFlash(bytes));
    auto shortFile = bytes;
    shortFile.pop_back();
    EXPECT_FALSE(DeserializeFlash(shortFile));
    auto foreign = bytes;
    foreign[0] = 'X';
    EXPECT_FALSE(DeserializeFlash(foreign));
}

TEST(VirtualKeyboardTest, AnInterruptedBlockWriteChangesNothing) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    const auto before = kb.keyboard.flash();
    // Announce the key map, send three of its eight reports, then start another command.
    ASSERT_TRUE(kb.link.SendCommand(CMD_SET_KEY_MAP, {.p3 = kKeyMapReportCount}));
    const std::vector<std::uint8_t> payload(64, 0x5A);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(kb.link.WriteDataReport(payload));
    ASSERT_TRUE(kb.link.SendCommand(CMD_GET_GAME_MODE));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(kb.link.WriteDataReport(payload));
    EXPECT_EQ(kb.keyboard.flash(), before);
}

}  // namespace
}  // namespace solvane
