#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "keys/ApplyAssignment.h"
#include "keys/KeyMapModel.h"
#include "keys/KeymapFile.h"
#include "keys/FunctionCodeTable.h"
#include "keys/KeyNameTable.h"
#include "support/TempFolder.h"
#include "KeyMapFixture.h"

namespace solvane {
namespace {

using namespace keymap;
using testing::AreaPoint;
using testing::BrowsePoint;
using testing::KeyRowPoint;
using testing::MarkerPoint;

constexpr std::uint8_t kEsc = 0;
constexpr std::uint8_t kSlotA = 63;

class KeyMapModelTest : public ::testing::Test, protected testing::KeyMapConfiguration {
protected:
    void OpenOn(std::uint8_t slot) {
        PrepareDraft(slot);
        model.Open(configuration, macros);
        model.SetHookActive(true);
    }
    KeyMapAction Click(Point point) { return model.LeftButtonUp(point.x, point.y); }
    KeyMapAction Click(std::uint8_t area) { return Click(AreaPoint(area)); }
    void Press(std::initializer_list<std::uint8_t> keys) {
        for (const std::uint8_t key : keys) {
            model.HookKey(key);
        }
    }
    std::vector<std::uint8_t> Handed() const {
        return {draft.CapturedKeys.begin(), draft.CapturedKeys.begin() + draft.CapturedCount};
    }

