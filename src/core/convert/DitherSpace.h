#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/DitherWork.h"

namespace murelo {

// The working-space point of an sRGB colour with channels 0..255 (table sums, no powers).
DitherPoint DitherPointOf(const ColorRec& rgb);

// How much an error counts at a colour of this lightness, relative to white (in 1/16): the
// eye tells dark shades apart far better than bright ones, as CIELAB's cube root says.
std::int32_t DitherWeightOf(const ColorRec& rgb);

// How much an error off the lightness axis counts against one along it at this colour, in
// 1/256: CIEDE2000 scales chroma and hue differences down as a colour grows more saturated.
std::int32_t DitherChromaWeightOf(const ColorRec& rgb);

} // namespace murelo
