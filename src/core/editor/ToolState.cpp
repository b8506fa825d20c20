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

} // namespace murelo
