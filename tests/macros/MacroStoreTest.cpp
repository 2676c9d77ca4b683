#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/AtomicFile.h"
#include "macros/MacroFile.h"
#include "macros/MacroNames.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

const std::uint8_t* StoreBytes(const MacroStore& store) {
    return reinterpret_cast<const std::uint8_t*>(store.data());
}

class MacroFileTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::filesystem::path path = folder / "MacroDefine.bin";
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
};

TEST_F(MacroFileTest, FirstRunCreatesAFileOfZeros) {
    ASSERT_TRUE(LoadMacroFile(path, *store));
    const auto bytes = ReadFileBounded(path, 200000);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 169860u);
    EXPECT_TRUE(std::ranges::all_of(bytes.value(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(MacroCount(*store), 0u);
}

TEST_F(MacroFileTest, ShortAndLongFilesFillTheStoreFromTheFront) {
    for (std::size_t size : {std::size_t{1000}, macro_file::kSize + 77}) {
        std::vector<std::uint8_t> file(size);
        for (std::size_t i = 0; i < size; ++i) file[i] = static_cast<std::uint8_t>(i * 5 + 1);
        ASSERT_TRUE(WriteFileAtomically(path, file));
        auto loaded = std::make_unique<MacroStore>();
        ASSERT_TRUE(LoadMacroFile(path, *loaded));
        const std::size_t held = std::min(size, macro_file::kSize);
        EXPECT_TRUE(std::equal(file.begin(), file.begin() + held, StoreBytes(*loaded)));
        EXPECT_TRUE(std::all_of(StoreBytes(*loaded) + held, StoreBytes(*loaded) + macro_file::kSize,
                                [](std::uint8_t b) { return b == 0; }));
    }
}

TEST_F(MacroFileTest, SaveAndLoadRoundTrip) {
    ASSERT_TRUE(SetMacroName((*store)[0], u"宏指令_001"));
    SetLoopCount((*store)[0], 999);
    (*store)[0].flags = macro_record::kFlagRecordDelays;
    (*store)[189].keyEvents[189] = 0x41;
    ASSERT_TRUE(SaveMacroFile(path, *store));
    auto loaded = std::make_unique<MacroStore>();
    ASSERT_TRUE(LoadMacroFile(path, *loaded));
    EXPECT_EQ(std::memcmp(loaded->data(), store->data(), sizeof(MacroStore)), 0);
    const auto bytes = ReadFileBounded(path, 200000);
    // The loop count is little-endian at offset 510 of the record.
    EXPECT_EQ(bytes.value()[510], 0xE7);
    EXPECT_EQ(bytes.value()[511], 0x03);
    EXPECT_EQ(bytes.value()[512], 0x01);
}

TEST_F(MacroFileTest, AnUnreadableFileIsReportedAndLeftAlone) {
    std::filesystem::create_directory(path);
    ASSERT_TRUE(SetMacroName((*store)[0], u"keep"));
    EXPECT_FALSE(LoadMacroFile(path, *store));
    EXPECT_EQ(MacroName((*store)[0]), u"keep");
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(MacroNamesTest, DefaultNamesAndTheSmallestFreeNumber) {
    EXPECT_EQ(DefaultMacroName(1), u"宏指令_001");
    EXPECT_EQ(DefaultMacroName(42), u"宏指令_042");
    EXPECT_EQ(DefaultMacroName(100), u"宏指令_100");
    EXPECT_EQ(DefaultMacroName(1234), u"宏指令_1234");
    struct Case {
        std::vector<std::u16string> names;
        std::u16string next;
    };
    const Case cases[] = {
        {{}, u"宏指令_001"},
        {{u"宏指令_001", u"宏指令_002"}, u"宏指令_003"},
        {{u"宏指令_002", u"x"}, u"宏指令_001"},
        {{u"宏指令_001", u"宏指令_1", u"宏指令_003"}, u"宏指令_002"},  // exact text only
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextDefaultMacroName(c.names), c.next);
    }
}

TEST(MacroNamesTest, NamesAreReadWithinTheirFieldAndTheListEndsAtAGap) {
    auto store = std::make_unique<MacroStore>();
    ASSERT_TRUE(SetMacroName((*store)[0], u"first"));
    (*store)[1].name.fill(u'n');  // no terminator
    ASSERT_TRUE(SetMacroName((*store)[3], u"after a gap"));
    EXPECT_EQ(MacroCount(*store), 2u);
    const auto names = MacroNames(*store);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], u"first");
    EXPECT_EQ(names[1], std::u16string(255, u'n'));
    EXPECT_FALSE(SetMacroName((*store)[0], std::u16string(255, u'x')));
    EXPECT_TRUE(SetMacroName((*store)[0], std::u16string(254, u'x')));
    EXPECT_EQ((*store)[0].name[254], u'\0');
}

TEST(MacroNamesTest, NamesAreFittedTo254UnitsWithoutHalfACharacter) {
    const std::u16string pair = u"\U0001F600";
    struct Case {
        std::u16string typed;
        std::u16string fitted;
    };
    const Case cases[] = {
        {u"short", u"short"},
        {std::u16string(300, u'x'), std::u16string(254, u'x')},
        {std::u16string(253, u'x') + pair, std::u16string(253, u'x')},  // not the high half alone
        {std::u16string(252, u'x') + pair + u"y", std::u16string(252, u'x') + pair},
        {std::u16string(u"ab\0cd", 5), u"ab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitMacroName(c.typed), c.fitted) << c.typed.size();
    }
}

TEST(MacroNamesTest, AFullStoreHas190Macros) {
    auto store = std::make_unique<MacroStore>();
    for (auto& record : *store) {
        ASSERT_TRUE(SetMacroName(record, u"m"));
    }
    EXPECT_EQ(MacroCount(*store), 190u);
}

}  // namespace
}  // namespace solvane
