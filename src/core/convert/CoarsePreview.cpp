#include "core/convert/CoarsePreview.h"

#include "core/convert/BalancedColor.h"

namespace murelo {

int NearestConvertedIndex(const ConversionState& state, int x, int y) {
    const ConversionParameters& p = state.params;
    const ColorRec adjusted = BalancedColor(state, state.source.pixel(x, y));
    const IndexRange& range = ConversionRange(p.PaletteKind);
    return NearestPaletteIndex(state.palette, adjusted, range.first, range.last, p.NtscWeighting);
}

int NearestConvertedIndex(const ConversionState& state, int x, int y, NearestCache& cache) {
    // The plain search costs about what a cache miss does, so only the weighted one,
    // dearer by its table look-ups, goes through the cache.
    if (!state.params.NtscWeighting)
        return NearestConvertedIndex(state, x, y);
    const ColorRec adjusted = BalancedColor(state, state.source.pixel(x, y));
    const ColorValue key = ColorOfRec(adjusted);
    int index = cache.find(key);
    if (index < 0) {
        const IndexRange& range = ConversionRange(state.params.PaletteKind);
        index = NearestPaletteIndex(state.palette, adjusted, range.first, range.last, true);
        cache.store(key, index);
    }
    return index;
}

namespace {

PaletteSearch PlainSearchOf(const ConversionState& state) {
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    return PaletteSearch(state.palette, range.first, range.last);
}

} // namespace

PassSearch::PassSearch(const ConversionState& state) : plain(PlainSearchOf(state)) {}

int PassSearch::nearest(const ConversionState& state, int x, int y) {
    if (state.params.NtscWeighting || !plain.usable())
        return NearestConvertedIndex(state, x, y, cache);
    return plain.nearest(BalancedColor(state, state.source.pixel(x, y)));
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
