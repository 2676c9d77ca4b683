// The macro manager's working copy: opening, the sorted name list, new, delete, rename, the loop
// count and the check boxes, OK and Cancel.
#include <algorithm>

#include "MacroManagerFixture.h"
#include "macros/MacroManagerText.h"
#include "macros/MacroNames.h"

namespace solvane {
namespace {

using testing::Bytes;
using testing::Head;
using testing::MakeRecord;
using testing::MacroManagerTest;

constexpr std::uint8_t A = 0x41, B = 0x42, C = 0x43;

bool IsZero(const MacroRecord& record) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    return std::all_of(bytes, bytes + sizeof record, [](std::uint8_t b) { return b == 0; });
}

TEST_F(MacroManagerTest, OpeningSelectsTheFirstMacroAndItsSettings) {
    Open({MakeRecord(u"b", {{false, 1, A}, {true, 1, A}}, 0, macro_record::kFlagRecordDelays),
          MakeRecord(u"c", {{false, 1, B}}, 5)});
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(manager.selectedMacro(), 0u);
    EXPECT_EQ(Items(), (std::vector<std::string>{"A  dn", "A  up"}));
    EXPECT_EQ(manager.appendPos(), 4u);
    EXPECT_TRUE(manager.delayBoxTicked());
    // A loop count of 0 reads "0" at opening, with the loop edit disabled...
    EXPECT_EQ(manager.loopText(), "0");
    EXPECT_FALSE(manager.loopEditEnabled());
    EXPECT_EQ(LoopCountOf(Working(0)), 0);

    manager.SelectMacro(1);
    EXPECT_EQ(manager.loopText(), "5");
    EXPECT_TRUE(manager.loopBoxTicked());
    EXPECT_FALSE(manager.delayBoxTicked());
    EXPECT_EQ(Items(), (std::vector<std::string>{"B  dn"}));

    // ...but as 1 once selected, which the loop edit then stores.
    manager.SelectMacro(0);
    EXPECT_EQ(manager.loopText(), "1");
    EXPECT_FALSE(manager.loopBoxTicked());
    EXPECT_EQ(LoopCountOf(Working(0)), 1);
    EXPECT_EQ(manager.recordCaption(), macro_text::kStartRecording);
}

TEST_F(MacroManagerTest, OpeningKeepsMacroNumbersAndClosesGaps) {
    // Written elsewhere: not in this program's order, and with an empty record in between.
    Open({MakeRecord(u"zeta", {{false, 1, A}}), MakeRecord(u"Alpha", {{false, 1, B}}), MacroRecord{},
          MakeRecord(u"mid", {{false, 1, C}})});
    EXPECT_EQ(Names(), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_EQ(WorkingName(2), "mid");
    EXPECT_EQ(Working(2).keyEvents[1], C);
    EXPECT_TRUE(IsZero(Working(3)));

    MacroManager empty(host);
    const auto none = testing::MakeStore({});
    empty.Open(*none);
    EXPECT_FALSE(empty.selectedMacro());
    EXPECT_TRUE(empty.eventItems().empty());
    EXPECT_EQ(empty.loopText(), "");
}

TEST_F(MacroManagerTest, DeleteRenumbersAndNewTakesTheFreedDefaultName) {
    Open({MakeRecord(u"宏指令_001", {{false, 1, A}}), MakeRecord(u"宏指令_002", {{false, 1, B}}),
          MakeRecord(u"宏指令_003", {{false, 1, C}}, 4)});
    manager.SelectMacro(1);
    ASSERT_TRUE(manager.DeleteMacro());
    EXPECT_EQ(host.questions, (std::vector<std::string>{"确认删除吗？"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"宏指令_001", "宏指令_003"}));
    EXPECT_EQ(WorkingName(1), "宏指令_003");
    EXPECT_TRUE(IsZero(Working(2)));
    EXPECT_EQ(manager.selectedMacro(), 1u);  // the macro that took its place
    EXPECT_EQ(Items(), (std::vector<std::string>{"C  dn"}));

    ASSERT_TRUE(manager.NewMacro());
    EXPECT_EQ(Names(), (std::vector<std::string>{"宏指令_001", "宏指令_002", "宏指令_003"}));
    EXPECT_EQ(manager.selectedMacro(), 1u);
    EXPECT_TRUE(manager.eventItems().empty());
    EXPECT_EQ(manager.loopText(), "1");
    EXPECT_FALSE(manager.loopBoxTicked());
    EXPECT_FALSE(manager.delayBoxTicked());
    EXPECT_EQ(WorkingName(1), "宏指令_002");
    EXPECT_EQ(LoopCountOf(Working(1)), 1);
    EXPECT_EQ(Working(1).deviceEvents, (std::array<std::uint8_t, kMacroEventBytes>{}));
    // Number 3 is back in third place with its events and loop count.
    EXPECT_EQ(WorkingName(2), "宏指令_003");
    EXPECT_EQ(Working(2).keyEvents[1], C);
    EXPECT_EQ(LoopCountOf(Working(2)), 4);
}

TEST_F(MacroManagerTest, DeletingTheOnlyMacroLeavesAnEmptyWorkingCopy) {
    Open({MakeRecord(u"only", {{false, 1, A}})});
    ASSERT_TRUE(manager.DeleteMacro());
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(manager.selectedMacro());
    EXPECT_TRUE(manager.eventItems().empty());
    EXPECT_TRUE(std::all_of(manager.workingCopy().begin(), manager.workingCopy().end(), IsZero));

    // Nothing left to delete: asked first, then told.
    EXPECT_FALSE(manager.DeleteMacro());
    EXPECT_EQ(host.messages, (std::vector<std::string>{"请选择一个宏指令文件删除\n"}));
}

TEST_F(MacroManagerTest, DeleteDeclinedChangesNothing) {
    Open({MakeRecord(u"a"), MakeRecord(u"b")});
    host.answerOk = false;
    EXPECT_TRUE(manager.DeleteMacro());
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MacroManagerTest, NewIsSortedAndStopsAt190Macros) {
    std::vector<MacroRecord> records;
    records.push_back(MakeRecord(u"Zulu"));  // Latin letters sort before Chinese
    for (unsigned n = 2; n <= 189; ++n) {
        records.push_back(MakeRecord(DefaultMacroName(n)));
    }
    Open(records);
    ASSERT_TRUE(manager.NewMacro());  // 宏指令_001, before every other default name
    EXPECT_EQ(manager.selectedMacro(), 1u);
    EXPECT_EQ(WorkingName(1), "宏指令_001");
    EXPECT_EQ(Names().size(), 190u);
    EXPECT_EQ(WorkingName(189), "宏指令_189");

    const auto before = manager.macroNames();
    EXPECT_FALSE(manager.NewMacro());
    EXPECT_EQ(manager.macroNames(), before);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MacroManagerTest, RenamedMacrosMoveWithTheirRecords) {
    Open({MakeRecord(u"a", {{false, 1, A}}, 3, macro_record::kFlagRecordDelays), MakeRecord(u"b"),
          MakeRecord(u"c", {{false, 1, C}})});
    manager.BeginListEdit();
    const auto moved = manager.RenameMacro(0, u"Zed");
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved.value(), 2u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "c", "Zed"}));
    EXPECT_EQ(manager.selectedMacro(), 2u);
    EXPECT_EQ(Items(), (std::vector<std::string>{"A  dn"}));
    EXPECT_EQ(WorkingName(2), "Zed");
    EXPECT_EQ(Working(2).keyEvents[1], A);
    EXPECT_EQ(LoopCountOf(Working(2)), 3);
    EXPECT_EQ(Working(2).flags, macro_record::kFlagRecordDelays);
    EXPECT_EQ(WorkingName(1), "c");
    EXPECT_EQ(Working(1).keyEvents[1], C);

    // Renaming another macro selects it first, as the double-click's first click does.
    EXPECT_EQ(manager.RenameMacro(1, u"A1").value(), 0u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A1", "b", "Zed"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"C  dn"}));
    EXPECT_EQ(Working(0).keyEvents[1], C);

    // Unchanged, empty and overlong names.
    EXPECT_EQ(manager.RenameMacro(1, u"b").value(), 1u);
    EXPECT_FALSE(manager.RenameMacro(1, u""));
    EXPECT_FALSE(manager.RenameMacro(7, u"x"));
    const std::u16string longName(300, u'x');
    EXPECT_EQ(manager.RenameMacro(1, longName).value(), 1u);
    EXPECT_EQ(MacroName(Working(1)), longName.substr(0, 254));
    EXPECT_EQ(manager.macroNames()[1], longName.substr(0, 254));
    EXPECT_EQ(Names().size(), 3u);
}

