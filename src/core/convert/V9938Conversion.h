#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// "Graphic 4 (SCREEN 5)": every pixel onto the 512-colour grid, or with "Interlace" every
// pair of pixels from its left one. Units: W*H pixels, or (W/2)*H pairs with "Interlace".
int Screen5Pass(ConversionState& state, int start);
int Screen5End(const ConversionState& state);

// "Graphic 5 (SCREEN 6)" and "Graphic 6 (SCREEN 7)": with "Interlace" every pixel onto the
// 512-colour grid; without, both rows of each row pair from one source row ("Odd Line":
// the pair's second row). W*H units.
int Screen67Pass(ConversionState& state, int start);

// "Graphic 7 (SCREEN 8)": every pixel onto the 3-3-2 grid; the bytes are stored for
// pictures 256 wide and at most 212 high. W*H units.
int Screen8Pass(ConversionState& state, int start);

// The SCREEN 8 error-diffusion items, W*H units each.
int Screen8Diffusion1DPass(ConversionState& state, int start);
int Screen8Diffusion2DPass(ConversionState& state, int start);
int Screen8FloydSteinbergPass(ConversionState& state, int start);

// Hand a pixel's error to the neighbours not yet converted, each share truncated on its
// own: 1D all of it to the right; 2D 1/2 right, 1/4 below and below-right; Floyd-Steinberg
// 7/16 right, 3/16 below-left, 5/16 below, 1/16 below-right. Nothing lands outside the
// picture's columns or below its last row.
void SpreadError1D(ConversionState& state, int x, int y, const ErrorTriple& e);
void SpreadError2D(ConversionState& state, int x, int y, const ErrorTriple& e);
void SpreadErrorFloydSteinberg(ConversionState& state, int x, int y, const ErrorTriple& e);

// Whether SCREEN 8 stores its bytes for a picture of this size.
bool Screen8Stores(int width, int height);

// Zeroes the diffusion errors of every position of the picture and the current error.
void ClearDiffusionErrors(ConversionState& state);

// The palette modes' finish: the result reduced to 16 or 4 colours, its palette sorted.
void QuantizeResultTo16(ConversionState& state);
void QuantizeResultTo4(ConversionState& state);

} // namespace murelo
