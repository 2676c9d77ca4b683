#include "controls/HotArea.h"

namespace solvane {

std::optional<std::size_t> HitTest(std::span<const HotArea> areas, int x, int y) {
    for (std::size_t i = 0; i < areas.size(); ++i) {
        if (areas[i].rect.Contains(x, y)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> HitTest(std::span<const Rect> rects, int x, int y) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].Contains(x, y)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace solvane
