#include "controls/RecordingCanvas.h"

namespace solvane {

using Kind = CanvasCall::Kind;

void RecordingCanvas::DrawSkinImage(std::string_view name, int x, int y) {
    m_calls.push_back({.kind = Kind::Image, .name = std::string(name), .at = {x, y}});
}

void RecordingCanvas::DrawSkinImagePart(std::string_view name, const Rect& source, int x,
                                        int y) {
    m_calls.push_back(
        {.kind = Kind::ImagePart, .name = std::string(name), .rect = source, .at = {x, y}});
}

void RecordingCanvas::DrawBitmap(int bitmapId, const Rect& source, int x, int y) {
    m_calls.push_back({.kind = Kind::Bitmap, .bitmapId = bitmapId, .rect = source, .at = {x, y}});
}

void RecordingCanvas::DrawLabel(const QString& text, int x, int y, const LabelStyle& style) {
    m_calls.push_back({.kind = Kind::Label, .at = {x, y}, .text = text, .style = style});
}

void RecordingCanvas::FillRect(const Rect& rect, ColorRef color) {
    m_calls.push_back({.kind = Kind::Fill, .rect = rect, .color = color});
}

}  // namespace solvane
