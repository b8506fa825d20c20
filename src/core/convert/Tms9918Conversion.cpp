#include "core/convert/Tms9918Conversion.h"

#include "core/convert/CoarsePreview.h"
#include "core/convert/HalfTone.h"

#include <algorithm>

namespace murelo {

namespace {

constexpr int RunLength = 8;

int PixelCount(const ConversionState& state) {
    return state.source.width() * state.source.height();
}

int ConvertPixel(ConversionState& state, int x, int y, PassSearch& search) {
    const int index = search.nearest(state, x, y);
    state.result.setPixel(x, y, ConversionColor(state, index));
    return index;
}

struct RunColors {
    int first;  // most frequent
    int second; // second most frequent, or `first` when the run has one colour
};

RunColors TwoMostFrequent(const std::array<int, PaletteEntries>& histogram) {
    int c1 = 1;
    int c2 = -1;
    int count2 = 0;
    for (int index = 2; index < PaletteEntries; ++index) {
        if (histogram[index] > histogram[c1]) {
            c2 = c1;
            count2 = histogram[c1];
            c1 = index;
        } else if (histogram[index] > count2) {
            c2 = index;
            count2 = histogram[index];
        }
    }
    return {c1, count2 == 0 ? c1 : c2};
}

// The run handling that precedes the pixel step at (x, y).
void HandleRunBoundary(ConversionState& state, int x, int y) {
    const int width = state.source.width();
    if (x == 0) {
        if (y > 0)
            SettleRun(state, width - RunLength, y - 1);
        state.runHistogram.fill(0);
    } else if ((x & (RunLength - 1)) == 0) {
        SettleRun(state, x - RunLength, y);
        state.runHistogram.fill(0);
    }
}

} // namespace

int Graphic2Pass(ConversionState& state, int start) {
    const int width = state.source.width();
    PassSearch search(state);
    return RunPixelUnits(state, start, PixelCount(state), width,
                         [&](int, int x, int y) { ConvertPixel(state, x, y, search); });
}

int Graphic2RulesEnd(int width, int height) {
    return width * height + 1;
}

int Graphic2RulesPass(ConversionState& state, int start) {
    const int width = state.source.width();
    const int pixels = PixelCount(state);
    if (width == 0)
        return start;
    PassSearch search(state);
    return RunPixelUnits(state, start, pixels + 1, width, [&](int i, int x, int y) {
        HandleRunBoundary(state, x, y);
        if (i < pixels)
            ++state.runHistogram[ConvertPixel(state, x, y, search)];
    });
}

void SettleRun(ConversionState& state, int x0, int y) {
    const RunColors colors = TwoMostFrequent(state.runHistogram);
    const ColorValue keep = ConversionColor(state, colors.second);
    const ColorValue major = ConversionColor(state, colors.first);
    // A picture narrower than a run settles the pixels it has.
    const int from = std::max(x0, 0);
    const int to = std::min(x0 + RunLength, state.result.width());
    ColorValue* row = state.result.row(y);
    for (int x = from; x < to; ++x) {
        if (row[x] != keep)
            row[x] = major;
    }
}

int MultiColorConversion(ConversionState& state, int start) {
    (void)start;
    FillSampledBlocks(state, 4, 4);
    return 1;
}

int HalfTonePass(ConversionState& state, int start) {
    const int width = state.source.width();
    return RunPixelUnits(state, start, PixelCount(state), width,
                         [&](int, int x, int y) { DrawHalfTonePixel(state, x, y, x, y); });
}

} // namespace murelo
