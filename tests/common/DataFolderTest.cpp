#include <gtest/gtest.h>

#include "common/DataFolder.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

TEST(DataFolderTest, TheFirstNonEmptySourceWins) {
    struct Case {
        DataFolderSources sources;
        const char* expected;  // nullptr: no folder can be chosen
    };
    const Case cases[] = {
        {{"/opt", "/env", "/xdg", "/home/u"}, "/opt"},
        {{"", "/env", "/xdg", "/home/u"}, "/env"},
        {{std::nullopt, "", "/xdg", "/home/u"}, "/xdg/solvane"},
        {{std::nullopt, std::nullopt, "", "/home/u"}, "/home/u/.local/share/solvane"},
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt}, nullptr},
    };
    for (const auto& c : cases) {
        const auto folder = ChooseDataFolder(c.sources);
        if (c.expected == nullptr) {
            EXPECT_FALSE(folder);
        } else {
            ASSERT_TRUE(folder);
            EXPECT_EQ(folder.value(), std::filesystem::path(c.expected));
        }
    }
}

TEST(DataFolderTest, PreparingCreatesTheFolder) {
    testing::TempFolder root;
    DataFolderSources sources;
    sources.xdgDataHome = (root / "share").string();
    const auto folder = PrepareDataFolder(sources);
    ASSERT_TRUE(folder);
    EXPECT_TRUE(std::filesystem::is_directory(root / "share" / "solvane"));
}

}  // namespace
}  // namespace solvane