TEST_F(MacroManagerTest, LoopCountAndCheckBoxesReachTheRecordAtOnce) {
    Open({MakeRecord(u"m", {{false, 1, A}})});
    ASSERT_FALSE(manager.loopBoxTicked());
    manager.ToggleLoop();
    EXPECT_TRUE(manager.loopEditEnabled());
    ASSERT_TRUE(manager.SetLoopText("250"));
    EXPECT_EQ(LoopCountOf(Working(0)), 250);
    ASSERT_TRUE(manager.SetLoopText(""));  // an empty edit is 0
    EXPECT_EQ(LoopCountOf(Working(0)), 0);
    for (const char* refused : {"1000", "12a", "-1", " 5"}) {
        EXPECT_FALSE(manager.SetLoopText(refused)) << refused;
    }
    EXPECT_EQ(manager.loopText(), "");
    ASSERT_TRUE(manager.SetLoopText("7"));
    // Unticking the loop box plays the macro once, also when OK follows at once.
    manager.ToggleLoop();
    EXPECT_EQ(LoopCountOf(Working(0)), 1);
    manager.ToggleRecordDelays();
    EXPECT_EQ(Working(0).flags, macro_record::kFlagRecordDelays);

    auto confirmed = testing::MakeStore({});
    manager.Ok(*confirmed);
    EXPECT_EQ(LoopCountOf((*confirmed)[0]), 1);
    EXPECT_EQ((*confirmed)[0].flags, macro_record::kFlagRecordDelays);
}

