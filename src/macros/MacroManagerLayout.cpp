#include "macros/MacroManagerLayout.h"

#include <string>

namespace solvane {

using namespace macro_layout;

namespace {

// The areas that light up under the pointer; the check boxes do not.
constexpr std::array<std::size_t, 5> kButtons{kRecordButton, kNewButton, kDeleteButton, kOkButton,
                                              kCancelButton};

bool IsButton(std::size_t area) {
    return area != kDelayBox && area != kLoopBox;
}

}  // namespace

void MacroManagerHotAreas::Reset() {
    for (std::size_t i = 0; i < kHotAreaCount; ++i) {
        const HotAreaLook& look = kHotAreas[i];
        m_areas[i] = HotArea{look.rect, std::string(look.normalImage), std::string(look.activeImage), 0};
    }
    m_hovered.reset();
}

MacroManagerHotAreas::Hover MacroManagerHotAreas::MouseMove(int x, int y) {
    const auto hit = HitTest(m_areas, x, y);
    if (hit == m_hovered) {
        return {false, !hit.has_value()};
    }
    m_hovered = hit;
    if (hit && !IsButton(*hit)) {
        return {};
    }
    for (const std::size_t button : kButtons) {
        m_areas[button].state = (hit == button) ? 1 : 0;
    }
    return {true, false};
}

std::optional<std::size_t> MacroManagerHotAreas::Click(int x, int y) {
    m_hovered = HitTest(m_areas, x, y);
    return m_hovered;
}

}  // namespace solvane
