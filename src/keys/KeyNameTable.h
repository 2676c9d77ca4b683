#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace solvane {

inline constexpr std::size_t kVirtualKeyCount = 256;
inline constexpr std::size_t kKeyNameUnits = 100;

// What a virtual-key code stands for on the keyboard and on screen.
struct KeyNameEntry {
    std::uint8_t code = 0;        // the entry's own index
    std::uint8_t deviceCode = 0;  // what the keyboard stores to produce the key; 0 = none
    std::array<char16_t, kKeyNameUnits> name{};  // zero-terminated; empty = none
};

namespace key_names_detail {

struct Listed {
    std::uint8_t code;
    std::uint8_t deviceCode;
    std::u16string_view name;
};

// The keys that follow no rule. Most names end in one blank; "0" and "Play/Pause" do not.
inline constexpr Listed kListed[] = {
    {0x08, 0x2A, u"Back "},   {0x09, 0x2B, u"Tab "},     {0x0D, 0x28, u"Enter "},
    {0x13, 0x48, u"Pause "},  {0x14, 0x39, u"Caps "},    {0x1B, 0x29, u"Esc "},
    {0x20, 0x2C, u"Space "},  {0x21, 0x4B, u"PgUp "},    {0x22, 0x4E, u"PgDn "},
    {0x23, 0x4D, u"End "},    {0x24, 0x4A, u"Home "},    {0x25, 0x50, u"Left "},
    {0x26, 0x52, u"Up "},     {0x27, 0x4F, u"Right "},   {0x28, 0x51, u"Down "},
    {0x2C, 0x46, u"Prscr "},  {0x2D, 0x49, u"Inst "},    {0x2E, 0x4C, u"Del "},
    {0x30, 0x27, u"0"},       {0x5B, 0xE3, u"LWin "},    {0x5C, 0xE7, u"RWin "},
    {0x5D, 0x65, u"Apps "},   {0x60, 0x62, u"0-num "},   {0x61, 0x59, u"1-num "},
    {0x62, 0x5A, u"2-num "},  {0x63, 0x5B, u"3-num "},   {0x64, 0x5C, u"4-num "},
    {0x65, 0x5D, u"5-num "},  {0x66, 0x5E, u"6-num "},   {0x67, 0x5F, u"7-num "},
    {0x68, 0x60, u"8-num "},  {0x69, 0x61, u"9-num "},   {0x6A, 0x55, u"* "},
    {0x6B, 0x57, u"+ "},      {0x6C, 0x58, u"Enter "},   {0x6D, 0x56, u"- "},
    {0x6E, 0x63, u". "},      {0x6F, 0x54, u"/ "},       {0x90, 0x53, u"Num "},
    {0x91, 0x47, u"Scrol "},  {0xA0, 0xE1, u"LShift "},  {0xA1, 0xE5, u"RShift "},
    {0xA2, 0xE0, u"LCtrl "},  {0xA3, 0xE4, u"RCtrl "},   {0xA4, 0xE2, u"LAlt "},
    {0xA5, 0xE6, u"RAlt "},   {0xAE, 0xEA, u"Volume DOWN "}, {0xAF, 0xE9, u"Volume UP "},
    {0xB3, 0xCD, u"Play/Pause"}, {0xB5, 0x83, u"Media "}, {0xBA, 0x33, u"; "},
    {0xBB, 0x2E, u"= "},      {0xBC, 0x36, u", "},       {0xBD, 0x2D, u"- "},
    {0xBE, 0x37, u". "},      {0xBF, 0x38, u"/ "},       {0xC0, 0x35, u"` "},
    {0xDB, 0x2F, u"[ "},      {0xDC, 0x32, u"\\ "},      {0xDD, 0x30, u"] "},
    {0xDE, 0x34, u"' "},      {0xF0, 0xF0, u"MsLB"},     {0xF1, 0xF1, u"MsRB"},
    {0xF2, 0xF2, u"MsMB"},    {0xF3, 0xF3, u""},         {0xF4, 0xF4, u""},
    {0xF5, 0xF5, u"Mouse Pointer Right"}, {0xF6, 0xF6, u"Mouse Pointer Up"},
    {0xF7, 0xF7, u"Mouse pointer Down"},  {0xF8, 0xF8, u"Mouse Wheel Up"},
    {0xF9, 0xF9, u"Mouse Wheel Down"},
};

constexpr void SetName(KeyNameEntry& entry, std::u16string_view name) {
    entry.name = {};
    for (std::size_t i = 0; i < name.size() && i + 1 < kKeyNameUnits; ++i) {
        entry.name[i] = name[i];
    }
}

}  // namespace key_names_detail

using KeyNames = std::array<KeyNameEntry, kVirtualKeyCount>;

// Virtual-key code -> device code and display name. Building it again gives the same table.
constexpr KeyNames BuildKeyNameTable() {
    using namespace key_names_detail;
    KeyNames table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        table[code].code = static_cast<std::uint8_t>(code);
    }
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        auto& entry = table[letter];
        entry.deviceCode = static_cast<std::uint8_t>(letter - 0x3D);
        const char16_t name[] = {letter, u' '};
        SetName(entry, {name, 2});
    }
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
        auto& entry = table[digit];
        entry.deviceCode = static_cast<std::uint8_t>(digit - 0x13);
        const char16_t name[] = {digit, u' '};
        SetName(entry, {name, 2});
    }
    for (std::uint8_t number = 1; number <= 12; ++number) {
        auto& entry = table[0x70 + number - 1];
        entry.deviceCode = static_cast<std::uint8_t>(entry.code - 0x36);
        char16_t name[4] = {u'F'};
        std::size_t length = 1;
        if (number >= 10) {
            name[length++] = static_cast<char16_t>(u'0' + number / 10);
        }
        name[length++] = static_cast<char16_t>(u'0' + number % 10);
        name[length++] = u' ';
        SetName(entry, {name, length});
    }
    for (const auto& listed : kListed) {
        table[listed.code].deviceCode = listed.deviceCode;
        SetName(table[listed.code], listed.name);
    }
    return table;
}

inline constexpr KeyNames KeyNameTable = BuildKeyNameTable();

// The display name of a virtual-key code; empty for codes the table does not list.
constexpr std::u16string_view KeyName(std::uint8_t code) {
    const auto& name = KeyNameTable[code].name;
    std::size_t length = 0;
    while (length < name.size() && name[length] != 0) {
        ++length;
    }
    return {name.data(), length};
}

// The only translation from the PC's key codes to the keyboard's: 0 for unlisted codes.
constexpr std::uint8_t DeviceCodeOf(std::uint8_t code) { return KeyNameTable[code].deviceCode; }

}  // namespace solvane
