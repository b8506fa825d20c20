#pragma once

#include "core/convert/ConversionState.h"

#include <string_view>

namespace murelo {

// The TMS9918 page's fourth mode: error diffusion that keeps the two-colour rule, every
// 8 x 1 run drawn with the best pair of the palette (or one colour of it).
inline constexpr int Graphic2DitheredMode = 3;
inline constexpr std::string_view Graphic2DitheredModeName = "Graphic 2 (SCREEN 2) Dithered";

// The "Dither" strength: the share of each pixel's error that is passed on, in percent.
inline constexpr int DitherStrengthMin = 0;
inline constexpr int DitherStrengthMax = 100;

// Sets up the mode's work (candidates, error rows) for the state's palette and size.
void PrepareGraphic2Dither(ConversionState& state);

// Units are runs, row by row, each row's runs in the direction that row is visited
// (alternately left to right and right to left); the mode is complete at Graphic2DitherEnd.
int Graphic2DitherPass(ConversionState& state, int start);
int Graphic2DitherEnd(int width, int height);

} // namespace murelo
