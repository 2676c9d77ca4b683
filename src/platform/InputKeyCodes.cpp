#include "platform/InputKeyCodes.h"

#include <linux/input-event-codes.h>

#include <array>
#include <utility>

namespace solvane {
namespace {

using Pair = std::pair<std::uint16_t, std::uint8_t>;

constexpr std::array kInputToVirtualKey{
    Pair{KEY_ESC, 0x1B},        Pair{KEY_1, 0x31},          Pair{KEY_2, 0x32},
    Pair{KEY_3, 0x33},          Pair{KEY_4, 0x34},          Pair{KEY_5, 0x35},
    Pair{KEY_6, 0x36},          Pair{KEY_7, 0x37},          Pair{KEY_8, 0x38},
    Pair{KEY_9, 0x39},          Pair{KEY_0, 0x30},          Pair{KEY_MINUS, 0xBD},
    Pair{KEY_EQUAL, 0xBB},      Pair{KEY_BACKSPACE, 0x08},  Pair{KEY_TAB, 0x09},
    Pair{KEY_Q, 'Q'},           Pair{KEY_W, 'W'},           Pair{KEY_E, 'E'},
    Pair{KEY_R, 'R'},           Pair{KEY_T, 'T'},           Pair{KEY_Y, 'Y'},
    Pair{KEY_U, 'U'},           Pair{KEY_I, 'I'},           Pair{KEY_O, 'O'},
    Pair{KEY_P, 'P'},           Pair{KEY_LEFTBRACE, 0xDB},  Pair{KEY_RIGHTBRACE, 0xDD},
    Pair{KEY_ENTER, 0x0D},      Pair{KEY_LEFTCTRL, 0xA2},   Pair{KEY_A, 'A'},
    Pair{KEY_S, 'S'},           Pair{KEY_D, 'D'},           Pair{KEY_F, 'F'},
    Pair{KEY_G, 'G'},           Pair{KEY_H, 'H'},           Pair{KEY_J, 'J'},
    Pair{KEY_K, 'K'},           Pair{KEY_L, 'L'},           Pair{KEY_SEMICOLON, 0xBA},
    Pair{KEY_APOSTROPHE, 0xDE}, Pair{KEY_GRAVE, 0xC0},      Pair{KEY_LEFTSHIFT, 0xA0},
    Pair{KEY_BACKSLASH, 0xDC},  Pair{KEY_Z, 'Z'},           Pair{KEY_X, 'X'},
    Pair{KEY_C, 'C'},           Pair{KEY_V, 'V'},           Pair{KEY_B, 'B'},
    Pair{KEY_N, 'N'},           Pair{KEY_M, 'M'},           Pair{KEY_COMMA, 0xBC},
    Pair{KEY_DOT, 0xBE},        Pair{KEY_SLASH, 0xBF},      Pair{KEY_RIGHTSHIFT, 0xA1},
    Pair{KEY_KPASTERISK, 0x6A}, Pair{KEY_LEFTALT, 0xA4},    Pair{KEY_SPACE, 0x20},
    Pair{KEY_CAPSLOCK, 0x14},   Pair{KEY_F1, 0x70},         Pair{KEY_F2, 0x71},
    Pair{KEY_F3, 0x72},         Pair{KEY_F4, 0x73},         Pair{KEY_F5, 0x74},
    Pair{KEY_F6, 0x75},         Pair{KEY_F7, 0x76},         Pair{KEY_F8, 0x77},
    Pair{KEY_F9, 0x78},         Pair{KEY_F10, 0x79},        Pair{KEY_NUMLOCK, 0x90},
    Pair{KEY_SCROLLLOCK, 0x91}, Pair{KEY_KP7, 0x67},        Pair{KEY_KP8, 0x68},
    Pair{KEY_KP9, 0x69},        Pair{KEY_KPMINUS, 0x6D},    Pair{KEY_KP4, 0x64},
    Pair{KEY_KP5, 0x65},        Pair{KEY_KP6, 0x66},        Pair{KEY_KPPLUS, 0x6B},
    Pair{KEY_KP1, 0x61},        Pair{KEY_KP2, 0x62},        Pair{KEY_KP3, 0x63},
    Pair{KEY_KP0, 0x60},        Pair{KEY_KPDOT, 0x6E},      Pair{KEY_102ND, 0xE2},
    Pair{KEY_F11, 0x7A},        Pair{KEY_F12, 0x7B},        Pair{KEY_KPENTER, 0x6C},
    Pair{KEY_RIGHTCTRL, 0xA3},  Pair{KEY_KPSLASH, 0x6F},    Pair{KEY_SYSRQ, 0x2C},
    Pair{KEY_RIGHTALT, 0xA5},   Pair{KEY_HOME, 0x24},       Pair{KEY_UP, 0x26},
    Pair{KEY_PAGEUP, 0x21},     Pair{KEY_LEFT, 0x25},       Pair{KEY_RIGHT, 0x27},
    Pair{KEY_END, 0x23},        Pair{KEY_DOWN, 0x28},       Pair{KEY_PAGEDOWN, 0x22},
    Pair{KEY_INSERT, 0x2D},     Pair{KEY_DELETE, 0x2E},     Pair{KEY_MUTE, 0xAD},
    Pair{KEY_VOLUMEDOWN, 0xAE}, Pair{KEY_VOLUMEUP, 0xAF},   Pair{KEY_PAUSE, 0x13},
    Pair{KEY_LEFTMETA, 0x5B},   Pair{KEY_RIGHTMETA, 0x5C},  Pair{KEY_COMPOSE, 0x5D},
    Pair{KEY_NEXTSONG, 0xB0},   Pair{KEY_PLAYPAUSE, 0xB3},  Pair{KEY_PREVIOUSSONG, 0xB1},
    Pair{KEY_STOPCD, 0xB2},     Pair{KEY_CONFIG, 0xB5},     Pair{KEY_MEDIA, 0xB5},
};

}  // namespace

std::optional<std::uint8_t> VirtualKeyFromInputCode(std::uint16_t inputCode) {
    for (const auto& [input, virtualKey] : kInputToVirtualKey) {
        if (input == inputCode) {
            return virtualKey;
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> InputCodeFromVirtualKey(std::uint8_t virtualKey) {
    for (const auto& [input, code] : kInputToVirtualKey) {
        if (code == virtualKey) {
            return input;
        }
    }
    return std::nullopt;
}

}  // namespace solvane
