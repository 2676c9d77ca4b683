#pragma once

#include <QtCore/QRectF>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <cstdint>

// Drawing helpers shared by the skin's pictures. Every picture that another one is drawn
// over is made on a copy of what lies beneath it, so the opaque copies blend in.
namespace skingen {

QColor Colour(std::uint32_t rgb, int alpha = 255);
QImage Filled(int width, int height, std::uint32_t rgb);
// Where a picture goes inside the png folder: "Custom/" + name.
QString SkinPath(const char* folder, const char* name);
// The part of `base` that an image drawn at (x, y) with this size covers.
QImage Crop(const QImage& base, int x, int y, int width, int height);

// Latin texts in DejaVu Sans, CJK in WenQuanYi Micro Hei, sized by pixels.
QFont SansFont(double pixelSize, int weight = QFont::Normal);
QFont CondensedFont(double pixelSize, int weight = QFont::Normal);
QFont CjkFont(double pixelSize, int weight = QFont::Normal);

// A painter with antialiasing for shapes and text.
void Smooth(QPainter& painter);

void DrawText(QPainter& painter, const QRectF& box, int flags, const QString& text,
              const QFont& font, const QColor& colour);
// Text with letters spaced apart, for wordmarks.
void DrawSpacedText(QPainter& painter, const QPointF& baseline, const QString& text,
                    const QFont& font, const QColor& colour, double spacing);

// A vertical two-colour gradient.
QLinearGradient Vertical(const QRectF& box, const QColor& top, const QColor& bottom);

// Rounded button face with a light top edge; `accent` picks the red face.
enum class ButtonLook { Neutral, NeutralHover, Accent, AccentHover, Field };
void DrawButtonFace(QPainter& painter, const QRectF& box, ButtonLook look, double radius = 3.0);

// A square indicator (check box, radio, toggle) that fills its whole image, so it looks the
// same on every background.
void DrawIndicator(QPainter& painter, const QRect& box, bool on);

// Chevrons and small pictograms, drawn in `colour` centred in `box`.
enum class Chevron { Down, Up, Right, Left };
void DrawChevron(QPainter& painter, const QRectF& box, Chevron direction, const QColor& colour,
                 double width = 1.6);
void DrawArrow(QPainter& painter, const QRectF& box, Chevron direction, const QColor& colour);

// The Solvane emblem: a hexagon with a slanted S, fitting `box`.
void DrawEmblem(QPainter& painter, const QRectF& box);

// A header bar of the left panel: dark gradient with a red marker on its left.
void DrawHeaderBar(QPainter& painter, const QRectF& box);

// A dialog's title band across the top, with a red line under it that fades to the right.
void DrawTitleBand(QPainter& painter, int width, int height, double fadeFrom = 0.0);
// The one-pixel frame around a caption-less window.
void DrawWindowFrame(QPainter& painter, QSize size);
// A 16 x 16 close button drawn over `backdrop` (the part of the dialog it covers).
QImage CloseButton(const QImage& backdrop, bool hover);

// Faint diagonal lines over a region, for the backgrounds' texture.
void DrawHatching(QPainter& painter, const QRectF& box, const QColor& colour, double pitch);

}  // namespace skingen
