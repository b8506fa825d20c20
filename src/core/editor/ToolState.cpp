#include "core/editor/ToolState.h"

#include "core/palette/Palettes.h"

namespace murelo {

bool IsProtectedColor(const ToolState& tool, ColorValue color, int paletteKind) {
    if (tool.ProtectedColors == 0)
        return false;
    const int index = PaletteIndexOf(color, paletteKind);
    return index >= 0 && (tool.ProtectedColors >> index & 1u) != 0;
}

bool IsProtectedPixel(const ToolState& tool, const Picture& picture, int x, int y,
                      int paletteKind) {
    return IsProtectedColor(tool, picture.pixel(x, y), paletteKind);
}

void FitDrawingColorsToPalette(ToolState& tool, int paletteKind) {
    const IndexRange& range = PaletteRange(paletteKind);
    const int found = PaletteIndexOf(tool.ForegroundColor, paletteKind);
    if (found >= 0 && found <= range.last)
        tool.ForegroundIndex = found;
    else if (tool.ForegroundIndex > range.last)
        tool.ForegroundIndex = range.last;
    if (tool.BackgroundIndex > range.last)
        tool.BackgroundIndex = range.first;
    tool.ForegroundColor = PaletteColor(paletteKind, tool.ForegroundIndex);
    tool.BackgroundColor = PaletteColor(paletteKind, tool.BackgroundIndex);
}

StrokeCell StrokeCellOf(PaintMode mode) {
    switch (mode) {
    case PaintMode::Line:
        return {3, 0};
    case PaintMode::Block4:
        return {2, 2};
    case PaintMode::Block8:
        return {3, 3};
    case PaintMode::Pen:
    case PaintMode::Fill:
        break;
    }
    return {0, 0};
}

} // namespace murelo
