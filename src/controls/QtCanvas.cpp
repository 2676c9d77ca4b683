#include "controls/QtCanvas.h"

namespace solvane {

QtCanvas::QtCanvas(QImage& target, const SkinFolder& folder, SkinImageSource& images)
    : m_folder(folder), m_images(images), m_painter(&target) {
    // Pixels are copied as they are, like the block transfers the skin was made for.
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
}

QImage QtCanvas::SkinImage(std::string_view name) {
    const auto file = m_folder.Find(name);
    return file ? m_images.Load(*file) : QImage();
}

void QtCanvas::DrawSkinImage(std::string_view name, int x, int y) {
    const QImage image = SkinImage(name);
    if (!image.isNull()) {
        m_painter.drawImage(QPoint(x, y), image);
    }
}

void QtCanvas::DrawSkinImagePart(std::string_view name, const Rect& source, int x, int y) {
    const QImage image = SkinImage(name);
    if (!image.isNull() && source.Width() > 0 && source.Height() > 0) {
        m_painter.drawImage(QPoint(x, y), image,
                            QRect(source.left, source.top, source.Width(), source.Height()));
    }
}

void QtCanvas::DrawBitmap(int bitmapId, const Rect& source, int x, int y) {
    const QImage bitmap = m_images.Bitmap(bitmapId);
    if (!bitmap.isNull() && source.Width() > 0 && source.Height() > 0) {
        m_painter.drawImage(QPoint(x, y), bitmap,
                            QRect(source.left, source.top, source.Width(), source.Height()));
    }
}

void QtCanvas::DrawLabel(const QString& text, int x, int y, const LabelStyle& style) {
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    solvane::DrawLabel(m_painter, text, x, y, style);
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
}

void QtCanvas::FillRect(const Rect& rect, ColorRef color) {
    if (rect.Width() > 0 && rect.Height() > 0) {
        m_painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()),
                           ToQColor(color));
    }
}

}  // namespace solvane
