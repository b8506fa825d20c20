#pragma once

#include "core/editor/PaintContext.h"

#include <array>

namespace murelo {

// An 8 x 8 block of physical pixels, row by row (index y * 8 + x). Positions that lay
// outside the picture when copied hold NoColor and are never pasted.
using CellPixels = std::array<ColorValue, 64>;

inline ColorValue CellAt(const CellPixels& cell, int x, int y) {
    return cell[y * 8 + x];
}

// The 8 x 8 pixels whose top-left corner is (ox, oy) in picture coordinates.
CellPixels CopyCell(const Picture& picture, int ox, int oy);

// Writes the cell with its top-left corner at (ox, oy), on physical pixels whatever the
// pixel mode. While Free Draw is checked, protected destination pixels keep their colour.
// Returns whether any pixel was written.
bool PasteCell(Picture& picture, const CellPixels& cell, int ox, int oy,
               const PaintContext& context);

// Mirrors the buffer left to right (horizontal) or top to bottom.
void FlipCellBuffer(CellPixels& cell, bool horizontal);

} // namespace murelo
