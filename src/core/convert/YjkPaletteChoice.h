#pragma once

#include "core/convert/YjkDecode.h"

#include <span>

namespace murelo {

// The 16 palette colours of a SCREEN 10/11 picture (3-bit levels, as the V9938 palette
// holds them), ordered dark to bright. A group shares one chroma, so YJK alone fails where
// a group's pixels differ in hue; the palette is chosen for those pixels: each pixel counts
// by the square of how far its chroma lies from its group's mean, and a weighted k-means
// on the 512 palette colours picks the 16. `pixels` are the picture's colours row after
// row, `width` wide.
YjkPalette ChooseYjkPalette(std::span<const ColorValue> pixels, int width);

} // namespace murelo
