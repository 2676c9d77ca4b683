#include "controls/TrackbarMath.h"

#include <algorithm>

namespace solvane {

Rect ChannelRect(int clientWidth, int clientHeight) {
    const int right = std::max(trackbar::kChannelLeft, clientWidth - trackbar::kChannelRightMargin);
    const int middle = clientHeight / 2;
    return {trackbar::kChannelLeft, middle - 2, right, middle + 2};
}

Rect ThumbRect(const Rect& channel, int clientHeight, int min, int max, int value) {
    const int range = max - min;
    int centre = channel.left;
    if (range > 0) {
        const int step = std::clamp(value, min, max) - min;
        centre += (channel.Width() * step + range / 2) / range;
    }
    const int left = centre - trackbar::kThumbWidth / 2;
    return {left, 0, left + trackbar::kThumbWidth, clientHeight};
}

Point ThumbImagePoint(const Rect& thumb, int thumbWindowWidth, int thumbOffset) {
    // Integer division truncates toward zero, also for a thumb window narrower than the thumb.
    const int left = thumb.left + (thumbWindowWidth - thumb.Width()) / 2;
    return {left - trackbar::kThumbImageShift, thumbOffset};
}

int ClickValue(const Rect& channel, int min, int max, int x) {
    const int width = channel.Width();
    if (width <= 0) {
        return min;
    }
    const int range = max - min;
    const int distance = x - channel.left;
    const int whole = range * distance / width;
    const float exact = static_cast<float>(range) * static_cast<float>(distance) /
                        static_cast<float>(width);
    const int steps = (exact - static_cast<float>(whole) >= 0.5f) ? whole + 1 : whole;
    return min + steps;
}

}  // namespace solvane
