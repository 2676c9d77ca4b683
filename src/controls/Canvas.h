#pragma once

#include <QtCore/QString>

#include <string_view>

#include "controls/ColorRef.h"
#include "controls/LabelStyle.h"
#include "common/Geometry.h"

namespace solvane {

// What a skinned window paints with. Images are named by their file name in the window's skin
// folder and copied opaquely at their natural size; a missing image draws nothing.
class Canvas {
public:
    virtual ~Canvas() = default;

    // The whole image with its top-left corner at (x, y).
    virtual void DrawSkinImage(std::string_view name, int x, int y) = 0;
    // The part `source` of the image (right - left by bottom - top pixels) at (x, y).
    virtual void DrawSkinImagePart(std::string_view name, const Rect& source, int x, int y) = 0;
    // The part `source` of a compiled-in bitmap (ResourceBitmaps.h) at (x, y).
    virtual void DrawBitmap(int bitmapId, const Rect& source, int x, int y) = 0;
    // One line of text with its top-left corner at (x, y).
    virtual void DrawLabel(const QString& text, int x, int y, const LabelStyle& style) = 0;
    // right - left by bottom - top pixels.
    virtual void FillRect(const Rect& rect, ColorRef color) = 0;
};

}  // namespace solvane