    bool seen = true;
    KeyMapModel model{draft, [this](std::uint8_t) { return seen; }};
};

TEST_F(KeyMapModelTest, OpeningOnADefaultKeyHandsOverNoKey) {
    OpenOn(kEsc);
    EXPECT_EQ(model.category(), CATEGORY_KEYS);
    EXPECT_EQ(model.SingleKeyEditText(), u"");  // the name of code 0
    EXPECT_EQ(draft.CapturedCount, 1u);
    EXPECT_EQ(draft.CapturedKeys[0], 0);
    EXPECT_EQ(model.Title(), u"当前按键：Esc ");
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(draft.kind, KIND_SINGLE_KEY);
    EXPECT_EQ(draft.CapturedCount, 0u);
    EXPECT_EQ(draft.KeyEnabled, 1);
}

TEST_F(KeyMapModelTest, OpeningOnACombinationAndSavingKeepsIt) {
    SetKeys(kSlotA, KIND_COMBINATION, {0xA2, 0x43});
    OpenOn(kSlotA);
    EXPECT_EQ(model.CombinationEditText(), u"LCtrl + C ");
    EXPECT_EQ(model.SingleKeyEditText(), u"");
    EXPECT_TRUE(model.initialFocusPending());
    model.CombinationEditFocused();  // the first focus is the dialog's own
    EXPECT_FALSE(model.initialFocusPending());
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(draft.kind, KIND_COMBINATION);
    EXPECT_EQ(Handed(), (std::vector<std::uint8_t>{0xA2, 0x43}));
}

TEST_F(KeyMapModelTest, CapturingKeysShowsAndHandsOverWhatWasPressed) {
    OpenOn(kEsc);
    Press({0x41});
    EXPECT_EQ(model.SingleKeyEditText(), u"A ");
    Press({0x42});
    EXPECT_EQ(model.SingleKeyEditText(), u"B ");

    model.CombinationEditFocused();
    EXPECT_EQ(draft.kind, KIND_COMBINATION);
    EXPECT_EQ(model.SingleKeyEditText(), u"") << "the other edit is emptied";
    Press({0xA2});
    EXPECT_EQ(model.CombinationEditText(), u"LCtrl ");
    Press({0xA4, 0x2E});
    EXPECT_EQ(model.CombinationEditText(), u"LCtrl + LAlt + Del ");
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(Handed(), (std::vector<std::uint8_t>{0xA2, 0xA4, 0x2E}));
}

TEST_F(KeyMapModelTest, AFourthKeyBeginsANewCombinationAndOnlyShownKeysAreSaved) {
    OpenOn(kEsc);
    model.CombinationEditFocused();
    Press({'A', 'B', 'C', 'D'});
    EXPECT_EQ(draft.CapturedCount, 1u);
    EXPECT_EQ(model.CombinationEditText(), u"D ");
    Press({'E'});
    EXPECT_EQ(model.CombinationEditText(), u"D + E ");
    // C of the first combination is not kept behind D and E.
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(Handed(), (std::vector<std::uint8_t>{'D', 'E'}));
}

TEST_F(KeyMapModelTest, SwitchingEditsResetsTheCountButKeepsTheKeysUntilANewCapture) {
    SetKeys(kSlotA, KIND_COMBINATION, {'X', 'Y'});
    OpenOn(kSlotA);
    model.SingleKeyEditFocused();
    EXPECT_EQ(draft.kind, KIND_SINGLE_KEY);
    EXPECT_EQ(draft.CapturedCount, 0u);
    EXPECT_EQ(model.CombinationEditText(), u"");
    EXPECT_EQ(draft.CapturedKeys[1], 'Y');
    {
        // Saved untouched, the old keys are handed over.
        AssignmentDraft before = draft;
        EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
        EXPECT_EQ(Handed(), (std::vector<std::uint8_t>{'X', 'Y'}));
        draft = before;
    }
    Press({'Q'});
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(Handed(), (std::vector<std::uint8_t>{'Q'}));
}

TEST_F(KeyMapModelTest, KeyRowsChooseSingleKeyOrCombination) {
    OpenOn(kEsc);
    Press({'A'});
    EXPECT_EQ(Click(KeyRowPoint(kCombinationRow)), KeyMapAction::None);
    EXPECT_EQ(draft.kind, KIND_COMBINATION);
    EXPECT_EQ(draft.CapturedCount, 0u);
    Click(KeyRowPoint(kSingleKeyRow));
    EXPECT_EQ(draft.kind, KIND_SINGLE_KEY);
}

TEST_F(KeyMapModelTest, KeysOutsideTheKeysCategoryCountOnlyForACombination) {
    OpenOn(kEsc);
    EXPECT_EQ(Click(kTabMacro), KeyMapAction::RedrawCategory);
    EXPECT_EQ(draft.kind, KIND_COMBINATION) << "the macro tab's number";
    EXPECT_TRUE(model.HookKey('A'));
    const auto captured = draft.CapturedKeys;
    EXPECT_NE(std::ranges::find(captured, 'A'), captured.end());
    Click(kTabFunction);
    EXPECT_FALSE(model.HookKey('B'));
    Click(kTabAdvanced);
    EXPECT_FALSE(model.HookKey('B'));
    EXPECT_EQ(draft.CapturedKeys, captured);
}

TEST_F(KeyMapModelTest, WithoutTheHookKeysAreIgnored) {
    OpenOn(kEsc);
    model.SetHookActive(false);
    EXPECT_FALSE(model.HookKey('A'));
    EXPECT_EQ(draft.CapturedKeys[0], 0);
}

TEST_F(KeyMapModelTest, TabsShowTheirControls) {
    OpenOn(kEsc);
    const auto shown = [&] {
        const KeyMapControls c = model.ShownControls();
        return std::vector<bool>{c.singleKeyEdit, c.combinationEdit, c.macroList, c.functionTree};
    };
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, false, false}));
    Click(kTabMacro);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true, false}));
    Click(kTabFunction);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, true}));
    Click(kTabAdvanced);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(draft.kind, 3);
}

TEST_F(KeyMapModelTest, RestoreDefaultEndsWithOkAndKeepsTheEnableState) {
    OpenOn(kEsc);
    EXPECT_EQ(Click(kDisableToggle), KeyMapAction::Repaint);
    EXPECT_EQ(model.disableToggle(), 1);
    EXPECT_EQ(model.hotAreas()[kDisableToggle].ImageForState(), "Enable.png");
    EXPECT_EQ(Click(kRestoreDefault), KeyMapAction::Accept);
    EXPECT_EQ(draft.CapturedCount, RESTORE_DEFAULT_COUNT);
    EXPECT_EQ(draft.KeyEnabled, 1);
}

TEST_F(KeyMapModelTest, TheToggleDecidesTheEnableStateOnSave) {
    SetKeyEnabled(configuration.image, kSlotA, false);
    OpenOn(kSlotA);
    EXPECT_EQ(model.disableToggle(), 1);
    EXPECT_EQ(draft.KeyEnabled, 0);
    Click(kDisableToggle);
    Click(kSave);
    EXPECT_EQ(draft.KeyEnabled, 1);
    OpenOn(kEsc);
    Click(kDisableToggle);
    Click(kSave);
    EXPECT_EQ(draft.KeyEnabled, 0);
}

