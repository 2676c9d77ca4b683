#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "common/AtomicFile.h"
#include "keys/ApplyAssignment.h"
#include "keys/ConfigurationUpdates.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeymapFile.h"
#include "macros/MacroBlock.h"
#include "macros/MacroFile.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using Bytes = std::array<std::uint8_t, 4>;

constexpr Bytes kPresetEntry{0x00, 0x00, 0x07, 0x00};  // stands for "unchanged"
constexpr std::uint8_t kPresetMark = 7;                 // likewise

MacroRecord NamedMacro(std::u16string_view name, std::uint16_t loops, std::uint8_t code) {
    MacroRecord record{};
    EXPECT_TRUE(SetMacroName(record, name));
    SetLoopCount(record, loops);
    record.deviceEvents[0] = 0x01;
    record.deviceEvents[1] = code;
    return record;
}

class AssignmentTest : public ::testing::Test {
protected:
    AssignmentTest() {
        std::ranges::copy(FactoryKeyMap, configuration.image.keyMapBlock().begin());
        std::ranges::fill(configuration.image.keyEnableBitmap(), 0xFF);
        ClearRecords(configuration.records);
    }

    Bytes EntryOf(std::size_t slot) const {
        return ReadKeyMapEntry(configuration.image.keyMapBlock(), KeySlotTable[slot].entry()).bytes;
    }
    void SetEntry(std::size_t slot, Bytes bytes) {
        WriteKeyMapEntry(configuration.image.keyMapBlock(), KeySlotTable[slot].entry(), {bytes});
    }
    AssignmentDraft Draft(std::uint8_t slot) const {
        AssignmentDraft draft;
        draft.CurrentSlot = slot;
        draft.DefaultCode = KeySlotTable[slot].defaultCode;
        return draft;
    }
    bool Written() const { return std::filesystem::exists(path); }

    testing::TempFolder folder;
    std::filesystem::path path = folder / "keymap.bin";
    Configuration configuration;
    MacroStore macros{};
};

