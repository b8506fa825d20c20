#pragma once

#include "core/editor/PaintContext.h"

#include <array>

namespace murelo {

// The 8 pixels of a run starting at a multiple of 8; positions outside the picture hold
// NoColor and take no part in the two-colour rule (they are never written back).
using RowBuffer = std::array<ColorValue, 8>;

RowBuffer ReadRun(const Picture& picture, int x8, int y);
void WriteRun(Picture& picture, int x8, int y, const RowBuffer& run);

// The pen's two-colour rule: paints `color` at run[index] and, when that brings in a third
// colour, recolours the run so exactly two colours remain. A protected pixel at `index`
// leaves the run unchanged.
void ApplyPenToRun(RowBuffer& run, int index, ColorValue color, const PaintContext& context);

// After one half of the run was set to `color`: every pixel that is neither `color` nor the
// kept colour becomes `color`. The kept colour is `other` (the first pixel of the untouched
// half), or when that is `color` itself or outside the picture, the first other colour.
void ApplyHalfToRun(RowBuffer& run, ColorValue color, ColorValue other);

} // namespace murelo
