#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>

#include <cstdint>

namespace solvane {

// A colour of the skin's palette (0xRRGGBB, SkinPalette.h) as Qt takes it.
inline QColor SkinColour(std::uint32_t rgb, int alpha = 255) {
    QColor colour = QColor::fromRgb(static_cast<QRgb>(rgb));
    colour.setAlpha(alpha);
    return colour;
}

// An opaque image of one colour, the ground a picture is drawn on.
inline QImage SolidImage(int width, int height, std::uint32_t rgb) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(SkinColour(rgb));
    return image;
}

}  // namespace solvane
