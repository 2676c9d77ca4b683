#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>

#include "KeyboardArt.h"
#include "Painting.h"
#include "SkinFiles.h"
#include "controls/SkinPalette.h"

namespace skingen {
namespace {

using namespace solvane::palette;

constexpr int kWidth = 1000;
constexpr int kHeight = 645;
constexpr int kTitleHeight = 26;
constexpr int kBottomBarTop = 596;
constexpr QPoint kKeyboardOrigin(300, 160);
constexpr std::uint32_t kPlate = 0x121212;

void DrawTitleBar(QPainter& painter) {
    DrawTitleBand(painter, kWidth, kTitleHeight, 0.35);
    DrawText(painter, QRectF(12, 0, 400, kTitleHeight - 1), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral(u"Solvane  ·  游戏键盘驱动程序"), CjkFont(12), Colour(0x8A8A8A));
}

void DrawLeftCard(QPainter& painter) {
    const QRectF card(12.5, 102.5, 256, 493);
    painter.setPen(QPen(Colour(0x333333), 1.0));
    painter.setBrush(Colour(kCard));
    painter.drawRoundedRect(card, 6, 6);
}

void DrawStage(QPainter& painter) {
    const QRectF stage(280.5, 40.5, 707, 548);
    painter.setPen(QPen(Colour(0x2C2C2C), 1.0));
    painter.setBrush(Vertical(stage, Colour(0x1E1E1E), Colour(0x171717)));
    painter.drawRoundedRect(stage, 8, 8);
    DrawHatching(painter, QRectF(700, 41, 287, 90), Colour(0xFFFFFF, 6), 7);

    DrawText(painter, QRectF(300, 56, 400, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(u"按键自定义"), CjkFont(18, QFont::Bold), Colour(0xFFFFFF));
    painter.fillRect(QRectF(300, 84, 36, 2), Colour(kAccent));
    DrawText(painter, QRectF(300, 92, 560, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(u"单击键盘上的任意按键，为它指定单键、组合键、宏或功能"), CjkFont(12),
             Colour(0x8C8C8C));

    // The keyboard's case; the picture sits on its plate.
    const QRectF body(286.5, 144.5, 627, 290);
    QRadialGradient glow(QPointF(600, 440), 330, QPointF(600, 440));
    glow.setColorAt(0, Colour(kAccent, 70));
    glow.setColorAt(1, Colour(kAccent, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(600, 440), 330, 22);
    painter.setPen(QPen(Colour(0x3A3A3A), 1.0));
    painter.setBrush(Vertical(body, Colour(0x2B2B2B), Colour(0x1D1D1D)));
    painter.drawRoundedRect(body, 12, 12);
    painter.setPen(QPen(Colour(0x000000, 160), 1.0));
    painter.setBrush(Colour(kPlate));
    painter.drawRoundedRect(QRectF(293.5, 153.5, 613, 273), 7, 7);
    painter.fillRect(QRectF(300, 433, 600, 2),
                     [] {
                         QLinearGradient strip(300, 0, 900, 0);
                         strip.setColorAt(0, Colour(kAccent, 0));
                         strip.setColorAt(0.5, Colour(kAccentLight));
                         strip.setColorAt(1, Colour(kAccent, 0));
                         return strip;
                     }());

    // Legend of the key colours and the reminder to save.
    const auto swatch = [&](double x, std::uint32_t top, std::uint32_t bottom, const QString& text) {
        const QRectF box(x, 470.5, 16, 16);
        painter.setPen(QPen(Colour(0x0B0B0B), 1.0));
        painter.setBrush(Vertical(box, Colour(top), Colour(bottom)));
        painter.drawRoundedRect(box, 3, 3);
        DrawText(painter, QRectF(x + 24, 468, 160, 20), Qt::AlignLeft | Qt::AlignVCenter, text,
                 CjkFont(12), Colour(0xB5B5B5));
    };
    swatch(300, 0x3A3A3A, 0x2F2F2F, QStringLiteral(u"默认按键"));
    swatch(410, 0xFF4B57, 0xD42A36, QStringLiteral(u"已修改 / 当前按键"));
    DrawText(painter, QRectF(300, 500, 600, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(u"所有修改先保存在电脑上，单击右下角“保存”后写入键盘。"), CjkFont(12),
             Colour(0x7A7A7A));
}

void DrawBottomBar(QPainter& painter) {
    painter.fillRect(0, kBottomBarTop, kWidth, kHeight - kBottomBarTop, Colour(kTitleBar));
    painter.fillRect(0, kBottomBarTop, kWidth, 1, Colour(0x2C2C2C));
}

QImage MainBackground() {
    QImage image = Filled(kWidth, kHeight, kWindow);
    QPainter painter(&image);
    Smooth(painter);
    DrawHatching(painter, QRectF(0, kTitleHeight, kWidth, kBottomBarTop - kTitleHeight),
                 Colour(0xFFFFFF, 3), 9);
    DrawTitleBar(painter);
    DrawLeftCard(painter);
    DrawStage(painter);
    DrawBottomBar(painter);
    DrawWindowFrame(painter, image.size());
    return image;
}

enum class Glyph { Help, Minimise, Close };

QImage TitleButton(const QImage& background, QPoint at, Glyph glyph) {
    QImage image = Crop(background, at.x(), at.y(), 17, 16);
    QPainter painter(&image);
    Smooth(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(glyph == Glyph::Close ? 0x3A1A1D : 0x262626));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 16, 15), 3, 3);
    const QColor ink = Colour(glyph == Glyph::Close ? 0xFF7A83 : 0xC8C8C8);
    painter.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
    switch (glyph) {
    case Glyph::Help:
        DrawText(painter, QRectF(0, 0, 17, 16), Qt::AlignCenter, QStringLiteral("?"),
                 SansFont(11, QFont::Bold), ink);
        break;
    case Glyph::Minimise:
        painter.drawLine(QPointF(5, 10.5), QPointF(12, 10.5));
        break;
    case Glyph::Close:
        painter.drawLine(QPointF(5.5, 4.5), QPointF(11.5, 10.5));
        painter.drawLine(QPointF(11.5, 4.5), QPointF(5.5, 10.5));
        break;
    }
    return image;
}

QImage Logo(const QImage& background) {
    QImage image = Crop(background, 19, 32, 260, 56);
    QPainter painter(&image);
    Smooth(painter);
    DrawEmblem(painter, QRectF(2, 6, 44, 44));
    DrawSpacedText(painter, QPointF(56, 31), QStringLiteral("SOLVANE"), SansFont(25, QFont::Black),
                   Colour(0xFFFFFF), 3.0);
    painter.fillRect(QRectF(57, 38, 26, 2), Colour(kAccent));
    DrawSpacedText(painter, QPointF(89, 43), QStringLiteral("GAMING KEYBOARD"),
                   SansFont(9, QFont::DemiBold), Colour(0x8E8E8E), 2.2);
    return image;
}

QImage HelpWindow() {
    QImage image = Filled(167, 78, kTitleBar);
    QPainter painter(&image);
    Smooth(painter);
    painter.setPen(QPen(Colour(0xFFFFFF), 1.0));
    painter.setBrush(Vertical(QRectF(0, 0, 167, 78), Colour(0xF0F0F0), Colour(0xDADADA)));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 166, 77), 4, 4);
    painter.fillRect(QRectF(1, 1, 3, 76), Colour(kAccent));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(8, 25, 154, 1, Colour(0xC4C4C4));
    painter.fillRect(8, 50, 154, 1, Colour(0xC4C4C4));
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = Colour(kAccentDark);
    // Web page: a globe.
    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(11.5, 11.5), 5, 5);
    painter.drawEllipse(QPointF(11.5, 11.5), 2.2, 5);
    painter.drawLine(QPointF(6.5, 11.5), QPointF(16.5, 11.5));
    // Driver update: a circular arrow.
    painter.drawArc(QRectF(6.5, 31.5, 10, 10), 60 * 16, 280 * 16);
    DrawArrow(painter, QRectF(13.5, 29.5, 5, 5), Chevron::Right, ink);
    // Version: an "i".
    painter.drawEllipse(QPointF(11.5, 62.5), 5, 5);
    DrawText(painter, QRectF(6, 57, 11, 11), Qt::AlignCenter, QStringLiteral("i"),
             SansFont(9, QFont::Bold), ink);
    return image;
}

QImage BarButton(const QImage& background, QPoint at, ButtonLook look) {
    QImage image = Crop(background, at.x(), at.y(), 58, 31);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 58, 31), look, 4);
    return image;
}

