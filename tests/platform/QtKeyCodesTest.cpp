#include <gtest/gtest.h>

#include <QtGui/QKeyEvent>

#include <optional>

#include "keys/KeySlotTable.h"
#include "platform/InputKeyCodes.h"
#include "platform/QtKeyCodes.h"
#include "support/QtTestApplication.h"

namespace solvane {
namespace {

using Code = std::optional<std::uint8_t>;

Code Native(NativeKeyValues native, quint32 scanCode, quint32 virtualKey, int key = 0,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    testing::TestApplication();  // key events belong to the application's keyboard device
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, virtualKey, 0);
    return VirtualKeyOf(event, native);
}

// An X11 or Wayland key by its XKB key code (the Linux input code + 8).
Code Xkb(quint32 keycode, quint32 keySymbol = 0) {
    return Native(NativeKeyValues::Xkb, keycode, keySymbol);
}

Code QtKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return Native(NativeKeyValues::None, 0, 0, key, modifiers);
}

Code Windows(quint32 virtualKey, quint32 scanCode) {
    return Native(NativeKeyValues::Windows, scanCode, virtualKey);
}

TEST(QtKeyCodesTest, XkbKeyCodesTellLeftFromRightAndKeypadFromMain) {
    struct Case {
        const char* key;
        quint32 keycode;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"left Shift", 50, 0xA0},  {"right Shift", 62, 0xA1},  {"left Ctrl", 37, 0xA2},
        {"right Ctrl", 105, 0xA3}, {"left Alt", 64, 0xA4},     {"right Alt", 108, 0xA5},
        {"left Win", 133, 0x5B},   {"right Win", 134, 0x5C},   {"menu", 135, 0x5D},
        {"keypad 7", 79, 0x67},    {"Home", 110, 0x24},        {"keypad Enter", 104, 0x6C},
        {"Enter", 36, 0x0D},       {"keypad period", 91, 0x6E}, {"Delete", 119, 0x2E},
        {"keypad slash", 106, 0x6F}, {"slash", 61, 0xBF},      {"keypad minus", 82, 0x6D},
        {"minus", 20, 0xBD},       {"keypad 0", 90, 0x60},     {"0", 19, 0x30},
        {"A", 38, 0x41},           {"Esc", 9, 0x1B},
        {"volume down", 122, 0xAE}, {"volume up", 123, 0xAF},
        {"play/pause", 172, 0xB3}, {"media player", 179, 0xB5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Xkb(c.keycode), c.code) << c.key;
    }
}

TEST(QtKeyCodesTest, EveryKeyOfThePictureAndTheMediaKeysGiveTheirDefaultCodes) {
    constexpr std::size_t kMediaSlots[] = {16, 17, 18, 19};
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        const bool media = std::ranges::find(kMediaSlots, slot) != std::end(kMediaSlots);
        if (!HasKeyOnPicture(slot) && !media) {
            continue;
        }
        const std::uint8_t code = KeySlotTable[slot].defaultCode;
        const auto input = InputCodeFromVirtualKey(code);
        ASSERT_TRUE(input.has_value()) << "slot " << slot;
        EXPECT_EQ(Xkb(*input + 8u), code) << "slot " << slot;
    }
}

TEST(QtKeyCodesTest, KeySymbolsServeWhereTheKeyCodeTellsNothing) {
    EXPECT_EQ(Xkb(0, 0xFFE2), 0xA1);  // Shift_R
    EXPECT_EQ(Xkb(0, 0xFFEC), 0x5C);  // Super_R
    EXPECT_EQ(Xkb(0, 0xFE03), 0xA5);  // AltGr
    EXPECT_EQ(Xkb(0, 0xFF95), 0x67);  // KP_Home: keypad 7 with Num Lock off
    EXPECT_EQ(Xkb(0, 0xFFB7), 0x67);  // KP_7
    EXPECT_EQ(Xkb(0, 0xFF8D), 0x6C);  // KP_Enter
    // Neither knows the key: Qt's key decides.
    EXPECT_EQ(Native(NativeKeyValues::Xkb, 0, 0x61, Qt::Key_A), 0x41);
    EXPECT_EQ(Native(NativeKeyValues::Xkb, 255, 0, Qt::Key_unknown), std::nullopt);
}

TEST(QtKeyCodesTest, QtKeysAndTheKeypadModifierAsTheLastResort) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        Code code;
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, 0x41},
        {Qt::Key_7, Qt::NoModifier, 0x37},
        {Qt::Key_7, Qt::KeypadModifier, 0x67},
        {Qt::Key_Home, Qt::NoModifier, 0x24},
        {Qt::Key_Home, Qt::KeypadModifier, 0x67},
        {Qt::Key_Asterisk, Qt::NoModifier, 0x38},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 0x6A},
        {Qt::Key_Return, Qt::NoModifier, 0x0D},
        {Qt::Key_Enter, Qt::KeypadModifier, 0x6C},
        {Qt::Key_Shift, Qt::ShiftModifier, 0xA0},
        {Qt::Key_F12, Qt::NoModifier, 0x7B},
        {Qt::Key_Backslash, Qt::NoModifier, 0xDC},
        {Qt::Key_VolumeDown, Qt::NoModifier, 0xAE},
        {Qt::Key_VolumeUp, Qt::NoModifier, 0xAF},
        {Qt::Key_MediaTogglePlayPause, Qt::NoModifier, 0xB3},
        {Qt::Key_Tools, Qt::NoModifier, 0xB5},
        {Qt::Key_unknown, Qt::NoModifier, std::nullopt},
        {Qt::Key_Launch0, Qt::NoModifier, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtKey(c.key, c.modifiers), c.code) << std::hex << c.key;
    }
}

TEST(QtKeyCodesTest, WindowsVirtualKeysWithTheirSides) {
    EXPECT_EQ(Windows(0x10, 0x2A), 0xA0);   // Shift, left scan code
    EXPECT_EQ(Windows(0x10, 0x36), 0xA1);   // right
    EXPECT_EQ(Windows(0x11, 0x1D), 0xA2);   // Ctrl
    EXPECT_EQ(Windows(0x11, 0x11D), 0xA3);  // extended: right
    EXPECT_EQ(Windows(0x12, 0x138), 0xA5);  // right Alt
    EXPECT_EQ(Windows(0x0D, 0x11C), 0x6C);  // keypad Enter
    EXPECT_EQ(Windows(0x24, 0x47), 0x67);   // Home from the keypad
    EXPECT_EQ(Windows(0x24, 0x147), 0x24);  // the Home key
    EXPECT_EQ(Windows(0x41, 0x1E), 0x41);
    EXPECT_EQ(Native(NativeKeyValues::Windows, 0, 0, Qt::Key_B), 0x42);
}

TEST(QtKeyCodesTest, PlatformNames) {
    EXPECT_EQ(NativeKeyValuesOf(u"xcb"), NativeKeyValues::Xkb);
    EXPECT_EQ(NativeKeyValuesOf(u"wayland-egl"), NativeKeyValues::Xkb);
    EXPECT_EQ(NativeKeyValuesOf(u"windows"), NativeKeyValues::Windows);
    EXPECT_EQ(NativeKeyValuesOf(u"offscreen"), NativeKeyValues::None);
}

}  // namespace
}  // namespace solvane
