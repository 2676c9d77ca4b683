#include <gtest/gtest.h>

#include <functional>

#include "macros/MacroEditBuffers.h"
#include "macros/MacroEventItems.h"
#include "MacroManagerFixture.h"

namespace solvane {
namespace {

using testing::Bytes;
using testing::Head;
using testing::KeyEvent;

MacroEditBuffers BuffersOf(std::vector<KeyEvent> events) {
    const MacroRecord record = testing::MakeRecord(u"m", std::move(events));
    return {record.deviceEvents, record.keyEvents};
}

BufferedEvent EventAt(const MacroEditBuffers& buffers, std::size_t index) {
    return BufferedEvents(buffers).at(index);
}

TEST(MacroEditBuffersTest, EditsChangeBothArraysAtTheSamePlace) {
    struct Case {
        const char* what;
        std::vector<KeyEvent> before;
        std::function<Status(MacroEditBuffers&)> edit;
        Bytes device;  // the first bytes after the edit; the rest must be zero
        Bytes keys;
    };
    const Case cases[] = {
        {"press into an empty macro", {},
         [](auto& b) { return InsertBufferedEvent(b, 0, 0x41, 1, false); },
         {0x01, 0x04}, {0x01, 0x41}},
        {"release with 50 ms between two events", {{false, 1, 0x41}, {false, 1, 0x42}},
         [](auto& b) { return InsertBufferedEvent(b, 2, 0x41, 50, true); },
         {0x01, 0x04, 0xB2, 0x04, 0x01, 0x05}, {0x01, 0x41, 0xB2, 0x41, 0x01, 0x42}},
        {"127 ms takes the long form", {{false, 1, 0x41}},
         [](auto& b) { return InsertBufferedEvent(b, 2, 0x42, 127, false); },
         {0x01, 0x04, 0x7F, 0x05, 0x00, 0x7F}, {0x01, 0x41, 0x7F, 0x42, 0x00, 0x7F}},
        {"remove a long-form event", {{false, 1, 0x41}, {false, 300, 0x42}, {true, 1, 0x42}},
         [](auto& b) { RemoveBufferedEvent(b, EventAt(b, 1)); return Status::Ok(); },
         {0x01, 0x04, 0x81, 0x05}, {0x01, 0x41, 0x81, 0x42}},
        {"delay 50 -> 300 grows the event", {{false, 1, 0x41}, {false, 50, 0x42}, {true, 1, 0x42}},
         [](auto& b) { return SetBufferedEventDelay(b, EventAt(b, 1), 300); },
         {0x01, 0x04, 0x7F, 0x05, 0x01, 0x2C, 0x81, 0x05}, {0x01, 0x41, 0x7F, 0x42, 0x01, 0x2C, 0x81, 0x42}},
        {"delay 300 -> 50 shrinks it again", {{false, 1, 0x41}, {false, 300, 0x42}, {true, 1, 0x42}},
         [](auto& b) { return SetBufferedEventDelay(b, EventAt(b, 1), 50); },
         {0x01, 0x04, 0x32, 0x05, 0x81, 0x05}, {0x01, 0x41, 0x32, 0x42, 0x81, 0x42}},
        {"126 ms stays short", {{false, 1, 0x41}, {true, 200, 0x41}},
         [](auto& b) { return SetBufferedEventDelay(b, EventAt(b, 1), 126); },
         {0x01, 0x04, 0xFE, 0x04}, {0x01, 0x41, 0xFE, 0x41}},
        // A long-form first event loses its delay bytes, not only its delay bits.
        {"first-delay rule on a long form", {{true, 2000, 0x41}, {false, 1, 0x42}},
         [](auto& b) { ApplyFirstDelayRule(b); return Status::Ok(); },
         {0x81, 0x04, 0x01, 0x05}, {0x81, 0x41, 0x01, 0x42}},
    };
    for (const auto& c : cases) {
        MacroEditBuffers buffers = BuffersOf(c.before);
        ASSERT_TRUE(c.edit(buffers)) << c.what;
        Bytes device = c.device;
        device.resize(kMacroEventBytes, 0);
        Bytes keys = c.keys;
        keys.resize(kMacroEventBytes, 0);
        EXPECT_EQ(Bytes(buffers.deviceEvents.begin(), buffers.deviceEvents.end()), device) << c.what;
        EXPECT_EQ(Bytes(buffers.keyEvents.begin(), buffers.keyEvents.end()), keys) << c.what;
    }
}

TEST(MacroEditBuffersTest, NothingIsEverWrittenPastTheBuffersOrHalfAnEvent) {
    // 94 short events leave two bytes: one more short event fits, a long one does not.
    MacroEditBuffers buffers = BuffersOf(std::vector<KeyEvent>(94, {false, 1, 0x41}));
    ASSERT_EQ(EventsEnd(buffers), 188u);
    const MacroEditBuffers nearlyFull = buffers;
    EXPECT_EQ(InsertBufferedEvent(buffers, 188, 0x42, 300, false).code(), ErrorCode::InvalidArgument);
    EXPECT_EQ(buffers, nearlyFull);

    ASSERT_TRUE(InsertBufferedEvent(buffers, 0, 0x42, 1, true));
    EXPECT_EQ(EventsEnd(buffers), 190u);
    EXPECT_EQ(BufferedEvents(buffers).size(), 95u);
    EXPECT_EQ(Head(buffers.keyEvents, 4), (Bytes{0x81, 0x42, 0x01, 0x41}));
    const MacroEditBuffers full = buffers;
    EXPECT_FALSE(InsertBufferedEvent(buffers, 0, 0x42, 1, false));
    EXPECT_FALSE(SetBufferedEventDelay(buffers, EventAt(buffers, 5), 300));  // would need 2 more
    EXPECT_EQ(buffers, full);
    ASSERT_TRUE(SetBufferedEventDelay(buffers, EventAt(buffers, 5), 126));
}

TEST(MacroEditBuffersTest, KeysWithoutADeviceCodeAreRefused) {
    MacroEditBuffers buffers;
    ASSERT_EQ(DeviceCodeOf(0x0A), 0);
    EXPECT_FALSE(InsertBufferedEvent(buffers, 0, 0x0A, 1, false));
    EXPECT_EQ(buffers, MacroEditBuffers{});
}

TEST(MacroEditBuffersTest, TheWalkEndsAtAZeroCodeOrACutOffLongForm) {
    MacroEditBuffers buffers = BuffersOf(std::vector<KeyEvent>(94, {false, 1, 0x41}));
    buffers.deviceEvents[188] = buffers.keyEvents[188] = 0x7F;  // a long form with no room
    buffers.deviceEvents[189] = 0x05;
    EXPECT_EQ(BufferedEvents(buffers).size(), 94u);

    buffers.deviceEvents[3] = 0;  // the keyboard stops at the second event
    EXPECT_EQ(BufferedEvents(buffers).size(), 1u);
    EXPECT_EQ(EventsEnd(buffers), 2u);
}

TEST(MacroEventItemsTest, OneRuleForShowingAndCountingDelayItems) {
    struct Case {
        std::vector<KeyEvent> events;
        std::vector<std::u16string> items;
    };
    const Case cases[] = {
        {{{false, 1, 0x41}, {true, 1, 0x41}}, {u"A  dn", u"A  up"}},
        {{{false, 1, 0x41}, {true, 50, 0x41}, {false, 2500, 0xA0}},
         {u"A  dn", u"50 ms", u"A  up", u"2500 ms", u"LShift  dn"}},
        // A first press never shows its delay; a first release does.
        {{{false, 80, 0x41}, {true, 1, 0x41}}, {u"A  dn", u"A  up"}},
        {{{true, 80, 0x41}}, {u"80 ms", u"A  up"}},
        // A stored 0 ms shows as what it is, and counts as an item.
        {{{false, 1, 0x41}, {true, 0, 0x41}}, {u"A  dn", u"0 ms", u"A  up"}},
        {{{false, 1, 0xF0}, {true, 1, 0xF0}}, {u"MsLB dn", u"MsLB up"}},
    };
    for (const auto& c : cases) {
        const auto events = BufferedEvents(BuffersOf(c.events));
        const auto items = EventItemsOf(events);
        std::vector<std::u16string> texts;
        for (const auto& item : items) {
            texts.push_back(item.text);
            EXPECT_EQ(item.delay, item.text.ends_with(u" ms"));
        }
        EXPECT_EQ(texts, c.items);
        EXPECT_EQ(FirstItemOf(items, events.size()), items.size());
    }
}

}  // namespace
}  // namespace solvane
