#include "core/convert/V9938Conversion.h"

#include "core/convert/AdjustQuantize.h"
#include "core/convert/Quantizer.h"

#include <algorithm>

namespace murelo {

namespace {

int PixelCount(const ConversionState& state) {
    return state.source.width() * state.source.height();
}

ColorValue Grid512(ConversionState& state, int x, int y) {
    return AdjustQuantize(state, state.source.pixel(x, y), Quantize512, false, 0);
}

int EveryPixel512(ConversionState& state, int start) {
    const int width = state.source.width();
    return RunPixelUnits(state, start, PixelCount(state), width, [&](int, int x, int y) {
        state.result.setPixel(x, y, Grid512(state, x, y));
    });
}

int PixelPairs512(ConversionState& state, int start) {
    const int pairs = state.source.width() / 2;
    return RunUnits(state, start, Screen5End(state), [&](int i) {
        const int x = 2 * (i % pairs);
        const int y = i / pairs;
        const ColorValue c = Grid512(state, x, y);
        state.result.setPixel(x, y, c);
        state.result.setPixel(x + 1, y, c);
    });
}

int RowPairs512(ConversionState& state, int start) {
    const int width = state.source.width();
    const int height = state.source.height();
    const int offset = state.params.OddLine ? 1 : 0;
    return RunPixelUnits(state, start, PixelCount(state), width, [&](int, int x, int y) {
        const int y0 = y & ~1;
        // The last row of an odd height has no partner below: it samples itself.
        const int sampled = std::min(y0 + offset, height - 1);
        const ColorValue c = Grid512(state, x, sampled);
        state.result.setPixel(x, y0, c);
        state.result.setPixel(x, y0 + 1, c);
    });
}

void AddShare(ConversionState& state, int x, int y, const ErrorTriple& e, int numerator,
              int denominator) {
    ErrorTriple& target = state.errorAt(x, y);
    target.R += e.R * numerator / denominator;
    target.G += e.G * numerator / denominator;
    target.B += e.B * numerator / denominator;
}

// Row-major diffusion over the SCREEN 8 grid; `spread` hands the pixel's error to the
// neighbours not yet converted.
int DiffusionPass(ConversionState& state, int start,
                  void (*spread)(ConversionState&, int, int, const ErrorTriple&)) {
    const int width = state.source.width();
    const bool store = Screen8Stores(width, state.source.height());
    return RunPixelUnits(state, start, PixelCount(state), width, [&](int i, int x, int y) {
        ErrorTriple out;
        const ColorValue c = AdjustQuantizeDiffuse(state, state.source.pixel(x, y), QuantizeScreen8,
                                                   store, i, state.errorAt(x, y), out);
        state.result.setPixel(x, y, c);
        state.currentError = out;
        spread(state, x, y, out);
    });
}

} // namespace

int Screen5End(const ConversionState& state) {
    if (state.params.Interlace)
        return (state.source.width() / 2) * state.source.height();
    return PixelCount(state);
}

int Screen5Pass(ConversionState& state, int start) {
    return state.params.Interlace ? PixelPairs512(state, start) : EveryPixel512(state, start);
}

int Screen67Pass(ConversionState& state, int start) {
    return state.params.Interlace ? EveryPixel512(state, start) : RowPairs512(state, start);
}

bool Screen8Stores(int width, int height) {
    return width == 256 && height <= 212;
}

int Screen8Pass(ConversionState& state, int start) {
    const int width = state.source.width();
    const bool store = Screen8Stores(width, state.source.height());
    return RunPixelUnits(state, start, PixelCount(state), width, [&](int i, int x, int y) {
        state.result.setPixel(
            x, y, AdjustQuantize(state, state.source.pixel(x, y), QuantizeScreen8, store, i));
    });
}

void SpreadError1D(ConversionState& state, int x, int y, const ErrorTriple& e) {
    if (x < state.source.width() - 1)
        AddShare(state, x + 1, y, e, 1, 1);
}

void SpreadError2D(ConversionState& state, int x, int y, const ErrorTriple& e) {
    const int w = state.source.width();
    if (x < w - 1)
        AddShare(state, x + 1, y, e, 1, 2);
    if (y < state.source.height() - 1) {
        AddShare(state, x, y + 1, e, 1, 4);
        if (x < w - 1)
            AddShare(state, x + 1, y + 1, e, 1, 4);
    }
}

void SpreadErrorFloydSteinberg(ConversionState& state, int x, int y, const ErrorTriple& e) {
    const int w = state.source.width();
    if (x < w - 1)
        AddShare(state, x + 1, y, e, 7, 16);
    if (y < state.source.height() - 1) {
        if (x > 0)
            AddShare(state, x - 1, y + 1, e, 3, 16);
        AddShare(state, x, y + 1, e, 5, 16);
        if (x < w - 1)
            AddShare(state, x + 1, y + 1, e, 1, 16);
    }
}

int Screen8Diffusion1DPass(ConversionState& state, int start) {
    return DiffusionPass(state, start, SpreadError1D);
}

int Screen8Diffusion2DPass(ConversionState& state, int start) {
    return DiffusionPass(state, start, SpreadError2D);
}

int Screen8FloydSteinbergPass(ConversionState& state, int start) {
    return DiffusionPass(state, start, SpreadErrorFloydSteinberg);
}

void ClearDiffusionErrors(ConversionState& state) {
    const int width = std::min(state.source.width() + 1, ErrorColumns);
    const int height = std::min(state.source.height(), ErrorRows);
    for (int x = 0; x < width; ++x)
        std::fill_n(&state.errorAt(x, 0), height, ErrorTriple{});
    state.currentError = {};
}

namespace {

void QuantizeResult(ConversionState& state, int n) {
    QuantizeImage(state.result, n, state.quantizerPalette);
    SortPalette(n, state.quantizerPalette);
}

} // namespace

void QuantizeResultTo16(ConversionState& state) {
    QuantizeResult(state, 16);
}
void QuantizeResultTo4(ConversionState& state) {
    QuantizeResult(state, 4);
}

} // namespace murelo
