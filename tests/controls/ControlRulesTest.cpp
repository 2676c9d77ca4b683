// Rules of the skinned controls that need no window.
#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "controls/BitWndState.h"
#include "controls/BitmapStripLayout.h"
#include "controls/HotArea.h"
#include "controls/ListItemRules.h"
#include "controls/SkinFolder.h"
#include "controls/TrackbarMath.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

TEST(HotAreaTest, HitTestIncludesBothEdgesAndTakesTheFirstMatch) {
    const std::array<HotArea, 3> areas{
        HotArea{{0, 30, 325, 36}, "strip.png", "strip.png", 0},
        HotArea{{0, 31, 81, 57}, "tab.png", "tab.png", 0},
        HotArea{{81, 31, 162, 57}, "tab.png", "tab.png", 0},
    };
    struct Case {
        int x, y;
        std::optional<std::size_t> hit;
    };
    const Case cases[] = {
        {0, 30, 0},  {325, 36, 0},           {0, 37, 1},  {81, 57, 1},  // shared edge: first wins
        {82, 57, 2}, {162, 40, 2},           {163, 40, std::nullopt},
        {-1, 30, std::nullopt},              {40, 29, std::nullopt},    {40, 58, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTest(areas, c.x, c.y), c.hit) << c.x << "," << c.y;
    }
}

TEST(HotAreaTest, StateSelectsTheImage) {
    HotArea area{{0, 0, 10, 10}, "button-save-normal.png", "button-save-over.png", 0};
    EXPECT_EQ(area.ImageForState(), "button-save-normal.png");
    area.state = 1;
    EXPECT_EQ(area.ImageForState(), "button-save-over.png");
}

