#include "Painting.h"
#include "SkinFiles.h"
#include "controls/SkinPalette.h"

namespace skingen {
namespace {

using namespace solvane::palette;

constexpr int kWidth = 263;
constexpr int kHeight = 632;
constexpr int kTitleHeight = 32;
// The profile list lies at (1, 34), 260 x 540, and shows what is behind it.
constexpr QRect kListArea(1, 34, 260, 540);

QString Folder(const char* name) {
    return SkinPath("Config", name);
}

QImage Background() {
    QImage image = Filled(kWidth, kHeight, kWindow);
    QPainter painter(&image);
    Smooth(painter);
    DrawTitleBand(painter, kWidth, kTitleHeight);
    painter.fillRect(kListArea, Colour(0x161616));
    painter.fillRect(QRect(kListArea.left(), kListArea.bottom(), kListArea.width(), 1),
                     Colour(0x2C2C2C));
    // A quiet mark and a hint at the foot of the list, under where the profiles appear.
    painter.setOpacity(0.10);
    DrawEmblem(painter, QRectF(96, 440, 70, 70));
    painter.setOpacity(1.0);
    DrawText(painter, QRectF(10, 520, 242, 40), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap,
             QStringLiteral(u"右键单击列表管理配置\n双击配置名称可重命名"),
             CjkFont(11), Colour(0x5E5E5E));
    DrawWindowFrame(painter, image.size());
    return image;
}

enum class Action { New, Delete };

// A tall button: its caption is written at the top, a pictogram sits below it.
QImage ActionButton(const QImage& background, QPoint at, Action action) {
    QImage image = Crop(background, at.x(), at.y(), 68, 51);
    QPainter painter(&image);
    Smooth(painter);
    DrawButtonFace(painter, QRectF(1, 1, 66, 49), ButtonLook::Neutral, 5);
    const QPointF centre(34, 35);
    if (action == Action::New) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(kAccent));
        painter.drawEllipse(centre, 8, 8);
        painter.setPen(QPen(Colour(0xFFFFFF), 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + QPointF(-4, 0), centre + QPointF(4, 0));
        painter.drawLine(centre + QPointF(0, -4), centre + QPointF(0, 4));
    } else {
        // A bin.
        const QColor ink = Colour(0xC8C8C8);
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(centre + QPointF(-7, -6), centre + QPointF(7, -6));
        painter.drawLine(centre + QPointF(-2, -8), centre + QPointF(2, -8));
        painter.drawPolyline(QPolygonF{centre + QPointF(-5.5, -4), centre + QPointF(-4.5, 8),
                                       centre + QPointF(4.5, 8), centre + QPointF(5.5, -4)});
        painter.drawLine(centre + QPointF(-1.5, -2), centre + QPointF(-1.5, 5.5));
        painter.drawLine(centre + QPointF(1.5, -2), centre + QPointF(1.5, 5.5));
    }
    return image;
}

}  // namespace

void AddProfileManager(SkinFiles& files) {
    const QImage background = Background();
    files.push_back({Folder("Config.png"), background});
    files.push_back({Folder("button-close-normal.png"), CloseButton(Crop(background, 247, 10, 16, 16), false)});
    files.push_back({Folder("New.png"), ActionButton(background, {13, 575}, Action::New)});
    files.push_back({Folder("Delete.png"), ActionButton(background, {183, 575}, Action::Delete)});
}

}  // namespace skingen
