// The skin the build draws: every image a window loads is there, with a size that fits the
// places the windows give it.
#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "controls/ProgramFolder.h"
#include "common/Geometry.h"
#include "controls/ResourceBitmaps.h"
#include "controls/SkinFolder.h"
#include "controls/SkinImage.h"

namespace solvane {
namespace {

enum class Fit { Exactly, AtLeast };

struct Expected {
    const char* folder;
    const char* name;
    int width;
    int height;
    Fit fit;
};

// Sizes from the windows' coordinates: a button image is its click area (edges included); a
// background at least covers everything drawn on it.
constexpr Expected kImages[] = {
    {"", "main.png", 997, 636, Fit::AtLeast},  // help panel to x 996, buttons to y 635
    {"", "button-help-normal.png", 17, 16, Fit::Exactly},    // (936, 5)-(952, 20)
    {"", "button-min-normal.png", 17, 16, Fit::Exactly},     // (957, 5)-(973, 20)
    {"", "button-close-normal.png", 17, 16, Fit::Exactly},   // (978, 5)-(994, 20)
    {"", "HelpWindow.png", 167, 78, Fit::Exactly},           // (830, 22)-(996, 99)
    {"", "button-cancel-normal.png", 58, 31, Fit::Exactly},  // (800, 605)-(857, 635)
    {"", "button-save-normal.png", 58, 31, Fit::Exactly},
    {"", "Config.png", 73, 31, Fit::AtLeast},       // at (17, 603), covers (19, 605)-(89, 633)
    {"", "kb_BK.png", 598, 253, Fit::AtLeast},      // keys up to x 597, y 252
    {"", "kb_hl.png", 598, 253, Fit::AtLeast},
    {"", "logo.png", 1, 1, Fit::AtLeast},
    {"", "text.png", 1, 1, Fit::AtLeast},
    {"", "SplashScreen.png", 1, 1, Fit::AtLeast},
    {"", "itemBK.png", 243, 21, Fit::Exactly},                // (19, 110)-(261, 130)
    {"", "LEDEffect_open.png", 243, 179, Fit::AtLeast},       // to the speed labels, y 308
    {"", "灯光选项条.png", 221, 16, Fit::Exactly},            // (28, 158)-(248, 173)
    {"", "Direction-T-Enable.png", 36, 16, Fit::Exactly},     // (29, 197)-(64, 212)
    {"", "Direction-T-Disable.png", 36, 16, Fit::Exactly},
    {"", "Direction-B-Enable.png", 36, 16, Fit::Exactly},
    {"", "Direction-B-Disable.png", 36, 16, Fit::Exactly},
    {"", "Direction-L-Enable.png", 36, 16, Fit::Exactly},
    {"", "Direction-L-Disable.png", 36, 16, Fit::Exactly},
    {"", "Direction-R-Enable.png", 36, 16, Fit::Exactly},
    {"", "Direction-R-Disable.png", 36, 16, Fit::Exactly},
    {"", "Enable.png", 11, 10, Fit::Exactly},                 // (27, A+191)-(37, A+200)
    {"", "Disable.png", 11, 10, Fit::Exactly},
    {"", "MacroManagementBK.png", 243, 29, Fit::AtLeast},     // to the button's bottom
    {"", "宏管理器按钮-3.png", 223, 19, Fit::Exactly},        // (28, A+120)-(250, A+138)
    {"", "gamemode_Close.png", 243, 21, Fit::AtLeast},
    {"", "gamemode_open.png", 243, 43, Fit::AtLeast},         // to the radios, y2 + 42
    {"", "responsetime_close.png", 243, 21, Fit::AtLeast},
    {"", "responsetime_open.png", 243, 45, Fit::AtLeast},     // to the bar, y3 + 44
    {"", "reportrate_Close.png", 243, 21, Fit::AtLeast},
    {"", "reportrate_Open.png", 243, 41, Fit::AtLeast},       // to the slider, y4 + 40
    {"", "Thumb.png", 15, 14, Fit::Exactly},
    {"Config", "Config.png", 263, 625, Fit::AtLeast},         // close to x 262, buttons to y 624
    {"Config", "button-close-normal.png", 16, 15, Fit::AtLeast},  // at (247, 10) to (262, 24)
    {"Config", "New.png", 67, 50, Fit::AtLeast},              // at (13, 575) to (79, 624)
    {"Config", "Delete.png", 67, 50, Fit::AtLeast},
    {"Custom", "自定义底.png", 325, 269, Fit::AtLeast},       // tabs to x 324, buttons to y 268
    {"Custom", "button-close-normal.png", 16, 16, Fit::Exactly},  // (303, 2)-(318, 17)
    {"Custom", "button-close-over.png", 16, 16, Fit::Exactly},
    {"Custom", "large_button.png", 81, 27, Fit::Exactly},     // tabs every 81, y 31 to 57
    {"Custom", "单键-组合键-功能选项.png", 325, 7, Fit::AtLeast},  // (0, 30)-(325, 36)
    {"Custom", "Disable.png", 11, 10, Fit::Exactly},          // (19, 251)-(29, 260)
    {"Custom", "Enable.png", 11, 10, Fit::Exactly},
    {"Custom", "disable.png", 11, 10, Fit::Exactly},          // the grid's markers, same files
    {"Custom", "enable.png", 11, 10, Fit::Exactly},
    {"Custom", "button-cancel-normal.png", 42, 23, Fit::Exactly},  // (156, 246)-(197, 268)
    {"Custom", "button-cancel-over.png", 42, 23, Fit::Exactly},
    {"Custom", "button-save-normal.png", 42, 23, Fit::Exactly},
    {"Custom", "button-save-over.png", 42, 23, Fit::Exactly},
    {"Custom", "cursor.png", 1, 1, Fit::AtLeast},
    {"Custom", "宏-底.png", 288, 108, Fit::AtLeast},          // grid to x 302, y 173
    {"Custom", "高级功能.png", 161, 16, Fit::Exactly},        // (83, 68)-(243, 83)
    {"Custom", "浏览.png", 47, 16, Fit::Exactly},             // (256, 68)-(302, 83)
    {"Custom", "浏览02.png", 47, 16, Fit::Exactly},
    {"MacroManagement", "MacroManagement.png", 398, 425, Fit::AtLeast},  // cancel to (397, 424)
    {"MacroManagement", "Record-normal.png", 90, 25, Fit::Exactly},  // (290, 100)-(379, 124)
    {"MacroManagement", "Record-over.png", 90, 25, Fit::Exactly},
    {"MacroManagement", "Pane.png", 15, 15, Fit::Exactly},           // (368, 168)-(382, 182)
    {"MacroManagement", "PaneMakingTick.png", 15, 15, Fit::Exactly},
    {"MacroManagement", "button-new-normal.png", 58, 25, Fit::Exactly},  // (20, 368)-(77, 392)
    {"MacroManagement", "button-new-over.png", 58, 25, Fit::Exactly},
};

class SkinImagesTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }

