#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>

#include "common/AtomicFile.h"
#include "common/Utf16.h"
#include "keys/ApplyAssignment.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeymapFile.h"
#include "macros/MacroFile.h"
#include "sim/KeyboardFlash.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using Bytes = std::array<std::uint8_t, 4>;

// A data folder and a virtual keyboard that keeps its flash across runs.
class KeyCommandsTest : public ::testing::Test {
protected:
    testing::CliOutcome Run(std::vector<std::string> arguments) {
        return testing::RunCliInFolder(folder.path(), std::move(arguments));
    }
    void ReadKeyboard() {
        const auto read = Run({"read"});
        ASSERT_EQ(read.status, 0) << read.err;
    }
    // The line `keys` shows for a slot.
    std::string KeyLine(std::size_t slot) {
        const auto keys = Run({"keys"});
        EXPECT_EQ(keys.status, 0) << keys.err;
        std::istringstream lines(keys.out);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with(std::to_string(slot) + " ")) {
                return line;
            }
        }
        return "(no line for slot " + std::to_string(slot) + ")";
    }
    Configuration Keymap() {
        Configuration configuration;
        EXPECT_TRUE(LoadKeymapFile(folder / "keymap.bin", KeymapLoadMode::Full, configuration.image,
                                   configuration.records));
        return configuration;
    }
    Bytes EntryOf(const Configuration& configuration, std::size_t slot) {
        return ReadKeyMapEntry(configuration.image.keyMapBlock(), KeySlotTable[slot].entry()).bytes;
    }
    void StoreMacros(std::size_t count) {
        auto store = std::make_unique<MacroStore>();
        for (std::size_t n = 0; n < count; ++n) {
            ASSERT_TRUE(SetMacroName((*store)[n], u"宏指令_" + std::u16string(1, static_cast<char16_t>(u'A' + n))));
            SetLoopCount((*store)[n], 2);
            (*store)[n].deviceEvents[0] = 0x01;
            (*store)[n].deviceEvents[1] = static_cast<std::uint8_t>(0x04 + n);
        }
        ASSERT_TRUE(SaveMacroFile(folder / "MacroDefine.bin", *store));
    }

    testing::TempFolder folder;
};

TEST_F(KeyCommandsTest, AssignWriteAndReadBackRoundTrip) {
    ReadKeyboard();
    EXPECT_TRUE(KeyLine(0).ends_with(" -")) << KeyLine(0);
    const auto assigned = Run({"assign", "Esc", "key", "A"});
    ASSERT_EQ(assigned.status, 0) << assigned.err;
    EXPECT_NE(assigned.out.find("key A"), std::string::npos) << assigned.out;
    // Nothing reaches the keyboard before `write`.
    EXPECT_EQ(LoadFlashFile(folder / "kb.state")->keyMap[4 * 5 + 2], 0x29);

    ASSERT_EQ(Run({"write"}).status, 0);
    const auto flash = LoadFlashFile(folder / "kb.state");
    ASSERT_TRUE(flash);
    EXPECT_EQ((Bytes{flash->keyMap[20], flash->keyMap[21], flash->keyMap[22], flash->keyMap[23]}),
              (Bytes{0x00, 0x00, 0x04, 0x00}));

    const auto read = Run({"read"});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_NE(read.out.find("changed keys: Esc\n"), std::string::npos) << read.out;
    const std::string line = KeyLine(0);
    EXPECT_TRUE(line.starts_with("0     Esc ")) << line;
    EXPECT_NE(line.find(" key A "), std::string::npos) << line;
    EXPECT_NE(line.find(" enabled "), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with(" changed")) << line;
}

