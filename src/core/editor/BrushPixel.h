#pragma once

#include "core/editor/PaintContext.h"

namespace murelo {

// Sets one logical pixel in the pixel mode without brush or checks: edit mode 1 writes the
// pair of columns from x rounded down to even, edit mode 3 the pair of rows from y rounded
// down to even, other modes the one pixel. Writes outside the image are dropped.
void PutModePixel(Picture& image, int editMode, int x, int y, ColorValue color);

// Paints one logical pixel with the brush: skipped on a protected picture pixel (when asked
// to honour protection), on odd rows while Odd Line is checked, and where the pattern asks
// for the background colour while that is none (-1). The pattern tile is laid on the
// logical pixel grid.
void PutBrushPixel(Picture& image, const PaintContext& context, int x, int y, ColorValue fg,
                   ColorValue bg, int pattern, bool honourProtection);

// A free-hand stroke segment: Bresenham from (x0, y0) to (x1, y1), both ends included,
// every point painted with PutBrushPixel honouring protection.
void DrawBrushLine(Picture& image, const PaintContext& context, int x0, int y0, int x1, int y1,
                   ColorValue fg, ColorValue bg, int pattern);

} // namespace murelo
