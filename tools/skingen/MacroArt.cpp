#include "Painting.h"
#include "SkinFiles.h"
#include "controls/ResourceBitmaps.h"
#include "controls/SkinPalette.h"

namespace skingen {
namespace {

using namespace solvane::palette;

constexpr int kWidth = 420;
constexpr int kHeight = 436;
constexpr int kTitleHeight = 36;
// The two lists take their rows' background from the list panel bitmap, so the dialog shows
// that panel where they lie (list origin minus the panel's inner offset), and a third one
// behind the recording options.
constexpr QPoint kPanels[] = {{13, 58}, {143, 58}, {283, 58}};

QString Folder(const char* name) {
    return SkinPath("MacroManagement", name);
}

QImage Background() {
    QImage image = Filled(kWidth, kHeight, kWindow);
    QPainter painter(&image);
    Smooth(painter);
    DrawHatching(painter, QRectF(0, kTitleHeight, kWidth, kHeight - kTitleHeight),
                 Colour(0xFFFFFF, 3), 9);
    DrawTitleBand(painter, kWidth, kTitleHeight);
    DrawEmblem(painter, QRectF(kWidth - 34, 7, 22, 22));
    const QImage panel = solvane::LoadResourceBitmap(solvane::IDB_LIST_BACK);
    for (const QPoint& at : kPanels) {
        painter.drawImage(at, panel);
    }
    DrawText(painter, QRectF(150, 404, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(u"双击延时可修改数值"), CjkFont(11), Colour(0x6E6E6E));
    DrawWindowFrame(painter, image.size());
    return image;
}

QImage RecordButton(const QImage& background, bool hover) {
    QImage image = Crop(background, 290, 100, 90, 25);
    QPainter painter(&image);
    Smooth(painter);
    DrawButtonFace(painter, QRectF(0, 0, 90, 25), hover ? ButtonLook::NeutralHover
                                                        : ButtonLook::Neutral, 4);
    painter.setPen(QPen(Colour(hover ? 0xFF9AA1 : 0x6A1016), 1.0));
    painter.setBrush(Colour(hover ? 0xFF4B57 : kAccent));
    painter.drawEllipse(QPointF(14, 12.5), 4.5, 4.5);
    return image;
}

QImage CheckBox(const QImage& background, QPoint at, bool ticked) {
    QImage image = Crop(background, at.x(), at.y(), 15, 15);
    QPainter painter(&image);
    DrawIndicator(painter, image.rect(), false);
    if (ticked) {
        painter.fillRect(image.rect().adjusted(1, 1, -1, -1),
                         Vertical(QRectF(image.rect()), Colour(0xFF4B57), Colour(0xC4232E)));
        Smooth(painter);
        painter.setPen(QPen(Colour(0xFFFFFF), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{{3.5, 7.5}, {6.3, 10.3}, {11.5, 4.5}});
    }
    return image;
}

QImage Button(const QImage& background, bool hover) {
    QImage image = Crop(background, 20, 368, 58, 25);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 58, 25), hover ? ButtonLook::NeutralHover
                                                        : ButtonLook::Neutral, 4);
    return image;
}

}  // namespace

void AddMacroManager(SkinFiles& files) {
    const QImage background = Background();
    files.push_back({Folder("MacroManagement.png"), background});
    files.push_back({Folder("Record-normal.png"), RecordButton(background, false)});
    files.push_back({Folder("Record-over.png"), RecordButton(background, true)});
    files.push_back({Folder("Pane.png"), CheckBox(background, {368, 168}, false)});
    files.push_back({Folder("PaneMakingTick.png"), CheckBox(background, {368, 168}, true)});
    files.push_back({Folder("button-new-normal.png"), Button(background, false)});
    files.push_back({Folder("button-new-over.png"), Button(background, true)});
}

}  // namespace skingen
