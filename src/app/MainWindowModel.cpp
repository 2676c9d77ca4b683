#include "app/MainWindowModel.h"

#include <array>

#include "app/PanelValues.h"

namespace solvane {
namespace {

constexpr int kLightingCollapsedHeight = 30;
constexpr int kLightingExpandedHeight = 200;
constexpr int kGameModeCollapsedHeight = 48;
constexpr int kGameModeExpandedHeight = 80;
constexpr int kResponseCollapsedHeight = 40;
constexpr int kResponseExpandedHeight = 80;
constexpr int kPanelLeft = 19;
constexpr int kRowHeight = 20;

// The effect list, when open.
constexpr Rect kEffectList{28, 173, 248, 412};
// The response list spans ten rows from its top T.
constexpr int kResponseListLeft = 27;
constexpr int kResponseListRight = 247;
constexpr int kResponseListSpan = 199;
// The help panel and its rows.
constexpr Rect kHelpPanel{830, 22, 996, 99};
constexpr int kHelpRowHeight = 25;
constexpr int kHelpRowWebPage = 0;
constexpr int kHelpRowUpdater = 1;

enum class Condition { Always, LightingExpanded, GameModeExpanded, ResponseExpanded };

struct RegionRow {
    int code;
    Condition condition;
    Rect (*rect)(const PanelLayout&);
};

// In the order they are tested; the first match wins.
constexpr std::array<RegionRow, 22> kRegions{{
    {region::kHelp, Condition::Always, [](const PanelLayout&) { return Rect{936, 5, 952, 20}; }},
    {region::kMinimise, Condition::Always, [](const PanelLayout&) { return Rect{957, 5, 973, 20}; }},
    {region::kClose, Condition::Always, [](const PanelLayout&) { return Rect{978, 5, 994, 20}; }},
    {region::kLightingHeader, Condition::Always, [](const PanelLayout&) { return Rect{19, 110, 261, 130}; }},
    {region::kEffectBar, Condition::LightingExpanded, [](const PanelLayout&) { return Rect{28, 158, 248, 173}; }},
    {region::kDirectionTop, Condition::LightingExpanded, [](const PanelLayout&) { return Rect{29, 197, 64, 212}; }},
    {region::kDirectionBottom, Condition::LightingExpanded, [](const PanelLayout&) { return Rect{79, 197, 114, 212}; }},
    {region::kDirectionRight, Condition::LightingExpanded, [](const PanelLayout&) { return Rect{129, 197, 164, 212}; }},
    {region::kDirectionLeft, Condition::LightingExpanded, [](const PanelLayout&) { return Rect{179, 197, 214, 212}; }},
    {region::kMacroManager, Condition::Always, [](const PanelLayout& l) { return Rect{28, l.a + 120, 250, l.a + 138}; }},
    {region::kGameModeOn, Condition::GameModeExpanded, [](const PanelLayout& l) { return Rect{27, l.a + 191, 37, l.a + 200}; }},
    {region::kGameModeOff, Condition::GameModeExpanded, [](const PanelLayout& l) { return Rect{78, l.a + 191, 88, l.a + 200}; }},
    {region::kGameModeHeader, Condition::Always, [](const PanelLayout& l) { return Rect{19, l.a + 158, 261, l.a + 178}; }},
    {region::kResponseBar, Condition::ResponseExpanded, [](const PanelLayout& l) { return Rect{28, l.a + l.b + 186, 248, l.a + l.b + 202}; }},
    {region::kResponseHeader, Condition::Always, [](const PanelLayout& l) { return Rect{19, l.a + l.b + 158, 261, l.a + l.b + 178}; }},
    {region::kReportRateHeader, Condition::Always, [](const PanelLayout& l) { return Rect{19, l.a + l.b + l.c + 158, 261, l.a + l.b + l.c + 178}; }},
    {region::kProfiles, Condition::Always, [](const PanelLayout&) { return Rect{19, 605, 89, 633}; }},
    {region::kRestore, Condition::Always, [](const PanelLayout&) { return Rect{800, 605, 857, 635}; }},
    {region::kCancel, Condition::Always, [](const PanelLayout&) { return Rect{861, 605, 918, 635}; }},
    {region::kSave, Condition::Always, [](const PanelLayout&) { return Rect{923, 605, 980, 635}; }},
    // The Windows-key lock reacts even while its section is collapsed.
    {region::kWinLockOn, Condition::Always, [](const PanelLayout& l) { return Rect{144, l.a + 191, 154, l.a + 200}; }},
    {region::kWinLockOff, Condition::Always, [](const PanelLayout& l) { return Rect{198, l.a + 191, 208, l.a + 200}; }},
}};

bool Holds(Condition condition, const PanelFlags& flags) {
    switch (condition) {
        case Condition::Always:
            return true;
        case Condition::LightingExpanded:
            return !flags.lightingCollapsed;
        case Condition::GameModeExpanded:
            return !flags.gameModeCollapsed;
        case Condition::ResponseExpanded:
            return !flags.responseCollapsed;
    }
    return false;
}

Rect ResponseList(const PanelLayout& layout) {
    return {kResponseListLeft, layout.responseListTop, kResponseListRight,
            layout.responseListTop + kResponseListSpan};
}

std::uint8_t RowAt(const Rect& list, int x, int y) {
    return list.Contains(x, y) ? static_cast<std::uint8_t>((y - list.top) / kRowHeight) : kNoRow;
}

}  // namespace

PanelLayout ComputePanelLayout(const PanelFlags& flags) {
    PanelLayout l;
    l.a = flags.lightingCollapsed ? kLightingCollapsedHeight : kLightingExpandedHeight;
    l.b = flags.gameModeCollapsed ? kGameModeCollapsedHeight : kGameModeExpandedHeight;
    l.c = flags.responseCollapsed ? kResponseCollapsedHeight : kResponseExpandedHeight;
    l.lighting = {kPanelLeft, 110};
    l.macroRow = {kPanelLeft, l.a + 110};
    l.gameMode = {kPanelLeft, l.a + 158};
    l.response = {kPanelLeft, l.a + l.b + 158};
    l.reportRate = {kPanelLeft, l.a + l.b + l.c + 158};
    l.responseListTop = l.a + l.b - 15;
    return l;
}

int MainWindowModel::HitTestPanel(int x, int y) const {
    const PanelLayout l = layout();
    for (const auto& row : kRegions) {
        if (Holds(row.condition, m_flags) && row.rect(l).Contains(x, y)) {
            return row.code;
        }
    }
    return region::kNone;
}

MainWindowAction MainWindowModel::LeftButtonUp(int x, int y) {
    if (m_flags.effectListOpen) {
        const std::uint8_t row = RowAt(kEffectList, x, y);
        if (row != kNoRow) {
            LightingValues lighting = m_image.lighting();
            lighting.effect = kLightingEffects[row].code;
            m_image.setLighting(lighting);
            m_effectHoverRow = row;
        }
        m_flags.effectListOpen = false;
        return MainWindowAction::None;
    }
    if (m_flags.responseListOpen) {
        const std::uint8_t row = RowAt(ResponseList(layout()), x, y);
        if (row != kNoRow) {
            m_responseHoverRow = row;
            m_image.setKeyResponse(static_cast<std::uint8_t>(row + 1));
        }
        m_flags.responseListOpen = false;
        return MainWindowAction::None;
    }
    if (m_flags.helpPanelOpen) {
        m_flags.helpPanelOpen = false;
        if (kHelpPanel.Contains(x, y)) {
            const int row = (y - kHelpPanel.top) / kHelpRowHeight;
            if (row == kHelpRowWebPage) {
                return MainWindowAction::OpenWebPage;
            }
            if (row == kHelpRowUpdater) {
                return MainWindowAction::LaunchUpdater;
            }
        }
        return MainWindowAction::None;
    }
    const MainWindowAction action = RunRegion(HitTestPanel(x, y));
    // The regions and the keyboard picture do not overlap: at most one of the two happens.
    m_currentSlot = HitTestKey(x, y);
    if (m_currentSlot != kNoSlot) {
        return MainWindowAction::OpenKeyDialog;
    }
    return action;
}

MainWindowAction MainWindowModel::RunRegion(int code) {
    LightingValues lighting = m_image.lighting();
    auto setDirection = [&](std::uint8_t direction) {
        lighting.direction = direction;
        m_image.setLighting(lighting);
    };
    switch (code) {
        case region::kHelp:
            m_flags.helpPanelOpen = !m_flags.helpPanelOpen;
            break;
        case region::kMinimise:
        case region::kCancel:
            return MainWindowAction::Hide;
        case region::kClose:
            return MainWindowAction::Close;
        case region::kEffectBar:
            m_flags.effectListOpen = true;
            break;
        case region::kDirectionTop:
            setDirection(kDirectionTop);
            break;
        case region::kDirectionBottom:
            setDirection(kDirectionBottom);
            break;
        case region::kDirectionRight:
            setDirection(kDirectionRight);
            break;
        case region::kDirectionLeft:
            setDirection(kDirectionLeft);
            break;
        case region::kMacroManager:
            return MainWindowAction::OpenMacroManager;
        case region::kGameModeOn:
            m_image.setGameMode(1);
            break;
        case region::kGameModeOff:
            m_image.setGameMode(0);
            break;
        case region::kResponseBar:
            m_flags.responseListOpen = true;
            break;
        case region::kProfiles:
            return MainWindowAction::OpenProfiles;
        case region::kRestore:
            return MainWindowAction::FactoryReset;
        case region::kSave:
            return MainWindowAction::Save;
        case region::kLightingHeader:
            m_flags.lightingCollapsed = !m_flags.lightingCollapsed;
            break;
        case region::kGameModeHeader:
            m_flags.gameModeCollapsed = !m_flags.gameModeCollapsed;
            break;
        case region::kResponseHeader:
            m_flags.responseCollapsed = !m_flags.responseCollapsed;
            break;
        case region::kReportRateHeader:
            m_flags.reportRateCollapsed = !m_flags.reportRateCollapsed;
            break;
        case region::kWinLockOn:
            m_image.setWinLockOn(1);
            break;
        case region::kWinLockOff:
            m_image.setWinLockOn(0);
            break;
        default:
            break;
    }
    return MainWindowAction::None;
}

MouseMoveResult MainWindowModel::MouseMove(int x, int y, bool leftButtonHeld) {
    MouseMoveResult result;
    if (!leftButtonHeld) {
        m_leftButtonDown = false;
    }
    if (m_flags.effectListOpen) {
        m_effectHoverRow = RowAt(kEffectList, x, y);
    } else if (m_flags.responseListOpen) {
        m_responseHoverRow = RowAt(ResponseList(layout()), x, y);
    }
    const int panelCode = HitTestPanel(x, y);
    const std::uint8_t slot = HitTestKey(x, y);
    const bool listOpen = m_flags.effectListOpen || m_flags.responseListOpen;
    if (m_leftButtonDown && panelCode == region::kNone && slot == kNoSlot && !listOpen) {
        result.startDrag = true;
    }
    m_currentSlot = slot;
    if (slot != m_previousHoverSlot) {
        m_previousHoverSlot = slot;
        result.repaint = true;
    } else if (slot == kNoSlot &&
               (panelCode != region::kNone || m_effectHoverRow != kNoRow || m_responseHoverRow != kNoRow)) {
        result.repaint = true;
    }
    return result;
}

void MainWindowModel::CollapseAll() {
    m_flags.lightingCollapsed = true;
    m_flags.gameModeCollapsed = true;
    m_flags.responseCollapsed = true;
    m_flags.reportRateCollapsed = true;
}

SliderVisibility MainWindowModel::Sliders() const {
    SliderVisibility visible;
    const bool listOpen = m_flags.effectListOpen || m_flags.responseListOpen;
    if (!m_flags.lightingCollapsed && !listOpen) {
        visible.speed = EffectHasSpeed(m_image.lighting().effect);
        visible.brightness = true;
    }
    visible.reportRate = !m_flags.reportRateCollapsed;
    return visible;
}

}  // namespace solvane
