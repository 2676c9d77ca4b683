#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "keys/FunctionCodeTable.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyNameTable.h"
#include "keys/KeySlotTable.h"

namespace solvane {
namespace {

TEST(KeyNameTableTest, NamesAndDeviceCodes) {
    struct Case {
        std::uint8_t code;
        std::uint8_t device;
        std::u16string_view name;
    };
    const Case cases[] = {
        {0x41, 0x04, u"A "},        {0x5A, 0x1D, u"Z "},       {0x31, 0x1E, u"1 "},
        {0x39, 0x26, u"9 "},        {0x30, 0x27, u"0"},        {0x70, 0x3A, u"F1 "},
        {0x79, 0x43, u"F10 "},      {0x7B, 0x45, u"F12 "},     {0x1B, 0x29, u"Esc "},
        {0xDC, 0x32, u"\\ "},       {0xB3, 0xCD, u"Play/Pause"}, {0xB5, 0x83, u"Media "},
        {0x6C, 0x58, u"Enter "},    {0x0D, 0x28, u"Enter "},   {0xF0, 0xF0, u"MsLB"},
        {0xF3, 0xF3, u""},          {0xF4, 0xF4, u""},         {0xF7, 0xF7, u"Mouse pointer Down"},
        {0x10, 0x00, u""},          {0x00, 0x00, u""},         {0xFF, 0x00, u""},
        {0x7C, 0x00, u""},  // F13 is not listed
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeviceCodeOf(c.code), c.device) << int(c.code);
        EXPECT_EQ(KeyName(c.code), c.name) << int(c.code);
        EXPECT_EQ(KeyNameTable[c.code].code, c.code);
    }
}

TEST(KeyNameTableTest, BuildingAgainGivesTheSameTable) {
    const auto again = BuildKeyNameTable();
    for (std::size_t code = 0; code < kVirtualKeyCount; ++code) {
        EXPECT_EQ(again[code].deviceCode, KeyNameTable[code].deviceCode);
        EXPECT_EQ(again[code].name, KeyNameTable[code].name);
    }
}

TEST(KeySlotTableTest, DefaultCodesAndEntries) {
    struct Case {
        std::size_t slot;
        std::uint8_t defaultCode;
        std::uint8_t entry;
    };
    const Case cases[] = {
        {0, 0x1B, 5},    {16, 0xAE, 107}, {31, 0xBD, 70},  {40, 0x6D, 124}, {54, 0xDC, 81},
        {57, 0x22, 99},  {61, 0x6B, 122}, {94, 0x6C, 120}, {96, 0x5B, 6},   {100, 0x5D, 66},
        {101, 0x5D, 66}, {104, 0x28, 90}, {107, 0x6E, 114},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeySlotTable[c.slot].defaultCode, c.defaultCode) << c.slot;
        EXPECT_EQ(KeySlotTable[c.slot].entry(), c.entry) << c.slot;
    }
}

TEST(KeySlotTableTest, TwentyOneEntriesAreUnused) {
    std::set<int> used;
    for (const auto& slot : KeySlotTable) {
        used.insert(slot.entry());
    }
    std::set<int> unused;
    for (int entry = 0; entry < 128; ++entry) {
        if (!used.contains(entry)) {
            unused.insert(entry);
        }
    }
    EXPECT_EQ(unused, (std::set<int>{11, 18, 24, 36, 42, 48, 60, 67, 72, 74, 79, 85, 86, 92, 97,
                                     98, 108, 121, 123, 126, 127}));
}

TEST(KeySlotTableTest, StandingOfTheSlots) {
    int onPicture = 0;
    int offered = 0;
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        onPicture += HasKeyOnPicture(slot);
        offered += IsOfferedForAssignment(slot);
    }
    EXPECT_EQ(onPicture, 87);
    EXPECT_EQ(offered, 85);
    for (std::size_t slot : {16u, 19u, 37u, 40u, 58u, 61u, 75u, 77u, 91u, 94u, 106u, 107u}) {
        EXPECT_FALSE(HasKeyOnPicture(slot)) << slot;
    }
    for (std::size_t slot : {96u, 100u}) {
        EXPECT_TRUE(HasKeyOnPicture(slot));
        EXPECT_FALSE(IsOfferedForAssignment(slot));
        EXPECT_FALSE(IsMarkShown(slot));
    }
    EXPECT_TRUE(IsOfferedForAssignment(101));
    EXPECT_FALSE(HasKeyOnPicture(108));
}

