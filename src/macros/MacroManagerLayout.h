#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "common/Geometry.h"
#include "controls/ColorRef.h"
#include "controls/HotArea.h"

// The picture of the macro manager: where everything lies, which images and texts it shows,
// and how its hot areas follow the pointer. Client pixels; hit tests include both edges.
namespace solvane::macro_layout {

// The skin's sub-folder and its background, which gives the dialog its size.
inline constexpr std::string_view kSkinFolder = "MacroManagement";
inline constexpr std::string_view kBackground = "MacroManagement.png";

// Hot areas, in hit-test order.
inline constexpr std::size_t kRecordButton = 0;
inline constexpr std::size_t kDelayBox = 1;
inline constexpr std::size_t kLoopBox = 2;
inline constexpr std::size_t kNewButton = 3;
inline constexpr std::size_t kDeleteButton = 4;
inline constexpr std::size_t kOkButton = 5;
inline constexpr std::size_t kCancelButton = 6;
inline constexpr std::size_t kHotAreaCount = 7;

inline constexpr std::string_view kTickedImage = "PaneMakingTick.png";
inline constexpr std::string_view kUntickedImage = "Pane.png";

struct HotAreaLook {
    Rect rect;
    std::string_view normalImage;
    std::string_view activeImage;
};

inline constexpr std::array<HotAreaLook, kHotAreaCount> kHotAreas{{
    {{290, 100, 379, 124}, "Record-normal.png", "Record-over.png"},
    {{368, 168, 382, 182}, kUntickedImage, kTickedImage},
    {{296, 315, 310, 329}, kUntickedImage, kTickedImage},
    {{20, 368, 77, 392}, "button-new-normal.png", "button-new-over.png"},
    {{80, 368, 137, 392}, "button-new-normal.png", "button-new-over.png"},
    {{280, 400, 337, 424}, "button-new-normal.png", "button-new-over.png"},
    {{340, 400, 397, 424}, "button-new-normal.png", "button-new-over.png"},
}};

// A text of the dialog, drawn with its top-left corner at (x, y) in "Arial" of this height.
struct Label {
    std::u16string_view text;
    int x;
    int y;
    int height;
};

inline constexpr Label kTitle{u"宏管理器", 16, 9, 18};
inline constexpr std::array<Label, 3> kHeadings{{
    {u"选择宏", 31, 60, 17},
    {u"按键系列", 171, 60, 17},
    {u"录制选项", 311, 60, 17},
}};
// The record button's caption ("开始录制" or "停止录制") stands here.
inline constexpr Label kRecordCaption{u"", 315, 103, 15};
inline constexpr std::array<Label, 2> kDelayLabels{{
    {u"记录按键动作", 290, 168, 15},
    {u"间的延迟", 290, 184, 15},
}};
inline constexpr Label kLoopLabel{u"循环次数", 295, 300, 15};
// The captions of the new, delete, OK and cancel buttons, in hot-area order.
inline constexpr std::array<Label, 4> kButtonCaptions{{
    {u"新建", 40, 372, 15},
    {u"删除", 100, 372, 15},
    {u"确定", 300, 404, 15},
    {u"取消", 360, 404, 15},
}};

// Child controls: left, top, width, height.
struct Placement {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr Placement kMacroListPlace{20, 80, 113, 275};
inline constexpr Placement kEventListPlace{150, 80, 113, 275};
inline constexpr Placement kLoopEditPlace{296, 331, 84, 18};
inline constexpr int kLoopEditMaxLength = 3;

// Text style of both lists.
inline constexpr std::string_view kListFace = "Arial";
inline constexpr int kListTextHeight = 16;
inline constexpr ColorRef kListText = 0xFFFFFF;
inline constexpr ColorRef kListSelectedText = 0xFFFF00;
inline constexpr ColorRef kListShadow = 0x000000;
inline constexpr int kListShadowOffset = 2;

// The longest macro name the in-place edit takes.
inline constexpr int kMacroNameMaxLength = 254;

}  // namespace solvane::macro_layout

namespace solvane {

// The hot areas of the macro manager and the one under the pointer. The buttons light up
// while the pointer is over them; the two check boxes show their setting instead, which the
// dialog reads from the macro manager.
class MacroManagerHotAreas {
public:
    MacroManagerHotAreas() { Reset(); }

    // As at every opening: all areas in state 0, none under the pointer.
    void Reset();

    const std::array<HotArea, macro_layout::kHotAreaCount>& areas() const { return m_areas; }
    std::optional<std::size_t> hovered() const { return m_hovered; }

    struct Hover {
        bool repaint = false;  // a button's state changed
        bool drag = false;     // over no area, as before: the window may be dragged from here
    };
    Hover MouseMove(int x, int y);
    // A click at (x, y): the area hit, which is remembered as the one under the pointer.
    std::optional<std::size_t> Click(int x, int y);

private:
    std::array<HotArea, macro_layout::kHotAreaCount> m_areas;
    std::optional<std::size_t> m_hovered;
};

}  // namespace solvane
