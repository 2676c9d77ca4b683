#include "controls/BitmapStripLayout.h"

namespace solvane {

StripLayout MakeStripLayout(int bitmapWidth, int bitmapHeight, int frameWidth, int frameHeight) {
    StripLayout layout;
    layout.frameWidth = frameWidth == 0 ? bitmapWidth : frameWidth;
    layout.frameHeight = frameHeight == 0 ? bitmapHeight : frameHeight;
    layout.vertical = bitmapWidth < bitmapHeight;
    if (layout.frameWidth <= 0 || layout.frameHeight <= 0 || bitmapWidth <= 0 ||
        bitmapHeight <= 0) {
        layout.frameCount = 0;
    } else {
        layout.frameCount = layout.vertical ? bitmapHeight / layout.frameHeight
                                            : bitmapWidth / layout.frameWidth;
    }
    return layout;
}

std::optional<Rect> FrameRect(const StripLayout& layout, int index) {
    if (index < 0 || index >= layout.frameCount) {
        return std::nullopt;
    }
    if (layout.vertical) {
        const int top = index * layout.frameHeight;
        return Rect{0, top, layout.frameWidth, top + layout.frameHeight};
    }
    const int left = index * layout.frameWidth;
    return Rect{left, 0, left + layout.frameWidth, layout.frameHeight};
}

}  // namespace solvane
