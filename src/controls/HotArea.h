#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "common/Geometry.h"

namespace solvane {

// One clickable area of a skinned dialog and the two images it shows.
struct HotArea {
    Rect rect;
    std::string normalImage;  // state 0 (UTF-8 file name)
    std::string activeImage;  // state 1: pointer over it or, for a toggle, switched on
    int state = 0;

    const std::string& ImageForState() const { return state == 0 ? normalImage : activeImage; }
};

// The first area, in table order, whose rectangle holds the point (edges included).
std::optional<std::size_t> HitTest(std::span<const HotArea> areas, int x, int y);
std::optional<std::size_t> HitTest(std::span<const Rect> rects, int x, int y);

}  // namespace solvane