    QImage Load(const char* folder, const char* name) {
        const SkinFolder skin(ProgramFolderOfThisProcess(), folder);
        const auto file = skin.Find(name);
        return file ? LoadSkinBitmap(*file) : QImage();
    }
};

TEST_F(SkinImagesTest, EveryImageTheWindowsDrawIsThereAndFits) {
    for (const Expected& expected : kImages) {
        const QImage image = Load(expected.folder, expected.name);
        SCOPED_TRACE(std::string(expected.folder) + "/" + expected.name);
        ASSERT_FALSE(image.isNull());
        if (expected.fit == Fit::Exactly) {
            EXPECT_EQ(image.size(), QSize(expected.width, expected.height));
        } else {
            EXPECT_GE(image.width(), expected.width);
            EXPECT_GE(image.height(), expected.height);
        }
    }
}

TEST_F(SkinImagesTest, SectionsFitTheirSlotsOfThePanel) {
    // Slot heights of the left panel: lighting 200 from y 110, the macro row 48, game mode 80,
    // response 80; the report rate section ends above the profile button at y 603.
    EXPECT_LE(Load("", "LEDEffect_open.png").height(), 180);
    EXPECT_LE(Load("", "MacroManagementBK.png").height(), 48);
    EXPECT_LE(Load("", "gamemode_Close.png").height(), 48);
    EXPECT_LE(Load("", "gamemode_open.png").height(), 80);
    EXPECT_LE(Load("", "responsetime_close.png").height(), 40);
    EXPECT_LE(Load("", "responsetime_open.png").height(), 80);
    EXPECT_LE(518 + Load("", "reportrate_Open.png").height(), 603);
    // The tab strip of the key assignment dialog stays above its toggle and buttons.
    EXPECT_LE(30 + Load("Custom", "单键-组合键-功能选项.png").height(), 246);
    const QImage logo = Load("", "logo.png");
    EXPECT_LE(19 + logo.width(), 300) << "the logo stays left of the keyboard";
    EXPECT_LE(32 + logo.height(), 110) << "and above the panel";
}