TEST_F(KeyMapModelTest, CancelAndCloseEndWithCancel) {
    OpenOn(kEsc);
    Press({'A'});
    EXPECT_EQ(Click(kCancel), KeyMapAction::Reject);
    EXPECT_EQ(draft.CapturedCount, 0u);
    EXPECT_TRUE(std::ranges::all_of(draft.CapturedKeys, [](auto k) { return k == 0; }));
    OpenOn(kEsc);
    EXPECT_EQ(Click(kClose), KeyMapAction::Reject);
}

TEST_F(KeyMapModelTest, FunctionTreeParentsAreRefusedAndLeavesHandedOver) {
    OpenOn(kEsc);
    Click(kTabFunction);
    model.SetSelectedFunction(u"多媒体");
    EXPECT_EQ(Click(kSave), KeyMapAction::ShowMessage);
    EXPECT_EQ(model.Message(), u"请选择子项");
    EXPECT_EQ(draft.kind, KIND_FUNCTION);
    model.SetSelectedFunction(u"搜索");
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(draft.FunctionName, u"搜索");
    // No selection is handed over as an empty name.
    OpenOn(kEsc);
    Click(kTabFunction);
    model.SetSelectedFunction(u"");
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(draft.FunctionName, u"");
}

TEST_F(KeyMapModelTest, EveryTreeLeafIsAFunctionAndNoParentIs) {
    std::size_t leaves = 0;
    for (const FunctionTreeItem& item : kFunctionTree) {
        const auto isFunction = [](std::u16string_view text) {
            return std::ranges::any_of(FunctionCodeTable, [&](auto& f) { return f.name == text; });
        };
        if (item.children.empty()) {
            EXPECT_TRUE(isFunction(item.text));
            ++leaves;
        } else {
            EXPECT_TRUE(IsFunctionGroup(item.text));
            EXPECT_FALSE(isFunction(item.text));
        }
        for (const auto child : item.children) {
            EXPECT_TRUE(isFunction(child));
            ++leaves;
        }
    }
    EXPECT_EQ(leaves, FunctionCodeTable.size());
}

TEST_F(KeyMapModelTest, OpeningShowsTheRecordsCategory) {
    SetEntryCode(1, KIND_FUNCTION, {{0x03, 0x00, 0xB7, 0x00}});
    OpenOn(1);
    EXPECT_EQ(model.category(), CATEGORY_FUNCTION);
    EXPECT_EQ(model.FunctionToSelect(), u"暂停");

    SetEntryCode(2, KIND_MACRO, {{0x04, 0x01, 0x02, 0x00}});
    OpenOn(2);
    EXPECT_EQ(model.category(), CATEGORY_MACRO);
    EXPECT_EQ(model.MacroToSelect(), 2);
    EXPECT_TRUE(model.FocusMacroList());
    EXPECT_EQ(model.MacroNames().size(), 3u);
    EXPECT_EQ(model.FunctionToSelect(), u"暂停") << "kept from the last opening";

    SetLaunch(3, KIND_LAUNCH_PROGRAM, u"/usr/bin/true");
    OpenOn(3);
    EXPECT_EQ(model.category(), CATEGORY_ADVANCED);
    EXPECT_EQ(draft.TargetPath, u"/usr/bin/true");
    EXPECT_EQ(model.advancedRow(), ROW_LAUNCH_PROGRAM);
    EXPECT_EQ(model.markedRow(), kNone) << "no marker is lit until a row is clicked";
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(draft.kind, KIND_LAUNCH_PROGRAM);
}

TEST_F(KeyMapModelTest, MacrosTheKeyboardCannotHoldAreRefused) {
    OpenOn(kEsc);
    Click(kTabMacro);
    model.SetSelectedMacro(32);
    EXPECT_EQ(Click(kSave), KeyMapAction::ShowMessage);
    EXPECT_EQ(model.Message(), kMacroOutOfReach);
    model.SetSelectedMacro(31);
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
    EXPECT_EQ(draft.kind, KIND_MACRO);
    EXPECT_EQ(draft.MacroIndex, 31);
}

