#include "controls/RecordingCanvas.h"

namespace solvane {

void RecordingCanvas::DrawSkinImage(std::string_view name, int x, int y) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Image;
    call.name = std::string(name);
    call.at = {x, y};
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::DrawSkinImagePart(std::string_view name, const Rect& source, int x,
                                        int y) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::ImagePart;
    call.name = std::string(name);
    call.rect = source;
    call.at = {x, y};
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::DrawBitmap(int bitmapId, const Rect& source, int x, int y) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Bitmap;
    call.bitmapId = bitmapId;
    call.rect = source;
    call.at = {x, y};
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::DrawLabel(const QString& text, int x, int y, const LabelStyle& style) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Label;
    call.text = text;
    call.style = style;
    call.at = {x, y};
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::FillRect(const Rect& rect, ColorRef color) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Fill;
    call.rect = rect;
    call.color = color;
    m_calls.push_back(std::move(call));
}

}  // namespace solvane