TEST_F(SkinImagesTest, HighlightedKeysLandExactlyOnTheKeyRectangles) {
    const QImage normal = Load("", "kb_BK.png");
    const QImage lit = Load("", "kb_hl.png");
    ASSERT_EQ(normal.size(), lit.size());
    // A few keys of the window's key table (left, top, right, bottom; right and bottom
    // exclusive for the copy): Esc, Backspace, Tab, Enter, left Shift, Space, right arrow.
    const Rect keys[] = {{2, 52, 27, 77},     {430, 94, 489, 119}, {1, 128, 42, 153},
                         {421, 160, 489, 185}, {6, 192, 67, 217},  {125, 227, 322, 252},
                         {572, 227, 597, 252}};
    for (const Rect& key : keys) {
        SCOPED_TRACE(std::to_string(key.left) + "," + std::to_string(key.top));
        // A point of the cap's face clear of its legend.
        const QPoint face(key.left + 4, key.top + 4);
        EXPECT_NE(normal.pixelColor(face), lit.pixelColor(face)) << "the key lights up";
        EXPECT_GT(lit.pixelColor(face).red(), lit.pixelColor(face).green() + 80);
        const QPoint centre(key.left + key.Width() / 2, key.top + key.Height() / 2);
        // Just outside the key, both pictures show the same plate.
        for (const QPoint outside : {QPoint(key.left - 1, centre.y()), QPoint(key.right, centre.y()),
                                     QPoint(centre.x(), key.top - 1), QPoint(centre.x(), key.bottom)}) {
            if (outside.x() >= 0) {
                EXPECT_EQ(normal.pixelColor(outside), lit.pixelColor(outside));
            }
        }
    }
}

TEST_F(SkinImagesTest, CompiledInBitmapsHaveTheirSizes) {
    struct Size {
        int id, width, height;
    };
    const Size sizes[] = {{IDB_KEY_DOWN, 10, 14},     {IDB_TREE_EXPAND, 9, 9},
                          {IDB_TREE_COLLAPSE, 9, 9},  {IDB_DELAY, 14, 14},
                          {IDB_KEY_UP, 10, 14},       {IDB_TRACK_EMPTY, 220, 17},
                          {IDB_TRACK_FILL, 220, 17},  {IDB_THUMB, 15, 14},
                          {IDB_LIST_BACK, 127, 305}};
    for (const Size& size : sizes) {
        EXPECT_EQ(LoadResourceBitmap(size.id).size(), QSize(size.width, size.height)) << size.id;
    }
    EXPECT_TRUE(LoadResourceBitmap(132).isNull());
    // The track fill is red, the empty track is not.
    const QColor fill = LoadResourceBitmap(IDB_TRACK_FILL).pixelColor(110, 8);
    const QColor empty = LoadResourceBitmap(IDB_TRACK_EMPTY).pixelColor(110, 8);
    EXPECT_GT(fill.red(), fill.green() + 100);
    EXPECT_LT(std::abs(empty.red() - empty.green()), 10);
}

}  // namespace
}  // namespace solvane