TEST_F(MacroManagerTest, OkCopiesTheWorkingCopyAndCancelDoesNot) {
    Open({MakeRecord(u"m")});
    StartRecording(false);
    Press(A);
    manager.ToggleLoop();
    ASSERT_TRUE(manager.SetLoopText("300"));

    const auto untouched = testing::MakeStore({MakeRecord(u"m")});
    manager.Cancel();
    EXPECT_FALSE(manager.recording());
    EXPECT_FALSE(host.hooked);
    EXPECT_EQ(std::memcmp(store->data(), untouched->data(), sizeof(MacroStore)), 0);

    manager.Ok(*store);
    EXPECT_EQ(LoopCountOf((*store)[0]), 300);
    EXPECT_EQ(Head((*store)[0].deviceEvents, 4), (Bytes{0x01, 0x04, 0, 0}));
    EXPECT_EQ(MacroName((*store)[0]), u"m");
}

TEST_F(MacroManagerTest, RecordingNeedsAMacroAndTheKeys) {
    Open({});
    manager.ToggleRecording();
    EXPECT_FALSE(manager.recording());
    EXPECT_EQ(host.messages, (std::vector<std::string>{"请选择一个宏指令文件录制\n"}));

    // Keys that cannot be read leave the macro as it was and say why.
    Open({MakeRecord(u"m", {{false, 1, A}})});
    host.hookWorks = false;
    manager.ToggleRecording();
    EXPECT_FALSE(manager.recording());
    EXPECT_EQ(manager.recordCaption(), macro_text::kStartRecording);
    EXPECT_EQ(host.messages.back(), macro_text::kNoKeyHook);
    EXPECT_EQ(Items(), (std::vector<std::string>{"A  dn"}));
    EXPECT_EQ(Working(0).deviceEvents[1], 0x04);

    host.hookWorks = true;  // the next start tries again
    manager.ToggleRecording();
    EXPECT_TRUE(manager.recording());
    EXPECT_EQ(manager.recordCaption(), macro_text::kStopRecording);
    EXPECT_EQ(host.installs, 2);
}

}  // namespace
}  // namespace solvane
