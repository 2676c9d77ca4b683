#include <gtest/gtest.h>

#include "app/MainWindowModel.h"
#include "app/PanelValues.h"

namespace solvane {
namespace {

class MainWindowModelTest : public ::testing::Test {
protected:
    // Clicks a point: button down, then up.
    MainWindowAction Click(int x, int y) {
        model.LeftButtonDown();
        return model.LeftButtonUp(x, y);
    }
    DeviceImage image;
    MainWindowModel model{image};
};

TEST_F(MainWindowModelTest, RegionsIncludeTheirEdgesAndFollowTheLayout) {
    struct Case {
        int x, y, code;
    };
    // All sections collapsed: A = 30, B = 48, C = 40.
    for (const auto c : {Case{936, 5, region::kHelp}, Case{952, 20, region::kHelp}, Case{953, 20, region::kNone},
                         Case{994, 20, region::kClose}, Case{995, 20, region::kNone},
                         Case{28, 150, region::kMacroManager}, Case{250, 168, region::kMacroManager},
                         Case{250, 169, region::kNone}, Case{28, 175, region::kNone},
                         Case{19, 188, region::kGameModeHeader}, Case{30, 225, region::kNone},  // game mode on hidden
                         Case{144, 221, region::kWinLockOn}, Case{208, 230, region::kWinLockOff},
                         Case{19, 236, region::kResponseHeader}, Case{19, 276, region::kReportRateHeader},
                         Case{89, 633, region::kProfiles}, Case{857, 635, region::kRestore},
                         Case{861, 605, region::kCancel}, Case{980, 635, region::kSave}}) {
        EXPECT_EQ(model.HitTestPanel(c.x, c.y), c.code) << c.x << "," << c.y;
    }
    // Expanding the lighting section pushes everything below it down by 170.
    Click(19, 110);
    EXPECT_EQ(model.HitTestPanel(28, 158), region::kEffectBar);
    EXPECT_EQ(model.HitTestPanel(28, 320), region::kMacroManager);
    EXPECT_EQ(model.HitTestPanel(144, 391), region::kWinLockOn);
}

TEST_F(MainWindowModelTest, ClicksChangeOnlyTheImageAndTheFlags) {
    Click(19, 110);  // expand lighting
    image.setLighting({0x01, 0, 0, 0, 0});
    Click(29, 197);  // direction top, although the solid effect shows no direction row
    EXPECT_EQ(image.lighting().direction, kDirectionTop);
    Click(214, 212);
    EXPECT_EQ(image.lighting().direction, kDirectionLeft);
    Click(144, 391);  // lock on while the game mode section is collapsed
    EXPECT_EQ(image.winLockOn(), 1);
    Click(19, 358);  // expand game mode (header at A + 158)
    Click(27, 391);
    EXPECT_EQ(image.gameMode(), 1);
    Click(88, 400);
    EXPECT_EQ(image.gameMode(), 0);
}

TEST_F(MainWindowModelTest, TheEffectListChoosesByRowAndClosesOnAnyClick) {
    Click(19, 110);
    struct Case {
        int y;
        int effect;  // -1: unchanged
    };
    for (const auto c : {Case{173, 0x01}, Case{192, 0x01}, Case{193, 0x02}, Case{412, 0x37}, Case{413, -1},
                         Case{172, -1}}) {
        image.setLighting({0x99, 0, 0, 0, 0});
        ASSERT_EQ(Click(28, 158), MainWindowAction::None);
        ASSERT_TRUE(model.flags().effectListOpen);
        EXPECT_FALSE(model.Sliders().speed || model.Sliders().brightness);
        Click(100, c.y);
        EXPECT_FALSE(model.flags().effectListOpen);
        EXPECT_EQ(image.lighting().effect, c.effect < 0 ? 0x99 : c.effect) << c.y;
    }
}

TEST_F(MainWindowModelTest, TheResponseListSetsTheValueOfItsRow) {
    Click(19, 236);            // expand response: T = A + B - 15 = 63
    Click(28, 30 + 48 + 186);  // response bar
    ASSERT_TRUE(model.flags().responseListOpen);
    Click(27, 63 + 20 * 9);
    EXPECT_EQ(image.keyResponse(), 10);
    EXPECT_FALSE(model.flags().responseListOpen);
    EXPECT_EQ(ResponseText(image.keyResponse()), "20 ms");
}

TEST_F(MainWindowModelTest, TheHelpPanelRowsAndClosing) {
    EXPECT_EQ(Click(940, 10), MainWindowAction::None);
    EXPECT_TRUE(model.flags().helpPanelOpen);
    EXPECT_EQ(Click(830, 22), MainWindowAction::OpenWebPage);
    EXPECT_FALSE(model.flags().helpPanelOpen);
    Click(940, 10);
    EXPECT_EQ(Click(996, 47), MainWindowAction::LaunchUpdater);
    Click(940, 10);
    EXPECT_EQ(Click(900, 80), MainWindowAction::None);
    EXPECT_FALSE(model.flags().helpPanelOpen);
}

TEST_F(MainWindowModelTest, KeysOpenTheDialogExceptTheTwoThatCannotBeAssigned) {
    EXPECT_EQ(Click(302, 212), MainWindowAction::OpenKeyDialog);  // Esc at (2, 52)
    EXPECT_EQ(model.currentSlot(), 0);
    EXPECT_EQ(Click(300 + 60, 160 + 240), MainWindowAction::None);  // slot 96
    EXPECT_EQ(model.currentSlot(), kNoSlot);
    EXPECT_EQ(Click(300 + 380, 160 + 240), MainWindowAction::None);  // slot 100
    EXPECT_EQ(Click(300 + 420, 160 + 240), MainWindowAction::OpenKeyDialog);
    EXPECT_EQ(model.currentSlot(), 101);
    EXPECT_EQ(Click(300 + 30, 160 + 60), MainWindowAction::None);  // between Esc and F1
}

TEST_F(MainWindowModelTest, ButtonsAskTheViewToAct) {
    struct Case {
        int x, y;
        MainWindowAction action;
    };
    for (const auto c : {Case{960, 10, MainWindowAction::Hide}, Case{870, 610, MainWindowAction::Hide},
                         Case{980, 10, MainWindowAction::Close}, Case{30, 155, MainWindowAction::OpenMacroManager},
                         Case{50, 620, MainWindowAction::OpenProfiles}, Case{820, 620, MainWindowAction::FactoryReset},
                         Case{950, 620, MainWindowAction::Save}}) {
        EXPECT_EQ(Click(c.x, c.y), c.action) << c.x << "," << c.y;
    }
}

TEST_F(MainWindowModelTest, DraggingStartsOnlyFromTheEmptyBackground) {
    model.LeftButtonDown();
    EXPECT_TRUE(model.MouseMove(600, 100, true).startDrag);
    model.LeftButtonDown();
    EXPECT_FALSE(model.MouseMove(302, 212, true).startDrag);  // a key
    model.LeftButtonDown();
    EXPECT_FALSE(model.MouseMove(940, 10, true).startDrag);  // a region
    model.MouseMove(600, 100, false);  // released: the flag is cleared
    EXPECT_FALSE(model.MouseMove(600, 100, true).startDrag);
}

TEST_F(MainWindowModelTest, HoverRepaintsWhenTheKeyUnderThePointerChanges) {
    EXPECT_FALSE(model.MouseMove(600, 100, false).repaint);
    EXPECT_TRUE(model.MouseMove(302, 212, false).repaint);
    EXPECT_EQ(model.currentSlot(), 0);
    EXPECT_FALSE(model.MouseMove(303, 213, false).repaint);
    EXPECT_TRUE(model.MouseMove(600, 100, false).repaint);
    EXPECT_TRUE(model.MouseMove(940, 10, false).repaint);  // over a region
}

TEST_F(MainWindowModelTest, SlidersFollowTheEffectAndTheSections) {
    EXPECT_FALSE(model.Sliders().brightness);
    Click(19, 110);
    for (const auto& effect : kLightingEffects) {
        image.setLighting({effect.code, 0, 0, 0, 0});
        EXPECT_TRUE(model.Sliders().brightness);
        EXPECT_EQ(model.Sliders().speed, effect.code != 0x01 && effect.code < 0x32) << int{effect.code};
    }
    EXPECT_FALSE(model.Sliders().reportRate);
    Click(19, 200 + 48 + 40 + 158);
    EXPECT_TRUE(model.Sliders().reportRate);
    model.CollapseAll();
    EXPECT_FALSE(model.Sliders().reportRate || model.Sliders().brightness);
}

}  // namespace
}  // namespace solvane
