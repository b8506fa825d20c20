#pragma once

#include "core/convert/ModeConversion.h"

namespace murelo {

// "1:1": every pixel painted with its nearest colour. W*H units.
int Pc6001SquarePass(ConversionState& state, int start);

// "2:1" without "P6 Rules": wide pixel u = i mod (W/2) of row i div (W/2) from source
// column 2u. (W/2)*H units.
int Pc6001WidePass(ConversionState& state, int start);
int WidePixelEnd(int width, int height);

// "P6 Rules": whether the state runs them (ticked, the "Color 8" palette and at least 16
// rows; shorter pictures have no whole group and take the plain 2:1 pass).
bool UsesP6Rules(const ConversionState& state);
// The index after the last group: groups of four wide pixels, index step 4, for each of
// the 16 row residues; 16 * (W/2) when W/2 is a multiple of 4.
int P6RulesEnd(int width);
// Each group (four wide pixels in the rows g, g + 16, ... below H) votes for the colour
// set A (0..3) or B (4..7) of "Color 8" and is painted from the chosen set.
int P6RulesPass(ConversionState& state, int start);

// "4:4" and "4:6": blocks filled from their top-left source pixel, in one call.
int Pc6001Blocks4x4Conversion(ConversionState& state, int start);
int Pc6001Blocks4x6Conversion(ConversionState& state, int start);

// "Half Tone 1:1" (W*H units) and "Half Tone 2:1" ((W/2)*H wide pixels).
int Pc6001HalfTonePass(ConversionState& state, int start);
int Pc6001WideHalfTonePass(ConversionState& state, int start);

// The PC-6x01 page's modes: "Pixel Aspect Ratio 1:1", "2:1" (with "P6 Rules"), "1:2",
// "4:4", "4:6", "Half Tone 1:1" and "Half Tone 2:1". Each builds the page's search tables
// at its start.
std::unique_ptr<ModeConversion> StartPc6001Square(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc6001Wide(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc6001Tall(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc6001Blocks4x4(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc6001Blocks4x6(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc6001HalfTone(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc6001WideHalfTone(ConversionState& state);

} // namespace murelo
