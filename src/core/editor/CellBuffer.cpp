#include "core/editor/CellBuffer.h"

namespace murelo {

CellPixels CopyCell(const Picture& picture, int ox, int oy) {
    CellPixels cell;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            cell[y * 8 + x] = picture.pixel(ox + x, oy + y);
    return cell;
}

bool PasteCell(Picture& picture, const CellPixels& cell, int ox, int oy,
               const PaintContext& context) {
    bool written = false;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const ColorValue color = cell[y * 8 + x];
            const int px = ox + x;
            const int py = oy + y;
            if (color == NoColor || !picture.contains(px, py))
                continue;
            if (context.tool.FreeDraw &&
                IsProtectedPixel(context.tool, picture, px, py, context.paletteKind))
                continue;
            picture.setPixel(px, py, color);
            written = true;
        }
    }
    return written;
}

void FlipCellBuffer(CellPixels& cell, bool horizontal) {
    const CellPixels old = cell;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            cell[y * 8 + x] = horizontal ? old[y * 8 + (7 - x)] : old[(7 - y) * 8 + x];
}

} // namespace murelo
