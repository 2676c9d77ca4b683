#include <gtest/gtest.h>

#include <algorithm>

#include "macros/MacroEvents.h"

namespace solvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encoded(const MacroEvent& event) {
    const auto encoded = EncodeMacroEvent(event);
    return {encoded.view().begin(), encoded.view().end()};
}

TEST(MacroEventsTest, ShortAndLongForm) {
    struct Case {
        MacroEvent event;
        Bytes bytes;
    };
    const Case cases[] = {
        {{false, 1, 0x04}, {0x01, 0x04}},              // the first event of every macro
        {{true, 1, 0x04}, {0x81, 0x04}},
        {{true, 50, 0x04}, {0xB2, 0x04}},
        {{false, 0, 0xF0}, {0x00, 0xF0}},
        {{false, 126, 0x04}, {0x7E, 0x04}},            // the longest short delay
        {{false, 127, 0x04}, {0x7F, 0x04, 0x00, 0x7F}},
        {{true, 300, 0xE1}, {0xFF, 0xE1, 0x01, 0x2C}},
        {{false, 60000, 0x29}, {0x7F, 0x29, 0xEA, 0x60}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encoded(c.event), c.bytes) << c.event.delayMs;
        std::array<std::uint8_t, kMacroEventBytes> array{};
        std::ranges::copy(c.bytes, array.begin());
        const auto decoded = DecodeMacroEvents(array);
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_EQ(decoded[0], c.event);
    }
}

TEST(MacroEventsTest, ListsEndAtAZeroKeyCodeOrAtTheEndOfTheArray) {
    std::array<std::uint8_t, kMacroEventBytes> events{};
    const MacroEvent list[] = {{false, 1, 0x04}, {false, 200, 0x05}, {true, 3, 0x05}, {true, 2, 0x04}};
    ASSERT_TRUE(EncodeMacroEvents(list, events));
    EXPECT_EQ(DecodeMacroEvents(events), std::vector<MacroEvent>(std::begin(list), std::end(list)));
    const Bytes head(events.begin(), events.begin() + 12);
    EXPECT_EQ(head, (Bytes{0x01, 0x04, 0x7F, 0x05, 0x00, 0xC8, 0x83, 0x05, 0x82, 0x04, 0, 0}));

    // 95 short events fill the array without a terminator.
    std::vector<MacroEvent> full(95, MacroEvent{false, 1, 0x04});
    ASSERT_TRUE(EncodeMacroEvents(full, events));
    EXPECT_EQ(DecodeMacroEvents(events).size(), 95u);

    // A long form cut off by the end of the array is not an event.
    std::vector<MacroEvent> nearlyFull(94, MacroEvent{false, 1, 0x04});
    ASSERT_TRUE(EncodeMacroEvents(nearlyFull, events));
    events[188] = 0x7F;
    events[189] = 0x04;
    EXPECT_EQ(DecodeMacroEvents(events).size(), 94u);
    std::array<std::uint8_t, 3> cut{0x7F, 0x04, 0x00};
    EXPECT_FALSE(DecodeMacroEvent(cut, 0));
}

TEST(MacroEventsTest, RefusedListsLeaveTheArrayAlone) {
    std::array<std::uint8_t, kMacroEventBytes> events{};
    events[0] = 0x55;
    const std::vector<std::vector<MacroEvent>> refused = {
        std::vector<MacroEvent>(96, MacroEvent{false, 1, 0x04}),      // 192 bytes
        std::vector<MacroEvent>(48, MacroEvent{false, 500, 0x04}),    // 192 bytes
        {{false, 1, 0x04}, {false, 1, 0x00}},                        // no key
        {{false, 60001, 0x04}},
    };
    for (const auto& list : refused) {
        EXPECT_EQ(EncodeMacroEvents(list, events).code(), ErrorCode::InvalidArgument);
        EXPECT_EQ(events[0], 0x55);
    }
}

}  // namespace
}  // namespace solvane
