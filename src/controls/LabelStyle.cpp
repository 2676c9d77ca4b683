#include "controls/LabelStyle.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

namespace solvane {

QColor ToQColor(ColorRef color) {
    return QColor(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                  static_cast<int>(BlueOf(color)));
}

QFont LogicalFont(const QString& face, int height, int weight) {
    const QString cjk = QString::fromUtf8(kCjkFace);
    QFont font;
    if (face == u"黑体" || face.compare(u"SimHei", Qt::CaseInsensitive) == 0) {
        font.setFamilies({cjk});
    } else {
        font.setFamilies({face, cjk});
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    font.setStyleStrategy(QFont::PreferAntialias);
    // The tables give cell heights; Qt sizes fonts by their em, so scale by the face's ratio.
    const int cell = std::max(1, height);
    font.setPixelSize(cell);
    const int measured = QFontMetrics(font).height();
    if (measured > 0 && measured != cell) {
        const double scaled = std::round(static_cast<double>(cell) * cell / measured);
        font.setPixelSize(std::max(1, static_cast<int>(scaled)));
    }
    return font;
}

LabelStyle LabelStyle::ProfileManager() {
    return {QStringLiteral("Arial"), 16, 300, 0xFFFFFF};
}

LabelStyle LabelStyle::KeyAssignment(ColorRef color) {
    return {QStringLiteral("Arial"), 14, 300, color};
}

LabelStyle LabelStyle::MacroManager(int height) {
    return {QStringLiteral("Arial"), height, 300, 0xFFFFFF};
}

LabelStyle LabelStyle::MainWindow(int height, ColorRef color) {
    return {QStringLiteral(u"黑体"), height, 300, color};
}

void DrawLabel(QPainter& painter, const QString& text, int x, int y, const LabelStyle& style) {
    painter.save();
    painter.setFont(style.Font());
    painter.setPen(ToQColor(style.color));
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(painter.font());
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.restore();
}

}  // namespace solvane
