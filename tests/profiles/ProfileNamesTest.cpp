#include <gtest/gtest.h>

#include "profiles/ProfileList.h"
#include "profiles/ProfileMessages.h"
#include "profiles/ProfileNames.h"
#include "profiles/ProfilePathTable.h"

namespace solvane {
namespace {

TEST(ProfileListTest, KeepsItemsInCaseInsensitiveOrder) {
    ProfileList list;
    for (const char* name : {"beta", "Alpha", "复制 alpha", "alpha2", "Profile010", "profile002", "_x", "Zed"}) {
        list.Add(name);
    }
    const std::vector<std::string> expected{"_x",         "Alpha",      "alpha2", "beta",
                                            "profile002", "Profile010", "Zed",    "复制 alpha"};
    EXPECT_EQ(list.items(), expected);
}

TEST(ProfileListTest, EqualNamesKeepTheirOrderAndTheSelectionFollowsItsItem) {
    ProfileList list;
    list.Add("abc");
    list.Add("b");
    list.Select(1);
    EXPECT_EQ(list.Add("ABC"), 1u);  // after the equal "abc"
    EXPECT_EQ(list.items(), (std::vector<std::string>{"abc", "ABC", "b"}));
    EXPECT_EQ(list.selectedText(), "b");
    list.Select(7);
    EXPECT_FALSE(list.selection());
}

TEST(ProfileListTest, AcceptedEditMovesTheItemAndSelectsIt) {
    ProfileList list;
    for (const char* name : {"a", "b", "c"}) list.Add(name);
    EXPECT_FALSE(list.AcceptEdit(0, "a"));  // unchanged text
    EXPECT_FALSE(list.selection());
    EXPECT_TRUE(list.AcceptEdit(0, "z"));
    EXPECT_EQ(list.items(), (std::vector<std::string>{"b", "c", "z"}));
    EXPECT_EQ(list.selection(), 2u);
}

TEST(ProfileNamesTest, OnlyFilesEndingInBinAreProfiles) {
    struct Case {
        const char* file;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"Profile001.bin", "Profile001"}, {"a.bin.bin", "a.bin"}, {"复制 a 1.bin", "复制 a 1"},
        {"a.BIN", std::nullopt},          {"a.txt", std::nullopt}, {".bin", std::nullopt},
        {"..bin", std::nullopt},          {"bin", std::nullopt},   {"a\nb.bin", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfileNameOfFile(c.file), c.name) << c.file;
    }
    EXPECT_EQ(ProfileNameFromTyped("abc.bin"), "abc");
    EXPECT_EQ(ProfileNameFromTyped("a.bin.x"), "a.bin.x");
    EXPECT_EQ(ProfileFileName("a.bin.x"), "a.bin.x.bin");
}

TEST(ProfileNamesTest, NamesThatAreNoPlainFileNameAreRefused) {
    const std::filesystem::path folder = "/data/Configure";
    for (const char* good : {"Profile001", "复制 Profile001 1", "a.b", "..a", "a..", " x "}) {
        EXPECT_TRUE(CheckProfileName(folder, good)) << good;
    }
    for (const char* bad : {"", ".", "..", "../x", "a/b", "/", "a\\b", "..\\x", "a\nb", "\t", "a\x7f",
                            "\xff", "a\xc3", "\xed\xa0\x80"}) {
        const Status status = CheckProfileName(folder, bad);
        EXPECT_EQ(status.code(), ErrorCode::InvalidArgument) << bad;
        EXPECT_EQ(status.message(), profile_text::kInvalidName) << bad;
    }
}

TEST(ProfileNamesTest, APathMustFitThePathTableCountedInUtf16Units) {
    const std::filesystem::path folder = "/d";  // "/d/" + name + ".bin": 7 units besides the name
    const std::string fits(kProfilePathMaxUnits - 7, 'n');
    EXPECT_TRUE(CheckProfileName(folder, fits));
    const Status tooLong = CheckProfileName(folder, fits + "n");
    EXPECT_EQ(tooLong.message(), profile_text::kNameTooLong);
    // A character beyond U+FFFF takes two units; CJK characters one, whatever their UTF-8 length.
    EXPECT_FALSE(CheckProfileName(folder, fits.substr(1) + "\xF0\x9F\x98\x80"));
    EXPECT_TRUE(CheckProfileName(folder, fits.substr(1) + "配"));
    EXPECT_EQ(Utf16Length("a配\xF0\x9F\x98\x80"), 4u);
}

}  // namespace
}  // namespace solvane
