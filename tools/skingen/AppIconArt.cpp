// The application icon for the desktop's hicolor theme: the emblem on a dark rounded tile.
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <array>

#include "Painting.h"
#include "SkinFiles.h"

namespace skingen {
namespace {

QImage AppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Smooth(painter);
    const double inset = side / 16.0;
    const QRectF tile(inset, inset, side - 2 * inset, side - 2 * inset);
    QLinearGradient face(tile.topLeft(), tile.bottomLeft());
    face.setColorAt(0, Colour(0x353535));
    face.setColorAt(1, Colour(0x1E1E1E));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(tile, side / 6.0, side / 6.0);
    const double margin = side / 7.0;
    DrawEmblem(painter, tile.adjusted(margin, margin, -margin, -margin));
    return image;
}

}  // namespace

void AddAppIcons(SkinFiles& files) {
    for (const int side : std::array{48, 64, 128, 256}) {
        files.push_back({QStringLiteral("%1x%1/apps/solvane.png").arg(side), AppIcon(side)});
    }
}

}  // namespace skingen
