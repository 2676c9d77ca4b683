#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/Geometry.h"
#include "controls/ColorRef.h"

// The picture of the key assignment dialog: where everything lies, which images and texts it
// shows. Client pixels; rectangles include both edges in hit tests.
namespace solvane::keymap {

inline constexpr std::uint8_t kNone = 255;

// The skin's sub-folder and its background, which gives the dialog its size.
inline constexpr std::string_view kSkinFolder = "Custom";
inline constexpr std::string_view kBackground = "自定义底.png";

// Hot areas, in hit-test order.
inline constexpr std::uint8_t kClose = 0;
inline constexpr std::uint8_t kTabKeys = 1;
inline constexpr std::uint8_t kTabMacro = 2;
inline constexpr std::uint8_t kTabFunction = 3;
inline constexpr std::uint8_t kTabAdvanced = 4;
inline constexpr std::uint8_t kTabStrip = 5;
inline constexpr std::uint8_t kDisableToggle = 6;
inline constexpr std::uint8_t kRestoreDefault = 7;
inline constexpr std::uint8_t kCancel = 8;
inline constexpr std::uint8_t kSave = 9;
inline constexpr std::size_t kHotAreaCount = 10;

struct HotAreaLook {
    Rect rect;
    std::string_view normalImage;
    std::string_view activeImage;
};

inline constexpr std::array<HotAreaLook, kHotAreaCount> kHotAreas{{
    {{303, 2, 318, 17}, "button-close-normal.png", "button-close-over.png"},
    {{0, 31, 81, 57}, "large_button.png", "large_button.png"},
    {{81, 31, 162, 57}, "large_button.png", "large_button.png"},
    {{162, 31, 243, 57}, "large_button.png", "large_button.png"},
    {{243, 31, 324, 57}, "large_button.png", "large_button.png"},
    {{0, 30, 325, 36}, "单键-组合键-功能选项.png", "单键-组合键-功能选项.png"},
    {{19, 251, 29, 260}, "Disable.png", "Enable.png"},
    {{156, 246, 197, 268}, "button-cancel-normal.png", "button-cancel-over.png"},
    {{210, 246, 251, 268}, "button-cancel-normal.png", "button-cancel-over.png"},
    {{264, 246, 305, 268}, "button-save-normal.png", "button-save-over.png"},
}};

// The toggle is small: it is hit this many pixels around its rectangle too.
inline constexpr int kToggleMargin = 5;

// The visible category.
enum Category : int {
    CATEGORY_KEYS = 0,      // single key or combination
    CATEGORY_MACRO = 1,
    CATEGORY_FUNCTION = 2,  // named functions
    CATEGORY_ADVANCED = 3,  // sound, program, file, folder
};
inline constexpr std::size_t kCategoryCount = 4;

// The advanced grid: four rows 30 pixels apart, each a marker, a label, a path box and a browse
// button. Cell number = 4 * row + column.
inline constexpr std::size_t kAdvancedRows = 4;
inline constexpr std::size_t kGridColumns = 4;
inline constexpr std::size_t kMarkerColumn = 0;
inline constexpr std::size_t kBrowseColumn = 3;
inline constexpr int kGridPitch = 30;

enum AdvancedRow : std::uint8_t {
    ROW_PLAY_SOUND = 0,
    ROW_LAUNCH_PROGRAM = 1,
    ROW_OPEN_FILE = 2,
    ROW_OPEN_FOLDER = 3,
};

inline constexpr std::array<Rect, kGridColumns> kGridRowZero{{
    {15, 72, 25, 81},     // marker
    {30, 69, 72, 84},     // label
    {83, 68, 243, 83},    // path box
    {256, 68, 302, 83},   // browse button
}};

constexpr Rect GridCell(std::size_t cell) {
    const int row = static_cast<int>(cell / kGridColumns);
    return kGridRowZero[cell % kGridColumns].Offset(0, kGridPitch * row);
}

// The rows of the keys category, each around its edit.
inline constexpr std::array<Rect, 2> kKeyRows{{{20, 80, 315, 104}, {20, 139, 315, 154}}};
inline constexpr std::uint8_t kSingleKeyRow = 0;
inline constexpr std::uint8_t kCombinationRow = 1;

// Where the controls stand: x, y, width, height.
struct Placement {
    int x;
    int y;
    int width;
    int height;
};
inline constexpr Placement kFunctionTreePlace{10, 60, 295, 160};
inline constexpr Placement kSingleKeyEditPlace{20, 89, 280, 20};
inline constexpr Placement kCombinationEditPlace{20, 139, 280, 20};
inline constexpr Placement kMacroListPlace{20, 79, 280, 150};

// Control ids, kept as the controls' names.
inline constexpr int IDC_FUNCTION_TREE = 1003;
inline constexpr int IDC_COMBINATION_EDIT = 1012;
inline constexpr int IDC_SINGLE_KEY_EDIT = 1013;
inline constexpr int IDC_ASSIGN_MACRO_LIST = 1015;

// Colours.
inline constexpr ColorRef kWhite = 0xFFFFFF;
inline constexpr ColorRef kLightGrey = 0xC0C0C0;
inline constexpr ColorRef kControlBackground = 0x6D6D6D;

// What the picture says and where.
inline constexpr Point kTitleAt{2, 2};
inline constexpr std::u16string_view kTitlePrefix = u"当前按键：";

inline constexpr Point kStripAt{0, 30};
inline constexpr std::string_view kCursorImage = "cursor.png";

struct Tab {
    std::u16string_view caption;
    Point captionAt;
    Point cursorAt;
};
inline constexpr std::array<Tab, kCategoryCount> kTabs{{
    {u"单键/组合键", {10, 39}, {35, 30}},
    {u"宏", {115, 39}, {115, 30}},
    {u"基本功能", {182, 39}, {200, 30}},
    {u"高级功能", {259, 39}, {280, 30}},
}};

inline constexpr std::u16string_view kSingleKeyLabel = u"单键";
inline constexpr Point kSingleKeyLabelAt{20, 69};
inline constexpr std::u16string_view kCombinationLabel = u"组合键";
inline constexpr Point kCombinationLabelAt{20, 119};

inline constexpr std::string_view kGridBackground = "宏-底.png";
inline constexpr Point kGridBackgroundAt{15, 66};
inline constexpr std::string_view kMarkerOff = "disable.png";
inline constexpr std::string_view kMarkerOn = "enable.png";
inline constexpr std::string_view kPathBoxImage = "高级功能.png";
inline constexpr std::string_view kBrowseImage = "浏览.png";
inline constexpr std::string_view kBrowseHoverImage = "浏览02.png";
inline constexpr std::array<std::u16string_view, kAdvancedRows> kRowLabels{
    u"播放声音", u"启动程序", u"打开文件", u"打开目录"};
// Where the shown path of a row is written.
inline constexpr Point kPathTextAt{85, 69};

inline constexpr std::u16string_view kToggleLabel = u"禁用按键";
inline constexpr Point kToggleLabelOffset{15, -2};

struct Caption {
    std::u16string_view text;
    Point at;
};
inline constexpr std::array<Caption, 3> kButtonCaptions{{
    {u"初始值", {158, 250}},
    {u"取消", {218, 250}},
    {u"保存", {270, 250}},
}};

// The file choosers of the first three advanced rows: filter label, pattern, default suffix.
struct FileChooser {
    std::u16string_view filterLabel;
    std::u16string_view pattern;
    std::u16string_view suffix;
};
inline constexpr std::array<FileChooser, 3> kFileChoosers{{
    {u"mp3 Files(*.mp3)", u"*.mp3", u"mp3"},
    {u"exe Files(*.exe)", u"*.exe", u"exe"},
    {u"txt Files(*.txt)", u"*.txt", u"txt"},
}};
inline constexpr std::u16string_view kFolderChooserTitle = u"修改接收路径";

// Why the dialog stays open.
inline constexpr std::u16string_view kChooseSubItem = u"请选择子项";
inline constexpr std::u16string_view kChooseAdvancedRow = u"请选择一项高级功能";
inline constexpr std::u16string_view kMacroOutOfReach =
    u"键盘只能保存32个宏，请选择前32个宏中的一个";
inline constexpr std::u16string_view kPathTooLong = u"路径太长：最多255个字符";
inline constexpr std::u16string_view kKeyNotForAdvanced = u"此按键不能用于高级功能";
// The caption of the dialog's message boxes.
inline constexpr std::u16string_view kMessageCaption = u"Solvane";

}  // namespace solvane::keymap