QImage ProfileButton(const QImage& background) {
    QImage image = Crop(background, 17, 603, 73, 31);
    QPainter painter(&image);
    Smooth(painter);
    DrawButtonFace(painter, QRectF(0, 0, 73, 31), ButtonLook::Neutral, 4);
    // Stacked profile cards.
    painter.setPen(QPen(Colour(0x9A9A9A), 1.2));
    painter.setBrush(Colour(0x2C2C2C));
    painter.drawRoundedRect(QRectF(12.5, 8.5, 14, 12), 2, 2);
    painter.setPen(QPen(Colour(kAccentLight), 1.2));
    painter.setBrush(Colour(0x3A3A3A));
    painter.drawRoundedRect(QRectF(9.5, 11.5, 14, 12), 2, 2);
    painter.fillRect(QRectF(12, 15, 8, 1.5), Colour(kAccentLight));
    painter.fillRect(QRectF(12, 18.5, 6, 1.5), Colour(0xBFBFBF));
    DrawText(painter, QRectF(31, 0, 40, 31), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral(u"配置"), CjkFont(14), Colour(0xFFFFFF));
    return image;
}

QImage ProfileCaption(const QImage& background) {
    QImage image = Crop(background, 96, 610, 220, 18);
    QPainter painter(&image);
    Smooth(painter);
    DrawText(painter, QRectF(0, 0, 220, 18), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral(u"配置文件管理  ·  最多保存 6 组配置"), CjkFont(12), Colour(0x8A8A8A));
    return image;
}

