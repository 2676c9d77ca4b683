#include <gtest/gtest.h>

#include "link/CommandSet.h"
#include "link/Commands.h"
#include "link/Reports.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

struct FixedReport {
    const char* name;
    FeatureReport report;
    const char* hex;
};

TEST(FeatureReportTest, EveryFixedReportMatchesTheCommandTable) {
    const FixedReport cases[] = {
        {"get version", MakeFeatureReport(CMD_GET_VERSION), "00800000000000007f"},
        {"get report rate", MakeFeatureReport(CMD_GET_REPORT_RATE), "00810000000000007e"},
        {"get key response", MakeFeatureReport(CMD_GET_KEY_RESPONSE), "00840000000000007b"},
        {"get lighting", MakeFeatureReport(CMD_GET_LIGHTING), "008800000000000077"},
        {"get game mode", MakeFeatureReport(CMD_GET_GAME_MODE), "008900000000000076"},
        {"get key map", MakeFeatureReport(CMD_GET_KEY_MAP), "008d00000000000072"},
        {"get key enable", MakeFeatureReport(CMD_GET_KEY_ENABLE, {.p3 = 0x15}), "008e0000150000005c"},
        {"get macro block 0", MakeFeatureReport(CMD_GET_MACRO_BLOCK, {.p2 = 0}), "00910000000000006e"},
        {"get macro block 31", MakeFeatureReport(CMD_GET_MACRO_BLOCK, {.p2 = 31}), "0091001f000000004f"},
        {"set report rate 2", MakeFeatureReport(CMD_SET_REPORT_RATE, {.p1 = 2}), "0001020000000000fc"},
        {"set key response 5", MakeFeatureReport(CMD_SET_KEY_RESPONSE, {.p1 = 5}), "0004050000000000f6"},
        {"set game mode 1", MakeFeatureReport(CMD_SET_GAME_MODE, {.p1 = 1}), "0009010000000000f5"},
        {"set key map", MakeFeatureReport(CMD_SET_KEY_MAP, {.p3 = 8}), "000d0000080000" "00ea"},
        {"set key enable", MakeFeatureReport(CMD_SET_KEY_ENABLE, {.p3 = 0x15}), "000e0000150000" "00dc"},
        {"set macro block 3", MakeFeatureReport(CMD_SET_MACRO_BLOCK, {.p2 = 3, .p3 = 3}), "0011000303000000e8"},
        {"factory reset", MakeFeatureReport(CMD_FACTORY_RESET, {.p1 = 0xFF}), "0013ff0000000000ed"},
        {"set lighting", MakeFeatureReport(CMD_SET_LIGHTING, {0, 3, 5, 50, 0, 1}), "0008000305320001bc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexBytes(c.report), c.hex) << c.name;
        unsigned sum = 0;
        for (std::size_t i = 1; i < kFeatureReportSize; ++i) {
            sum += c.report[i];
        }
        EXPECT_EQ(sum % 256, 0xFFu) << c.name;
    }
}

TEST(SpeedConversionTest, ReadingAndWritingBackPreservesTheKeyboardsByte) {
    struct Case {
        std::uint8_t keyboardByte;
        std::uint8_t step;
    };
    for (const auto c : {Case{10, 0}, Case{0, 10}, Case{1, 9}, Case{5, 5}, Case{11, 255}, Case{255, 11}}) {
        EXPECT_EQ(SpeedStepFromKeyboard(c.keyboardByte), c.step) << int{c.keyboardByte};
        EXPECT_EQ(SpeedStepToKeyboard(c.step), c.keyboardByte) << int{c.keyboardByte};
    }
}

TEST(CommandSetTest, LightingIsReadFromReplyBytesThreeToSeven) {
    testing::TracedKeyboard kb;
    auto flash = kb.keyboard.flash();
    flash.ledEffect = 0x32;
    flash.ledSpeedByte = 10;
    flash.ledBrightness = 17;
    flash.lightingAux = 0xA5;
    flash.ledDirection = 4;
    kb.keyboard.setFlash(flash);
    ASSERT_TRUE(kb.Connect());
    DeviceImage image;
    ASSERT_TRUE(GetLighting(kb.link, image));
    const auto lighting = image.lighting();
    EXPECT_EQ(lighting.effect, 0x32);
    EXPECT_EQ(lighting.speed, 0);
    EXPECT_EQ(lighting.brightness, 17);
    EXPECT_EQ(lighting.aux, 0xA5);
    EXPECT_EQ(lighting.direction, 4);
    // Set feature, 10 ms, Get feature and no pause after it.
    EXPECT_EQ(kb.log, (std::vector<std::string>{"set 008800000000000077", "pause 10",
                                                "get 008800320a11a50400"}));
}

TEST(CommandSetTest, KeyEnableReportCarriesTheBitmapAndAZeroTail) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    DeviceImage image;
    auto bitmap = image.keyEnableBitmap();
    std::fill(bitmap.begin(), bitmap.end(), 0xAB);
    ASSERT_TRUE(SetKeyEnable(kb.link, image));
    const auto writes = kb.Lines("write ");
    ASSERT_EQ(writes.size(), 1u);
    std::string expected = "write 00";
    for (int i = 0; i < 21; ++i) expected += "ab";
    expected += std::string(43 * 2, '0');
    EXPECT_EQ(writes[0], expected);
    EXPECT_EQ(kb.keyboard.flash().keyEnable[20], 0xAB);
}

TEST(CommandSetTest, VersionComesFromReplyBytesTwoAndThree) {
    testing::TracedKeyboard kb;
    auto flash = kb.keyboard.flash();
    flash.firmware = {2, 7};
    kb.keyboard.setFlash(flash);
    ASSERT_TRUE(kb.Connect());
    auto version = GetVersion(kb.link);
    ASSERT_TRUE(version);
    EXPECT_EQ(version.value(), (FirmwareVersion{2, 7}));
    EXPECT_EQ(kb.Lines("pause"), (std::vector<std::string>{"pause 10", "pause 10"}));
}

}  // namespace
}  // namespace solvane
