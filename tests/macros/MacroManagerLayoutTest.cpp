#include <gtest/gtest.h>

#include "macros/MacroManagerLayout.h"

namespace solvane {
namespace {

using namespace macro_layout;

std::vector<int> States(const MacroManagerHotAreas& areas) {
    std::vector<int> states;
    for (const HotArea& area : areas.areas()) {
        states.push_back(area.state);
    }
    return states;
}

TEST(MacroManagerHotAreasTest, ButtonsLightUnderThePointerAndTheBackgroundDrags) {
    MacroManagerHotAreas areas;
    // Edges belong to the area: the record button's right-bottom corner lights it alone.
    auto hover = areas.MouseMove(379, 124);
    EXPECT_TRUE(hover.repaint);
    EXPECT_FALSE(hover.drag);
    EXPECT_EQ(States(areas), (std::vector<int>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(areas.MouseMove(300, 110).repaint) << "still the same area";

    // Straight onto another button: only that one is lit.
    hover = areas.MouseMove(340, 400);
    EXPECT_EQ(States(areas), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));

    // A check box changes no state; leaving it for the background clears every button.
    hover = areas.MouseMove(370, 170);
    EXPECT_FALSE(hover.repaint);
    EXPECT_EQ(areas.hovered(), kDelayBox);
    EXPECT_EQ(States(areas), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    hover = areas.MouseMove(5, 200);
    EXPECT_TRUE(hover.repaint);
    EXPECT_FALSE(hover.drag) << "the first move onto the background only clears";
    EXPECT_EQ(States(areas), (std::vector<int>(7, 0)));
    hover = areas.MouseMove(6, 201);
    EXPECT_TRUE(hover.drag);
    EXPECT_FALSE(hover.repaint);
}

TEST(MacroManagerHotAreasTest, AClickIsRememberedAsTheAreaUnderThePointer) {
    MacroManagerHotAreas areas;
    EXPECT_EQ(areas.Click(20, 368), kNewButton);
    EXPECT_EQ(areas.Click(78, 380), std::nullopt) << "between new and delete";
    EXPECT_EQ(areas.Click(296, 329), kLoopBox);
    EXPECT_FALSE(areas.MouseMove(300, 320).repaint) << "the click already made it the hovered area";
    areas.MouseMove(300, 410);
    areas.Reset();
    EXPECT_EQ(States(areas), (std::vector<int>(7, 0)));
    EXPECT_EQ(areas.hovered(), std::nullopt);
}

}  // namespace
}  // namespace solvane
