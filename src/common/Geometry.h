#pragma once

namespace solvane {

// A rectangle of client pixels as the skinned windows give them: left, top, right, bottom.
// Hit tests include both edges; copies and fills use right - left by bottom - top pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Contains(int x, int y) const {
        return left <= x && x <= right && top <= y && y <= bottom;
    }
    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

}  // namespace solvane
