#include "core/dialogs/StripGeometry.h"

namespace murelo {

std::optional<int> SwatchAt(int x, int y) {
    if (x < 0 || x >= StripWidth || y < 0 || y > ColorStripBottom)
        return std::nullopt;
    return x >= 16 * SwatchWidth ? 15 : x / SwatchWidth;
}

std::optional<int> BrushPatternAt(int x, int y) {
    if (x < 0 || x >= StripWidth || y <= ColorStripBottom || y >= StripHeight)
        return std::nullopt;
    const int p = x / BrushSampleWidth;
    if (p >= BrushPatternCount)
        return std::nullopt;
    return p;
}

} // namespace murelo
