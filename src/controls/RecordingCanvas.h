#pragma once

#include <QtCore/QString>

#include <string>
#include <vector>

#include "controls/Canvas.h"

namespace solvane {

// One call made on a canvas.
struct CanvasCall {
    enum class Kind { Image, ImagePart, Bitmap, Label, Fill };
    Kind kind = Kind::Image;
    std::string name{};  // Image, ImagePart
    int bitmapId = 0;    // Bitmap
    Rect rect{};         // the source (ImagePart, Bitmap) or the filled rectangle (Fill)
    Point at{};          // where it lands (all but Fill)
    QString text{};      // Label
    LabelStyle style{};  // Label
    ColorRef color = 0;  // Fill
};

// Keeps every call, in order, so tests can check what a window paints and where.
class RecordingCanvas final : public Canvas {
public:
    void DrawSkinImage(std::string_view name, int x, int y) override;
    void DrawSkinImagePart(std::string_view name, const Rect& source, int x, int y) override;
    void DrawBitmap(int bitmapId, const Rect& source, int x, int y) override;
    void DrawLabel(const QString& text, int x, int y, const LabelStyle& style) override;
    void FillRect(const Rect& rect, ColorRef color) override;

    const std::vector<CanvasCall>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<CanvasCall> m_calls;
};

}  // namespace solvane
