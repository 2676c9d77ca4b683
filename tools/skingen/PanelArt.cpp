#include <QtGui/QPainterPath>

#include <algorithm>

#include "Painting.h"
#include "SkinFiles.h"
#include "controls/ResourceBitmaps.h"
#include "controls/SkinPalette.h"
#include "controls/TrackbarMath.h"

namespace skingen {
namespace {

using namespace solvane::palette;

// Every section of the left panel is as wide as its click areas (x 19 to 261).
constexpr int kSectionWidth = 243;
constexpr int kHeaderHeight = 21;
// The slider tracks, the report-rate slider's place in its section and its four steps.
constexpr int kTrackWidth = 220;
constexpr int kTrackHeight = 17;
constexpr QPoint kReportRateSlider(9, 23);
constexpr int kReportRateSteps = 4;

QImage Card(int width, int height) {
    return Filled(width, height, kCard);
}

enum class Fold { None, Collapsed, Expanded };

QImage SectionHeader(int height, Fold fold) {
    QImage image = Card(kSectionWidth, height);
    QPainter painter(&image);
    Smooth(painter);
    DrawHeaderBar(painter, QRectF(0, 0, kSectionWidth, kHeaderHeight));
    const QRectF mark(kSectionWidth - 18, 6, 8, 9);
    if (fold == Fold::Collapsed) {
        DrawChevron(painter, mark, Chevron::Right, Colour(0xBDBDBD));
    } else if (fold == Fold::Expanded) {
        DrawChevron(painter, mark, Chevron::Down, Colour(kAccentLight));
    } else {
        // The lighting header: three colour dots.
        const std::uint32_t dots[] = {0xFF4B57, 0x4BE37A, 0x4B9BFF};
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            painter.setBrush(Colour(dots[i]));
            painter.drawEllipse(QPointF(kSectionWidth - 36 + i * 9, 10.5), 2.6, 2.6);
        }
    }
    return image;
}

void Separator(QPainter& painter, int y) {
    painter.fillRect(QRectF(9, y, kSectionWidth - 18, 1), Colour(0x2F2F2F));
}

QImage LightingBody() {
    QImage image = Card(kSectionWidth, 180);
    QPainter painter(&image);
    Separator(painter, 86);
    Separator(painter, 132);
    return image;
}

QImage EffectBar() {
    QImage image = Card(221, 16);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 221, 16), ButtonLook::Field, 3);
    DrawChevron(painter, QRectF(205, 5, 8, 6), Chevron::Down, Colour(0xBDBDBD), 1.4);
    return image;
}

QImage Direction(Chevron direction, bool enabled) {
    QImage image = Card(36, 16);
    QPainter painter(&image);
    DrawButtonFace(painter, QRectF(0, 0, 36, 16), enabled ? ButtonLook::Accent : ButtonLook::Neutral,
                   3);
    DrawArrow(painter, QRectF(14, 4.5, 8, 7), direction,
              enabled ? Colour(0xFFFFFF) : Colour(0x8C8C8C));
    return image;
}

QImage Indicator(bool on) {
    QImage image = Card(11, 10);
    QPainter painter(&image);
    DrawIndicator(painter, image.rect(), on);
    return image;
}

QImage MacroRow() {
    QImage image = Card(kSectionWidth, 44);
    QPainter painter(&image);
    Smooth(painter);
    painter.setPen(QPen(Colour(0x343434), 1.0));
    painter.setBrush(Colour(0x1F1F1F));
    painter.drawRoundedRect(QRectF(0.5, 0.5, kSectionWidth - 1, 39), 4, 4);
    return image;
}

QImage MacroButton(const QImage& row) {
    QImage image = Crop(row, 9, 10, 223, 19);
    QPainter painter(&image);
    Smooth(painter);
    painter.fillRect(QRectF(0, 18, 223, 1), Colour(0x3A3A3A));
    // A small macro pictogram: a play mark beside three lines of steps.
    const QColor ink = Colour(kAccentLight);
    DrawArrow(painter, QRectF(178, 5, 6, 8), Chevron::Right, ink);
    painter.fillRect(QRectF(188, 4, 12, 2), Colour(0xBDBDBD));
    painter.fillRect(QRectF(188, 8, 9, 2), Colour(0xBDBDBD));
    painter.fillRect(QRectF(188, 12, 12, 2), Colour(0xBDBDBD));
    DrawChevron(painter, QRectF(210, 5, 5, 8), Chevron::Right, Colour(0x9A9A9A), 1.4);
    return image;
}

