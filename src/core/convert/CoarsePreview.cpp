#include "core/convert/CoarsePreview.h"

#include "core/convert/BalancedColor.h"

namespace murelo {

int NearestConvertedIndex(const ConversionState& state, int x, int y) {
    const ConversionParameters& p = state.params;
    const ColorRec adjusted = BalancedColor(state, state.source.pixel(x, y));
    const IndexRange& range = ConversionRange(p.PaletteKind);
    return NearestPaletteIndex(state.palette, adjusted, range.first, range.last, p.NtscWeighting);
}

void FillSampledBlocks(ConversionState& state, int blockWidth, int blockHeight) {
    const int columns = state.source.width() / blockWidth;
    const int rows = state.source.height() / blockHeight;
    for (int by = 0; by < rows; ++by) {
        for (int bx = 0; bx < columns; ++bx) {
            const int x = bx * blockWidth;
            const int y = by * blockHeight;
            const int index = NearestConvertedIndex(state, x, y);
            state.result.fillRect(x, y, blockWidth, blockHeight, ConversionColor(state, index));
        }
    }
}

void DrawCoarsePreview(ConversionState& state) {
    LoadConverterPalette(state.palette, state.params.PaletteKind);
    FillSampledBlocks(state, 8, 8);
}

} // namespace murelo
