#pragma once

#include <optional>

#include "common/Geometry.h"

namespace solvane {

// How a bitmap is cut into equal frames: stacked top to bottom when the bitmap is narrower
// than it is high, else left to right.
struct StripLayout {
    int frameCount = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    bool vertical = false;
};

// A frame size of 0 takes the bitmap's own width or height.
StripLayout MakeStripLayout(int bitmapWidth, int bitmapHeight, int frameWidth, int frameHeight);

// The source rectangle of frame `index`; none for an index outside the strip.
std::optional<Rect> FrameRect(const StripLayout& layout, int index);

}  // namespace solvane
