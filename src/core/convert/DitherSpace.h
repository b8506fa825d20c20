#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/DitherWork.h"

namespace murelo {

// The working-space point of an sRGB colour with channels 0..255 (table sums, no powers).
DitherPoint DitherPointOf(const ColorRec& rgb);

// How much an error counts at a colour of this lightness, relative to white (in 1/16): the
// eye tells dark shades apart far better than bright ones, as CIELAB's cube root says.
std::int32_t DitherWeightOf(const ColorRec& rgb);

} // namespace murelo
