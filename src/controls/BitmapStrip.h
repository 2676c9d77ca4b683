#pragma once

#include <QtGui/QImage>

#include <optional>

#include "controls/BitmapStripLayout.h"

class QPainter;

namespace solvane {

// A bitmap cut into equal frames (BitmapStripLayout.h).
class BitmapStrip {
public:
    // A frame size of 0 takes the bitmap's own width or height.
    BitmapStrip(int frameWidth, int frameHeight, QImage bitmap);
    // From a compiled-in bitmap (ResourceBitmaps.h).
    BitmapStrip(int frameWidth, int frameHeight, int bitmapId);

    int FrameCount() const { return m_layout.frameCount; }
    int FrameWidth() const { return m_layout.frameWidth; }
    int FrameHeight() const { return m_layout.frameHeight; }
    bool Vertical() const { return m_layout.vertical; }
    const QImage& Bitmap() const { return m_bitmap; }

    std::optional<Rect> FrameRect(int index) const;

    // Copies frame `index` at frame size to the painter's origin; nothing for an invalid
    // index or a missing painter.
    void DrawFrame(int index, QPainter* painter) const;

private:
    QImage m_bitmap;
    StripLayout m_layout;
};

}  // namespace solvane
