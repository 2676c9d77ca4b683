#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/Geometry.h"
#include "profiles/ProfileManager.h"

namespace solvane {

// Commands of the profile menu (IDR_PROFILE_MENU), with the ids its items have always had.
inline constexpr int ID_PROFILE_NEW = 32785;
inline constexpr int ID_PROFILE_COPY = 32817;
inline constexpr int ID_PROFILE_SAVE = 32786;
inline constexpr int ID_PROFILE_LOAD = 32787;
inline constexpr int ID_PROFILE_DELETE = 32788;

struct ProfileMenuItem {
    int command;
    std::string_view text;
};

inline constexpr std::string_view kProfileMenuTitle = "profile";
inline constexpr std::array<ProfileMenuItem, 5> kProfileMenu{{
    {ID_PROFILE_NEW, "新建"},
    {ID_PROFILE_COPY, "复制"},
    {ID_PROFILE_SAVE, "保存"},
    {ID_PROFILE_LOAD, "加载"},
    {ID_PROFILE_DELETE, "删除"},
}};

// Where things are on the profile manager's picture, in client pixels.
namespace configure_layout {

inline constexpr std::string_view kSkinSubFolder = "Config";
inline constexpr std::string_view kBackground = "Config.png";

// The profile list: 260 x 540 at (1, 34).
inline constexpr Rect kList{1, 34, 261, 574};

// Click areas, edges included, tested in this order.
inline constexpr Rect kCloseArea{248, 11, 262, 24};
inline constexpr Rect kNewArea{14, 576, 79, 624};
inline constexpr Rect kDeleteArea{184, 576, 249, 624};

// What is drawn over the background, in painting order: images at their natural size,
// labels in the dialog's label style.
struct Decoration {
    enum class Kind { Image, Label };
    Kind kind;
    std::string_view text;  // image file name or label text
    Point at;
};
inline constexpr std::array<Decoration, 6> kDecorations{{
    {Decoration::Kind::Label, "配置", {10, 10}},
    {Decoration::Kind::Image, "button-close-normal.png", {247, 10}},
    {Decoration::Kind::Image, "New.png", {13, 575}},
    {Decoration::Kind::Label, "新建", {30, 578}},
    {Decoration::Kind::Image, "Delete.png", {183, 575}},
    {Decoration::Kind::Label, "删除", {200, 578}},
}};

}  // namespace configure_layout

// The dialog opens one pixel above and left of the main window's top-left corner.
constexpr Point ConfigureDialogPosition(const Rect& mainWindow) {
    return {mainWindow.left - 1, mainWindow.top - 1};
}

enum class ConfigureClick { None, Close, New, Delete };

// The area a left-button release at client point (x, y) falls in.
ConfigureClick HitTestConfigure(int x, int y);

// What the profile manager window must do after an input.
enum class ConfigureAction {
    None,
    ShowList,  // the profile list may have changed: show it again
    Close,     // close the window with OK
};

// The profile manager window's rules: which click or command runs which profile operation.
// The view hands in the list's selection with every input, so the profiles act on what the
// user sees selected.
class ConfigureDialogModel {
public:
    explicit ConfigureDialogModel(ProfileManager& profiles) : m_profiles(profiles) {}

    ProfileManager& profiles() { return m_profiles; }

    ConfigureAction LeftButtonUp(int x, int y, std::optional<std::size_t> selection);
    // A command of the profile menu; an unknown id does nothing.
    ConfigureAction Command(int command, std::optional<std::size_t> selection);
    // The in-place edit of item `editStartIndex` was accepted with the changed text `typed`.
    ConfigureAction Renamed(std::size_t editStartIndex, std::string typed);

private:
    ProfileManager& m_profiles;
};

}  // namespace solvane
