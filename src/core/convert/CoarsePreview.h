#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/NearestCache.h"
#include "core/convert/PaletteSearch.h"

namespace murelo {

// The palette index of the adjusted source pixel (x, y): the nearest entry over the
// kind's conversion range with the current weighting.
int NearestConvertedIndex(const ConversionState& state, int x, int y);
// The same through a pass's cache of colours already searched.
int NearestConvertedIndex(const ConversionState& state, int x, int y, NearestCache& cache);

// A pass's searcher: the cache for weighted searches, the channel-wise search for plain.
struct PassSearch {
    explicit PassSearch(const ConversionState& state);
    int nearest(const ConversionState& state, int x, int y);

    NearestCache cache;
    PaletteSearch plain;
};

// Fills every whole size x size block of the result with the converted colour of the
// block's top-left source pixel (the SCREEN 3 blocks, the PC-6x01 4:4 and 4:6 blocks).
void FillSampledBlocks(ConversionState& state, int blockWidth, int blockHeight);

// Loads the converter palette and fills every whole 8 x 8 block of the result with the
// converted colour of its top-left source pixel, so a coarse result shows at once.
void DrawCoarsePreview(ConversionState& state);

} // namespace murelo
