#include <gtest/gtest.h>

#include "profiles/ConfigureDialogModel.h"

namespace solvane {
namespace {

TEST(ConfigureDialogModelTest, ClickAreasIncludeTheirEdgesAndNothingAroundThem) {
    struct Case {
        int x;
        int y;
        ConfigureClick expected;
    };
    const Case cases[] = {
        {248, 10, ConfigureClick::None},  {248, 11, ConfigureClick::Close},
        {262, 24, ConfigureClick::Close}, {263, 24, ConfigureClick::None},
        {262, 25, ConfigureClick::None},  {247, 18, ConfigureClick::None},
        {14, 576, ConfigureClick::New},   {79, 624, ConfigureClick::New},
        {13, 600, ConfigureClick::None},  {80, 600, ConfigureClick::None},
        {14, 575, ConfigureClick::None},  {14, 625, ConfigureClick::None},
        {184, 576, ConfigureClick::Delete}, {249, 624, ConfigureClick::Delete},
        {183, 600, ConfigureClick::None}, {250, 600, ConfigureClick::None},
        {130, 300, ConfigureClick::None},  // the list lies there
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTestConfigure(c.x, c.y), c.expected) << "(" << c.x << ", " << c.y << ")";
    }
}

}  // namespace
}  // namespace solvane