TEST_F(AssignmentTest, EveryKindWritesItsEntryMarkAndRecord) {
    macros[0] = NamedMacro(u"宏指令_001", 1, 0x04);
    struct Case {
        const char* what;
        std::uint8_t slot;
        std::function<void(AssignmentDraft&)> fill;
        Bytes entry;
        std::uint8_t mark;
        bool written;
        std::uint8_t kind;
        std::uint8_t keyCount;
        Bytes keys;
    };
    auto keys = [](std::uint8_t kind, std::vector<std::uint8_t> codes) {
        return [kind, codes](AssignmentDraft& d) {
            d.kind = kind;
            std::ranges::copy(codes, d.CapturedKeys.begin());
            d.CapturedCount = static_cast<std::uint32_t>(codes.size());
        };
    };
    auto function = [](std::u16string name) {
        return [name](AssignmentDraft& d) {
            d.kind = KIND_FUNCTION;
            d.FunctionName = name;
        };
    };
    auto macro = [](std::int32_t index) {
        return [index](AssignmentDraft& d) {
            d.kind = KIND_MACRO;
            d.MacroIndex = index;
        };
    };
    auto restore = [](std::uint8_t kind) {
        return [kind](AssignmentDraft& d) {
            d.kind = kind;
            d.CapturedCount = RESTORE_DEFAULT_COUNT;
        };
    };
    const Case cases[] = {
        {"Esc sends A", 0, keys(0, {0x41}), {0, 0, 0x04, 0}, 1, true, 0, 1, {0x41, 0, 0, 0}},
        {"Esc sends Esc", 0, keys(0, {0x1B}), {0, 0, 0x29, 0}, 0, true, 0, 0, {0, 0, 0, 0}},
        {"media player key", 1, keys(0, {0xB5}), {3, 0, 0x83, 1}, 1, true, 0, 1, {0xB5, 0, 0, 0}},
        {"volume up key", 1, keys(0, {0xAF}), {3, 0, 0xE9, 0}, 1, true, 0, 1, {0xAF, 0, 0, 0}},
        {"key without device code", 1, keys(0, {0x10}), {0, 0, 0, 0}, 1, true, 0, 1, {0x10, 0, 0, 0}},
        {"single key, two captured", 1, keys(0, {0x41, 0x42}), kPresetEntry, kPresetMark, true, 0, 2, {0x41, 0x42, 0, 0}},
        {"Ctrl Alt Del", 1, keys(1, {0xA2, 0xA4, 0x2E}), {0, 0xE0, 0xE2, 0x4C}, 1, true, 1, 3, {0xA2, 0xA4, 0x2E, 0}},
        {"two keys and a leftover", 1, [](AssignmentDraft& d) {
             d.kind = KIND_COMBINATION;
             d.CapturedKeys = {0xA2, 0x43, 0x44};
             d.CapturedCount = 2;
         }, {0, 0xE0, 0x06, 0}, 1, true, 1, 2, {0xA2, 0x43, 0x44, 0}},
        {"combination of one key", 1, keys(1, {0x41}), {0, 0x04, 0, 0}, kPresetMark, true, 1, 1, {0x41, 0, 0, 0}},
        {"macro 0", 1, macro(0), {4, 1, 0, 0}, 1, true, 2, 0, {4, 1, 0, 0}},
        {"no macro chosen", 1, macro(-1), kPresetEntry, kPresetMark, true, 2, 0, {4, 1, 0xFF, 0}},
        {"stop", 1, function(u"暂停"), {3, 0, 0xB7, 0}, 1, true, 3, 0, {3, 0, 0xB7, 0}},
        {"play/pause", 1, function(u"停止-播放"), {3, 0, 0xCD, 0}, 1, true, 3, 0, {3, 0, 0xCD, 0}},
        {"maximise", 1, function(u"最大化"), {0, 0xE2, 0x2C, 0x1B}, 1, true, 3, 0, {0, 0xE2, 0x2C, 0x1B}},
        {"no function name", 1, function(u""), kPresetEntry, 1, true, 3, 0, {0, 0, 0, 0}},
        {"a tree parent", 1, function(u"多媒体"), kPresetEntry, 1, true, 3, 0, {0, 0, 0, 0}},
        {"unknown kind", 1, [](AssignmentDraft& d) { d.kind = 9; }, kPresetEntry, kPresetMark, true, 0, 0, {0, 0, 0, 0}},
        {"restore volume down", 16, restore(1), {3, 0, 0xEA, 0}, kPresetMark, false, 0, 0, {0, 0, 0, 0}},
        {"restore backslash", 54, restore(5), {0, 0, 0x31, 0}, kPresetMark, false, 0, 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(path);
        ClearRecords(configuration.records);
        if (c.what == std::string_view("restore volume down")) {
            configuration.records[c.slot].kind = KIND_COMBINATION;
            configuration.records[c.slot].keyCount = 2;
            configuration.records[c.slot].keys[0] = 0x41;
        }
        SetEntry(c.slot, kPresetEntry);
        configuration.marks[c.slot] = kPresetMark;
        AssignmentDraft draft = Draft(c.slot);
        c.fill(draft);

        ASSERT_TRUE(ApplyAssignment(draft, configuration, macros, path));
        EXPECT_EQ(EntryOf(c.slot), c.entry);
        EXPECT_EQ(configuration.marks[c.slot], c.mark);
        EXPECT_EQ(Written(), c.written);
        const KeyAssignment& record = configuration.records[c.slot];
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.keyCount, c.keyCount);
        EXPECT_EQ(EntryCodeOf(record).bytes, c.keys);
        EXPECT_EQ(record.defaultCode, KeySlotTable[c.slot].defaultCode);
        if (c.written) {
            DeviceImage onDisk;
            RecordTable recordsOnDisk{};
            ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, onDisk, recordsOnDisk));
            EXPECT_EQ(onDisk, configuration.image);
            EXPECT_EQ(recordsOnDisk[c.slot].kind, c.kind);
        }
    }
}

TEST_F(AssignmentTest, LaunchKeysKeepTheFactoryEntryAndStoreThePath) {
    for (std::uint8_t kind = KIND_PLAY_SOUND; kind <= KIND_OPEN_FOLDER; ++kind) {
        SetEntry(63, {0, 0, 0x05, 0});
        configuration.records[63].defaultCode = 0;
        configuration.records[63].path.fill(u'z');
        AssignmentDraft draft = Draft(63);
        draft.kind = kind;
        draft.TargetPath = u"/usr/bin/true";
        ASSERT_TRUE(ApplyAssignment(draft, configuration, macros, path));
        EXPECT_EQ(EntryOf(63), (Bytes{0, 0, 0x04, 0}));
        EXPECT_EQ(configuration.marks[63], 1);
        const KeyAssignment& record = configuration.records[63];
        EXPECT_EQ(record.kind, kind);
        EXPECT_EQ(record.defaultCode, 0x41);
        EXPECT_EQ(EntryCodeOf(record).bytes, (Bytes{3, 0, 0x23, 2}));
        EXPECT_EQ(RecordPath(record), u"/usr/bin/true");
        EXPECT_EQ(record.path[14], u'z');  // what lies past the terminator is kept
    }
}

