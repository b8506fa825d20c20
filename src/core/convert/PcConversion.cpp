#include "core/convert/PcConversion.h"

#include "core/convert/CoarsePreview.h"

namespace murelo {

int NearestIndexIn(const ConversionState& state, const ColorRec& adjusted, int first, int last) {
    return NearestPaletteIndex(state.palette, adjusted, first, last, state.params.NtscWeighting);
}

void PaintWidePixel(ConversionState& state, int u, int y, ColorValue color) {
    state.result.setPixel(2 * u, y, color);
    state.result.setPixel(2 * u + 1, y, color);
}

void PaintTallPixel(ConversionState& state, int x, int p, ColorValue color) {
    state.result.setPixel(x, 2 * p, color);
    state.result.setPixel(x, 2 * p + 1, color);
}

int PixelCount(const ConversionState& state) {
    return state.source.width() * state.source.height();
}

int RowPairPass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int y = i / w;
        // Both rows of a pair paint the same colours from the even row; the odd row's
        // units would only repeat them.
        if (y % 2 != 0)
            return;
        const int x = i % w;
        PaintTallPixel(state, x, y / 2, ConversionColor(state, NearestConvertedIndex(state, x, y)));
    });
}

} // namespace murelo