QImage GameModeBody() {
    QImage image = SectionHeader(76, Fold::Expanded);
    QPainter painter(&image);
    painter.fillRect(QRectF(120, 30, 1, 18), Colour(0x333333));
    Separator(painter, 70);
    return image;
}

QImage ResponseBody() {
    QImage image = SectionHeader(52, Fold::Expanded);
    return image;
}

QImage ReportRateBody() {
    QImage image = SectionHeader(60, Fold::Expanded);
    QPainter painter(&image);
    Smooth(painter);
    // The rates under the slider's four steps, where its thumb stops.
    const solvane::Rect channel = solvane::ChannelRect(kTrackWidth, kTrackHeight);
    const char* rates[kReportRateSteps] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
    for (int step = 0; step < kReportRateSteps; ++step) {
        const solvane::Rect thumb =
            solvane::ThumbRect(channel, kTrackHeight, 0, kReportRateSteps - 1, step);
        const double x = kReportRateSlider.x() + thumb.left + thumb.Width() / 2.0;
        painter.fillRect(QRectF(x - 0.5, kReportRateSlider.y() + kTrackHeight + 1, 1, 3),
                         Colour(0x6A6A6A));
        QRectF label(x - 20, kReportRateSlider.y() + kTrackHeight + 4, 40, 12);
        label.moveLeft(std::clamp(label.left(), 2.0, kSectionWidth - 42.0));
        DrawText(painter, label, Qt::AlignCenter, QString::fromLatin1(rates[step]), SansFont(8),
                 Colour(0x9A9A9A));
    }
    return image;
}

}  // namespace

void AddPanel(SkinFiles& files) {
    files.push_back({QStringLiteral("itemBK.png"), SectionHeader(kHeaderHeight, Fold::None)});
    files.push_back({QStringLiteral("LEDEffect_open.png"), LightingBody()});
    files.push_back({QStringLiteral(u"灯光选项条.png"), EffectBar()});
    files.push_back({QStringLiteral("Direction-T-Enable.png"), Direction(Chevron::Up, true)});
    files.push_back({QStringLiteral("Direction-T-Disable.png"), Direction(Chevron::Up, false)});
    files.push_back({QStringLiteral("Direction-B-Enable.png"), Direction(Chevron::Down, true)});
    files.push_back({QStringLiteral("Direction-B-Disable.png"), Direction(Chevron::Down, false)});
    files.push_back({QStringLiteral("Direction-L-Enable.png"), Direction(Chevron::Left, true)});
    files.push_back({QStringLiteral("Direction-L-Disable.png"), Direction(Chevron::Left, false)});
    files.push_back({QStringLiteral("Direction-R-Enable.png"), Direction(Chevron::Right, true)});
    files.push_back({QStringLiteral("Direction-R-Disable.png"), Direction(Chevron::Right, false)});
    files.push_back({QStringLiteral("Enable.png"), Indicator(true)});
    files.push_back({QStringLiteral("Disable.png"), Indicator(false)});
    const QImage macroRow = MacroRow();
    files.push_back({QStringLiteral("MacroManagementBK.png"), macroRow});
    files.push_back({QStringLiteral(u"宏管理器按钮-3.png"), MacroButton(macroRow)});
    files.push_back({QStringLiteral("gamemode_Close.png"),
                     SectionHeader(kHeaderHeight, Fold::Collapsed)});
    files.push_back({QStringLiteral("gamemode_open.png"), GameModeBody()});
    files.push_back({QStringLiteral("responsetime_close.png"),
                     SectionHeader(kHeaderHeight, Fold::Collapsed)});
    files.push_back({QStringLiteral("responsetime_open.png"), ResponseBody()});
    files.push_back({QStringLiteral("reportrate_Close.png"),
                     SectionHeader(kHeaderHeight, Fold::Collapsed)});
    files.push_back({QStringLiteral("reportrate_Open.png"), ReportRateBody()});
    files.push_back({QStringLiteral("Thumb.png"), solvane::LoadResourceBitmap(solvane::IDB_THUMB)});
}

void AddBitmaps(SkinFiles& files) {
    for (const int id : solvane::kResourceBitmapIds) {
        files.push_back({QStringLiteral("bitmaps/%1.png").arg(id), solvane::LoadResourceBitmap(id)});
    }
}

}  // namespace skingen