TEST_F(AssignmentTest, AMacroAssignmentBringsTheBlocksInLineWithTheStore) {
    macros[0] = NamedMacro(u"a", 300, 0x04);
    macros[1] = NamedMacro(u"b", 2, 0x05);
    configuration.image.macroBlock(2)[0] = 0x77;
    AssignmentDraft draft = Draft(5);
    draft.kind = KIND_MACRO;
    draft.MacroIndex = 1;
    ASSERT_TRUE(ApplyAssignment(draft, configuration, macros, path));
    EXPECT_EQ(configuration.image.macroBlock(0)[0], 0x01);
    EXPECT_EQ(configuration.image.macroBlock(0)[1], 0x2C);
    EXPECT_EQ(configuration.image.macroBlock(1)[3], 0x05);
    EXPECT_EQ(configuration.image.macroBlock(2)[0], 0x77);
}

TEST_F(AssignmentTest, RefusedDraftsChangeNothing) {
    for (std::size_t i = 0; i < 40; ++i) {
        macros[i] = NamedMacro(u"m" + std::u16string(1, static_cast<char16_t>(u'A' + i)), 1, 0x04);
    }
    struct Case {
        std::function<void(AssignmentDraft&)> fill;
        std::string message;
    };
    const Case cases[] = {
        {[](AssignmentDraft& d) { d.kind = KIND_MACRO; d.MacroIndex = 32; },
         "macro 32 cannot be played by the keyboard, which holds macros 0 to 31"},
        {[](AssignmentDraft& d) { d.kind = KIND_MACRO; d.MacroIndex = 40; }, "there is no macro 40"},
        {[](AssignmentDraft& d) { d.kind = KIND_MACRO; d.MacroIndex = -2; }, "there is no macro -2"},
        {[](AssignmentDraft& d) { d.kind = KIND_OPEN_FILE; d.TargetPath = std::u16string(256, u'f'); },
         "the path is longer than 255 characters"},
        {[](AssignmentDraft& d) { d.CurrentSlot = 108; }, "no key is chosen"},
        {[](AssignmentDraft& d) { d.CapturedCount = 256; }, "too many keys: 256"},
        {[](AssignmentDraft& d) { d.CurrentSlot = kNoSlot; d.CapturedCount = RESTORE_DEFAULT_COUNT; },
         "no key is chosen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const Configuration before = configuration;
        AssignmentDraft draft = Draft(1);
        draft.KeyEnabled = 0;
        c.fill(draft);
        EXPECT_EQ(CheckAssignment(draft, macros).message(), c.message);
        const auto applied = ApplyAssignment(draft, configuration, macros, path);
        EXPECT_EQ(applied.code(), ErrorCode::InvalidArgument);
        const auto completed = CompleteAssignment(draft, configuration, macros, path);
        EXPECT_EQ(completed.message(), c.message);
        EXPECT_EQ(configuration.image, before.image);
        EXPECT_EQ(configuration.marks, before.marks);
        EXPECT_EQ(std::memcmp(configuration.records.data(), before.records.data(), sizeof(RecordTable)), 0);
        EXPECT_FALSE(Written());
    }
    // Macro 31 is the last the keyboard can play.
    AssignmentDraft draft = Draft(1);
    draft.kind = KIND_MACRO;
    draft.MacroIndex = 31;
    EXPECT_TRUE(CompleteAssignment(draft, configuration, macros, path));
    EXPECT_EQ(EntryOf(1), (Bytes{4, 1, 31, 0}));
}

TEST_F(AssignmentTest, OrderOfStepsSetsTheEnableBitAndSaves) {
    // Disabling a key marks it although its entry is the factory one.
    AssignmentDraft draft = CurrentAssignmentDraft(configuration, 63, macros);
    draft.KeyEnabled = 0;
    ASSERT_TRUE(CompleteAssignment(draft, configuration, macros, path));
    EXPECT_FALSE(IsKeyEnabled(configuration.image, 63));
    EXPECT_EQ(configuration.marks[63], 1);
    EXPECT_EQ(EntryOf(63), (Bytes{0, 0, 0x04, 0}));
    DeviceImage onDisk;
    RecordTable recordsOnDisk{};
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, onDisk, recordsOnDisk));
    EXPECT_EQ(onDisk, configuration.image);

    // Enabling it again clears the mark (the record is the default one).
    draft.KeyEnabled = 1;
    ASSERT_TRUE(CompleteAssignment(draft, configuration, macros, path));
    EXPECT_TRUE(IsKeyEnabled(configuration.image, 63));
    EXPECT_EQ(configuration.marks[63], 0);

    // A restore of the default is saved by the order of steps, not by ApplyAssignment.
    SetEntry(16, {0, 0, 0x04, 0});
    configuration.marks[16] = 1;
    std::filesystem::remove(path);
    AssignmentDraft restore = Draft(16);
    restore.CapturedCount = RESTORE_DEFAULT_COUNT;
    restore.KeyEnabled = 1;
    ASSERT_TRUE(CompleteAssignment(restore, configuration, macros, path));
    EXPECT_EQ(configuration.marks[16], 0);
    EXPECT_EQ(EntryOf(16), (Bytes{3, 0, 0xEA, 0}));
    EXPECT_TRUE(Written());
}

