#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// The pattern levels a HalfToneLevel keeps: 0 -> 8, 1 -> 12, 2 -> 14, 3 -> 15.
int HalfToneMask(int halfToneLevel);

// Tone level 0 (black) .. 8 (white) of an adjusted colour, before the mask.
int HalfToneTone(const ColorRec& adjusted, bool ntscWeighting);

// Draws one pixel with the editor's pattern pen into the result, in the conversion's
// EditMode, honouring the protected colours of the source.
void DrawPatternPixel(ConversionState& state, int x, int y, ColorValue colorA, ColorValue colorB,
                      int pattern);

// The half tone of source pixel (sx, sy) drawn by the pattern pen at (x, y) in the
// editor's drawing colours.
void DrawHalfTonePixel(ConversionState& state, int sx, int sy, int x, int y);

} // namespace murelo
