// Recording hooked keys into the selected macro, insertion mode and the event list's edits.
#include <functional>

#include "MacroManagerFixture.h"
#include "macros/MacroManagerText.h"

namespace solvane {
namespace {

using testing::Bytes;
using testing::KeyEvent;
using testing::MakeRecord;
using testing::MacroManagerTest;
using namespace macro_menu;

constexpr std::uint8_t A = 0x41, B = 0x42, C = 0x43;
using Texts = std::vector<std::string>;

// An event array: `head` and zeros after it.
std::array<std::uint8_t, kMacroEventBytes> EventArray(const Bytes& head) {
    std::array<std::uint8_t, kMacroEventBytes> events{};
    std::copy(head.begin(), head.end(), events.begin());
    return events;
}

// One hooked key after `waitMs`.
struct Step {
    int waitMs;
    std::uint8_t key;
    bool release;
    HookKeyOutcome outcome;
};

class MacroRecordingTest : public MacroManagerTest {
protected:
    void Play(const std::vector<Step>& steps) {
        for (const auto& step : steps) {
            Advance(step.waitMs);
            EXPECT_EQ(manager.OnHookKey(step.key, step.release), step.outcome)
                << "key " << int(step.key) << " after " << step.waitMs << " ms";
        }
    }
    // A dn, A up, B dn without delays (device codes 04 and 05), `selected` item selected.
    void OpenThreeEvents(std::optional<std::size_t> selected) {
        Open({MakeRecord(u"m", {{false, 1, A}, {true, 1, A}, {false, 1, B}})});
        manager.SelectEventItem(selected);
    }
    void ExpectStored() {
        EXPECT_EQ(Working(0).deviceEvents, manager.editBuffers().deviceEvents);
        EXPECT_EQ(Working(0).keyEvents, manager.editBuffers().keyEvents);
    }
};

constexpr auto Appended = HookKeyOutcome::Appended;

TEST_F(MacroRecordingTest, RecordingWithoutDelaysGivesKeyItemsOnly) {
    Open({MakeRecord(u"m", {{false, 1, C}})});
    StartRecording(false);
    EXPECT_TRUE(manager.eventItems().empty());  // the record button clears the macro
    EXPECT_EQ(Working(0).deviceEvents, (std::array<std::uint8_t, kMacroEventBytes>{}));
    Play({{0, A, false, Appended}, {300, A, true, Appended}, {500, B, false, Appended}, {90, B, true, Appended}});
    EXPECT_EQ(Items(), (Texts{"A  dn", "A  up", "B  dn", "B  up"}));
    EXPECT_EQ(DeviceBytes(9), (Bytes{0x01, 0x04, 0x81, 0x04, 0x01, 0x05, 0x81, 0x05, 0}));
    EXPECT_EQ(KeyBytes(8), (Bytes{0x01, A, 0x81, A, 0x01, B, 0x81, B}));
    EXPECT_EQ(manager.selectedEventItem(), 3u);
    EXPECT_EQ(Utf16ToUtf8(manager.lastEventText()), "B  up");
    ExpectStored();
    EXPECT_EQ(Working(0).flags, 0);
    EXPECT_EQ(MacroName(Working(0)), u"m");
}

TEST_F(MacroRecordingTest, RecordingWithDelaysMeasuresTheTimeBetweenEvents) {
    Open({MakeRecord(u"m")});
    StartRecording(true);
    Play({
        {5000, A, false, Appended},  // the first event never waits
        {50, A, true, Appended},
        {2500, B, false, Appended},  // long form
        {0, B, true, Appended},      // same millisecond: stored as 1 ms, no delay item
        {61000, C, false, Appended}, // held to 60,000 ms
        {1, C, true, Appended},
    });
    EXPECT_EQ(Items(), (Texts{"A  dn", "50 ms", "A  up", "2500 ms", "B  dn", "B  up", "60000 ms", "C  dn", "C  up"}));
    EXPECT_EQ(DeviceBytes(18), (Bytes{0x01, 0x04, 0xB2, 0x04, 0x7F, 0x05, 0x09, 0xC4, 0x81, 0x05, 0x7F, 0x06,
                                      0xEA, 0x60, 0x81, 0x06, 0, 0}));
    EXPECT_EQ(manager.appendPos(), 16u);
    ExpectStored();
    EXPECT_EQ(Working(0).flags, macro_record::kFlagRecordDelays);
}

TEST_F(MacroRecordingTest, AHeldKeyGivesOneItemAndItsReleaseCountsFromTheLastRepeat) {
    Open({MakeRecord(u"m")});
    StartRecording(true);
    Play({{0, A, false, Appended},
          {500, A, false, HookKeyOutcome::Repeat},
          {33, A, false, HookKeyOutcome::Repeat},
          {40, A, true, Appended}});
    EXPECT_EQ(Items(), (Texts{"A  dn", "40 ms", "A  up"}));
    EXPECT_EQ(DeviceBytes(4), (Bytes{0x01, 0x04, 0xA8, 0x04}));
}

TEST_F(MacroRecordingTest, KeysTheKeyboardCannotPlayAreLeftOut) {
    Open({MakeRecord(u"m")});
    StartRecording(true);
    ASSERT_EQ(DeviceCodeOf(0x0A), 0);
    Play({{0, A, false, Appended},
          {100, 0x0A, false, HookKeyOutcome::NotRecordable},
          {100, 0x0A, true, HookKeyOutcome::NotRecordable},
          {100, A, true, Appended}});
    EXPECT_EQ(Items(), (Texts{"A  dn", "300 ms", "A  up"}));
}

TEST_F(MacroRecordingTest, AFullMacroRefusesWholeEventsAndStopsRecording) {
    struct Case {
        bool withDelays;
        std::size_t shortEvents;  // recorded 1 ms apart first
        int lastWaitMs;
        std::size_t endAfter;
    };
    // 95 short events fill all 190 bytes; with 94 the two bytes left cannot take a long form.
    for (const Case c : {Case{false, 95, 1, 190}, Case{true, 94, 300, 188}}) {
        Open({MakeRecord(u"m")});
        host.messages.clear();
        StartRecording(c.withDelays);
        for (std::size_t i = 0; i < c.shortEvents; ++i) {
            Play({{1, A, i % 2 == 1, Appended}});
        }
        Play({{c.lastWaitMs, A, c.shortEvents % 2 == 1, HookKeyOutcome::Full}});
        EXPECT_EQ(manager.appendPos(), c.endAfter);
        EXPECT_EQ(manager.eventItems().size(), c.shortEvents);
        EXPECT_FALSE(manager.recording());
        EXPECT_FALSE(manager.hookActive());
        EXPECT_FALSE(host.hooked);
        EXPECT_EQ(host.messages, (std::vector<std::string>{std::string(macro_text::kMacroFull)}));
        ExpectStored();
    }
}

TEST_F(MacroRecordingTest, SelectingAnotherMacroKeepsRecordingIntoIt) {
    Open({MakeRecord(u"a"), MakeRecord(u"b", {{false, 1, B}, {true, 1, B}})});
    StartRecording(false);
    Play({{0, A, false, Appended}});
    manager.SelectMacro(1);
    EXPECT_TRUE(manager.recording());
    Play({{10, C, false, Appended}});
    EXPECT_EQ(Items(), (Texts{"B  dn", "B  up", "C  dn"}));
    EXPECT_EQ(Working(1).deviceEvents[5], 0x06);
    EXPECT_EQ(Working(0).deviceEvents[1], 0x04);
}

TEST_F(MacroRecordingTest, MouseInsertionsFollowTheSelectedEvent) {
    struct Case {
        int command;
        Texts inserted;
        Bytes bytes;
    };
    const Case cases[] = {
        {ID_MACRO_LEFT_DOWN, {"MsLB dn"}, {0x01, 0xF0}},
        {ID_MACRO_LEFT_UP, {"MsLB up"}, {0x81, 0xF0}},
        {ID_MACRO_LEFT_CLICK, {"MsLB dn", "MsLB up"}, {0x01, 0xF0, 0x81, 0xF0}},
        {ID_MACRO_RIGHT_DOWN, {"MsRB dn"}, {0x01, 0xF1}},
        {ID_MACRO_RIGHT_UP, {"MsRB up"}, {0x81, 0xF1}},
        {ID_MACRO_RIGHT_CLICK, {"MsRB dn", "MsRB up"}, {0x01, 0xF1, 0x81, 0xF1}},
        {ID_MACRO_MIDDLE_DOWN, {"MsMB dn"}, {0x01, 0xF2}},
        {ID_MACRO_MIDDLE_UP, {"MsMB up"}, {0x81, 0xF2}},
        {ID_MACRO_MIDDLE_CLICK, {"MsMB dn", "MsMB up"}, {0x01, 0xF2, 0x81, 0xF2}},
    };
    for (const auto& c : cases) {
        OpenThreeEvents(1);  // "A  up"
        ASSERT_TRUE(manager.RunMenuCommand(c.command)) << c.command;
        Texts items{"A  dn", "A  up"};
        items.insert(items.end(), c.inserted.begin(), c.inserted.end());
        items.push_back("B  dn");
        EXPECT_EQ(Items(), items) << c.command;
        Bytes bytes{0x01, 0x04, 0x81, 0x04};
        bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
        bytes.insert(bytes.end(), {0x01, 0x05});
        EXPECT_EQ(Working(0).deviceEvents, EventArray(bytes)) << c.command;
        EXPECT_EQ(Working(0).keyEvents[5], c.bytes[1]) << "the pseudo key is the same in both";
        EXPECT_EQ(manager.selectedEventItem(), 1u);
    }

    // A selected delay item stands for its event: the click goes after that event's key item.
    Open({MakeRecord(u"m", {{false, 1, A}, {true, 70, A}})});
    manager.SelectEventItem(1);
    ASSERT_TRUE(manager.InsertMouse(MouseButton::Right, MouseAction::Click));
    EXPECT_EQ(Items(), (Texts{"A  dn", "70 ms", "A  up", "MsRB dn", "MsRB up"}));

    // Nothing selected, nothing inserted.
    OpenThreeEvents(std::nullopt);
    EXPECT_FALSE(manager.InsertMouse(MouseButton::Left, MouseAction::Click));
    EXPECT_EQ(Items().size(), 3u);
}

TEST_F(MacroRecordingTest, InsertDelayGivesTheNextEvent50Ms) {
    OpenThreeEvents(1);
    ASSERT_TRUE(manager.RunMenuCommand(ID_MACRO_INSERT_DELAY));
    EXPECT_EQ(Items(), (Texts{"A  dn", "A  up", "50 ms", "B  dn"}));
    EXPECT_EQ(DeviceBytes(8), (Bytes{0x01, 0x04, 0x81, 0x04, 0x32, 0x05, 0, 0}));
    EXPECT_EQ(KeyBytes(6), (Bytes{0x01, A, 0x81, A, 0x32, B}));
    EXPECT_FALSE(manager.selectedEventItem());  // the list was rebuilt
    ExpectStored();

    // A long delay becomes 50 ms and loses its two delay bytes.
    Open({MakeRecord(u"m", {{false, 1, A}, {true, 900, A}, {false, 1, B}})});
    manager.SelectEventItem(0);
    ASSERT_TRUE(manager.InsertDelay());
    EXPECT_EQ(DeviceBytes(8), (Bytes{0x01, 0x04, 0xB2, 0x04, 0x01, 0x05, 0, 0}));

    // On a delay item: "edit it instead"; on the last item: nothing.
    manager.SelectEventItem(1);
    EXPECT_FALSE(manager.InsertDelay());
    EXPECT_EQ(host.messages, (std::vector<std::string>{"请编辑当前延时\n"}));
    manager.SelectEventItem(3);
    EXPECT_FALSE(manager.InsertDelay());
    EXPECT_EQ(Items(), (Texts{"A  dn", "50 ms", "A  up", "B  dn"}));
}

TEST_F(MacroRecordingTest, DeleteItemRemovesAnEventOrOnlyItsDelay) {
    struct Case {
        const char* what;
        std::vector<KeyEvent> events;
        std::size_t selected;
        Texts items;
        Bytes bytes;
    };
    const std::vector<KeyEvent> withDelay{{false, 1, A}, {true, 50, A}, {false, 1, B}};
    const Case cases[] = {
        {"a delay item keeps its key item", withDelay, 1, {"A  dn", "A  up", "B  dn"}, {0x01, 0x04, 0x81, 0x04, 0x01, 0x05}},
        {"a key item takes its delay item along", withDelay, 2, {"A  dn", "B  dn"}, {0x01, 0x04, 0x01, 0x05}},
        {"the second event becomes first, delay 1", withDelay, 0, {"A  up", "B  dn"}, {0x81, 0x04, 0x01, 0x05}},
        {"a long first delay goes whole", {{false, 1, A}, {true, 3000, A}, {false, 1, B}}, 0, {"A  up", "B  dn"},
         {0x81, 0x04, 0x01, 0x05}},
        {"a long delay item", {{false, 1, A}, {true, 3000, A}}, 1, {"A  dn", "A  up"}, {0x01, 0x04, 0x81, 0x04}},
    };
    for (const auto& c : cases) {
        Open({MakeRecord(u"m", c.events)});
        manager.SelectEventItem(c.selected);
        ASSERT_TRUE(manager.RunMenuCommand(ID_MACRO_DELETE_ITEM)) << c.what;
        EXPECT_EQ(Items(), c.items) << c.what;
        EXPECT_EQ(Working(0).deviceEvents, EventArray(c.bytes)) << c.what;
        ExpectStored();
    }
}

TEST_F(MacroRecordingTest, EditingADelayAcross127MsBothWays) {
    Open({MakeRecord(u"m", {{false, 1, A}, {true, 1, A}, {false, 50, B}, {true, 1, B}})});
    ASSERT_EQ(Items(), (Texts{"A  dn", "A  up", "50 ms", "B  dn", "B  up"}));
    ASSERT_TRUE(manager.EditDelay(2, 300));
    EXPECT_EQ(Items(), (Texts{"A  dn", "A  up", "300 ms", "B  dn", "B  up"}));
    EXPECT_EQ(Working(0).deviceEvents, EventArray({0x01, 0x04, 0x81, 0x04, 0x7F, 0x05, 0x01, 0x2C, 0x81, 0x05}));
    EXPECT_EQ(manager.selectedEventItem(), 2u);
    ASSERT_TRUE(manager.EditDelay(2, 50));
    EXPECT_EQ(Working(0).deviceEvents, EventArray({0x01, 0x04, 0x81, 0x04, 0x32, 0x05, 0x81, 0x05}));
    EXPECT_EQ(Working(0).keyEvents, EventArray({0x01, A, 0x81, A, 0x32, B, 0x81, B}));

    // What the list hands over is held to 2..60,000; key items are not delays.
    ASSERT_TRUE(manager.EditDelay(2, 1));
    EXPECT_EQ(Items()[2], "2 ms");
    ASSERT_TRUE(manager.EditDelay(2, 70000));
    EXPECT_EQ(Items()[2], "60000 ms");
    EXPECT_FALSE(manager.EditDelay(3, 300));
    EXPECT_EQ(Items().size(), 5u);
}

TEST_F(MacroRecordingTest, ADelayThatNoLongerFitsIsRefused) {
    std::vector<KeyEvent> events(94, {false, 1, A});
    events.push_back({true, 50, A});  // all 190 bytes
    Open({MakeRecord(u"m", events)});
    const auto before = manager.editBuffers();
    EXPECT_FALSE(manager.EditDelay(94, 5000));
    EXPECT_EQ(manager.editBuffers(), before);
    EXPECT_EQ(host.messages, (std::vector<std::string>{std::string(macro_text::kMacroFull)}));
    EXPECT_EQ(Items()[94], "50 ms");
    ASSERT_TRUE(manager.EditDelay(94, 120));  // still the short form

    manager.SelectEventItem(0);
    ASSERT_TRUE(manager.DeleteItem());  // two bytes free
    manager.SelectEventItem(0);
    EXPECT_FALSE(manager.InsertMouse(MouseButton::Left, MouseAction::Click));  // needs four
    EXPECT_EQ(manager.appendPos(), 188u);
    ASSERT_TRUE(manager.InsertMouse(MouseButton::Left, MouseAction::Press));
    EXPECT_EQ(manager.appendPos(), 190u);
}

TEST_F(MacroRecordingTest, RecordBeforeInsertsAheadOfTheDelayOfTheSelectedEvent) {
    Open({MakeRecord(u"m", {{false, 1, A}, {false, 50, B}})});
    manager.SelectEventItem(2);  // "B  dn", after "50 ms"
    ASSERT_TRUE(manager.RunMenuCommand(ID_MACRO_RECORD_BEFORE));
    EXPECT_TRUE(manager.insertionMode());
    EXPECT_EQ(manager.insertionIndex(), 1u);
    EXPECT_TRUE(host.hooked);
    Play({{0, C, false, HookKeyOutcome::Inserted}, {700, C, true, HookKeyOutcome::Inserted}});
    EXPECT_EQ(Items(), (Texts{"A  dn", "C  dn", "C  up", "50 ms", "B  dn"}));
    EXPECT_EQ(DeviceBytes(10), (Bytes{0x01, 0x04, 0x01, 0x06, 0x81, 0x06, 0x32, 0x05, 0, 0}));
    EXPECT_EQ(manager.selectedEventItem(), 4u);  // still "B  dn"
    EXPECT_FALSE(manager.insertionMode());
    EXPECT_FALSE(host.hooked);
    ExpectStored();
    EXPECT_EQ(manager.OnHookKey(A, false), HookKeyOutcome::Ignored);
}

TEST_F(MacroRecordingTest, RecordAfterTheLastItemAppendsAndRepeatsAreNotFiltered) {
    OpenThreeEvents(2);
    ASSERT_TRUE(manager.RecordAfter());
    EXPECT_EQ(manager.insertionIndex(), 3u);
    Play({{0, C, false, HookKeyOutcome::Inserted},
          {500, C, false, HookKeyOutcome::Inserted},
          {30, C, false, HookKeyOutcome::Inserted},
          {40, C, true, HookKeyOutcome::Inserted}});
    EXPECT_EQ(Items(), (Texts{"A  dn", "A  up", "B  dn", "C  dn", "C  dn", "C  dn", "C  up"}));
    EXPECT_EQ(manager.lastEventText(), u"");  // recording's repeat filter is not touched

    // Record before the first item of a macro whose first press carries a delay: the old event
    // now shows it.
    Open({MakeRecord(u"m", {{false, 90, A}})});
    manager.SelectEventItem(0);
    ASSERT_TRUE(manager.RecordBefore());
    Play({{0, B, false, HookKeyOutcome::Inserted}, {0, C, false, HookKeyOutcome::Inserted}});
    EXPECT_EQ(Items(), (Texts{"B  dn", "C  dn", "90 ms", "A  dn"}));
}

TEST_F(MacroRecordingTest, APendingInsertionEnds) {
    const std::pair<const char*, std::function<void(MacroManager&)>> actions[] = {
        {"new", [](MacroManager& m) { m.NewMacro(); }},
        {"delete", [](MacroManager& m) { m.DeleteMacro(); }},
        {"another macro", [](MacroManager& m) { m.SelectMacro(1); }},
        {"an in-place edit", [](MacroManager& m) { m.BeginListEdit(); }},
        {"ok", [](MacroManager& m) { m.Ok(*std::make_unique<MacroStore>()); }},
        {"cancel", [](MacroManager& m) { m.Cancel(); }},
        {"a mouse insertion", [](MacroManager& m) { m.InsertMouse(MouseButton::Left, MouseAction::Press); }},
        {"a deleted item", [](MacroManager& m) { m.DeleteItem(); }},
    };
    for (const auto& [what, action] : actions) {
        Open({MakeRecord(u"a", {{false, 1, A}}), MakeRecord(u"b", {{false, 1, B}})});
        manager.SelectEventItem(0);
        ASSERT_TRUE(manager.RecordAfter());
        action(manager);
        EXPECT_FALSE(manager.insertionMode()) << what;
        EXPECT_FALSE(host.hooked) << what;
        EXPECT_EQ(manager.OnHookKey(C, false), HookKeyOutcome::Ignored) << what;
    }

    // Starting a recording takes the hook over: keys are appended, not inserted.
    host.installs = 0;
    Open({MakeRecord(u"a", {{false, 1, A}, {true, 1, A}})});
    manager.SelectEventItem(0);
    ASSERT_TRUE(manager.RecordAfter());
    StartRecording(false);
    EXPECT_FALSE(manager.insertionMode());
    EXPECT_EQ(host.installs, 1);
    Play({{0, C, false, Appended}});
    EXPECT_EQ(Items(), (Texts{"C  dn"}));
}

TEST_F(MacroRecordingTest, InsertingWhileRecordingKeepsRecording) {
    Open({MakeRecord(u"m")});
    StartRecording(false);
    Play({{0, A, false, Appended}, {10, A, true, Appended}});
    manager.SelectEventItem(0);
    ASSERT_TRUE(manager.RecordBefore());
    Play({{10, B, false, HookKeyOutcome::Inserted}, {10, B, true, HookKeyOutcome::Inserted}});
    EXPECT_TRUE(manager.recording());
    EXPECT_TRUE(host.hooked);
    // Recording goes on at the end, behind the inserted events, overwriting nothing.
    Play({{10, C, false, Appended}});
    EXPECT_EQ(Items(), (Texts{"B  dn", "B  up", "A  dn", "A  up", "C  dn"}));
    EXPECT_EQ(DeviceBytes(12), (Bytes{0x01, 0x05, 0x81, 0x05, 0x01, 0x04, 0x81, 0x04, 0x01, 0x06, 0, 0}));
}

TEST_F(MacroRecordingTest, MenuCommandsNeedASelectedItem) {
    Open({MakeRecord(u"m")});
    for (int command : {ID_MACRO_RECORD_BEFORE, ID_MACRO_RECORD_AFTER, ID_MACRO_INSERT_DELAY, ID_MACRO_LEFT_CLICK,
                        ID_MACRO_DELETE_ITEM, 12345}) {
        EXPECT_FALSE(manager.RunMenuCommand(command)) << command;
    }
    EXPECT_TRUE(manager.eventItems().empty());
    EXPECT_FALSE(manager.insertionMode());
    EXPECT_EQ(host.installs, 0);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace solvane
