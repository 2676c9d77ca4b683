#include "Painting.h"
#include "SkinFiles.h"
#include "controls/SkinPalette.h"

namespace skingen {
namespace {

using namespace solvane::palette;

constexpr int kWidth = 325;
constexpr int kHeight = 275;
constexpr int kTitleHeight = 27;
// The tab strip with the category area under it, drawn at (0, 30).
constexpr int kStripTop = 30;
constexpr int kStripHeight = 212;
constexpr int kTabHeight = 27;
constexpr int kTabWidth = 81;
// The advanced grid's background, drawn at (15, 66), and its four rows 30 pixels apart.
constexpr QPoint kGridOrigin(15, 66);
constexpr int kGridWidth = 288;
constexpr int kGridHeight = 116;
constexpr int kGridPitch = 30;

QString Folder(const char* name) {
    return SkinPath("Custom", name);
}

QImage Background() {
    QImage image = Filled(kWidth, kHeight, kKeyAssignBase);
    QPainter painter(&image);
    Smooth(painter);
    DrawTitleBand(painter, kWidth, kTitleHeight);
    painter.fillRect(0, 243, kWidth, 1, Colour(0x303030));
    DrawWindowFrame(painter, image.size());
    return image;
}

QImage Strip() {
    QImage image = Filled(kWidth, kStripHeight, kKeyAssignBase);
    QPainter painter(&image);
    Smooth(painter);
    painter.fillRect(0, 0, kWidth, kTabHeight, Vertical(QRectF(0, 0, kWidth, kTabHeight),
                                                        Colour(0x262626), Colour(0x1B1B1B)));
    for (int i = 1; i < 4; ++i) {
        painter.fillRect(QRectF(i * kTabWidth, 6, 1, kTabHeight - 12), Colour(0x3A3A3A));
    }
    painter.fillRect(0, kTabHeight, kWidth, 1, Colour(0x3A3A3A));
    // The category area: the panel the tree, the edits, the macro list and the grid lie on.
    painter.setPen(QPen(Colour(0x333333), 1.0));
    painter.setBrush(Colour(kTree));
    painter.drawRoundedRect(QRectF(5.5, 29.5, 314, 180), 4, 4);
    return image;
}

QImage TabCell() {
    QImage image = Filled(kTabWidth, kTabHeight, 0x222222);
    QPainter painter(&image);
    painter.fillRect(QRectF(0, 0, kTabWidth, kTabHeight),
                     Vertical(QRectF(0, 0, kTabWidth, kTabHeight), Colour(0x262626), Colour(0x1B1B1B)));
    painter.fillRect(QRectF(kTabWidth - 1, 6, 1, 14), Colour(0x3A3A3A));
    return image;
}

QImage Cursor(const QImage& strip) {
    QImage image = Crop(strip, 35, 0, 11, 6);
    QPainter painter(&image);
    Smooth(painter);
    painter.fillRect(QRectF(0, 0, 11, 2), Colour(kAccent));
    DrawArrow(painter, QRectF(2.5, 1.5, 6, 4), Chevron::Down, Colour(kAccent));
    return image;
}

QImage GridBack(const QImage& strip) {
    QImage image = Crop(strip, kGridOrigin.x(), kGridOrigin.y() - kStripTop, kGridWidth,
                        kGridHeight);
    QPainter painter(&image);
    Smooth(painter);
    for (int row = 0; row < 4; ++row) {
        const QRectF band(0.5, row * kGridPitch + 0.5, kGridWidth - 1, 21);
        painter.setPen(QPen(Colour(0x2E2E2E), 1.0));
        painter.setBrush(Colour(0x242424));
        painter.drawRoundedRect(band, 3, 3);
    }
    return image;
}

QImage PathBox(const QImage& grid) {
    QImage image = Crop(grid, 68, 2, 161, 16);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 161, 16), ButtonLook::Field, 2);
    return image;
}

QImage Browse(const QImage& grid, bool hover) {
    QImage image = Crop(grid, 241, 2, 47, 16);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 47, 16), hover ? ButtonLook::Accent : ButtonLook::Neutral,
                   3);
    DrawText(painter, QRectF(0, 0, 47, 16), Qt::AlignCenter, QStringLiteral(u"浏览"), CjkFont(11),
             Colour(0xFFFFFF));
    return image;
}

QImage Indicator(bool on) {
    QImage image(11, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawIndicator(painter, image.rect(), on);
    return image;
}

QImage BottomButton(const QImage& background, ButtonLook look) {
    QImage image = Crop(background, 156, 246, 42, 23);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 42, 23), look, 3);
    return image;
}

}  // namespace

void AddKeyAssignment(SkinFiles& files) {
    const QImage background = Background();
    const QImage strip = Strip();
    const QImage grid = GridBack(strip);
    files.push_back({Folder("自定义底.png"), background});
    files.push_back({Folder("button-close-normal.png"), CloseButton(Crop(background, 303, 2, 16, 16), false)});
    files.push_back({Folder("button-close-over.png"), CloseButton(Crop(background, 303, 2, 16, 16), true)});
    files.push_back({Folder("large_button.png"), TabCell()});
    files.push_back({Folder("单键-组合键-功能选项.png"), strip});
    files.push_back({Folder("cursor.png"), Cursor(strip)});
    // One file each for the toggle and the grid's markers: the dialog spells them both ways
    // and finds them ignoring case.
    files.push_back({Folder("Disable.png"), Indicator(false)});
    files.push_back({Folder("Enable.png"), Indicator(true)});
    files.push_back({Folder("button-cancel-normal.png"), BottomButton(background, ButtonLook::Neutral)});
    files.push_back({Folder("button-cancel-over.png"),
                     BottomButton(background, ButtonLook::NeutralHover)});
    files.push_back({Folder("button-save-normal.png"), BottomButton(background, ButtonLook::Accent)});
    files.push_back({Folder("button-save-over.png"),
                     BottomButton(background, ButtonLook::AccentHover)});
    files.push_back({Folder("宏-底.png"), grid});
    files.push_back({Folder("高级功能.png"), PathBox(grid)});
    files.push_back({Folder("浏览.png"), Browse(grid, false)});
    files.push_back({Folder("浏览02.png"), Browse(grid, true)});
}

}  // namespace skingen