QImage Splash() {
    QImage image = Filled(520, 300, 0x101010);
    QPainter painter(&image);
    Smooth(painter);
    QRadialGradient glow(QPointF(150, 150), 260);
    glow.setColorAt(0, Colour(0x4A1216));
    glow.setColorAt(0.6, Colour(0x1A0D0E));
    glow.setColorAt(1, Colour(0x101010));
    painter.fillRect(image.rect(), glow);
    DrawHatching(painter, QRectF(0, 0, 520, 300), Colour(0xFFFFFF, 5), 10);
    painter.setPen(QPen(Colour(0x3A3A3A), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 519, 299));
    DrawEmblem(painter, QRectF(48, 82, 112, 112));
    DrawSpacedText(painter, QPointF(186, 138), QStringLiteral("SOLVANE"),
                   SansFont(46, QFont::Black), Colour(0xFFFFFF), 4.0);
    painter.fillRect(QRectF(188, 150, 52, 3), Colour(kAccent));
    DrawSpacedText(painter, QPointF(250, 156), QStringLiteral("GAMING KEYBOARD"),
                   SansFont(11, QFont::DemiBold), Colour(0x9A9A9A), 3.0);
    DrawText(painter, QRectF(188, 168, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(u"游戏键盘驱动程序"), CjkFont(16), Colour(0xCFCFCF));
    // A loading line and what is happening.
    painter.fillRect(QRectF(40, 258, 440, 2), Colour(0x2A2A2A));
    QLinearGradient progress(40, 0, 300, 0);
    progress.setColorAt(0, Colour(kAccentDark));
    progress.setColorAt(1, Colour(kAccentLight));
    painter.fillRect(QRectF(40, 258, 260, 2), progress);
    DrawText(painter, QRectF(40, 236, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(u"正在启动，请稍候…"), CjkFont(12), Colour(0x9A9A9A));
    DrawText(painter, QRectF(380, 236, 100, 18), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Ver 1.0"), SansFont(11), Colour(0x6A6A6A));
    return image;
}

}  // namespace

void AddMainWindow(SkinFiles& files) {
    const QImage background = MainBackground();
    const QImage plate = Crop(background, kKeyboardOrigin.x(), kKeyboardOrigin.y(),
                              kKeyboardWidth, kKeyboardHeight);
    files.push_back({QStringLiteral("main.png"), background});
    files.push_back({QStringLiteral("button-help-normal.png"),
                     TitleButton(background, {936, 5}, Glyph::Help)});
    files.push_back({QStringLiteral("button-min-normal.png"),
                     TitleButton(background, {957, 5}, Glyph::Minimise)});
    files.push_back({QStringLiteral("button-close-normal.png"),
                     TitleButton(background, {978, 5}, Glyph::Close)});
    files.push_back({QStringLiteral("HelpWindow.png"), HelpWindow()});
    files.push_back({QStringLiteral("logo.png"), Logo(background)});
    files.push_back({QStringLiteral("kb_BK.png"), DrawKeyboard(plate, false)});
    files.push_back({QStringLiteral("kb_hl.png"), DrawKeyboard(plate, true)});
    files.push_back({QStringLiteral("button-cancel-normal.png"),
                     BarButton(background, {800, 605}, ButtonLook::Neutral)});
    files.push_back({QStringLiteral("button-save-normal.png"),
                     BarButton(background, {924, 605}, ButtonLook::Accent)});
    files.push_back({QStringLiteral("Config.png"), ProfileButton(background)});
    files.push_back({QStringLiteral("text.png"), ProfileCaption(background)});
    files.push_back({QStringLiteral("SplashScreen.png"), Splash()});
}

}  // namespace skingen
