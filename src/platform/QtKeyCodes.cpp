#include "platform/QtKeyCodes.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>

#include <array>
#include <utility>

#include "platform/InputKeyCodes.h"

namespace solvane {
namespace {

// XKB numbers keys as the Linux input code plus 8.
constexpr quint32 kXkbKeycodeOffset = 8;

// Key symbols that say which Shift, Ctrl, Alt or Windows key it was, or that the key lies on the
// keypad (whatever Num Lock makes of it). Every other symbol tells no more than Qt's key does.
using KeySymbolPair = std::pair<quint32, std::uint8_t>;
constexpr std::array kKeySymbols{
    KeySymbolPair{0xFFE1, 0xA0}, KeySymbolPair{0xFFE2, 0xA1},  // Shift_L, Shift_R
    KeySymbolPair{0xFFE3, 0xA2}, KeySymbolPair{0xFFE4, 0xA3},  // Control_L, Control_R
    KeySymbolPair{0xFFE9, 0xA4}, KeySymbolPair{0xFFEA, 0xA5},  // Alt_L, Alt_R
    KeySymbolPair{0xFE03, 0xA5},                               // ISO_Level3_Shift (AltGr)
    KeySymbolPair{0xFFE7, 0x5B}, KeySymbolPair{0xFFE8, 0x5C},  // Meta_L, Meta_R
    KeySymbolPair{0xFFEB, 0x5B}, KeySymbolPair{0xFFEC, 0x5C},  // Super_L, Super_R
    KeySymbolPair{0xFF8D, 0x6C},                               // KP_Enter
    KeySymbolPair{0xFF95, 0x67}, KeySymbolPair{0xFF96, 0x64},  // KP_Home, KP_Left
    KeySymbolPair{0xFF97, 0x68}, KeySymbolPair{0xFF98, 0x66},  // KP_Up, KP_Right
    KeySymbolPair{0xFF99, 0x62}, KeySymbolPair{0xFF9A, 0x69},  // KP_Down, KP_Prior
    KeySymbolPair{0xFF9B, 0x63}, KeySymbolPair{0xFF9C, 0x61},  // KP_Next, KP_End
    KeySymbolPair{0xFF9D, 0x65}, KeySymbolPair{0xFF9E, 0x60},  // KP_Begin, KP_Insert
    KeySymbolPair{0xFF9F, 0x6E},                               // KP_Delete
    KeySymbolPair{0xFFAA, 0x6A}, KeySymbolPair{0xFFAB, 0x6B},  // KP_Multiply, KP_Add
    KeySymbolPair{0xFFAD, 0x6D}, KeySymbolPair{0xFFAE, 0x6E},  // KP_Subtract, KP_Decimal
    KeySymbolPair{0xFFAF, 0x6F},                               // KP_Divide
    KeySymbolPair{0xFFB0, 0x60}, KeySymbolPair{0xFFB1, 0x61},  // KP_0, KP_1
    KeySymbolPair{0xFFB2, 0x62}, KeySymbolPair{0xFFB3, 0x63},  // KP_2, KP_3
    KeySymbolPair{0xFFB4, 0x64}, KeySymbolPair{0xFFB5, 0x65},  // KP_4, KP_5
    KeySymbolPair{0xFFB6, 0x66}, KeySymbolPair{0xFFB7, 0x67},  // KP_6, KP_7
    KeySymbolPair{0xFFB8, 0x68}, KeySymbolPair{0xFFB9, 0x69},  // KP_8, KP_9
};

// Qt's keys of the main block. Shifted symbols stand for the key that carries them on a US
// layout; modifiers without a side are taken as the left one.
using QtKeyPair = std::pair<int, std::uint8_t>;
constexpr std::array kQtKeys{
    QtKeyPair{Qt::Key_Escape, 0x1B},      QtKeyPair{Qt::Key_Tab, 0x09},
    QtKeyPair{Qt::Key_Backtab, 0x09},     QtKeyPair{Qt::Key_Backspace, 0x08},
    QtKeyPair{Qt::Key_Return, 0x0D},      QtKeyPair{Qt::Key_Enter, 0x6C},
    QtKeyPair{Qt::Key_Insert, 0x2D},      QtKeyPair{Qt::Key_Delete, 0x2E},
    QtKeyPair{Qt::Key_Pause, 0x13},       QtKeyPair{Qt::Key_Print, 0x2C},
    QtKeyPair{Qt::Key_SysReq, 0x2C},      QtKeyPair{Qt::Key_Home, 0x24},
    QtKeyPair{Qt::Key_End, 0x23},         QtKeyPair{Qt::Key_Left, 0x25},
    QtKeyPair{Qt::Key_Up, 0x26},          QtKeyPair{Qt::Key_Right, 0x27},
    QtKeyPair{Qt::Key_Down, 0x28},        QtKeyPair{Qt::Key_PageUp, 0x21},
    QtKeyPair{Qt::Key_PageDown, 0x22},    QtKeyPair{Qt::Key_Shift, 0xA0},
    QtKeyPair{Qt::Key_Control, 0xA2},     QtKeyPair{Qt::Key_Alt, 0xA4},
    QtKeyPair{Qt::Key_AltGr, 0xA5},       QtKeyPair{Qt::Key_Meta, 0x5B},
    QtKeyPair{Qt::Key_Super_L, 0x5B},     QtKeyPair{Qt::Key_Super_R, 0x5C},
    QtKeyPair{Qt::Key_Menu, 0x5D},        QtKeyPair{Qt::Key_CapsLock, 0x14},
    QtKeyPair{Qt::Key_NumLock, 0x90},     QtKeyPair{Qt::Key_ScrollLock, 0x91},
    QtKeyPair{Qt::Key_Space, 0x20},       QtKeyPair{Qt::Key_Exclam, 0x31},
    QtKeyPair{Qt::Key_At, 0x32},          QtKeyPair{Qt::Key_NumberSign, 0x33},
    QtKeyPair{Qt::Key_Dollar, 0x34},      QtKeyPair{Qt::Key_Percent, 0x35},
    QtKeyPair{Qt::Key_AsciiCircum, 0x36}, QtKeyPair{Qt::Key_Ampersand, 0x37},
    QtKeyPair{Qt::Key_Asterisk, 0x38},    QtKeyPair{Qt::Key_ParenLeft, 0x39},
    QtKeyPair{Qt::Key_ParenRight, 0x30},  QtKeyPair{Qt::Key_Semicolon, 0xBA},
    QtKeyPair{Qt::Key_Colon, 0xBA},       QtKeyPair{Qt::Key_Equal, 0xBB},
    QtKeyPair{Qt::Key_Plus, 0xBB},        QtKeyPair{Qt::Key_Comma, 0xBC},
    QtKeyPair{Qt::Key_Less, 0xBC},        QtKeyPair{Qt::Key_Minus, 0xBD},
    QtKeyPair{Qt::Key_Underscore, 0xBD},  QtKeyPair{Qt::Key_Period, 0xBE},
    QtKeyPair{Qt::Key_Greater, 0xBE},     QtKeyPair{Qt::Key_Slash, 0xBF},
    QtKeyPair{Qt::Key_Question, 0xBF},    QtKeyPair{Qt::Key_QuoteLeft, 0xC0},
    QtKeyPair{Qt::Key_AsciiTilde, 0xC0},  QtKeyPair{Qt::Key_BracketLeft, 0xDB},
    QtKeyPair{Qt::Key_BraceLeft, 0xDB},   QtKeyPair{Qt::Key_Backslash, 0xDC},
    QtKeyPair{Qt::Key_Bar, 0xDC},         QtKeyPair{Qt::Key_BracketRight, 0xDD},
    QtKeyPair{Qt::Key_BraceRight, 0xDD},  QtKeyPair{Qt::Key_Apostrophe, 0xDE},
    QtKeyPair{Qt::Key_QuoteDbl, 0xDE},    QtKeyPair{Qt::Key_VolumeDown, 0xAE},
    QtKeyPair{Qt::Key_VolumeUp, 0xAF},    QtKeyPair{Qt::Key_VolumeMute, 0xAD},
    QtKeyPair{Qt::Key_MediaTogglePlayPause, 0xB3}, QtKeyPair{Qt::Key_MediaPlay, 0xB3},
    QtKeyPair{Qt::Key_MediaNext, 0xB0},   QtKeyPair{Qt::Key_MediaPrevious, 0xB1},
    QtKeyPair{Qt::Key_MediaStop, 0xB2},   QtKeyPair{Qt::Key_LaunchMedia, 0xB5},
    // The media player key arrives as the configuration key (XF86Tools) on Linux.
    QtKeyPair{Qt::Key_Tools, 0xB5},
};

// Qt's keys when the keypad modifier says the key lies on the keypad.
constexpr std::array kQtKeypadKeys{
    QtKeyPair{Qt::Key_Insert, 0x60},   QtKeyPair{Qt::Key_End, 0x61},
    QtKeyPair{Qt::Key_Down, 0x62},     QtKeyPair{Qt::Key_PageDown, 0x63},
    QtKeyPair{Qt::Key_Left, 0x64},     QtKeyPair{Qt::Key_Clear, 0x65},
    QtKeyPair{Qt::Key_Right, 0x66},    QtKeyPair{Qt::Key_Home, 0x67},
    QtKeyPair{Qt::Key_Up, 0x68},       QtKeyPair{Qt::Key_PageUp, 0x69},
    QtKeyPair{Qt::Key_Asterisk, 0x6A}, QtKeyPair{Qt::Key_Plus, 0x6B},
    QtKeyPair{Qt::Key_Minus, 0x6D},    QtKeyPair{Qt::Key_Period, 0x6E},
    QtKeyPair{Qt::Key_Comma, 0x6E},    QtKeyPair{Qt::Key_Delete, 0x6E},
    QtKeyPair{Qt::Key_Slash, 0x6F},    QtKeyPair{Qt::Key_Enter, 0x6C},
    QtKeyPair{Qt::Key_Return, 0x6C},   QtKeyPair{Qt::Key_NumLock, 0x90},
};

template <typename Key, std::size_t N>
std::optional<std::uint8_t> Lookup(const std::array<std::pair<Key, std::uint8_t>, N>& table,
                                   Key key) {
    for (const auto& [from, to] : table) {
        if (from == key) {
            return to;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> FromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<std::uint8_t>((keypad ? 0x60 : 0x30) + (key - Qt::Key_0));
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::uint8_t>(key);  // the same letters
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::uint8_t>(0x70 + (key - Qt::Key_F1));
    }
    if (keypad) {
        if (const auto code = Lookup(kQtKeypadKeys, key)) {
            return code;
        }
    }
    return Lookup(kQtKeys, key);
}

std::optional<std::uint8_t> FromXkb(const QKeyEvent& event) {
    const quint32 scanCode = event.nativeScanCode();
    if (scanCode >= kXkbKeycodeOffset && scanCode - kXkbKeycodeOffset <= 0xFFFF) {
        if (const auto code =
                VirtualKeyFromInputCode(static_cast<std::uint16_t>(scanCode - kXkbKeycodeOffset))) {
            return code;
        }
    }
    return Lookup(kKeySymbols, event.nativeVirtualKey());
}

// Windows reports one virtual key for both keys of a pair and for the keypad's navigation keys
// with Num Lock off; the scan code and its extended flag tell them apart.
std::optional<std::uint8_t> FromWindows(const QKeyEvent& event) {
    const quint32 virtualKey = event.nativeVirtualKey();
    if (virtualKey == 0 || virtualKey > 0xFE) {
        return std::nullopt;
    }
    const quint32 scanCode = event.nativeScanCode();
    const bool extended = (scanCode & 0x100) != 0;
    constexpr quint32 kRightShiftScanCode = 0x36;
    switch (virtualKey) {
    case 0x10:  // VK_SHIFT
        return (scanCode & 0xFF) == kRightShiftScanCode ? 0xA1 : 0xA0;
    case 0x11:  // VK_CONTROL
        return extended ? 0xA3 : 0xA2;
    case 0x12:  // VK_MENU
        return extended ? 0xA5 : 0xA4;
    case 0x0D:  // VK_RETURN
        return extended ? 0x6C : 0x0D;
    default:
        break;
    }
    if (!extended) {
        // VK_INSERT, VK_END, VK_DOWN, VK_NEXT, VK_LEFT, VK_CLEAR, VK_RIGHT, VK_HOME, VK_UP,
        // VK_PRIOR, VK_DELETE without the extended flag: the keypad's 0..9 and its period.
        using Pair = std::pair<quint32, std::uint8_t>;
        constexpr std::array kKeypadNavigation{
            Pair{0x2D, 0x60}, Pair{0x23, 0x61}, Pair{0x28, 0x62}, Pair{0x22, 0x63},
            Pair{0x25, 0x64}, Pair{0x0C, 0x65}, Pair{0x27, 0x66}, Pair{0x24, 0x67},
            Pair{0x26, 0x68}, Pair{0x21, 0x69}, Pair{0x2E, 0x6E},
        };
        if (const auto code = Lookup(kKeypadNavigation, virtualKey)) {
            return code;
        }
    }
    return static_cast<std::uint8_t>(virtualKey);
}

}  // namespace

NativeKeyValues NativeKeyValuesOf(QStringView platformName) {
    if (platformName == u"xcb" || platformName.startsWith(u"wayland")) {
        return NativeKeyValues::Xkb;
    }
    if (platformName == u"windows") {
        return NativeKeyValues::Windows;
    }
    return NativeKeyValues::None;
}

std::optional<std::uint8_t> VirtualKeyOf(const QKeyEvent& event, NativeKeyValues native) {
    std::optional<std::uint8_t> code;
    if (native == NativeKeyValues::Xkb) {
        code = FromXkb(event);
    } else if (native == NativeKeyValues::Windows) {
        code = FromWindows(event);
    }
    return code ? code : FromQtKey(event.key(), event.modifiers());
}

std::optional<std::uint8_t> VirtualKeyOf(const QKeyEvent& event) {
    return VirtualKeyOf(event, NativeKeyValuesOf(QGuiApplication::platformName()));
}

}  // namespace solvane
