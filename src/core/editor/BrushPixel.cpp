#include "core/editor/BrushPixel.h"

#include "core/editor/BrushPatterns.h"
#include "core/editor/LinePoints.h"

namespace murelo {

namespace {

// Edit modes 1 and 3 of the document: wide and tall logical pixels.
constexpr int WidePixelMode = 1;
constexpr int TallPixelMode = 3;

// The brush colour at a logical pixel, or NoColor where the brush leaves it alone.
ColorValue BrushColorAt(int editMode, int x, int y, ColorValue fg, ColorValue bg, int pattern) {
    if (pattern == SolidForegroundPattern || bg == fg)
        return fg;
    if (pattern == SolidBackgroundPattern)
        return bg;
    int row = y & 3;
    int column = x & 3;
    if (editMode == WidePixelMode)
        column = (x >> 1) & 3;
    else if (editMode == TallPixelMode)
        row = (y >> 1) & 3;
    return PatternSelectsForeground(pattern, row, column) ? fg : bg;
}

} // namespace

void PutModePixel(Picture& image, int editMode, int x, int y, ColorValue color) {
    if (editMode == WidePixelMode) {
        const int xe = x & ~1;
        image.setPixel(xe, y, color);
        image.setPixel(xe + 1, y, color);
    } else if (editMode == TallPixelMode) {
        const int ye = y & ~1;
        image.setPixel(x, ye, color);
        image.setPixel(x, ye + 1, color);
    } else {
        image.setPixel(x, y, color);
    }
}

void PutBrushPixel(Picture& image, const PaintContext& context, int x, int y, ColorValue fg,
                   ColorValue bg, int pattern, bool honourProtection) {
    if (honourProtection &&
        IsProtectedPixel(context.tool, context.picture, x, y, context.paletteKind))
        return;
    if (context.tool.OddLine && (y & 1) != 0)
        return;
    const ColorValue color = BrushColorAt(context.editMode, x, y, fg, bg, pattern);
    if (color == NoColor)
        return;
    PutModePixel(image, context.editMode, x, y, color);
}

void DrawBrushLine(Picture& image, const PaintContext& context, int x0, int y0, int x1, int y1,
                   ColorValue fg, ColorValue bg, int pattern) {
    ForEachLinePoint(x0, y0, x1, y1, [&](int x, int y) {
        PutBrushPixel(image, context, x, y, fg, bg, pattern, true);
    });
}

} // namespace murelo
