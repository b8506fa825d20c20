#pragma once

#include "core/convert/ModeConversion.h"

#include <array>

namespace murelo {

// "Graphic 2 (SCREEN 2)": every pixel to its nearest palette colour; with "9918 Rules" every
// 8-pixel run keeps only its two most frequent colours. Units are pixel indices; with the
// rules one more unit settles the run that ends the last row.
std::unique_ptr<ModeConversion> StartGraphic2(ConversionState& state);
// "Multi Color Mode (SCREEN 3)": every whole 4 x 4 block at once (one unit).
std::unique_ptr<ModeConversion> StartMultiColor(ConversionState& state);
// "Half Tone": the two drawing colours in nine tone levels, pixel by pixel.
std::unique_ptr<ModeConversion> StartHalfTone(ConversionState& state);
// "Graphic 2 (SCREEN 2) Dithered": error diffusion that keeps the two-colour rule, run by run.
std::unique_ptr<ModeConversion> StartGraphic2Dithered(ConversionState& state);

int Graphic2RulesEnd(int width, int height);

// The palette indices chosen so far in the current 8-pixel run.
using RunHistogram = std::array<int, PaletteEntries>;

// Reduces the result pixels x0 .. x0 + 7 of row y to the run's two most frequent palette
// indices of the histogram (1..15 only); a third colour takes the most frequent one.
void SettleRun(ConversionState& state, const RunHistogram& histogram, int x0, int y);

} // namespace murelo
