#include "KeyboardArt.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cstring>

#include "Painting.h"
#include "app/KeyRectangles.h"
#include "controls/SkinPalette.h"

namespace skingen {
namespace {

using namespace solvane::palette;

constexpr KeyCap kKeys[] = {
    {0, "Esc", ""},
    {1, "F1", ""},
    {2, "F2", ""},
    {3, "F3", ""},
    {4, "F4", ""},
    {5, "F5", ""},
    {6, "F6", ""},
    {7, "F7", ""},
    {8, "F8", ""},
    {9, "F9", ""},
    {10, "F10", ""},
    {11, "F11", ""},
    {12, "F12", ""},
    {13, "PrtSc", ""},
    {14, "ScrLk", ""},
    {15, "Pause", ""},
    {20, "`", "~"},
    {21, "1", "!"},
    {22, "2", "@"},
    {23, "3", "#"},
    {24, "4", "$"},
    {25, "5", "%"},
    {26, "6", "^"},
    {27, "7", "&"},
    {28, "8", "*"},
    {29, "9", "("},
    {30, "0", ")"},
    {31, "-", "_"},
    {32, "=", "+"},
    {33, "Backspace", ""},
    {34, "Ins", ""},
    {35, "Home", ""},
    {36, "PgUp", ""},
    {41, "Tab", ""},
    {42, "Q", ""},
    {43, "W", ""},
    {44, "E", ""},
    {45, "R", ""},
    {46, "T", ""},
    {47, "Y", ""},
    {48, "U", ""},
    {49, "I", ""},
    {50, "O", ""},
    {51, "P", ""},
    {52, "[", "{"},
    {53, "]", "}"},
    {54, "\\", "|"},
    {55, "Del", ""},
    {56, "End", ""},
    {57, "PgDn", ""},
    {62, "Caps Lock", ""},
    {63, "A", ""},
    {64, "S", ""},
    {65, "D", ""},
    {66, "F", ""},
    {67, "G", ""},
    {68, "H", ""},
    {69, "J", ""},
    {70, "K", ""},
    {71, "L", ""},
    {72, ";", ":"},
    {73, "'", "\""},
    {74, "Enter", ""},
    {78, "Shift", ""},
    {79, "Z", ""},
    {80, "X", ""},
    {81, "C", ""},
    {82, "V", ""},
    {83, "B", ""},
    {84, "N", ""},
    {85, "M", ""},
    {86, ",", "<"},
    {87, ".", ">"},
    {88, "/", "?"},
    {89, "Shift", ""},
    {90, "\xE2\x96\xB2", ""},
    {95, "Ctrl", ""},
    {96, "Win", ""},
    {97, "Alt", ""},
    {98, "", ""},
    {99, "Alt", ""},
    {100, "Fn", ""},
    {101, "Menu", ""},
    {102, "Ctrl", ""},
    {103, "\xE2\x97\x80", ""},
    {104, "\xE2\x96\xBC", ""},
    {105, "\xE2\x96\xB6", ""},
};
static_assert(std::size(kKeys) == 87, "the picture shows the 87 keys of the keyboard");

bool IsArrow(const QString& legend) {
    return legend == u"▲" || legend == u"▼" || legend == u"◀" || legend == u"▶";
}

void DrawArrowLegend(QPainter& painter, const QRectF& face, const QString& legend,
                     const QColor& colour) {
    const QRectF box(face.center().x() - 4.0, face.center().y() - 3.5, 8.0, 7.0);
    const Chevron direction = legend == u"▲"   ? Chevron::Up
                              : legend == u"▼" ? Chevron::Down
                              : legend == u"◀" ? Chevron::Left
                                               : Chevron::Right;
    DrawArrow(painter, box, direction, colour);
}

void DrawKey(QPainter& painter, const KeyCap& key, bool highlighted) {
    // The window hit-tests and highlights these very rectangles.
    const solvane::Rect rect = solvane::KeyRectangle(static_cast<std::size_t>(key.slot)).value();
    const QRectF cell(rect.left, rect.top, rect.Width(), rect.Height());
    // The cap: a dark skirt and a lighter top face, raised towards the top.
    const QRectF skirt = cell.adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF face = cell.adjusted(2.5, 1.5, -2.5, -4.5);
    painter.setPen(QPen(Colour(highlighted ? 0x5C0D13 : 0x0B0B0B), 1.0));
    painter.setBrush(Vertical(skirt, Colour(highlighted ? 0xB0222C : 0x2A2A2A),
                              Colour(highlighted ? 0x7A141C : 0x1E1E1E)));
    painter.drawRoundedRect(skirt, 3.5, 3.5);
    painter.setPen(QPen(Colour(highlighted ? 0xFF8A92 : 0x474747), 0.8));
    painter.setBrush(Vertical(face, Colour(highlighted ? 0xFF4B57 : 0x3A3A3A),
                              Colour(highlighted ? 0xD42A36 : 0x2F2F2F)));
    painter.drawRoundedRect(face, 2.5, 2.5);

    const QString legend = QString::fromUtf8(key.legend);
    const QString upper = QString::fromUtf8(key.upperLegend);
    const QColor ink = highlighted ? Colour(0xFFFFFF)
                       : key.slot == 100 ? Colour(kAccentLight)
                                         : Colour(0xE6E6E6);
    if (IsArrow(legend)) {
        DrawArrowLegend(painter, face, legend, ink);
        return;
    }
    const QRectF text = face.adjusted(1, 0, -1, 0);
    if (!upper.isEmpty()) {
        DrawText(painter, text.adjusted(0, 0, 0, -text.height() / 2 + 1),
                 Qt::AlignHCenter | Qt::AlignBottom, upper, SansFont(8), ink.darker(125));
        DrawText(painter, text.adjusted(0, text.height() / 2 - 1, 0, 0),
                 Qt::AlignHCenter | Qt::AlignTop, legend, SansFont(9, QFont::DemiBold), ink);
        return;
    }
    // Long names on narrow keys take two short lines.
    const QString shown = legend == u"PrtSc"   ? QStringLiteral("Prt\nSc")
                          : legend == u"ScrLk" ? QStringLiteral("Scr\nLk")
                                               : legend;
    const QFont font = legend.size() == 1   ? SansFont(10, QFont::DemiBold)
                       : legend.size() <= 3 ? SansFont(8, QFont::DemiBold)
                       : shown != legend    ? CondensedFont(7, QFont::Normal)
                                            : CondensedFont(7, QFont::DemiBold);
    const QRectF area = rect.Width() > 30 ? text : cell.adjusted(0, 0, 0, -3);
    DrawText(painter, area, Qt::AlignCenter | Qt::TextDontClip, shown, font, ink);
}

void DrawPlateDetails(QPainter& painter) {
    // Brand, and the three lock indicators above the navigation keys.
    DrawSpacedText(painter, QPointF(4, 30), QStringLiteral("SOLVANE"), SansFont(11, QFont::Bold),
                   Colour(0x5A5A5A), 2.5);
    painter.fillRect(QRectF(4, 35, 30, 2), Colour(kAccent));
    const char* names[] = {"CAPS", "SCRL", "WIN"};
    for (int i = 0; i < 3; ++i) {
        const double x = 512 + i * 33;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(i == 2 ? kAccent : 0x3A3A3A));
        painter.drawEllipse(QPointF(x, 22), 2.6, 2.6);
        DrawText(painter, QRectF(x - 16, 28, 32, 10), Qt::AlignHCenter | Qt::AlignTop,
                 QString::fromLatin1(names[i]), SansFont(7), Colour(0x6E6E6E));
    }
}

}  // namespace

std::span<const KeyCap> KeyCaps() {
    return kKeys;
}

QImage DrawKeyboard(const QImage& plate, bool highlighted) {
    QImage picture = plate.copy();
    QPainter painter(&picture);
    Smooth(painter);
    DrawPlateDetails(painter);
    for (const KeyCap& key : kKeys) {
        DrawKey(painter, key, highlighted);
    }
    return picture;
}

}  // namespace skingen
