#pragma once

#include "core/convert/DiffusionErrors.h"
#include "core/convert/ModeConversion.h"

namespace murelo {

// "Graphic 4 (SCREEN 5)": every pixel onto the 512-colour grid, or with "Interlace" every
// pair of pixels from its left one; then the result reduced to 16 colours. Units: W*H
// pixels, or (W/2)*H pairs with "Interlace".
std::unique_ptr<ModeConversion> StartScreen5(ConversionState& state);
// "Graphic 5 (SCREEN 6)" (4 colours) and "Graphic 6 (SCREEN 7)" (16 colours): with
// "Interlace" every pixel onto the 512-colour grid; without, both rows of each row pair from
// one source row ("Odd Line": the pair's second row). W*H units.
std::unique_ptr<ModeConversion> StartScreen6(ConversionState& state);
std::unique_ptr<ModeConversion> StartScreen7(ConversionState& state);
// "Graphic 7 (SCREEN 8)": every pixel onto the 3-3-2 grid; the bytes are stored for pictures
// 256 wide and at most 212 high. W*H units.
std::unique_ptr<ModeConversion> StartScreen8(ConversionState& state);
// Its error-diffusion items, W*H units each, the errors cleared at the start.
std::unique_ptr<ModeConversion> StartScreen8Diffusion1D(ConversionState& state);
std::unique_ptr<ModeConversion> StartScreen8Diffusion2D(ConversionState& state);
std::unique_ptr<ModeConversion> StartScreen8FloydSteinberg(ConversionState& state);

// The SCREEN 6 and 7 pass (also the PC-8801 analog palette's): W*H units.
int Screen67Pass(ConversionState& state, int start);

// Hand a pixel's error to the neighbours not yet converted, each share truncated on its
// own: 1D all of it to the right; 2D 1/2 right, 1/4 below and below-right; Floyd-Steinberg
// 7/16 right, 3/16 below-left, 5/16 below, 1/16 below-right. Nothing lands outside the
// picture's columns or below its last row.
using ErrorSpread = void (*)(DiffusionErrors& errors, int width, int height, int x, int y,
                             const ErrorTriple& e);
void SpreadError1D(DiffusionErrors& errors, int width, int height, int x, int y,
                   const ErrorTriple& e);
void SpreadError2D(DiffusionErrors& errors, int width, int height, int x, int y,
                   const ErrorTriple& e);
void SpreadErrorFloydSteinberg(DiffusionErrors& errors, int width, int height, int x, int y,
                               const ErrorTriple& e);

// A SCREEN 8 diffusion item while it runs: its errors can be looked at between passes.
class Screen8DiffusionMode : public ModeConversion {
  public:
    Screen8DiffusionMode(const ConversionState& state, ErrorSpread spread);
    int end() const override { return end_; }
    int pass(ConversionState& state, int start) override;
    const DiffusionErrors& errors() const { return errors_; }

  private:
    ErrorSpread spread_;
    int end_;
    DiffusionErrors errors_;
};

// Whether SCREEN 8 stores its bytes for a picture of this size.
bool Screen8Stores(int width, int height);

// The palette modes' finish: the result reduced to n colours, its palette sorted.
void QuantizeResult(ConversionState& state, int n);

} // namespace murelo