TEST_F(AssignmentTest, CurrentDraftReproducesTheAssignment) {
    macros[0] = NamedMacro(u"a", 1, 0x04);
    macros[1] = NamedMacro(u"b", 1, 0x05);
    using Fill = std::function<void(AssignmentDraft&)>;
    const Fill assignments[] = {
        [](AssignmentDraft& d) { d.kind = KIND_SINGLE_KEY; d.CapturedKeys[0] = 0x42; d.CapturedCount = 1; },
        [](AssignmentDraft& d) {
            d.kind = KIND_COMBINATION;
            d.CapturedKeys = {0xA2, 0x43};
            d.CapturedCount = 2;
        },
        [](AssignmentDraft& d) { d.kind = KIND_MACRO; d.MacroIndex = 1; },
        [](AssignmentDraft& d) { d.kind = KIND_FUNCTION; d.FunctionName = u"复制"; },
        [](AssignmentDraft& d) { d.kind = KIND_OPEN_FOLDER; d.TargetPath = u"/tmp"; },
    };
    for (const auto& fill : assignments) {
        AssignmentDraft draft = Draft(70);
        fill(draft);
        ASSERT_TRUE(CompleteAssignment(draft, configuration, macros, path));
        const Configuration assigned = configuration;
        AssignmentDraft again = CurrentAssignmentDraft(configuration, 70, macros);
        EXPECT_EQ(again.kind, draft.kind);
        ASSERT_TRUE(CompleteAssignment(again, configuration, macros, path));
        EXPECT_EQ(configuration.image, assigned.image);
        EXPECT_EQ(std::memcmp(&configuration.records[70], &assigned.records[70], sizeof(KeyAssignment)), 0);
        EXPECT_EQ(configuration.marks[70], 1);
    }
}

