#include "controls/ResourceBitmaps.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>
#include <QtGui/QRadialGradient>

#include "controls/SkinColour.h"
#include "controls/SkinPalette.h"

namespace solvane {
namespace {

QColor Colour(std::uint32_t rgb, int alpha = 255) {
    return SkinColour(rgb, alpha);
}

QImage KeyArrow(bool down) {
    QImage image = SolidImage(10, 14, palette::kListInterior);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow{{3.5, 1.0}, {6.5, 1.0}, {6.5, 7.0}, {9.5, 7.0}, {5.0, 12.5}, {0.5, 7.0},
                    {3.5, 7.0}};
    if (!down) {
        for (QPointF& point : arrow) {
            point.setY(14.0 - point.y());
        }
    }
    QLinearGradient shade(0, 0, 10, 0);
    shade.setColorAt(0, Colour(palette::kAccentLight));
    shade.setColorAt(1, Colour(palette::kAccent));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPolygon(arrow);
    return image;
}

QImage TreeButton(bool plus) {
    QImage image = SolidImage(9, 9, palette::kTree);
    QPainter painter(&image);
    painter.fillRect(0, 0, 9, 9, Colour(0x5A5A5A));
    painter.fillRect(1, 1, 7, 7, Colour(0x2C2C2C));
    painter.fillRect(2, 4, 5, 1, Colour(palette::kText));
    if (plus) {
        painter.fillRect(4, 2, 1, 5, Colour(palette::kText));
    }
    return image;
}

QImage DelayClock() {
    QImage image = SolidImage(14, 14, palette::kListInterior);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Colour(palette::kCyan), 1.5));
    painter.setBrush(Colour(palette::kCyan, 40));
    painter.drawEllipse(QPointF(7.0, 7.0), 5.6, 5.6);
    painter.setPen(QPen(Colour(palette::kCyan), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7.0, 7.0), QPointF(7.0, 3.6));
    painter.drawLine(QPointF(7.0, 7.0), QPointF(9.6, 8.2));
    return image;
}

// The track is a rounded bar across the slider's 17 pixels, on the panel's colour.
QImage Track(bool filled) {
    QImage image = SolidImage(220, 17, palette::kCard);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar(0.5, 6.0, 219.0, 5.0);
    if (filled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(palette::kAccent, 45));
        painter.drawRoundedRect(bar.adjusted(-0.5, -1.5, 0.5, 1.5), 3.5, 3.5);
        QLinearGradient shade(0, bar.top(), 0, bar.bottom());
        shade.setColorAt(0, Colour(palette::kAccentLight));
        shade.setColorAt(1, Colour(palette::kAccentDark));
        painter.setBrush(shade);
    } else {
        painter.setPen(QPen(Colour(0x141414), 1.0));
        painter.setBrush(Colour(0x3A3A3A));
    }
    painter.drawRoundedRect(bar, 2.5, 2.5);
    return image;
}

QImage Thumb() {
    QImage image = SolidImage(15, 14, palette::kCard);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(7.5, 7.0);
    QRadialGradient face(centre + QPointF(-1.5, -2.0), 7.0);
    face.setColorAt(0, Colour(0xFFFFFF));
    face.setColorAt(1, Colour(0xC9C9C9));
    painter.setPen(QPen(Colour(palette::kAccent), 1.6));
    painter.setBrush(face);
    painter.drawEllipse(centre, 6.0, 6.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(palette::kAccent));
    painter.drawEllipse(centre, 1.6, 1.6);
    return image;
}

// A panel with a caption band; skinned lists take their rows' background from (7, 22).
QImage ListBack() {
    QImage image = SolidImage(127, 305, palette::kWindow);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.5, 0.5, 126.0, 304.0), 6.0, 6.0);
    painter.setPen(QPen(Colour(palette::kBorder), 1.0));
    painter.setBrush(Colour(palette::kListPanel));
    painter.drawPath(outline);
    painter.setClipPath(outline);
    QLinearGradient band(0, 0, 0, 20);
    band.setColorAt(0, Colour(palette::kHeaderTop));
    band.setColorAt(1, Colour(palette::kHeaderBottom));
    painter.fillRect(QRectF(1, 1, 125, 19), band);
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(6, 20, 40, 1, Colour(palette::kAccent));
    painter.fillRect(46, 20, 75, 1, Colour(palette::kBorder));
    painter.fillRect(5, 21, 117, 280, Colour(0x141414));
    painter.fillRect(6, 22, 115, 278, Colour(palette::kListInterior));
    return image;
}

}  // namespace

QImage LoadResourceBitmap(int id) {
    switch (id) {
    case IDB_KEY_DOWN:
        return KeyArrow(true);
    case IDB_KEY_UP:
        return KeyArrow(false);
    case IDB_TREE_EXPAND:
        return TreeButton(true);
    case IDB_TREE_COLLAPSE:
        return TreeButton(false);
    case IDB_DELAY:
        return DelayClock();
    case IDB_TRACK_EMPTY:
        return Track(false);
    case IDB_TRACK_FILL:
        return Track(true);
    case IDB_THUMB:
        return Thumb();
    case IDB_LIST_BACK:
        return ListBack();
    default:
        return {};
    }
}

}  // namespace solvane
