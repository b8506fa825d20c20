#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// The PC-8801 page's mode-list items (all in tall pixels, W*H units).
enum Pc8801Mode : int {
    Pc8801Tall = 0,           // "Pixel Aspect Ratio 1:2" (with "Analog Palette")
    Pc8801Diffusion1D = 1,    // "1D Error Diffusion"
    Pc8801Diffusion2D = 2,    // "2D Error Diffusion"
    Pc8801FloydSteinberg = 3, // "Floyd-Steinberg"
    Pc8801ColorTone1 = 4,     // "Color Tone 1"
    Pc8801ColorTone2 = 5,     // "Color Tone 2"
    Pc8801HalfTone = 6,       // "Half Tone"
};

// Error diffusion over columns x row pairs: each pair is converted on its even row from
// that source row (the odd row's units change nothing) and painted into both rows.
int Pc8801Diffusion1DPass(ConversionState& state, int start);
int Pc8801Diffusion2DPass(ConversionState& state, int start);
int Pc8801FloydSteinbergPass(ConversionState& state, int start);

// "Color Tone 1" and "Color Tone 2": every pixel as a tone pattern between two palette
// colours; the caller prepares the search (PrepareToneSearch).
int ColorTonePass(ConversionState& state, int start);

// "Half Tone" in tall pixels: the odd row of each pair decides what the pair shows.
int Pc8801HalfTonePass(ConversionState& state, int start);

// "Analog Palette" finish: the result reduced to 8 colours and the palette sorted.
void QuantizeResultTo8(ConversionState& state);

// The pass, end and finish of PC-8801 item `mode`, with the mode's own set-up done (errors
// cleared, tone search built); the caller has set EditMode, loaded the palette, copied
// the source and drawn the coarse preview where the mode does.
ConversionPlan PlanPc8801(ConversionState& state, int mode);

} // namespace murelo