TEST_F(KeyMapModelTest, ChoosersSelectTheirRowWhateverTheOutcome) {
    draft.TargetPath = u"/home/user/old.mp3";
    OpenOn(kEsc);
    Click(kTabAdvanced);
    EXPECT_EQ(Click(BrowsePoint(ROW_LAUNCH_PROGRAM)), KeyMapAction::Choose);
    EXPECT_EQ(model.ChooserRow(), ROW_LAUNCH_PROGRAM);
    EXPECT_EQ(model.markedRow(), 4);
    EXPECT_EQ(model.ChooserFinished(std::nullopt), KeyMapAction::Repaint);
    EXPECT_EQ(model.advancedRow(), ROW_LAUNCH_PROGRAM);
    EXPECT_EQ(draft.kind, KIND_LAUNCH_PROGRAM);
    EXPECT_EQ(draft.TargetPath, u"/home/user/old.mp3") << "a cancelled file dialog keeps the path";

    Click(BrowsePoint(ROW_OPEN_FILE));
    model.ChooserFinished(u"/home/user/notes.txt");
    EXPECT_EQ(draft.TargetPath, u"/home/user/notes.txt");
    EXPECT_EQ(draft.kind, KIND_OPEN_FILE);

    Click(BrowsePoint(ROW_OPEN_FOLDER));
    EXPECT_EQ(model.ChooserFinished(std::nullopt), KeyMapAction::Repaint);
    EXPECT_EQ(draft.TargetPath, u"") << "a cancelled folder browser empties the path";
    EXPECT_EQ(draft.kind, KIND_OPEN_FOLDER);

    EXPECT_EQ(Click(MarkerPoint(ROW_PLAY_SOUND)), KeyMapAction::Repaint);
    EXPECT_EQ(model.markedRow(), 0);
    EXPECT_EQ(draft.kind, KIND_OPEN_FOLDER) << "the marker alone chooses nothing";
}

TEST_F(KeyMapModelTest, APathLongerThanARecordHoldsIsRefused) {
    draft.TargetPath = u"/home/user/a.mp3";
    OpenOn(kEsc);
    Click(kTabAdvanced);
    Click(BrowsePoint(ROW_PLAY_SOUND));
    const std::u16string longest = u"/" + std::u16string(254, u'x');
    EXPECT_EQ(model.ChooserFinished(longest + u"y"), KeyMapAction::ShowMessage);
    EXPECT_EQ(model.Message(), kPathTooLong);
    EXPECT_EQ(draft.TargetPath, u"/home/user/a.mp3");
    EXPECT_EQ(model.advancedRow(), ROW_PLAY_SOUND);
    Click(BrowsePoint(ROW_PLAY_SOUND));
    EXPECT_EQ(model.ChooserFinished(longest), KeyMapAction::Repaint);
    EXPECT_EQ(draft.TargetPath, longest);
}

TEST_F(KeyMapModelTest, AdvancedSaveNeedsAChosenRowAndAKeyTheProgramSees) {
    draft.FunctionName = u"搜索";  // left by an earlier key
    OpenOn(kEsc);
    Click(kTabAdvanced);
    EXPECT_EQ(Click(kSave), KeyMapAction::ShowMessage);
    EXPECT_EQ(model.Message(), kChooseAdvancedRow);

    Click(BrowsePoint(ROW_OPEN_FILE));
    model.ChooserFinished(u"/home/user/notes.txt");
    seen = false;
    EXPECT_EQ(Click(kSave), KeyMapAction::ShowMessage);
    EXPECT_EQ(model.Message(), kKeyNotForAdvanced);
    seen = true;
    EXPECT_EQ(Click(kSave), KeyMapAction::Accept);
}

TEST_F(KeyMapModelTest, HotAreaHitTests) {
    OpenOn(kEsc);
    struct Case {
        int x, y;
        std::uint8_t area;
    };
    const Case cases[] = {
        {16, 255, kDisableToggle},  // 3 pixels left of the toggle
        {14, 246, kDisableToggle},  // 5 pixels off a corner
        {13, 255, kNone},
        {34, 265, kDisableToggle},
        {35, 255, kNone},
        {40, 30, kTabStrip},
        {40, 31, kTabKeys},
        {81, 40, kTabKeys},         // shared edge: the first in table order
        {324, 57, kTabAdvanced},
        {325, 33, kTabStrip},
        {303, 2, kClose},
        {318, 17, kClose},
        {319, 17, kNone},
        {197, 268, kRestoreDefault},
        {230, 257, kCancel},
        {305, 246, kSave},
        {150, 150, kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model.HitTestArea(c.x, c.y), c.area) << c.x << ", " << c.y;
    }
    EXPECT_EQ(KeyMapModel::HitTestGrid(15, 72), 0);
    EXPECT_EQ(KeyMapModel::HitTestGrid(302, 173), 15);
    EXPECT_EQ(KeyMapModel::HitTestGrid(250, 75), kNone);
    EXPECT_EQ(KeyMapModel::HitTestKeyRow(20, 80), kSingleKeyRow);
    EXPECT_EQ(KeyMapModel::HitTestKeyRow(315, 154), kCombinationRow);
    EXPECT_EQ(KeyMapModel::HitTestKeyRow(100, 120), kNone);
}

