#pragma once

#include <cstdint>

#include "common/Geometry.h"
#include "app/KeyRectangles.h"
#include "link/DeviceImage.h"

namespace solvane {

// The clickable regions of the main window's panel and buttons.
namespace region {
inline constexpr int kNone = -1;
inline constexpr int kHelp = 0;
inline constexpr int kMinimise = 1;
inline constexpr int kClose = 2;
inline constexpr int kEffectBar = 3;
inline constexpr int kDirectionTop = 4;
inline constexpr int kDirectionBottom = 5;
inline constexpr int kDirectionRight = 6;
inline constexpr int kDirectionLeft = 7;
inline constexpr int kMacroManager = 9;
inline constexpr int kGameModeOn = 10;
inline constexpr int kGameModeOff = 11;
inline constexpr int kResponseBar = 12;
inline constexpr int kProfiles = 14;
inline constexpr int kRestore = 15;
inline constexpr int kCancel = 16;
inline constexpr int kSave = 17;
inline constexpr int kLightingHeader = 18;
inline constexpr int kGameModeHeader = 19;
inline constexpr int kResponseHeader = 20;
inline constexpr int kReportRateHeader = 21;
inline constexpr int kWinLockOn = 31;
inline constexpr int kWinLockOff = 32;
}  // namespace region

inline constexpr std::uint8_t kNoRow = 255;

// Where the panel's sections are, given which of them are collapsed.
struct PanelLayout {
    int a = 0;  // height of the lighting section
    int b = 0;  // height of the game mode section
    int c = 0;  // height of the response section
    Point lighting;
    Point macroRow;
    Point gameMode;
    Point response;
    Point reportRate;
    int responseListTop = 0;  // T
};

struct PanelFlags {
    bool lightingCollapsed = true;
    bool gameModeCollapsed = true;
    bool responseCollapsed = true;
    bool reportRateCollapsed = true;
    bool effectListOpen = false;
    bool responseListOpen = false;
    bool helpPanelOpen = false;
};

PanelLayout ComputePanelLayout(const PanelFlags& flags);

// What the view must do after a click; everything else the click did is in the model.
enum class MainWindowAction {
    None,
    Hide,              // minimise or "取消": hide in the tray
    Close,             // the program ends
    OpenMacroManager,
    OpenProfiles,
    FactoryReset,
    Save,
    OpenKeyDialog,     // for currentSlot()
    OpenWebPage,       // help panel row 0
    LaunchUpdater,     // help panel row 1
};

struct MouseMoveResult {
    bool repaint = false;
    bool startDrag = false;  // move the window with the mouse
};

struct SliderVisibility {
    bool speed = false;
    bool brightness = false;
    bool reportRate = false;
};

// The main window's state and rules: layout, hit tests, what a click or a move does. The panel's
// values live in the device image it is given.
class MainWindowModel {
public:
    explicit MainWindowModel(DeviceImage& image) : m_image(image) {}

    const PanelFlags& flags() const { return m_flags; }
    PanelLayout layout() const { return ComputePanelLayout(m_flags); }
    std::uint8_t currentSlot() const { return m_currentSlot; }
    void setCurrentSlot(std::uint8_t slot) { m_currentSlot = slot; }
    std::uint8_t effectHoverRow() const { return m_effectHoverRow; }
    std::uint8_t responseHoverRow() const { return m_responseHoverRow; }

    int HitTestPanel(int x, int y) const;

    void LeftButtonDown() { m_leftButtonDown = true; }
    MainWindowAction LeftButtonUp(int x, int y);
    MouseMoveResult MouseMove(int x, int y, bool leftButtonHeld);

    // Collapses every section (start-up and factory reset).
    void CollapseAll();
    // Which sliders the panel shows now.
    SliderVisibility Sliders() const;

private:
    MainWindowAction RunRegion(int code);

    DeviceImage& m_image;
    PanelFlags m_flags;
    bool m_leftButtonDown = false;
    std::uint8_t m_currentSlot = kNoSlot;
    std::uint8_t m_previousHoverSlot = kNoSlot;
    std::uint8_t m_effectHoverRow = kNoRow;
    std::uint8_t m_responseHoverRow = kNoRow;
};

}  // namespace solvane
