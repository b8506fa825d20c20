#pragma once

#include "core/convert/ColorMath.h"

#include <array>
#include <cstdint>
#include <vector>

namespace murelo {

// A colour in the V9938 and V9958 dithers' working space: linear light turned by a fixed
// matrix into a lightness and two opponent axes scaled like CIELAB near a mid grey. Being a
// linear map of linear light, errors add up there as light does on the screen.
using DitherPoint = std::array<std::int32_t, 3>;

// The diffusion shares, in 1/65536, after the strength is applied.
struct DiffusionShares {
    std::int32_t ahead = 0;       // the next pixel of the row (7/16)
    std::int32_t belowBehind = 0; // 3/16
    std::int32_t below = 0;       // 5/16
    std::int32_t belowAhead = 0;  // 1/16
};

// The working-space point of an sRGB colour with channels 0..255 (table sums, no powers).
DitherPoint DitherPointOf(const ColorRec& rgb);

// How much an error counts at a colour of this lightness, relative to white (in 1/16): the
// eye tells dark shades apart far better than bright ones, as CIELAB's cube root says.
std::int32_t DitherWeightOf(const ColorRec& rgb);

// How much an error off the lightness axis counts against one along it at this colour, in
// 1/256: CIEDE2000 scales chroma and hue differences down as a colour grows more saturated.
std::int32_t DitherChromaWeightOf(const ColorRec& rgb);

// That weight, 1 / (1 + 0.015 C)^2, at the centre of each cell of the sRGB cube cut into
// 2^ChromaWeightBits steps a channel, indexed ((r << bits) + g) << bits) + b. It changes
// slowly with the colour, so every dither looks it up here instead of computing CIELAB.
inline constexpr int ChromaWeightBits = 5;
const std::vector<double>& ChromaWeightGrid();

} // namespace murelo
