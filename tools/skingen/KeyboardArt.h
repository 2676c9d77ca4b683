#pragma once

#include <QtGui/QImage>

#include <span>

namespace skingen {

// One key of the keyboard picture: its slot (which gives its rectangle, right and bottom
// exclusive for the copy) and its legends.
struct KeyCap {
    int slot;
    const char* legend;        // UTF-8; "" for none
    const char* upperLegend;   // the shifted symbol above it, or ""
};

inline constexpr int kKeyboardWidth = 600;
inline constexpr int kKeyboardHeight = 260;

// The 87 keys of the picture, in slot order.
std::span<const KeyCap> KeyCaps();

// The keyboard picture drawn over `plate` (600 x 260), with every key normal or highlighted.
QImage DrawKeyboard(const QImage& plate, bool highlighted);

}  // namespace skingen
