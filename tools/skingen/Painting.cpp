#include "Painting.h"

#include <QtGui/QFontMetricsF>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/SkinColour.h"
#include "controls/SkinPalette.h"

namespace skingen {

using namespace solvane::palette;

QColor Colour(std::uint32_t rgb, int alpha) {
    return solvane::SkinColour(rgb, alpha);
}

QImage Filled(int width, int height, std::uint32_t rgb) {
    return solvane::SolidImage(width, height, rgb);
}

QString SkinPath(const char* folder, const char* name) {
    return QString::fromUtf8(folder) + QLatin1Char('/') + QString::fromUtf8(name);
}

QImage Crop(const QImage& base, int x, int y, int width, int height) {
    return base.copy(x, y, width, height);
}

namespace {
QFont Font(const QStringList& families, double pixelSize, int weight) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
}  // namespace

QFont SansFont(double pixelSize, int weight) {
    return Font({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")},
                pixelSize, weight);
}

QFont CondensedFont(double pixelSize, int weight) {
    QFont font = SansFont(pixelSize, weight);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

QFont CjkFont(double pixelSize, int weight) {
    return Font({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")}, pixelSize,
                weight);
}

void Smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void DrawText(QPainter& painter, const QRectF& box, int flags, const QString& text,
              const QFont& font, const QColor& colour) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, flags, text);
    painter.restore();
}

void DrawSpacedText(QPainter& painter, const QPointF& baseline, const QString& text,
                    const QFont& font, const QColor& colour, double spacing) {
    painter.save();
    QFont spaced = font;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    painter.setFont(spaced);
    painter.setPen(colour);
    painter.drawText(baseline, text);
    painter.restore();
}

QLinearGradient Vertical(const QRectF& box, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

void DrawButtonFace(QPainter& painter, const QRectF& box, ButtonLook look, double radius) {
    painter.save();
    Smooth(painter);
    QColor top;
    QColor bottom;
    QColor border;
    switch (look) {
    case ButtonLook::Neutral:
        top = Colour(0x3C3C3C);
        bottom = Colour(0x2C2C2C);
        border = Colour(0x4E4E4E);
        break;
    case ButtonLook::NeutralHover:
        top = Colour(0x4A4A4A);
        bottom = Colour(0x363636);
        border = Colour(kAccent);
        break;
    case ButtonLook::Accent:
        top = Colour(0xE8434D);
        bottom = Colour(0xB52430);
        border = Colour(0xF0606A);
        break;
    case ButtonLook::AccentHover:
        top = Colour(0xFF5F69);
        bottom = Colour(0xD0303B);
        border = Colour(0xFF9AA1);
        break;
    case ButtonLook::Field:
        top = Colour(kField);
        bottom = Colour(0x1B1B1B);
        border = Colour(kBorder);
        break;
    }
    const QRectF face = box.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(Vertical(face, top, bottom));
    painter.drawRoundedRect(face, radius, radius);
    if (look != ButtonLook::Field) {
        // A light line along the top edge gives the face its bevel.
        painter.setPen(QPen(Colour(0xFFFFFF, look == ButtonLook::Neutral ? 28 : 60), 1.0));
        painter.drawLine(QPointF(face.left() + radius, face.top() + 1.0),
                         QPointF(face.right() - radius, face.top() + 1.0));
    }
    painter.restore();
}

void DrawIndicator(QPainter& painter, const QRect& box, bool on) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (on) {
        painter.fillRect(box, Colour(0xFF7F88));
        painter.fillRect(box.adjusted(1, 1, -1, -1), Vertical(box, Colour(0xFF4B56),
                                                              Colour(0xC4232E)));
        painter.fillRect(box.adjusted(3, 3, -3, -3), Colour(0xFFFFFF));
    } else {
        painter.fillRect(box, Colour(0x5E5E5E));
        painter.fillRect(box.adjusted(1, 1, -1, -1), Vertical(box, Colour(0x161616),
                                                              Colour(0x262626)));
    }
    painter.restore();
}

void DrawChevron(QPainter& painter, const QRectF& box, Chevron direction, const QColor& colour,
                 double width) {
    painter.save();
    Smooth(painter);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    const double w = box.width() / 2.0;
    const double h = box.height() / 2.0;
    QPolygonF line;
    switch (direction) {
    case Chevron::Down:
        line = {{c.x() - w, c.y() - h / 2}, {c.x(), c.y() + h / 2}, {c.x() + w, c.y() - h / 2}};
        break;
    case Chevron::Up:
        line = {{c.x() - w, c.y() + h / 2}, {c.x(), c.y() - h / 2}, {c.x() + w, c.y() + h / 2}};
        break;
    case Chevron::Right:
        line = {{c.x() - w / 2, c.y() - h}, {c.x() + w / 2, c.y()}, {c.x() - w / 2, c.y() + h}};
        break;
    case Chevron::Left:
        line = {{c.x() + w / 2, c.y() - h}, {c.x() - w / 2, c.y()}, {c.x() + w / 2, c.y() + h}};
        break;
    }
    painter.drawPolyline(line);
    painter.restore();
}

void DrawArrow(QPainter& painter, const QRectF& box, Chevron direction, const QColor& colour) {
    painter.save();
    Smooth(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPointF c = box.center();
    const double w = box.width() / 2.0;
    const double h = box.height() / 2.0;
    QPolygonF shape;
    switch (direction) {
    case Chevron::Up:
        shape = {{c.x(), c.y() - h}, {c.x() + w, c.y() + h}, {c.x() - w, c.y() + h}};
        break;
    case Chevron::Down:
        shape = {{c.x() - w, c.y() - h}, {c.x() + w, c.y() - h}, {c.x(), c.y() + h}};
        break;
    case Chevron::Left:
        shape = {{c.x() - w, c.y()}, {c.x() + w, c.y() - h}, {c.x() + w, c.y() + h}};
        break;
    case Chevron::Right:
        shape = {{c.x() + w, c.y()}, {c.x() - w, c.y() - h}, {c.x() - w, c.y() + h}};
        break;
    }
    painter.drawPolygon(shape);
    painter.restore();
}

void DrawEmblem(QPainter& painter, const QRectF& box) {
    painter.save();
    Smooth(painter);
    const double side = std::min(box.width(), box.height());
    const QPointF c = box.center();
    const double r = side / 2.0;
    QPolygonF hexagon;
    for (int i = 0; i < 6; ++i) {
        const double angle = (60.0 * i - 90.0) * std::numbers::pi / 180.0;
        hexagon << QPointF(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
    }
    QLinearGradient shell(box.topLeft(), box.bottomRight());
    shell.setColorAt(0, Colour(0xFF5A64));
    shell.setColorAt(1, Colour(0x8E1720));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shell);
    painter.drawPolygon(hexagon);
    // Inner hexagon, dark, leaving a red rim.
    QPolygonF inner;
    for (const QPointF& point : hexagon) {
        inner << c + (point - c) * 0.78;
    }
    painter.setBrush(Colour(0x151515));
    painter.drawPolygon(inner);
    // A slanted S made of three bars.
    const double u = r * 0.16;
    const double skew = r * 0.12;
    painter.setBrush(Vertical(box, Colour(0xFFFFFF), Colour(0xD8D8D8)));
    const auto bar = [&](double y, double left, double right) {
        QPolygonF shape{{c.x() + left + skew, y - u / 2},
                        {c.x() + right + skew, y - u / 2},
                        {c.x() + right - skew, y + u / 2},
                        {c.x() + left - skew, y + u / 2}};
        painter.drawPolygon(shape);
    };
    bar(c.y() - r * 0.36, -r * 0.34, r * 0.40);
    bar(c.y(), -r * 0.38, r * 0.38);
    bar(c.y() + r * 0.36, -r * 0.40, r * 0.34);
    QPolygonF upper{{c.x() - r * 0.34 + skew, c.y() - r * 0.36 - u / 2},
                    {c.x() - r * 0.34 + skew + u, c.y() - r * 0.36 - u / 2},
                    {c.x() - r * 0.38 + u, c.y()},
                    {c.x() - r * 0.38, c.y()}};
    painter.drawPolygon(upper);
    QPolygonF lower{{c.x() + r * 0.38 - u, c.y()},
                    {c.x() + r * 0.38, c.y()},
                    {c.x() + r * 0.34 - skew, c.y() + r * 0.36 + u / 2},
                    {c.x() + r * 0.34 - skew - u, c.y() + r * 0.36 + u / 2}};
    painter.drawPolygon(lower);
    painter.restore();
}

void DrawHeaderBar(QPainter& painter, const QRectF& box) {
    painter.save();
    Smooth(painter);
    const QRectF face = box.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Colour(0x484848), 1.0));
    painter.setBrush(Vertical(face, Colour(kHeaderTop), Colour(kHeaderBottom)));
    painter.drawRoundedRect(face, 3, 3);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(box.left() + 1, box.top() + 4, 3, box.height() - 8), Colour(kAccent));
    painter.restore();
}