TEST_F(AssignmentTest, ReadBackMarkRule) {
    struct Case {
        const char* what;
        std::uint8_t slot;
        std::function<void(Configuration&)> change;
        std::uint8_t mark;
    };
    auto entry = [](std::size_t slot, Bytes bytes) {
        return [slot, bytes](Configuration& c) {
            WriteKeyMapEntry(c.image.keyMapBlock(), KeySlotTable[slot].entry(), {bytes});
        };
    };
    const Case cases[] = {
        {"factory key", 0, [](Configuration&) {}, 0},
        {"other device code", 0, entry(0, {0, 0, 0x04, 0}), 1},
        {"differs outside byte 2", 0, entry(0, {3, 1, 0x29, 9}), 0},
        {"function record", 0, [](Configuration& c) { c.records[0].kind = KIND_FUNCTION; }, 1},
        {"one other key", 0, [](Configuration& c) { c.records[0].keyCount = 1; c.records[0].keys[0] = 0x41; }, 1},
        {"one key, its own", 0, [](Configuration& c) { c.records[0].keyCount = 1; c.records[0].keys[0] = 0x1B; }, 0},
        {"two keys in a plain record", 0, [](Configuration& c) { c.records[0].keyCount = 2; c.records[0].keys[0] = 0x41; }, 0},
        {"disabled", 0, [](Configuration& c) { SetKeyEnabled(c.image, 0, false); }, 1},
        {"left Windows locked", 96, [](Configuration& c) { SetKeyEnabled(c.image, 96, false); }, 1},
        {"slot 100 never", 100, [](Configuration& c) {
             SetKeyEnabled(c.image, 100, false);
             c.records[100].kind = KIND_FUNCTION;
         }, 0},
        {"slot 101 shares the entry", 101, [](Configuration& c) { SetKeyEnabled(c.image, 100, false); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Configuration fresh;
        std::ranges::copy(FactoryKeyMap, fresh.image.keyMapBlock().begin());
        std::ranges::fill(fresh.image.keyEnableBitmap(), 0xFF);
        ClearRecords(fresh.records);
        fresh.marks.fill(9);
        c.change(fresh);
        RecomputeReassignedMarks(fresh);
        EXPECT_EQ(fresh.marks[c.slot], c.mark);
        for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
            if (slot != c.slot && !(c.slot == 101 && slot == 100) && !(c.slot == 100 && slot == 101)) {
                EXPECT_EQ(fresh.marks[slot], 0) << slot;
            }
        }
        EXPECT_EQ(fresh.marks[200], 9);  // beyond the key slots
    }
}

TEST_F(AssignmentTest, FactoryResetEmptiesTheRecordsAndEnablesEveryKey) {
    configuration.marks.fill(1);
    configuration.image.keyEnableBitmap()[3] = 0;
    configuration.image.setWinLockOn(1);
    configuration.records[7].kind = KIND_OPEN_FILE;
    configuration.records[7].path[0] = u'x';
    configuration.records[200].keys[9] = 5;
    configuration.records[3].defaultCode = 0;
    ASSERT_TRUE(FactoryResetRecords(configuration, path));
    EXPECT_TRUE(std::ranges::all_of(configuration.marks, [](auto m) { return m == 0; }));
    EXPECT_TRUE(std::ranges::all_of(configuration.image.keyEnableBitmap(), [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(configuration.image.winLockOn(), 1);
    RecordTable expected{};
    ClearRecords(expected);
    EXPECT_EQ(std::memcmp(configuration.records.data(), expected.data(), sizeof(RecordTable)), 0);
    EXPECT_EQ(configuration.records[3].defaultCode, 0x72);
    DeviceImage onDisk;
    RecordTable recordsOnDisk{};
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, onDisk, recordsOnDisk));
    EXPECT_EQ(onDisk, configuration.image);
    EXPECT_EQ(recordsOnDisk[7].kind, 0);
}

TEST_F(AssignmentTest, ReadBackAndMacroEditingSaveTheirFiles) {
    SetEntry(0, {0, 0, 0x04, 0});
    ASSERT_TRUE(CompleteReadBack(configuration, path));
    EXPECT_EQ(configuration.marks[0], 1);
    DeviceImage onDisk;
    RecordTable recordsOnDisk{};
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, onDisk, recordsOnDisk));
    EXPECT_EQ(onDisk, configuration.image);

    macros[0] = NamedMacro(u"a", 3, 0x06);
    const auto macroPath = folder / "MacroDefine.bin";
    ASSERT_TRUE(CompleteMacroEditing(macros, configuration, path, macroPath));
    EXPECT_EQ(configuration.image.macroBlock(0)[3], 0x06);
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, onDisk, recordsOnDisk));
    EXPECT_EQ(onDisk.macroBlock(0)[3], 0x06);
    auto stored = std::make_unique<MacroStore>();
    ASSERT_TRUE(LoadMacroFile(macroPath, *stored));
    EXPECT_EQ(MacroName((*stored)[0]), u"a");

    // A macro file that cannot be replaced is reported; keymap.bin is still written.
    std::filesystem::remove(path);
    std::filesystem::create_directory(folder / "blocked");
    std::filesystem::create_directory(folder / "blocked" / "MacroDefine.bin");
    std::filesystem::create_directory(folder / "blocked" / "MacroDefine.bin" / "inside");
    EXPECT_EQ(CompleteMacroEditing(macros, configuration, path, folder / "blocked" / "MacroDefine.bin").code(),
              ErrorCode::FileError);
    EXPECT_TRUE(Written());
}

TEST_F(AssignmentTest, PrepareReloadsTheRecordsAndKeepsTheImage) {
    configuration.records[9].kind = KIND_FUNCTION;
    ASSERT_TRUE(SaveKeymapFile(path, configuration.image, configuration.records));
    configuration.records[9].kind = KIND_MACRO;
    configuration.image.setGameMode(1);
    const DeviceImage image = configuration.image;
    AssignmentDraft draft;
    ASSERT_TRUE(PrepareAssignment(draft, configuration, 9, path));
    EXPECT_EQ(draft.CurrentSlot, 9);
    EXPECT_EQ(draft.DefaultCode, 0x78);
    EXPECT_EQ(configuration.records[9].kind, KIND_FUNCTION);
    EXPECT_EQ(configuration.image, image);
}

}  // namespace
}  // namespace solvane
