#include <gtest/gtest.h>

#include "link/Sequences.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

DeviceImage PatternedImage(std::uint8_t seed) {
    DeviceImage image;
    for (std::size_t i = 0; i < image::kSize; ++i) {
        image.bytes()[i] = static_cast<std::uint8_t>(seed + i);
    }
    return image;
}

TEST(FaultsTest, SilentKeyboardEndsTheReadAndChangesNothing) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    kb.keyboard.setSilent(true);
    DeviceImage image = PatternedImage(3);
    const DeviceImage before = image;
    const Status status = ReadAll(kb.link, image);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(image, before);
    // It gave up at the first unanswered command instead of walking through every block.
    EXPECT_LE(kb.Lines("set ").size(), 2u);
}

TEST(FaultsTest, AMissedDataReportStopsTheReadAndKeepsTheBlock) {
    struct Case {
        std::size_t delivered;  // input reports that arrive before the keyboard stops sending
        bool keyMapArrives;
        std::size_t wholeMacroBlocks;
    };
    for (const auto c : {Case{3, false, 0}, Case{9, true, 0}, Case{9 + 3 * 5 + 1, true, 5}}) {
        testing::TracedKeyboard kb;
        auto flash = kb.keyboard.flash();
        flash.keyMap.fill(0xAA);
        for (auto& block : flash.macroBlocks) block.fill(0xBB);
        kb.keyboard.setFlash(flash);
        ASSERT_TRUE(kb.Connect());
        kb.keyboard.setInputReportLimit(c.delivered);

        DeviceImage image = PatternedImage(9);
        const DeviceImage before = image;
        const Status status = ReadAll(kb.link, image);
        EXPECT_EQ(status.code(), ErrorCode::Timeout) << c.delivered;
        EXPECT_EQ(image.keyMapBlock()[0], c.keyMapArrives ? 0xAA : before.keyMapBlock()[0]);
        for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
            const bool arrived = n < c.wholeMacroBlocks;
            const auto block = image.macroBlock(n);
            const auto old = before.macroBlock(n);
            EXPECT_TRUE(arrived ? std::all_of(block.begin(), block.end(), [](auto b) { return b == 0xBB; })
                                : std::equal(block.begin(), block.end(), old.begin()))
                << c.delivered << " block " << n;
        }
        EXPECT_EQ(kb.Lines("read timeout").size(), 1u);
    }
}

TEST(FaultsTest, UnpluggingDuringWriteAllStopsItWithFailure) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    int pauses = 0;
    KeyboardLink link(kb.traced, [&](int) {
        if (++pauses == 12) {
            kb.keyboard.setUnplugged(true);
        }
    });
    ASSERT_TRUE(link.FindKeyboardPath() && link.OpenKeyboard());
    DeviceImage image;
    const Status status = WriteAll(link, image);
    EXPECT_EQ(status.code(), ErrorCode::Disconnected);
    EXPECT_EQ(pauses, 12);  // nothing more was attempted after the failure
    EXPECT_EQ(kb.Lines("write failed").size() + kb.Lines("set failed").size(), 1u);
}

TEST(FaultsTest, NoKeyboardFailsAtOnceWithoutPausing) {
    testing::TracedKeyboard kb;
    DeviceImage image;
    EXPECT_EQ(WriteAll(kb.link, image).code(), ErrorCode::NoKeyboard);
    EXPECT_EQ(ReadAll(kb.link, image).code(), ErrorCode::NoKeyboard);
    EXPECT_TRUE(kb.log.empty());
}

TEST(FaultsTest, GarbageRepliesAreStoredButNeverOverrunTheImage) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    kb.keyboard.setGarbage(true);
    DeviceImage image = PatternedImage(1);
    const DeviceImage before = image;
    FirmwareVersion firmware;
    EXPECT_TRUE(ReadBackWorker(kb.link, image, firmware));
    // Bytes the keyboard does not transfer are untouched whatever it answers.
    DeviceImage expected = before;
    expected.TakeTransferableFields(image);
    EXPECT_EQ(image, expected);
    EXPECT_NE(image, before);
}

}  // namespace
}  // namespace solvane
