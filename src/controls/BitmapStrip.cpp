#include "controls/BitmapStrip.h"

#include <QtGui/QPainter>

#include <utility>

#include "controls/ResourceBitmaps.h"

namespace solvane {

BitmapStrip::BitmapStrip(int frameWidth, int frameHeight, QImage bitmap)
    : m_bitmap(std::move(bitmap)),
      m_layout(MakeStripLayout(m_bitmap.width(), m_bitmap.height(), frameWidth, frameHeight)) {}

BitmapStrip::BitmapStrip(int frameWidth, int frameHeight, int bitmapId)
    : BitmapStrip(frameWidth, frameHeight, LoadResourceBitmap(bitmapId)) {}

std::optional<Rect> BitmapStrip::FrameRect(int index) const {
    return solvane::FrameRect(m_layout, index);
}

void BitmapStrip::DrawFrame(int index, QPainter* painter) const {
    const auto frame = FrameRect(index);
    if (!frame || painter == nullptr) {
        return;
    }
    painter->drawImage(QPoint(0, 0), m_bitmap,
                       QRect(frame->left, frame->top, frame->Width(), frame->Height()));
}

}  // namespace solvane