std::array<std::uint8_t, 4> Entry(std::size_t index) {
    return ReadKeyMapEntry(FactoryKeyMap, index).bytes;
}

TEST(FactoryKeyMapTest, PlainKeysMediaKeysAndExceptions) {
    using Bytes = std::array<std::uint8_t, 4>;
    struct Case {
        std::size_t entry;
        Bytes bytes;
    };
    const Case cases[] = {
        {5, {0, 0, 0x29, 0}},     // Esc
        {8, {0, 0, 0x04, 0}},     // A
        {81, {0, 0, 0x31, 0}},    // backslash: not DeviceCodeOf(0xDC)
        {107, {3, 0, 0xEA, 0}},   // volume down
        {113, {3, 0, 0x83, 1}},   // media player
        {119, {3, 0, 0xCD, 0}},   // play/pause
        {125, {3, 0, 0xE9, 0}},   // volume up
        {66, {0, 0, 0x65, 0}},    // application key, shared by slots 100 and 101
        {6, {0, 0, 0xE3, 0}},     // left Windows
        {11, {0, 0, 0x32, 0}},    {18, {0, 0, 0x91, 0}},    {48, {0, 0, 0x90, 0}},
        {60, {2, 0, 0, 0}},       {79, {0, 0, 0x28, 0}},    {126, {0, 0xE0, 0, 0}},
        {127, {0, 0xE1, 0, 0}},   {24, {0, 0, 0, 0}},       {121, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Entry(c.entry), c.bytes) << c.entry;
    }
    // Every other slot: its own default code as a plain key.
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        if (slot == 54 || (slot >= 16 && slot <= 19)) {
            continue;
        }
        EXPECT_EQ(Entry(KeySlotTable[slot].entry()),
                  (Bytes{0, 0, DeviceCodeOf(KeySlotTable[slot].defaultCode), 0}))
            << slot;
    }
}

TEST(KeyEnableBitmapTest, BitsBySlot) {
    struct Case {
        std::size_t slot;
        std::size_t byte;
        std::uint8_t bit;
    };
    const Case cases[] = {
        {0, 0, 0x20},    // entry 5
        {95, 0, 0x01},   // entry 0
        {96, 1, 0x01},   // entry 6: the bit of the Windows-key lock
        {74, 13, 0x04},  // entry 80
        {19, 20, 0x20},  // entry 125
        {94, 20, 0x01},  // entry 120
    };
    for (const auto& c : cases) {
        DeviceImage image;
        std::ranges::fill(image.keyEnableBitmap(), 0xFF);
        EXPECT_TRUE(IsKeyEnabled(image, c.slot));
        SetKeyEnabled(image, c.slot, false);
        EXPECT_FALSE(IsKeyEnabled(image, c.slot));
        for (std::size_t byte = 0; byte < image::kKeyEnableBitmapSize; ++byte) {
            EXPECT_EQ(image.keyEnableBitmap()[byte], byte == c.byte ? 0xFF & ~c.bit : 0xFF)
                << c.slot << " byte " << byte;
        }
        SetKeyEnabled(image, c.slot, true);
        EXPECT_TRUE(std::ranges::all_of(image.keyEnableBitmap(), [](auto b) { return b == 0xFF; }));
    }
    DeviceImage image;
    EXPECT_THROW(IsKeyEnabled(image, kKeySlotCount), std::out_of_range);
}

TEST(FunctionCodeTableTest, LookupByNameAndByEntry) {
    EXPECT_EQ(FindFunctionByName(u"暂停")->entry, (KeyMapEntry{{3, 0, 0xB7, 0}}));
    EXPECT_EQ(FindFunctionByName(u"停止-播放")->entry, (KeyMapEntry{{3, 0, 0xCD, 0}}));
    EXPECT_EQ(FindFunctionByName(u"任务管理器")->entry, (KeyMapEntry{{0, 0xE0, 0xE2, 0x4C}}));
    EXPECT_EQ(FindFunctionByName(u"多媒体"), nullptr);  // a tree parent, not a function
    EXPECT_EQ(FindFunctionByName(u""), nullptr);
    for (const auto& function : FunctionCodeTable) {
        EXPECT_EQ(FindFunctionByEntry(function.entry), &function);
    }
}

}  // namespace
}  // namespace solvane
