#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "macros/MacroBlock.h"

namespace solvane {
namespace {

class MacroBlockTest : public ::testing::Test {
protected:
    MacroBlockTest() {
        for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
            std::ranges::fill(image.macroBlock(n), static_cast<std::uint8_t>(0xA0 + n));
        }
    }

    void Name(std::size_t count) {
        for (std::size_t n = 0; n < count; ++n) {
            ASSERT_TRUE(SetMacroName((*store)[n], u"m"));
            SetLoopCount((*store)[n], static_cast<std::uint16_t>(n + 1));
            (*store)[n].deviceEvents = {0x01, static_cast<std::uint8_t>(n + 4)};
        }
    }
    bool Untouched(std::size_t n) const {
        return std::ranges::all_of(image.macroBlock(n),
                                   [n](std::uint8_t b) { return b == 0xA0 + n; });
    }

    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    DeviceImage image;
};

TEST_F(MacroBlockTest, OneMacroEncodesBigEndianLoopCountAndTheDeviceEvents) {
    ASSERT_TRUE(SetMacroName((*store)[0], u"宏指令_001"));
    SetLoopCount((*store)[0], 300);
    (*store)[0].deviceEvents[0] = 0x01;
    (*store)[0].deviceEvents[1] = 0x04;
    (*store)[0].keyEvents[1] = 0x41;  // never reaches the keyboard
    EncodeMacroBlocks(*store, image);
    std::array<std::uint8_t, image::kMacroBlockSize> expected{0x01, 0x2C, 0x01, 0x04};
    EXPECT_TRUE(std::ranges::equal(image.macroBlock(0), expected));
    EXPECT_TRUE(Untouched(1));
}

TEST_F(MacroBlockTest, BlocksAfterTheLastMacroKeepTheirContent) {
    struct Case {
        std::size_t named;
        std::size_t written;
    };
    // An empty store, three macros, and more macros than the keyboard has blocks.
    for (const Case c : {Case{0, 0}, Case{3, 3}, Case{40, 32}, Case{190, 32}}) {
        SCOPED_TRACE(c.named);
        *store = {};
        for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
            std::ranges::fill(image.macroBlock(n), static_cast<std::uint8_t>(0xA0 + n));
        }
        Name(c.named);
        const DeviceImage before = image;
        EncodeMacroBlocks(*store, image);
        for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
            if (n < c.written) {
                EXPECT_EQ(image.macroBlock(n)[1], n + 1) << n;
                EXPECT_EQ(image.macroBlock(n)[3], n + 4) << n;
            } else {
                EXPECT_TRUE(Untouched(n)) << n;
            }
        }
        // Nothing outside the macro area changes.
        EXPECT_TRUE(std::equal(image.bytes().begin(), image.bytes().begin() + image::kMacroBlocks,
                               before.bytes().begin()));
        EXPECT_TRUE(std::equal(image.bytes().begin() + 7448, image.bytes().end(),
                               before.bytes().begin() + 7448));
    }
}

}  // namespace
}  // namespace solvane
