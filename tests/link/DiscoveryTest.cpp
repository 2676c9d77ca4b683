#include <gtest/gtest.h>

#include "link/DeviceChange.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

VirtualInterface Interface(const std::string& path, std::uint16_t vendor, std::uint16_t product,
                           int number, bool openable = true) {
    return {{path, vendor, product, number}, openable, true};
}

constexpr std::uint16_t V = KEYBOARD_VENDOR_ID;
constexpr std::uint16_t P = KEYBOARD_PRODUCT_ID;

TEST(DiscoveryTest, ChoosesTheFirstOpenableInterfaceThreeOfTheKeyboard) {
    struct Case {
        const char* name;
        std::vector<VirtualInterface> interfaces;
        const char* expected;  // nullptr: nothing found
    };
    const Case cases[] = {
        {"only interface 3 matches",
         {Interface("a", V, P, 0), Interface("b", V, P, 1), Interface("c", V, P, 3)}, "c"},
        {"first of two matching wins", {Interface("a", V, P, 3), Interface("b", V, P, 3)}, "a"},
        {"unopenable is skipped", {Interface("a", V, P, 3, false), Interface("b", V, P, 3)}, "b"},
        {"other vendor", {Interface("a", 0x1234, P, 3)}, nullptr},
        {"other product", {Interface("a", V, 0x0001, 3)}, nullptr},
        {"none openable", {Interface("a", V, P, 3, false)}, nullptr},
    };
    for (const auto& c : cases) {
        testing::TracedKeyboard kb;
        kb.keyboard.setInterfaces(c.interfaces);
        EXPECT_EQ(kb.link.FindKeyboardPath(), c.expected != nullptr) << c.name;
        EXPECT_EQ(kb.link.keyboardPath(), c.expected ? c.expected : "") << c.name;
        EXPECT_FALSE(kb.link.IsOpen()) << c.name;
        EXPECT_EQ(kb.link.keyboardDenied(), std::string(c.name) == "none openable") << c.name;
    }
}

TEST(DiscoveryTest, TheDefaultVirtualKeyboardIsFoundAtItsInterfaceThree) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    EXPECT_EQ(kb.link.keyboardPath(), VirtualKeyboard::KeyboardInterfacePath());
}

TEST(DiscoveryTest, AFailedDiscoveryKeepsTheOldPath) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.link.FindKeyboardPath());
    const std::string path = kb.link.keyboardPath();
    kb.keyboard.setUnplugged(true);
    EXPECT_FALSE(kb.link.FindKeyboardPath());
    EXPECT_EQ(kb.link.keyboardPath(), path);
}

TEST(DeviceChangeTest, RemovalClosesAndArrivalReconnectsAndReadsAgain) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    DisconnectOnRemoval(kb.link);
    EXPECT_FALSE(kb.link.IsOpen());

    auto flash = kb.keyboard.flash();
    flash.ledBrightness = 33;
    flash.firmware = {1, 3};
    kb.keyboard.setFlash(flash);
    DeviceImage image;
    EXPECT_EQ(ReconnectAfterArrival(kb.link, image), ArrivalOutcome::Reconnected);
    EXPECT_TRUE(kb.link.IsOpen());
    EXPECT_EQ(image.lighting().brightness, 33);
    EXPECT_EQ(kb.link.firmwareVersion(), (FirmwareVersion{1, 3}));
}

TEST(DeviceChangeTest, ArrivalWhileOpenDoesNothing) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    kb.log.clear();
    DeviceImage image;
    EXPECT_EQ(ReconnectAfterArrival(kb.link, image), ArrivalOutcome::AlreadyOpen);
    EXPECT_TRUE(kb.log.empty());
}

TEST(DeviceChangeTest, ArrivalOfAnotherDeviceWhileTheKeyboardIsAwayFindsNothing) {
    testing::TracedKeyboard kb;
    ASSERT_TRUE(kb.Connect());
    DisconnectOnRemoval(kb.link);
    kb.keyboard.setUnplugged(true);
    DeviceImage image;
    EXPECT_EQ(ReconnectAfterArrival(kb.link, image), ArrivalOutcome::NotFound);
    EXPECT_FALSE(kb.link.IsOpen());
}

}  // namespace
}  // namespace solvane
