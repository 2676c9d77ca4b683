#include <gtest/gtest.h>

#include "link/DeviceImage.h"

namespace solvane {
namespace {

TEST(DeviceImageTest, WinLockFollowsTheWindowsKeyBit) {
    DeviceImage image;
    image.keyEnableBitmap()[1] = 0xFE;
    EXPECT_EQ(WinLockFromBitmap(image.keyEnableBitmap()), 1);
    image.keyEnableBitmap()[1] = 0x01;
    EXPECT_EQ(WinLockFromBitmap(image.keyEnableBitmap()), 0);
}

TEST(DeviceImageTest, LockOnClearsBitsZeroSixAndSevenLockOffSetsOnlyBitZero) {
    struct Case {
        std::uint8_t winLock;
        std::uint8_t before;
        std::uint8_t after;
    };
    for (const auto c : {Case{1, 0xFF, 0x3E}, Case{1, 0xC1, 0x00}, Case{0, 0xFE, 0xFF},
                         Case{0, 0x40, 0x41}, Case{0, 0x3F, 0x3F}}) {
        DeviceImage image;
        image.setWinLockOn(c.winLock);
        image.keyEnableBitmap()[1] = c.before;
        ApplyWinLockToBitmap(image);
        EXPECT_EQ(image.keyEnableBitmap()[1], c.after) << int{c.winLock} << " " << int{c.before};
    }
}

TEST(DeviceImageTest, FieldsSitAtTheirFileOffsets) {
    DeviceImage image;
    image.setReportRateStep(3);
    image.setKeyResponse(9);
    image.setLighting({0x05, 7, 40, 0x11, 2});
    image.setGameMode(1);
    image.setWinLockOn(1);
    image.macroBlock(31)[191] = 0x77;
    image.keyMapBlock()[0] = 0x66;
    const auto& b = image.bytes();
    EXPECT_EQ(b[11], 3);
    EXPECT_EQ(b[7449], 9);
    EXPECT_EQ(b[7450], 0x05);
    EXPECT_EQ(b[7451], 7);
    EXPECT_EQ(b[7452], 40);
    EXPECT_EQ(b[7453], 0x11);
    EXPECT_EQ(b[7454], 2);
    EXPECT_EQ(b[7455], 1);
    EXPECT_EQ(b[7477], 1);
    EXPECT_EQ(b[792], 0x66);
    EXPECT_EQ(b[1304 + 192 * 31 + 191], 0x77);
    EXPECT_THROW(image.macroBlock(32), std::out_of_range);
}

TEST(DeviceImageTest, TakingTransferableFieldsLeavesTheUnusedBytes) {
    DeviceImage file;
    DeviceImage keyboard;
    file.bytes().fill(0x11);
    keyboard.bytes().fill(0x22);
    file.TakeTransferableFields(keyboard);
    for (std::size_t offset = 0; offset < image::kSize; ++offset) {
        const bool unused = offset <= 10 || (offset >= 12 && offset <= 791) || offset == 7448 ||
                            offset >= 7478;
        EXPECT_EQ(file.bytes()[offset], unused ? 0x11 : 0x22) << offset;
    }
}

}  // namespace
}  // namespace solvane
