#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace solvane {

inline constexpr std::size_t kKeySlotCount = 108;
inline constexpr std::uint8_t kNoSlot = 255;  // no key chosen
inline constexpr std::size_t kKeyMapRows = 6;

// One key of the full-size layout. The key map entry that holds its device code (and its enable
// bit) is addressed by column and row: entry = 6 * column + row.
struct KeySlot {
    std::uint8_t defaultCode;  // virtual-key code the key produces when nothing is assigned
    std::uint8_t column;
    std::uint8_t row;          // 0 = the space bar's row ... 5 = the row of Esc
    const char* label;         // a plain description; the display name is KeyName(defaultCode)

    constexpr std::uint8_t entry() const {
        return static_cast<std::uint8_t>(kKeyMapRows * column + row);
    }
};

// clang-format off
inline constexpr std::array<KeySlot, kKeySlotCount> KeySlotTable{{
    {0x1B, 0, 5, "Esc"}, {0x70, 2, 5, "F1"}, {0x71, 3, 5, "F2"}, {0x72, 4, 5, "F3"},
    {0x73, 5, 5, "F4"}, {0x74, 6, 5, "F5"}, {0x75, 7, 5, "F6"}, {0x76, 8, 5, "F7"},
    {0x77, 9, 5, "F8"}, {0x78, 10, 5, "F9"}, {0x79, 11, 5, "F10"}, {0x7A, 12, 5, "F11"},
    {0x7B, 13, 5, "F12"}, {0x2C, 14, 5, "Print Screen"}, {0x91, 15, 5, "Scroll Lock"},
    {0x13, 16, 5, "Pause"}, {0xAE, 17, 5, "Volume down"}, {0xB5, 18, 5, "Media player"},
    {0xB3, 19, 5, "Play/Pause"}, {0xAF, 20, 5, "Volume up"},
    // 20: the number row
    {0xC0, 0, 4, "backquote"}, {0x31, 1, 4, "1"}, {0x32, 2, 4, "2"}, {0x33, 3, 4, "3"},
    {0x34, 4, 4, "4"}, {0x35, 5, 4, "5"}, {0x36, 6, 4, "6"}, {0x37, 7, 4, "7"},
    {0x38, 8, 4, "8"}, {0x39, 9, 4, "9"}, {0x30, 10, 4, "0"}, {0xBD, 11, 4, "minus"},
    {0xBB, 12, 4, "equals"}, {0x08, 13, 4, "Backspace"}, {0x2D, 14, 4, "Insert"},
    {0x24, 15, 4, "Home"}, {0x21, 16, 4, "Page Up"}, {0x90, 17, 4, "Num Lock"},
    {0x6F, 18, 4, "keypad slash"}, {0x6A, 19, 4, "keypad asterisk"}, {0x6D, 20, 4, "keypad minus"},
    // 41: the row of Tab
    {0x09, 0, 3, "Tab"}, {0x51, 1, 3, "Q"}, {0x57, 2, 3, "W"}, {0x45, 3, 3, "E"},
    {0x52, 4, 3, "R"}, {0x54, 5, 3, "T"}, {0x59, 6, 3, "Y"}, {0x55, 7, 3, "U"},
    {0x49, 8, 3, "I"}, {0x4F, 9, 3, "O"}, {0x50, 10, 3, "P"}, {0xDB, 11, 3, "left bracket"},
    {0xDD, 12, 3, "right bracket"}, {0xDC, 13, 3, "backslash"}, {0x2E, 14, 3, "Delete"},
    {0x23, 15, 3, "End"}, {0x22, 16, 3, "Page Down"}, {0x67, 17, 3, "keypad 7"},
    {0x68, 18, 3, "keypad 8"}, {0x69, 19, 3, "keypad 9"}, {0x6B, 20, 2, "keypad plus"},
    // 62: the row of Caps Lock
    {0x14, 0, 2, "Caps Lock"}, {0x41, 1, 2, "A"}, {0x53, 2, 2, "S"}, {0x44, 3, 2, "D"},
    {0x46, 4, 2, "F"}, {0x47, 5, 2, "G"}, {0x48, 6, 2, "H"}, {0x4A, 7, 2, "J"},
    {0x4B, 8, 2, "K"}, {0x4C, 9, 2, "L"}, {0xBA, 10, 2, "semicolon"}, {0xDE, 11, 2, "quote"},
    {0x0D, 13, 2, "Enter"}, {0x64, 17, 2, "keypad 4"}, {0x65, 18, 2, "keypad 5"},
    {0x66, 19, 2, "keypad 6"},
    // 78: the row of the left Shift
    {0xA0, 0, 1, "left Shift"}, {0x5A, 1, 1, "Z"}, {0x58, 2, 1, "X"}, {0x43, 3, 1, "C"},
    {0x56, 4, 1, "V"}, {0x42, 5, 1, "B"}, {0x4E, 6, 1, "N"}, {0x4D, 7, 1, "M"},
    {0xBC, 8, 1, "comma"}, {0xBE, 9, 1, "period"}, {0xBF, 10, 1, "slash"},
    {0xA1, 12, 1, "right Shift"}, {0x26, 15, 1, "Up arrow"}, {0x61, 17, 1, "keypad 1"},
    {0x62, 18, 1, "keypad 2"}, {0x63, 19, 1, "keypad 3"}, {0x6C, 20, 0, "keypad Enter"},
    // 95: the row of the space bar
    {0xA2, 0, 0, "left Ctrl"}, {0x5B, 1, 0, "left Windows"}, {0xA4, 2, 0, "left Alt"},
    {0x20, 5, 0, "Space"}, {0xA5, 9, 0, "right Alt"}, {0x5D, 11, 0, "key right of right Alt"},
    {0x5D, 11, 0, "Application"}, {0xA3, 13, 0, "right Ctrl"}, {0x25, 14, 0, "Left arrow"},
    {0x28, 15, 0, "Down arrow"}, {0x27, 16, 0, "Right arrow"}, {0x60, 17, 0, "keypad 0"},
    {0x6E, 19, 0, "keypad period"},
}};
// clang-format on

// The left Windows key: the Windows-key lock drives its enable bit, so it is never offered for
// assignment and never drawn as changed.
inline constexpr std::uint8_t kLeftWindowsSlot = 96;
// Drawn between the right Alt and the application key, but it shares the application key's
// entry (66): never offered for assignment and never marked.
inline constexpr std::uint8_t kSharedApplicationSlot = 100;
inline constexpr std::uint8_t kApplicationSlot = 101;

// Whether the keyboard picture has a rectangle for the slot. The numeric keypad, Num Lock and
// the media keys have none; this keyboard has the other 87.
constexpr bool HasKeyOnPicture(std::size_t slot) {
    if (slot >= kKeySlotCount) {
        return false;
    }
    const bool withoutRectangle = (slot >= 16 && slot <= 19) || (slot >= 37 && slot <= 40) ||
                                  (slot >= 58 && slot <= 61) || (slot >= 75 && slot <= 77) ||
                                  (slot >= 91 && slot <= 94) || slot == 106 || slot == 107;
    return !withoutRectangle;
}

// Whether a click on the slot opens the key assignment dialog.
constexpr bool IsOfferedForAssignment(std::size_t slot) {
    return HasKeyOnPicture(slot) && slot != kLeftWindowsSlot && slot != kSharedApplicationSlot;
}

// Whether the main window may draw the slot as changed: the keys the user can change.
constexpr bool IsMarkShown(std::size_t slot) { return IsOfferedForAssignment(slot); }

}  // namespace solvane