void DrawTitleBand(QPainter& painter, int width, int height, double fadeFrom) {
    painter.fillRect(0, 0, width, height, Colour(kTitleBar));
    QLinearGradient line(0, 0, width, 0);
    line.setColorAt(0, Colour(kAccent));
    if (fadeFrom > 0.0) {
        line.setColorAt(fadeFrom, Colour(kAccent, 90));
    }
    line.setColorAt(1, Colour(kAccent, 0));
    painter.fillRect(0, height - 1, width, 1, line);
}

void DrawWindowFrame(QPainter& painter, QSize size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Colour(0x383838), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.restore();
}

QImage CloseButton(const QImage& backdrop, bool hover) {
    QImage image = backdrop.copy();
    QPainter painter(&image);
    Smooth(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(hover ? kAccent : 0x262626));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 14.5, 15), 3, 3);
    painter.setPen(QPen(Colour(hover ? 0xFFFFFF : 0xC8C8C8), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4.75, 5), QPointF(10.75, 11));
    painter.drawLine(QPointF(10.75, 5), QPointF(4.75, 11));
    return image;
}

void DrawHatching(QPainter& painter, const QRectF& box, const QColor& colour, double pitch) {
    painter.save();
    Smooth(painter);
    painter.setClipRect(box);
    painter.setPen(QPen(colour, 1.0));
    for (double x = box.left() - box.height(); x < box.right(); x += pitch) {
        painter.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
    }
    painter.restore();
}

}  // namespace skingen