TEST_F(KeyCommandsTest, EveryKindOfAssignment) {
    ReadKeyboard();
    StoreMacros(2);
    const auto program = (folder / "tool.sh").string();
    ASSERT_TRUE(WriteFileAtomically(program, std::vector<std::uint8_t>{'#'}));
    struct Case {
        std::vector<std::string> command;
        std::size_t slot;
        std::string shows;
        Bytes entry;
    };
    const Case cases[] = {
        {{"assign", "F1", "combo", "LCtrl", "c"}, 1, " combination LCtrl + C ", {0, 0xE0, 0x06, 0}},
        {{"assign", "2", "key", "0xB3"}, 2, " key Play/Pause ", {3, 0, 0xCD, 0}},
        {{"assign", "F3", "function", "复制"}, 3, " function 复制 ", {0, 0xE0, 0x06, 0}},
        {{"assign", "F4", "macro", "1"}, 4, " macro 1 (宏指令_B) ", {4, 1, 1, 0}},
        {{"assign", "F5", "program", program}, 5, " program " + program + " ", {0, 0, 0x3E, 0}},
        {{"assign", "F6", "folder", folder.path().string()}, 6, " folder " + folder.path().string(), {0, 0, 0x3F, 0}},
        {{"assign", "-", "key", "/"}, 31, " key / ", {0, 0, 0x38, 0}},       // main-row keys
        {{"assign", "Apps", "key", "Enter"}, 101, " key Enter ", {0, 0, 0x28, 0}},
        {{"assign", "rctrl", "combo", "LAlt", "F4", "0x10"}, 102, " combination LAlt + F4 + 0x10 ", {0, 0xE2, 0x3D, 0}},
        {{"disable", "Caps"}, 62, " default ", {0, 0, 0x39, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command[0] + " " + c.command[1]);
        const auto outcome = Run(c.command);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(EntryOf(Keymap(), c.slot), c.entry);
        EXPECT_NE(KeyLine(c.slot).find(c.shows), std::string::npos) << KeyLine(c.slot);
        EXPECT_TRUE(KeyLine(c.slot).ends_with(" changed")) << KeyLine(c.slot);
    }
    // Macro blocks follow the store; the key map entries of the keys the user did not touch stay.
    const Configuration configuration = Keymap();
    EXPECT_EQ(configuration.image.macroBlock(1)[1], 2);
    EXPECT_EQ(configuration.image.macroBlock(1)[3], 0x05);
    EXPECT_EQ(EntryOf(configuration, 0), (Bytes{0, 0, 0x29, 0}));
    EXPECT_EQ(RecordPath(configuration.records[5]), Utf8ToUtf16(program));
    EXPECT_NE(KeyLine(62).find(" disabled "), std::string::npos);

    // enable and default undo what was done.
    ASSERT_EQ(Run({"enable", "62"}).status, 0);
    ASSERT_EQ(Run({"assign", "F1", "default"}).status, 0);
    for (std::size_t slot : {1u, 62u}) {
        const std::string line = KeyLine(slot);
        EXPECT_NE(line.find(" default "), std::string::npos) << line;
        EXPECT_NE(line.find(" enabled "), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with(" -")) << line;
    }
    EXPECT_EQ(EntryOf(Keymap(), 1), (Bytes{0, 0, 0x3A, 0}));
}

TEST_F(KeyCommandsTest, RefusalsLeaveKeymapAlone) {
    ReadKeyboard();
    StoreMacros(40);
    const auto before = ReadFileBounded(folder / "keymap.bin", keymap_file::kSize);
    struct Case {
        std::vector<std::string> command;
        int status;
        std::string err;
    };
    const std::string usage = " (see solvane-cli --help)\n";
    const Case cases[] = {
        {{"assign", "LWin", "key", "A"}, 1, "slot 96 (LWin) cannot be changed: the Windows-key lock drives it\n"},
        {{"assign", "100", "key", "A"}, 1, "slot 100 (Apps) cannot be changed: it shares its key with slot 101 (Apps)\n"},
        {{"disable", "Num"}, 1, "slot 37 (Num) is not a key of this keyboard\n"},
        {{"assign", "F4", "macro", "32"}, 1, "macro 32 cannot be played by the keyboard, which holds macros 0 to 31\n"},
        {{"assign", "F4", "macro", "40"}, 1, "there is no macro 40 (the macro store holds 40 macros)\n"},
        {{"assign", "F4", "function", "多媒体"}, 1, "unknown function 多媒体; the functions are: 搜索, 运行, "},
        {{"assign", "F4", "file", "/no/such/file"}, 1, "no such file: /no/such/file\n"},
        {{"assign", "F4", "folder", (folder / "keymap.bin").string()}, 1, "no such folder: "},
        {{"assign", "Esc", "key", "Nope"}, 2, "unknown key Nope" + usage},
        {{"assign", "Esc", "key", "0x100"}, 2, "unknown key 0x100" + usage},
        {{"assign", "108", "key", "A"}, 2, "unknown key 108" + usage},
        {{"assign", "Esc", "combo", "A"}, 2, "combo takes two or three KEYs" + usage},
        {{"assign", "Esc", "key", "A", "B"}, 2, "key takes one KEY" + usage},
        {{"assign", "Esc"}, 2, "missing what to assign"},
        {{"assign", "Esc", "wiggle"}, 2, "unknown assignment wiggle" + usage},
        {{"assign"}, 2, "missing SLOT" + usage},
        {{"enable", "Esc", "now"}, 2, "unexpected argument now" + usage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        const auto outcome = Run(c.command);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_TRUE(outcome.err.starts_with("solvane-cli: " + c.err)) << outcome.err;
        EXPECT_EQ(ReadFileBounded(folder / "keymap.bin", keymap_file::kSize).value(), before.value());
    }
}

TEST_F(KeyCommandsTest, KeymapIsNotMadeWithoutReadingTheKeyboard) {
    for (auto command : {std::vector<std::string>{"keys"}, {"assign", "Esc", "key", "A"}, {"write"}}) {
        const auto outcome = Run(command);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "solvane-cli: there is no keymap.bin in " + folder.path().string() +
                                   " yet; run `solvane-cli read` first\n");
        EXPECT_FALSE(std::filesystem::exists(folder / "keymap.bin"));
    }
    // A keymap.bin whose key map is empty is not written to the keyboard either.
    ASSERT_TRUE(WriteFileAtomically(folder / "keymap.bin", std::vector<std::uint8_t>(image::kSize)));
    const auto write = Run({"write"});
    EXPECT_EQ(write.status, 1);
    EXPECT_NE(write.err.find("holds no settings read from the keyboard"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "kb.state"));  // the keyboard was not touched
}

TEST_F(KeyCommandsTest, KeysListsThe87KeysOfThePicture) {
    ReadKeyboard();
    const auto keys = Run({"keys"});
    ASSERT_EQ(keys.status, 0);
    std::istringstream lines(keys.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    ASSERT_EQ(all.size(), 88u);  // a header and 87 keys
    EXPECT_TRUE(all[0].starts_with("SLOT  KEY "));
    EXPECT_TRUE(all[1].starts_with("0     Esc       default ")) << all[1];
    EXPECT_TRUE(all[87].starts_with("105   Right ")) << all[87];
}

TEST_F(KeyCommandsTest, ResetClearsTheKeyRecords) {
    ReadKeyboard();
    ASSERT_EQ(Run({"assign", "F5", "sound", (folder / "kb.state").string()}).status, 0);
    ASSERT_EQ(Run({"disable", "A"}).status, 0);
    ASSERT_EQ(Run({"write"}).status, 0);
    const auto reset = Run({"reset"});
    ASSERT_EQ(reset.status, 0) << reset.err;
    const Configuration configuration = Keymap();
    RecordTable cleared{};
    ClearRecords(cleared);
    EXPECT_EQ(std::memcmp(configuration.records.data(), cleared.data(), sizeof cleared), 0);
    EXPECT_TRUE(std::ranges::all_of(configuration.image.keyEnableBitmap(), [](auto b) { return b == 0xFF; }));
    EXPECT_TRUE(std::ranges::equal(configuration.image.keyMapBlock(), FactoryKeyMap));
    const auto keys = Run({"keys"});
    EXPECT_EQ(keys.out.find(" changed\n"), std::string::npos) << keys.out;
    EXPECT_EQ(keys.out.find(" disabled "), std::string::npos) << keys.out;
}

TEST_F(KeyCommandsTest, HelpForTheKeyCommands) {
    for (const char* command : {"keys", "assign", "disable", "enable"}) {
        const auto help = testing::RunCliForTest({command, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.starts_with(std::string("Usage: solvane-cli [OPTIONS] ") + command)) << help.out;
    }
}

}  // namespace
}  // namespace solvane