TEST_F(KeyMapModelTest, HoverLightsOneAreaAndTheBackgroundDragsTheWindow) {
    OpenOn(kEsc);
    KeyMapMove move = model.MouseMove(284, 257);
    EXPECT_TRUE(move.repaint);
    EXPECT_FALSE(move.startDrag);
    EXPECT_EQ(model.hotAreas()[kSave].ImageForState(), "button-save-over.png");
    move = model.MouseMove(150, 200);
    EXPECT_TRUE(move.startDrag);
    EXPECT_EQ(model.hotAreas()[kSave].state, 0);
    EXPECT_EQ(model.hover(), kNone);
    move = model.MouseMove(151, 200);
    EXPECT_TRUE(move.startDrag) << "every move over the background";
    EXPECT_FALSE(move.repaint);

    Click(kDisableToggle);
    model.MouseMove(24, 255);
    model.MouseMove(150, 200);
    EXPECT_EQ(model.hotAreas()[kDisableToggle].state, 1) << "the toggle keeps its own state";

    Click(kTabAdvanced);
    const Point browse = BrowsePoint(2);
    move = model.MouseMove(browse.x, browse.y);
    EXPECT_TRUE(move.repaint);
    EXPECT_EQ(model.browseHover(), 2);
}

TEST(ShownPathTest, ShortPathsWholeLongOnesFromTheirLastFolder) {
    struct Case {
        std::u16string_view path;
        char16_t separator;
        std::u16string_view shown;
    };
    const Case cases[] = {
        {u"C:\\abc\\de.exe", u'\\', u"C:\\abc\\de.exe"},      // 13 units
        {u"C:\\abc\\def.exe", u'\\', u"..\\def.exe"},         // 14 units
        {u"C:\\Tools\\app\\run.exe", u'\\', u"..\\run.exe"},
        {u"C:\\Tools\\apps\\", u'\\', u"..\\apps\\"},
        {u"\\abcdefghijklmnop", u'\\', u"\\abcdefghijklmnop"},  // only at the start
        {u"abcdefghijklmno\\", u'\\', u"abcdefghijklmno\\"},    // only at the end
        {u"/home/user/music/song.mp3", u'/', u"../song.mp3"},
        {u"", u'/', u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShownPath(c.path, c.separator), c.shown);
    }
}

TEST(CombinationTextTest, NamesJoinedWithPlus) {
    const std::uint8_t ctrlC[] = {0xA2, 0x43, 0};
    EXPECT_EQ(CombinationText(ctrlC), u"LCtrl + C ");
    const std::uint8_t gap[] = {0, 0x41, 0x42};
    EXPECT_EQ(CombinationText(gap), u"+ A + B ");
}

// The road of a typical request: Esc is made to send A.
TEST_F(KeyMapModelTest, CapturedKeyGoesIntoTheKeyMapThroughTheOrderOfSteps) {
    testing::TempFolder folder;
    const auto keymapPath = folder / "keymap.bin";
    ASSERT_TRUE(SaveKeymapFile(keymapPath, configuration.image, configuration.records));
    ASSERT_TRUE(PrepareAssignment(draft, configuration, kEsc, keymapPath));
    model.Open(configuration, macros);
    model.SetHookActive(true);
    Press({0x41});
    ASSERT_EQ(Click(kSave), KeyMapAction::Accept);
    ASSERT_TRUE(CompleteAssignment(draft, configuration, macros, keymapPath));
    const KeyMapEntry entry = ReadKeyMapEntry(configuration.image.keyMapBlock(), 5);
    EXPECT_EQ(entry.bytes, (std::array<std::uint8_t, 4>{0x00, 0x00, 0x04, 0x00}));
    EXPECT_EQ(configuration.marks[kEsc], 1);
    EXPECT_TRUE(std::filesystem::exists(keymapPath));
}

}  // namespace
}  // namespace solvane
