#include "core/convert/Pc8801Conversion.h"

#include "core/convert/HalfTone.h"
#include "core/convert/Pc8801ColorTone.h"
#include "core/convert/PcConversion.h"
#include "core/convert/Quantizer.h"
#include "core/convert/V9938Conversion.h"

namespace murelo {

namespace {

// The shares of an out error that reach the neighbours not yet converted.
struct DiffusionShares {
    int right, belowLeft, below, belowRight; // numerators over 16
};
constexpr DiffusionShares TwoDimensional = {8, 0, 4, 4};
constexpr DiffusionShares FloydSteinberg = {7, 3, 5, 1};

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

// "2D": e / 2, e / 4, e / 4 are e * 8 / 16, e * 4 / 16 with the same truncation.
int DiffusionPass(ConversionState& state, int start, const DiffusionShares& shares) {
    const int w = state.source.width();
    const int h = state.source.height();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int y = i / w;
        if (y % 2 != 0)
            return; // a pair is converted once, on its first row
        const int x = i % w;
        const int p = y / 2;
        const ErrorTriple e = PaintDiffused(state, x, p, state.errorAt(x, p));
        if (x < w - 1)
            AddShare(state.errorAt(x + 1, p), e, shares.right);
        // The next pair's shares; for the last pair they land below the picture, where no
        // pixel reads them.
        if (p < h - 1 && p + 1 < ErrorRows) {
            if (x > 0 && shares.belowLeft != 0)
                AddShare(state.errorAt(x - 1, p + 1), e, shares.belowLeft);
            AddShare(state.errorAt(x, p + 1), e, shares.below);
            if (x < w - 1)
                AddShare(state.errorAt(x + 1, p + 1), e, shares.belowRight);
        }
    });
}

} // namespace

int Pc8801Diffusion1DPass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int y = i / w;
        // The odd row of a pair starts again from a zero error at x = 0 and so repeats the
        // even row exactly.
        if (y % 2 != 0)
            return;
        const int x = i % w;
        if (x == 0)
            state.currentError = {};
        const ErrorTriple e = PaintDiffused(state, x, y / 2, state.currentError);
        if (x < w - 1)
            state.currentError = e;
    });
}

int Pc8801Diffusion2DPass(ConversionState& state, int start) {
    return DiffusionPass(state, start, TwoDimensional);
}

int Pc8801FloydSteinbergPass(ConversionState& state, int start) {
    return DiffusionPass(state, start, FloydSteinberg);
}

int ColorTonePass(ConversionState& state, int start) {
    const int w = state.source.width();
    const int mask = HalfToneMask(state.params.HalfToneLevel);
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int x = i % w;
        const int y = i / w;
        const ColorRec adjusted = AdjustedSource(state, x, y);
        const ColorRec target = ToneTarget(adjusted);
        const ToneChoice tone = CachedTone(state, target);
        DrawPatternPixel(state, x, y, ConversionColor(state, tone.first),
                         ConversionColor(state, tone.second), tone.level & mask);
    });
}

int Pc8801HalfTonePass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int x = i % w;
        const int y = i / w;
        DrawHalfTonePixel(state, x, y, x, y);
    });
}

void QuantizeResultTo8(ConversionState& state) {
    QuantizeImage(state.result, 8, state.quantizerPalette);
    SortPalette(8, state.quantizerPalette);
}

ConversionPlan PlanPc8801(ConversionState& state, int mode) {
    PreparePcTables(state);
    const int total = PixelCount(state);
    switch (mode) {
    case Pc8801Tall:
        if (state.params.AnalogPalette)
            return {Screen67Pass, total, QuantizeResultTo8};
        return {RowPairPass, total, nullptr};
    case Pc8801Diffusion1D:
        ClearDiffusionErrors(state);
        return {Pc8801Diffusion1DPass, total, nullptr};
    case Pc8801Diffusion2D:
        ClearDiffusionErrors(state);
        return {Pc8801Diffusion2DPass, total, nullptr};
    case Pc8801FloydSteinberg:
        ClearDiffusionErrors(state);
        return {Pc8801FloydSteinbergPass, total, nullptr};
    case Pc8801ColorTone1:
    case Pc8801ColorTone2:
        PrepareToneSearch(state, mode == Pc8801ColorTone1);
        return {ColorTonePass, total, nullptr};
    default:
        return {Pc8801HalfTonePass, total, nullptr};
    }
}

} // namespace murelo
