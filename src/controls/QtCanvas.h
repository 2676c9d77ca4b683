#pragma once

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "controls/Canvas.h"
#include "controls/SkinFolder.h"
#include "controls/SkinImage.h"

namespace solvane {

// Paints on an off-screen image with images from a skin folder, through the cache.
class QtCanvas final : public Canvas {
public:
    QtCanvas(QImage& target, const SkinFolder& folder, SkinImageSource& images);

    void DrawSkinImage(std::string_view name, int x, int y) override;
    void DrawSkinImagePart(std::string_view name, const Rect& source, int x, int y) override;
    void DrawBitmap(int bitmapId, const Rect& source, int x, int y) override;
    void DrawLabel(const QString& text, int x, int y, const LabelStyle& style) override;
    void FillRect(const Rect& rect, ColorRef color) override;

    QPainter& Painter() { return m_painter; }

private:
    QImage SkinImage(std::string_view name);

    const SkinFolder& m_folder;
    SkinImageSource& m_images;
    QPainter m_painter;
};

}  // namespace solvane
