#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/Utf16.h"
#include "keys/Configuration.h"
#include "keys/KeymapFile.h"
#include "macros/MacroFile.h"
#include "sim/KeyboardFlash.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A data folder and a virtual keyboard that keeps its flash across runs.
class MacroCommandsTest : public ::testing::Test {
protected:
    testing::CliOutcome Run(std::vector<std::string> arguments) {
        return testing::RunCliInFolder(folder.path(), std::move(arguments));
    }
    void Succeed(std::vector<std::string> arguments) {
        const auto outcome = Run(arguments);
        ASSERT_EQ(outcome.status, 0) << arguments[0] << ": " << outcome.err;
    }
    std::unique_ptr<MacroStore> Store() {
        auto store = std::make_unique<MacroStore>();
        EXPECT_TRUE(LoadMacroFile(folder / "MacroDefine.bin", *store));
        return store;
    }
    Bytes KeymapBlock(std::size_t n) {
        auto configuration = std::make_unique<Configuration>();
        EXPECT_TRUE(LoadKeymapFile(folder / "keymap.bin", KeymapLoadMode::Full, configuration->image,
                                   configuration->records));
        const auto block = configuration->image.macroBlock(n);
        return Bytes(block.begin(), block.end());
    }

    testing::TempFolder folder;
};

TEST_F(MacroCommandsTest, AddedMacroIsEncodedAndWritten) {
    Succeed({"read"});
    const auto added = Run({"macro", "add", "Loop", "--loop", "300", "+A"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "created macro 0 (Loop)\n");

    Bytes expected{0x01, 0x2C, 0x01, 0x04};
    expected.resize(192, 0);
    EXPECT_EQ(KeymapBlock(0), expected);
    EXPECT_EQ(LoopCountOf((*Store())[0]), 300);
    // Nothing reaches the keyboard before `write`.
    EXPECT_EQ(LoadFlashFile(folder / "kb.state")->macroBlocks[0][3], 0);

    Succeed({"write"});
    const auto flash = LoadFlashFile(folder / "kb.state");
    ASSERT_TRUE(flash);
    EXPECT_EQ(Bytes(flash->macroBlocks[0].begin(), flash->macroBlocks[0].end()), expected);
}

TEST_F(MacroCommandsTest, ListShowRenameLoopAndDelete) {
    Succeed({"read"});
    EXPECT_EQ(Run({"macro", "list"}).out, "no macros\n");
    Succeed({"macro", "add", "复制", "--delays", "+LCtrl", "120ms", "+c", "-C", "40ms", "-lctrl"});
    Succeed({"macro", "add", "Beta", "+0x41", "-A", "+F5"});

    const auto list = Run({"macro", "list"});
    EXPECT_EQ(list.out,
              "#    loop  delays  events  name\n"
              "0    1     off     3       Beta\n"
              "1    1     on      4       复制\n");
    const auto show = Run({"macro", "show", "1"});
    EXPECT_EQ(show.out, "LCtrl  dn\n120 ms\nC  dn\nC  up\n40 ms\nLCtrl  up\n");

    // Renaming moves the macro with its events; every change is encoded into keymap.bin.
    const auto renamed = Run({"macro", "rename", "1", "Alpha"});
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_EQ(renamed.out, "renamed macro 1 (复制) to macro 0 (Alpha)\n");
    EXPECT_NE(renamed.err.find("changed their numbers"), std::string::npos);
    EXPECT_EQ(Run({"macro", "show", "0"}).out, show.out);
    EXPECT_EQ(KeymapBlock(0)[2], 0x01);
    EXPECT_EQ(KeymapBlock(0)[3], 0xE0);  // LCtrl's device code

    Succeed({"macro", "loop", "1", "25"});
    EXPECT_EQ(LoopCountOf((*Store())[1]), 25);
    EXPECT_EQ(KeymapBlock(1)[1], 25);

    const auto deleted = Run({"macro", "delete", "0"});
    ASSERT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "deleted macro 0 (Alpha)\n");
    EXPECT_EQ(Run({"macro", "list"}).out,
              "#    loop  delays  events  name\n"
              "0    25    off     3       Beta\n");
    EXPECT_EQ(MacroName((*Store())[0]), u"Beta");
    EXPECT_FALSE(HasMacroName((*Store())[1]));
}

TEST_F(MacroCommandsTest, RefusedCommandsChangeNothing) {
    Succeed({"read"});
    Succeed({"macro", "add", "Kept", "+A"});
    const auto before = *Store();
    struct Case {
        std::vector<std::string> command;
        int status;
        std::string says;
    };
    std::vector<std::string> tooMany{"macro", "add", "Full"};
    for (int i = 0; i < 48; ++i) {
        tooMany.insert(tooMany.end(), {"+A", "-A"});
    }
    const Case cases[] = {
        {{"macro", "add", "x", "+NoSuchKey"}, 2, "not an item: +NoSuchKey"},
        {{"macro", "add", "x", "+A", "50ms", "-A"}, 2, "only with --delays"},
        {{"macro", "add", "x", "--delays", "+A", "50ms"}, 2, "needs an event after it"},
        {{"macro", "add", "x", "--loop", "1000", "+A"}, 2, "0 to 999"},
        {{"macro", "add", "x", "+A", "+A"}, 1, "+A repeats the event before it"},
        {{"macro", "add", "x", "+0x0A"}, 1, "cannot play 0x0A"},
        {{"macro", "add", ""}, 1, "a macro needs a name"},
        {tooMany, 1, "the macro is full at -A"},
        {{"macro", "show", "1"}, 1, "there is no macro 1"},
        {{"macro", "delete", "one"}, 2, "not a macro number: one"},
        {{"macro", "rename", "0", ""}, 1, "a macro needs a name"},
        {{"macro", "loop", "0", "12x"}, 2, "0 to 999"},
        {{"macro", "frobnicate"}, 2, "unknown macro subcommand"},
    };
    for (const auto& c : cases) {
        const auto outcome = Run(c.command);
        EXPECT_EQ(outcome.status, c.status) << c.command[2];
        EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
    }
    EXPECT_EQ(std::memcmp(Store()->data(), before.data(), sizeof(MacroStore)), 0);
}

TEST_F(MacroCommandsTest, ChangesWantAKeymapReadFromTheKeyboard) {
    const auto added = Run({"macro", "add", "x", "+A"});
    EXPECT_EQ(added.status, 1);
    EXPECT_NE(added.err.find("there is no keymap.bin"), std::string::npos) << added.err;
    EXPECT_FALSE(HasMacroName((*Store())[0]));
}

}  // namespace
}  // namespace solvane
