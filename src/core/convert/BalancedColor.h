#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// AdjustColor of a colour value with the conversion's balance, through the state's table:
// the same result without the divisions per pixel.
ColorRec BalancedColor(const ConversionState& state, ColorValue color);

// AdjustColor of a record whose channels may lie outside 0..255 (a carried error added).
ColorRec BalancedRec(const ConversionState& state, const ColorRec& rec);

} // namespace murelo
