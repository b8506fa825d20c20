#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// Pieces the PC-6x01 and PC-8801 pages share.

// Builds the state's channel tables for its palette, weighting and balance; every PC
// conversion does this when it starts.
void PreparePcTables(ConversionState& state);

// The balanced colour of channels r, g, b (which may carry a diffusion error).
ColorRec AdjustedOf(const ConversionState& state, std::int32_t r, std::int32_t g, std::int32_t b);
ColorRec AdjustedSource(const ConversionState& state, int x, int y);

// The nearest palette index of a balanced colour over indices first..last, with the
// conversion's weighting: NearestPaletteIndex, by table.
int NearestIndexIn(const ConversionState& state, const ColorRec& adjusted, int first, int last);
// The same over the kind's conversion range.
int NearestInRange(const ConversionState& state, const ColorRec& adjusted);

// Paints the wide pixel u (columns 2u, 2u + 1) of row y.
void PaintWidePixel(ConversionState& state, int u, int y, ColorValue color);
// Paints column x of the row pair p (rows 2p, 2p + 1).
void PaintTallPixel(ConversionState& state, int x, int p, ColorValue color);

// "Pixel Aspect Ratio 1:2" of both pages: unit i paints column i mod W of the row pair
// (i div W) div 2 with the nearest colour of the pair's even source row. W*H units.
int RowPairPass(ConversionState& state, int start);

int PixelCount(const ConversionState& state);

} // namespace murelo
