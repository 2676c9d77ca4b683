#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtCore/QString>

#include "controls/ColorRef.h"

class QPainter;

namespace solvane {

QColor ToQColor(ColorRef color);

// The CJK face the skin's "黑体" stands for, and the fallback of every other face.
inline constexpr char kCjkFace[] = "WenQuanYi Micro Hei";

// A font as the skin's tables give it: a face, a cell height in pixels (ascent plus descent)
// and a weight (300 light, 700 bold).
QFont LogicalFont(const QString& face, int height, int weight);

// How a dialog writes its labels: text drawn with its top-left corner at the point, on a
// transparent background.
struct LabelStyle {
    QString face;
    int height = 14;
    int weight = 300;
    ColorRef color = 0xFFFFFF;

    static LabelStyle ProfileManager();                             // "Arial" 16, white
    static LabelStyle KeyAssignment(ColorRef color = 0xFFFFFF);     // "Arial" 14
    static LabelStyle MacroManager(int height);                     // "Arial", white
    static LabelStyle MainWindow(int height, ColorRef color = 0xFFFFFF);  // "黑体"

    QFont Font() const { return LogicalFont(face, height, weight); }
};

// Writes one line of text with its top-left corner at (x, y).
void DrawLabel(QPainter& painter, const QString& text, int x, int y, const LabelStyle& style);

}  // namespace solvane
