#include "core/convert/Pc8801Conversion.h"

#include "core/convert/HalfTone.h"
#include "core/convert/Pc8801ColorTone.h"
#include "core/convert/PcConversion.h"
#include "core/convert/Quantizer.h"
#include "core/convert/V9938Conversion.h"

namespace murelo {

namespace {

constexpr PairShares TwoDimensional = {8, 0, 4, 4};
constexpr PairShares FloydSteinberg = {7, 3, 5, 1};

// The error-corrected target of column x in row pair p: the carried error added to the
// pair's even source row before the balance.
ColorRec DiffusionTarget(const ConversionState& state, int x, int p, const ErrorTriple& carried) {
    const ColorValue c = state.source.pixel(x, 2 * p);
    return AdjustedOf(state, RedOf(c) + carried.R, GreenOf(c) + carried.G, BlueOf(c) + carried.B);
}

// Converts one tall pixel and returns its out error (target minus palette colour).
ErrorTriple PaintDiffused(ConversionState& state, int x, int p, const ErrorTriple& carried) {
    const ColorRec target = DiffusionTarget(state, x, p, carried);
    const int index = NearestInRange(state, target);
    PaintTallPixel(state, x, p, ConversionColor(state, index));
    const ColorRec& chosen = state.palette[std::size_t(index)];
    return {target.R - chosen.R, target.G - chosen.G, target.B - chosen.B};
}

void AddShare(ErrorTriple& to, const ErrorTriple& e, int sixteenths) {
    to.R += e.R * sixteenths / 16;
    to.G += e.G * sixteenths / 16;
    to.B += e.B * sixteenths / 16;
}

int ColorTonePass(ConversionState& state, ToneSearch& search, int start) {
    const int w = state.source.width();
    const int mask = HalfToneMask(state.params.HalfToneLevel);
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int x = i % w;
        const int y = i / w;
        const ColorRec adjusted = AdjustedSource(state, x, y);
        const ColorRec target = ToneTarget(adjusted);
        const ToneChoice tone = CachedTone(search, state, target);
        DrawPatternPixel(state, x, y, ConversionColor(state, tone.first),
                         ConversionColor(state, tone.second), tone.level & mask);
    });
}

class ColorToneMode : public ModeConversion {
  public:
    ColorToneMode(ConversionState& state, bool descending)
        : end_(PixelCount(state)), search_(PrepareToneSearch(state, descending)) {}
    int end() const override { return end_; }
    int pass(ConversionState& state, int start) override {
        return ColorTonePass(state, search_, start);
    }

  private:
    int end_;
    ToneSearch search_;
};

int Pc8801HalfTonePass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int x = i % w;
        const int y = i / w;
        DrawHalfTonePixel(state, x, y, x, y);
    });
}

void QuantizeResultTo8(ConversionState& state) {
    QuantizeResult(state, 8);
}

} // namespace

Pc8801DiffusionMode::Pc8801DiffusionMode(const ConversionState& state, const PairShares* shares)
    : shares_(shares), end_(PixelCount(state)),
      errors_(state.source.width(), state.source.height()) {}

int Pc8801DiffusionMode::pass(ConversionState& state, int start) {
    if (!shares_)
        return pass1D(state, start);
    // "2D": e / 2, e / 4, e / 4 are e * 8 / 16, e * 4 / 16 with the same truncation.
    const PairShares& shares = *shares_;
    const int w = state.source.width();
    const int h = state.source.height();
    return RunUnits(state, start, end_, [&](int i) {
        const int y = i / w;
        if (y % 2 != 0)
            return; // a pair is converted once, on its first row
        const int x = i % w;
        const int p = y / 2;
        const ErrorTriple e = PaintDiffused(state, x, p, errors_.at(x, p));
        if (x < w - 1)
            AddShare(errors_.at(x + 1, p), e, shares.right);
        // The next pair's shares; for the last pair they land below the picture, where no
        // pixel reads them.
        if (p < h - 1 && p + 1 < errors_.rows()) {
            if (x > 0 && shares.belowLeft != 0)
                AddShare(errors_.at(x - 1, p + 1), e, shares.belowLeft);
            AddShare(errors_.at(x, p + 1), e, shares.below);
            if (x < w - 1)
                AddShare(errors_.at(x + 1, p + 1), e, shares.belowRight);
        }
    });
}

int Pc8801DiffusionMode::pass1D(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, end_, [&](int i) {
        const int y = i / w;
        // The odd row of a pair starts again from a zero error at x = 0 and so repeats the
        // even row exactly.
        if (y % 2 != 0)
            return;
        const int x = i % w;
        if (x == 0)
            errors_.current = {};
        const ErrorTriple e = PaintDiffused(state, x, y / 2, errors_.current);
        if (x < w - 1)
            errors_.current = e;
    });
}

std::unique_ptr<ModeConversion> StartPc8801Tall(ConversionState& state) {
    PreparePcTables(state);
    if (state.params.AnalogPalette)
        return std::make_unique<PassMode>(Screen67Pass, PixelCount(state), QuantizeResultTo8);
    return std::make_unique<PassMode>(RowPairPass, PixelCount(state));
}

std::unique_ptr<ModeConversion> StartPc8801Diffusion1D(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<Pc8801DiffusionMode>(state, nullptr);
}

std::unique_ptr<ModeConversion> StartPc8801Diffusion2D(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<Pc8801DiffusionMode>(state, &TwoDimensional);
}

std::unique_ptr<ModeConversion> StartPc8801FloydSteinberg(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<Pc8801DiffusionMode>(state, &FloydSteinberg);
}

std::unique_ptr<ModeConversion> StartPc8801ColorTone1(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<ColorToneMode>(state, true);
}

std::unique_ptr<ModeConversion> StartPc8801ColorTone2(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<ColorToneMode>(state, false);
}

std::unique_ptr<ModeConversion> StartPc8801HalfTone(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(Pc8801HalfTonePass, PixelCount(state));
}

} // namespace murelo
