#pragma once

#include "core/convert/DiffusionErrors.h"
#include "core/convert/ModeConversion.h"

namespace murelo {

// The PC-8801 page's modes, all in tall pixels over W*H units: "Pixel Aspect Ratio 1:2"
// (with "Analog Palette" reduced to 8 colours at the end), the three error diffusions over
// columns x row pairs (each pair converted on its even row from that source row and painted
// into both rows; the odd row's units change nothing), "Color Tone 1" and "2" (every pixel a
// tone pattern between two palette colours) and "Half Tone" (the odd row of each pair
// decides what the pair shows). Each builds the page's search tables at its start.
std::unique_ptr<ModeConversion> StartPc8801Tall(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc8801Diffusion1D(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc8801Diffusion2D(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc8801FloydSteinberg(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc8801ColorTone1(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc8801ColorTone2(ConversionState& state);
std::unique_ptr<ModeConversion> StartPc8801HalfTone(ConversionState& state);

// The shares of an out error that reach the neighbours not yet converted, over 16.
struct PairShares {
    int right, belowLeft, below, belowRight;
};

// A PC-8801 diffusion while it runs: its errors can be looked at between passes.
class Pc8801DiffusionMode : public ModeConversion {
  public:
    // No shares: the 1D diffusion, whose error runs along the row and starts from zero at
    // every row.
    Pc8801DiffusionMode(const ConversionState& state, const PairShares* shares);
    int end() const override { return end_; }
    int pass(ConversionState& state, int start) override;
    const DiffusionErrors& errors() const { return errors_; }

  private:
    int pass1D(ConversionState& state, int start);

    const PairShares* shares_;
    int end_;
    DiffusionErrors errors_;
};

} // namespace murelo
