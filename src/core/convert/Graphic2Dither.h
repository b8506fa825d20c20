#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/WorkerThreads.h"

#include <string_view>

namespace murelo {

// The TMS9918 page's fourth mode: a dither that keeps the two-colour rule, every 8 x 1 run
// drawn with a pair of the palette's colours (or one colour of it).
inline constexpr int Graphic2DitheredMode = 3;
inline constexpr std::string_view Graphic2DitheredModeName = "Graphic 2 (SCREEN 2) Dithered";

// The "Dither" strength: the share of each pixel's error that its neighbours feel, in
// percent (0: every run takes its best pair or colour on its own).
inline constexpr int DitherStrengthMin = 0;
inline constexpr int DitherStrengthMax = 100;
// Passes after the first that move dots where that lowers the score.
inline constexpr int Graphic2DitherSweeps = 1;

// Sets up the mode's work for the state's palette, size and strength. `threads` share the
// work of each pass; the result is the same whatever their number.
void PrepareGraphic2Dither(ConversionState& state, int threads = DefaultWorkerThreads());

// Units: the targets, the weights, then every band of every pass over the picture (the even
// bands, then the odd ones), then the result drawn; the mode is complete at
// Graphic2DitherEnd. The result is the same wherever passes end.
int Graphic2DitherPass(ConversionState& state, int start);
int Graphic2DitherEnd(int width, int height);

} // namespace murelo
