#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// "Graphic 2 (SCREEN 2)" without "9918 Rules": every pixel to its nearest palette colour.
// Units are pixel indices 0 .. W*H - 1.
int Graphic2Pass(ConversionState& state, int start);

// "Graphic 2 (SCREEN 2)" with "9918 Rules": as Graphic2Pass, and every 8-pixel run keeps
// only its two most frequent colours. Units run to W*H inclusive: the last unit only
// settles the run that ends the last row.
int Graphic2RulesPass(ConversionState& state, int start);
int Graphic2RulesEnd(int width, int height);

// Reduces the result pixels x0 .. x0 + 7 of row y to the run's two most frequent palette
// indices of the histogram (1..15 only); a third colour takes the most frequent one.
void SettleRun(ConversionState& state, int x0, int y);

// "Multi Color Mode (SCREEN 3)": every whole 4 x 4 block at once; returns 1.
int MultiColorConversion(ConversionState& state, int start);

// "Half Tone": the two drawing colours in nine tone levels, pixel by pixel.
int HalfTonePass(ConversionState& state, int start);

} // namespace murelo
