#include "KeyboardArt.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cstring>

#include "Painting.h"
#include "controls/SkinPalette.h"

namespace skingen {
namespace {

using namespace solvane::palette;

// Rows share their top and bottom edges; the main window hit-tests these rectangles.
constexpr int kRowF = 52, kRowFBottom = 77;
constexpr int kRowNum = 94, kRowNumBottom = 119;
constexpr int kRowTab = 128, kRowTabBottom = 153;
constexpr int kRowCaps = 160, kRowCapsBottom = 185;
constexpr int kRowShift = 192, kRowShiftBottom = 217;
constexpr int kRowCtrl = 227, kRowCtrlBottom = 252;

constexpr KeyCap kKeys[] = {
    {0, 2, kRowF, 27, kRowFBottom, "Esc", ""},
    {1, 64, kRowF, 89, kRowFBottom, "F1", ""},
    {2, 97, kRowF, 122, kRowFBottom, "F2", ""},
    {3, 130, kRowF, 155, kRowFBottom, "F3", ""},
    {4, 163, kRowF, 188, kRowFBottom, "F4", ""},
    {5, 215, kRowF, 240, kRowFBottom, "F5", ""},
    {6, 245, kRowF, 270, kRowFBottom, "F6", ""},
    {7, 279, kRowF, 304, kRowFBottom, "F7", ""},
    {8, 313, kRowF, 338, kRowFBottom, "F8", ""},
    {9, 364, kRowF, 389, kRowFBottom, "F9", ""},
    {10, 396, kRowF, 421, kRowFBottom, "F10", ""},
    {11, 429, kRowF, 454, kRowFBottom, "F11", ""},
    {12, 464, kRowF, 489, kRowFBottom, "F12", ""},
    {13, 505, kRowF, 530, kRowFBottom, "PrtSc", ""},
    {14, 539, kRowF, 564, kRowFBottom, "ScrLk", ""},
    {15, 572, kRowF, 597, kRowFBottom, "Pause", ""},
    {20, 2, kRowNum, 27, kRowNumBottom, "`", "~"},
    {21, 34, kRowNum, 59, kRowNumBottom, "1", "!"},
    {22, 67, kRowNum, 92, kRowNumBottom, "2", "@"},
    {23, 99, kRowNum, 124, kRowNumBottom, "3", "#"},
    {24, 132, kRowNum, 157, kRowNumBottom, "4", "$"},
    {25, 165, kRowNum, 190, kRowNumBottom, "5", "%"},
    {26, 198, kRowNum, 223, kRowNumBottom, "6", "^"},
    {27, 231, kRowNum, 256, kRowNumBottom, "7", "&"},
    {28, 264, kRowNum, 289, kRowNumBottom, "8", "*"},
    {29, 297, kRowNum, 322, kRowNumBottom, "9", "("},
    {30, 329, kRowNum, 354, kRowNumBottom, "0", ")"},
    {31, 364, kRowNum, 389, kRowNumBottom, "-", "_"},
    {32, 396, kRowNum, 421, kRowNumBottom, "=", "+"},
    {33, 430, kRowNum, 489, kRowNumBottom, "Backspace", ""},
    {34, 505, kRowNum, 530, kRowNumBottom, "Ins", ""},
    {35, 539, kRowNum, 564, kRowNumBottom, "Home", ""},
    {36, 572, kRowNum, 597, kRowNumBottom, "PgUp", ""},
    {41, 1, kRowTab, 42, kRowTabBottom, "Tab", ""},
    {42, 51, kRowTab, 76, kRowTabBottom, "Q", ""},
    {43, 83, kRowTab, 108, kRowTabBottom, "W", ""},
    {44, 116, kRowTab, 141, kRowTabBottom, "E", ""},
    {45, 149, kRowTab, 174, kRowTabBottom, "R", ""},
    {46, 181, kRowTab, 206, kRowTabBottom, "T", ""},
    {47, 214, kRowTab, 239, kRowTabBottom, "Y", ""},
    {48, 246, kRowTab, 271, kRowTabBottom, "U", ""},
    {49, 280, kRowTab, 305, kRowTabBottom, "I", ""},
    {50, 313, kRowTab, 338, kRowTabBottom, "O", ""},
    {51, 346, kRowTab, 371, kRowTabBottom, "P", ""},
    {52, 379, kRowTab, 404, kRowTabBottom, "[", "{"},
    {53, 412, kRowTab, 437, kRowTabBottom, "]", "}"},
    {54, 446, kRowTab, 489, kRowTabBottom, "\\", "|"},
    {55, 505, kRowTab, 530, kRowTabBottom, "Del", ""},
    {56, 539, kRowTab, 564, kRowTabBottom, "End", ""},
    {57, 572, kRowTab, 597, kRowTabBottom, "PgDn", ""},
    {62, 2, kRowCaps, 51, kRowCapsBottom, "Caps Lock", ""},
    {63, 59, kRowCaps, 84, kRowCapsBottom, "A", ""},
    {64, 92, kRowCaps, 117, kRowCapsBottom, "S", ""},
    {65, 124, kRowCaps, 149, kRowCapsBottom, "D", ""},
    {66, 157, kRowCaps, 182, kRowCapsBottom, "F", ""},
    {67, 190, kRowCaps, 215, kRowCapsBottom, "G", ""},
    {68, 223, kRowCaps, 248, kRowCapsBottom, "H", ""},
    {69, 256, kRowCaps, 281, kRowCapsBottom, "J", ""},
    {70, 288, kRowCaps, 313, kRowCapsBottom, "K", ""},
    {71, 322, kRowCaps, 347, kRowCapsBottom, "L", ""},
    {72, 354, kRowCaps, 379, kRowCapsBottom, ";", ":"},
    {73, 387, kRowCaps, 412, kRowCapsBottom, "'", "\""},
    {74, 421, kRowCaps, 489, kRowCapsBottom, "Enter", ""},
    {78, 6, kRowShift, 67, kRowShiftBottom, "Shift", ""},
    {79, 76, kRowShift, 101, kRowShiftBottom, "Z", ""},
    {80, 108, kRowShift, 133, kRowShiftBottom, "X", ""},
    {81, 141, kRowShift, 166, kRowShiftBottom, "C", ""},
    {82, 173, kRowShift, 198, kRowShiftBottom, "V", ""},
    {83, 206, kRowShift, 231, kRowShiftBottom, "B", ""},
    {84, 239, kRowShift, 264, kRowShiftBottom, "N", ""},
    {85, 272, kRowShift, 297, kRowShiftBottom, "M", ""},
    {86, 305, kRowShift, 330, kRowShiftBottom, ",", "<"},
    {87, 338, kRowShift, 363, kRowShiftBottom, ".", ">"},
    {88, 371, kRowShift, 396, kRowShiftBottom, "/", "?"},
    {89, 405, kRowShift, 489, kRowShiftBottom, "Shift", ""},
    {90, 539, kRowShift, 564, kRowShiftBottom, "\xE2\x96\xB2", ""},
    {95, 2, kRowCtrl, 34, kRowCtrlBottom, "Ctrl", ""},
    {96, 44, kRowCtrl, 76, kRowCtrlBottom, "Win", ""},
    {97, 84, kRowCtrl, 116, kRowCtrlBottom, "Alt", ""},
    {98, 125, kRowCtrl, 322, kRowCtrlBottom, "", ""},
    {99, 330, kRowCtrl, 362, kRowCtrlBottom, "Alt", ""},
    {100, 371, kRowCtrl, 403, kRowCtrlBottom, "Fn", ""},
    {101, 412, kRowCtrl, 444, kRowCtrlBottom, "Menu", ""},
    {102, 454, kRowCtrl, 489, kRowCtrlBottom, "Ctrl", ""},
    {103, 505, kRowCtrl, 530, kRowCtrlBottom, "\xE2\x97\x80", ""},
    {104, 539, kRowCtrl, 564, kRowCtrlBottom, "\xE2\x96\xBC", ""},
    {105, 572, kRowCtrl, 597, kRowCtrlBottom, "\xE2\x96\xB6", ""},
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
    const QRectF cell(key.left, key.top, key.right - key.left, key.bottom - key.top);
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
    const QRectF area = key.right - key.left > 30 ? text : cell.adjusted(0, 0, 0, -3);
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