// On a 0..9 slider with a channel 200 pixels wide: exactly one half rounds up.
TEST(TrackbarMathTest, ClickValueRoundsHalfUp) {
    const Rect channel{8, 0, 208, 4};
    struct Case {
        int fromLeft;
        int value;
    };
    const Case cases[] = {{100, 5}, {99, 4}, {111, 5}, {0, 0}, {200, 9}, {12, 1}, {11, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(ClickValue(channel, 0, 9, channel.left + c.fromLeft), c.value) << c.fromLeft;
    }
    // Left of the channel the result is at most 0; the slider raises it to its minimum.
    EXPECT_LE(ClickValue(channel, 0, 9, channel.left - 30), 0);
    EXPECT_EQ(ClickValue(Rect{5, 0, 5, 4}, 0, 9, 50), 0) << "an empty channel gives the minimum";
}

TEST(TrackbarMathTest, ThumbImageSpansTheTrackFromEndToEnd) {
    const Rect channel = ChannelRect(220, 17);
    const auto imageLeft = [&](int max, int value) {
        return ThumbImagePoint(ThumbRect(channel, 17, 0, max, value), 15, 0).x;
    };
    for (const int max : {3, 9, 50}) {
        EXPECT_EQ(imageLeft(max, 0), 0) << max;
        EXPECT_EQ(imageLeft(max, max), 220 - 15) << max;
    }
    // A click on the middle of the thumb image asks for the value it shows.
    for (int value = 0; value <= 9; ++value) {
        const int middle = imageLeft(9, value) + 7;
        EXPECT_EQ(ClickValue(channel, 0, 9, middle), value) << value;
    }
    EXPECT_EQ(ThumbImagePoint(Rect{20, 0, 31, 17}, 15, 4), (Point{20 + 2 - 10, 4}));
}

TEST(BitmapStripLayoutTest, FramesRunAlongTheLongerSide) {
    const StripLayout horizontal = MakeStripLayout(45, 14, 15, 14);
    EXPECT_EQ(horizontal.frameCount, 3);
    EXPECT_FALSE(horizontal.vertical);
    EXPECT_EQ(FrameRect(horizontal, 2), (Rect{30, 0, 45, 14}));
    EXPECT_EQ(FrameRect(horizontal, 3), std::nullopt);
    EXPECT_EQ(FrameRect(horizontal, -1), std::nullopt);

    const StripLayout vertical = MakeStripLayout(15, 42, 15, 14);
    EXPECT_TRUE(vertical.vertical);
    EXPECT_EQ(vertical.frameCount, 3);
    EXPECT_EQ(FrameRect(vertical, 1), (Rect{0, 14, 15, 28}));

    const StripLayout whole = MakeStripLayout(220, 17, 0, 0);
    EXPECT_EQ(whole.frameCount, 1);
    EXPECT_EQ(FrameRect(whole, 0), (Rect{0, 0, 220, 17}));

    EXPECT_EQ(MakeStripLayout(0, 0, 0, 0).frameCount, 0) << "no bitmap, no frames";
    EXPECT_EQ(MakeStripLayout(10, 5, 20, 5).frameCount, 0) << "a frame wider than the bitmap";
}

TEST(BitWndStateTest, OneFrameStripShowsFrameZeroInEveryState) {
    BitWndState state;
    state.OnHover(1);
    EXPECT_EQ(state.frame, 0);
    state.OnPress(1);
    EXPECT_EQ(state.frame, 0);
    state.OnRelease(1);
    EXPECT_EQ(state.frame, 0);
    state.OnLeave(1);
    EXPECT_EQ(state.frame, 0);
}

TEST(BitWndStateTest, ToggleWithThreeFrames) {
    BitWndState state;
    state.toggle = true;
    state.OnPress(3);
    EXPECT_EQ(state.frame, 2);
    EXPECT_TRUE(state.checked);
    state.OnRelease(3);
    EXPECT_EQ(state.frame, 2) << "a checked window keeps its pressed frame on release";
    state.OnLeave(3);
    EXPECT_EQ(state.frame, 2);
    state.OnHover(3);
    EXPECT_EQ(state.frame, 2);
    state.OnPress(3);
    EXPECT_EQ(state.frame, 0);
    EXPECT_FALSE(state.checked);
    state.OnRelease(3);
    EXPECT_EQ(state.frame, 1);
    state.OnLeave(3);
    EXPECT_EQ(state.frame, 0);
    EXPECT_FALSE(state.tracking);
}

TEST(BitWndStateTest, ClickIsReportedOncePerClick) {
    BitWndState onRelease;
    EXPECT_FALSE(onRelease.OnPress(3).sendCommand);
    EXPECT_TRUE(onRelease.OnRelease(3).sendCommand);

    BitWndState onPress;
    onPress.commandOnPress = true;
    EXPECT_TRUE(onPress.OnPress(3).sendCommand);
    EXPECT_FALSE(onPress.OnRelease(3).sendCommand);
}

TEST(ListItemRulesTest, MacroEventRowsShowIconsAndLoseTheirMarks) {
    struct Case {
        ListMode mode;
        std::u16string text;
        std::u16string shown;
        ListItemIcon icon;
    };
    const Case cases[] = {
        {ListMode::MacroEvents, u"A dn", u"A ", ListItemIcon::KeyDown},
        {ListMode::MacroEvents, u"A up", u"A ", ListItemIcon::KeyUp},
        {ListMode::MacroEvents, u"120 ms", u"120 ms", ListItemIcon::Delay},
        {ListMode::MacroEvents, u"MsLB", u"MsLB", ListItemIcon::None},
        {ListMode::MacroEvents, u"dn up dn", u" up ", ListItemIcon::KeyDown},
        {ListMode::Plain, u"A dn", u"A dn", ListItemIcon::None},
        {ListMode::Profiles, u"120 ms", u"120 ms", ListItemIcon::None},
    };
    for (const Case& c : cases) {
        const ShownListItem shown = ShowListItem(c.mode, c.text);
        EXPECT_EQ(shown.text, c.shown);
        EXPECT_EQ(shown.icon, c.icon);
    }
}

TEST(ListItemRulesTest, OnlyMacroKeyEventsRefuseTheInPlaceEdit) {
    EXPECT_FALSE(OpensInPlaceEdit(ListMode::MacroEvents, u"A dn"));
    EXPECT_FALSE(OpensInPlaceEdit(ListMode::MacroEvents, u"Caps up"));
    EXPECT_TRUE(OpensInPlaceEdit(ListMode::MacroEvents, u"35 ms"));
    EXPECT_TRUE(OpensInPlaceEdit(ListMode::Plain, u"Sundnight"));
    EXPECT_TRUE(OpensInPlaceEdit(ListMode::Profiles, u"dn"));
    EXPECT_EQ(EditTextOf(ListMode::MacroEvents, u"120 ms"), u"120");
    EXPECT_EQ(EditTextOf(ListMode::Plain, u"120 ms"), u"120 ms");
}

TEST(ListItemRulesTest, DelayIsTheLeadingNumberHeldToItsLimits) {
    struct Case {
        std::u16string text;
        int delay;
    };
    const Case cases[] = {
        {u"", 2},          {u"0", 2},       {u"1", 2},          {u"2", 2},
        {u"35", 35},       {u"60000", 60000}, {u"60001", 60000}, {u"70000", 60000},
        {u"99999999999999999999", 60000},     {u"12abc", 12},    {u"abc", 2},
        {u"  40", 40},     {u"-5", 2},      {u"+7", 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DelayFromEditText(c.text), c.delay);
    }
    EXPECT_EQ(DelayItemText(2), u"2 ms");
    EXPECT_EQ(DelayItemText(60000), u"60000 ms");
}

class SkinFolderTest : public ::testing::Test {
protected:
    void Touch(const std::filesystem::path& file) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    testing::TempFolder folder;
};

TEST_F(SkinFolderTest, FindsImagesIgnoringLetterCase) {
    Touch(folder / "PNG" / "custom" / "Disable.png");
    Touch(folder / "PNG" / "custom" / PathFromUtf8("宏-底.png"));
    const SkinFolder skin(folder.path(), "Custom");
    EXPECT_EQ(skin.Path(), folder / "PNG" / "custom");
    EXPECT_EQ(skin.Find("disable.png"), folder / "PNG" / "custom" / "Disable.png");
    EXPECT_EQ(skin.Find("DISABLE.PNG"), folder / "PNG" / "custom" / "Disable.png");
    EXPECT_EQ(skin.Find("宏-底.png"), folder / "PNG" / "custom" / PathFromUtf8("宏-底.png"));
    EXPECT_EQ(skin.Find("enable.png"), std::nullopt);
    EXPECT_EQ(skin.Find(""), std::nullopt);
}

TEST_F(SkinFolderTest, ExactSpellingWinsOverAnotherCase) {
    Touch(folder / "png" / "a.png");
    Touch(folder / "png" / "A.png");
    const SkinFolder skin(folder.path(), "");
    EXPECT_EQ(skin.Find("A.png"), folder / "png" / "A.png");
    EXPECT_EQ(skin.Find("a.png"), folder / "png" / "a.png");
}

TEST_F(SkinFolderTest, ProgramFolderIsWhereThePngFolderIs) {
    const auto beside = folder / "bin";
    const auto installed = folder / "share" / "solvane";
    std::filesystem::create_directories(beside);
    Touch(installed / "png" / "main.png");
    EXPECT_EQ(ChooseProgramFolder(beside, installed), installed);
    Touch(beside / "png" / "main.png");
    EXPECT_EQ(ChooseProgramFolder(beside, installed), beside) << "a build tree or portable copy";
    EXPECT_EQ(ChooseProgramFolder(folder / "nowhere", folder / "neither"), folder / "nowhere");
}

TEST(SkinFolderNamesTest, CaseFoldingTouchesOnlyAsciiLetters) {
    EXPECT_TRUE(EqualIgnoringAsciiCase("Button-Save-Normal.PNG", "button-save-normal.png"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("a.png", "a.pn"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("[", "{")) << "only letters fold";
    EXPECT_TRUE(EqualIgnoringAsciiCase("宏-底.png", "宏-底.PNG"));
}

}  // namespace
}  // namespace solvane
