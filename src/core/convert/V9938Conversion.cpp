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

int Screen5End(const ConversionState& state) {
    if (state.params.Interlace)
        return (state.source.width() / 2) * state.source.height();
    return PixelCount(state);
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

void AddShare(DiffusionErrors& errors, int x, int y, const ErrorTriple& e, int numerator,
              int denominator) {
    ErrorTriple& target = errors.at(x, y);
    target.R += e.R * numerator / denominator;
    target.G += e.G * numerator / denominator;
    target.B += e.B * numerator / denominator;
}

int Screen5Pass(ConversionState& state, int start) {
    return state.params.Interlace ? PixelPairs512(state, start) : EveryPixel512(state, start);
}

int Screen8Pass(ConversionState& state, int start) {
    const int width = state.source.width();
    const bool store = Screen8Stores(width, state.source.height());
    return RunPixelUnits(state, start, PixelCount(state), width, [&](int i, int x, int y) {
        state.result.setPixel(
            x, y, AdjustQuantize(state, state.source.pixel(x, y), QuantizeScreen8, store, i));
    });
}

void QuantizeTo16(ConversionState& state) {
    QuantizeResult(state, 16);
}

void QuantizeTo4(ConversionState& state) {
    QuantizeResult(state, 4);
}

} // namespace

int Screen67Pass(ConversionState& state, int start) {
    return state.params.Interlace ? EveryPixel512(state, start) : RowPairs512(state, start);
}

bool Screen8Stores(int width, int height) {
    return width == ScreenByteWidth && height <= ScreenByteRows;
}

void SpreadError1D(DiffusionErrors& errors, int width, int, int x, int y, const ErrorTriple& e) {
    if (x < width - 1)
        AddShare(errors, x + 1, y, e, 1, 1);
}

void SpreadError2D(DiffusionErrors& errors, int width, int height, int x, int y,
                   const ErrorTriple& e) {
    if (x < width - 1)
        AddShare(errors, x + 1, y, e, 1, 2);
    if (y < height - 1) {
        AddShare(errors, x, y + 1, e, 1, 4);
        if (x < width - 1)
            AddShare(errors, x + 1, y + 1, e, 1, 4);
    }
}

void SpreadErrorFloydSteinberg(DiffusionErrors& errors, int width, int height, int x, int y,
                               const ErrorTriple& e) {
    if (x < width - 1)
        AddShare(errors, x + 1, y, e, 7, 16);
    if (y < height - 1) {
        if (x > 0)
            AddShare(errors, x - 1, y + 1, e, 3, 16);
        AddShare(errors, x, y + 1, e, 5, 16);
        if (x < width - 1)
            AddShare(errors, x + 1, y + 1, e, 1, 16);
    }
}

Screen8DiffusionMode::Screen8DiffusionMode(const ConversionState& state, ErrorSpread spread)
    : spread_(spread), end_(PixelCount(state)),
      errors_(state.source.width(), state.source.height()) {}

// Row-major diffusion over the SCREEN 8 grid; the spread hands the pixel's error to the
// neighbours not yet converted.
int Screen8DiffusionMode::pass(ConversionState& state, int start) {
    const int width = state.source.width();
    const int height = state.source.height();
    const bool store = Screen8Stores(width, height);
    return RunPixelUnits(state, start, end_, width, [&](int i, int x, int y) {
        ErrorTriple out;
        const ColorValue c = AdjustQuantizeDiffuse(state, state.source.pixel(x, y), QuantizeScreen8,
                                                   store, i, errors_.at(x, y), out);
        state.result.setPixel(x, y, c);
        errors_.current = out;
        spread_(errors_, width, height, x, y, out);
    });
}

void QuantizeResult(ConversionState& state, int n) {
    QuantizeImage(state.result, n, state.quantizerPalette);
    SortPalette(n, state.quantizerPalette);
}

std::unique_ptr<ModeConversion> StartScreen5(ConversionState& state) {
    return std::make_unique<PassMode>(Screen5Pass, Screen5End(state), QuantizeTo16);
}

std::unique_ptr<ModeConversion> StartScreen6(ConversionState& state) {
    return std::make_unique<PassMode>(Screen67Pass, PixelCount(state), QuantizeTo4);
}

std::unique_ptr<ModeConversion> StartScreen7(ConversionState& state) {
    return std::make_unique<PassMode>(Screen67Pass, PixelCount(state), QuantizeTo16);
}

std::unique_ptr<ModeConversion> StartScreen8(ConversionState& state) {
    return std::make_unique<PassMode>(Screen8Pass, PixelCount(state));
}

std::unique_ptr<ModeConversion> StartScreen8Diffusion1D(ConversionState& state) {
    return std::make_unique<Screen8DiffusionMode>(state, SpreadError1D);
}

std::unique_ptr<ModeConversion> StartScreen8Diffusion2D(ConversionState& state) {
    return std::make_unique<Screen8DiffusionMode>(state, SpreadError2D);
}

std::unique_ptr<ModeConversion> StartScreen8FloydSteinberg(ConversionState& state) {
    return std::make_unique<Screen8DiffusionMode>(state, SpreadErrorFloydSteinberg);
}

} // namespace murelo
