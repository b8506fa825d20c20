#pragma once

#include <optional>

namespace murelo {

// The tool palette's strip image: 16 colour swatches of 16 x 33 pixels on top (y 0..32),
// nine brush samples of 28 pixels below (y 33..63).
constexpr int StripWidth = 257;
constexpr int StripHeight = 65;
constexpr int ColorStripBottom = 32;
constexpr int SwatchWidth = 16;
constexpr int BrushSampleWidth = 28;
constexpr int BrushPatternCount = 9;

// The swatch under a colour-strip position, none outside the strip (a drag may leave it).
// The one extra column at x 256 belongs to the last swatch.
std::optional<int> SwatchAt(int x, int y);

// The brush pattern under a brush-strip position; the few columns right of the ninth
// sample (x 252 and up) and anything outside the strip select none.
std::optional<int> BrushPatternAt(int x, int y);

} // namespace murelo
