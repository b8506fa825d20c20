#pragma once

#include "core/editor/PaintContext.h"

#include <cstddef>

namespace murelo {

// Scan-line flood fill from (x, y) over the pixels of the target colour (the colour at the
// start point), read from `reference`, a frozen copy of the picture taken here. The brush
// paints `image`; every visited pixel is marked in the reference with fg, so a patterned
// fill never visits a pixel twice and protected pixels (left unpainted) are flowed through.
// rowStep 2 visits every second row (tall pixels, started on an even row).
// Pending segments are kept in a queue that grows as needed, so any shape fills completely.
// Returns false, changing nothing, when there is nothing to fill: fg equals the target, or
// the start lies outside the picture.
//
// `statistics` (optional) receives figures about the run; `initialQueueCapacity` is the
// number of pending segments the queue holds before it first grows.
struct FillStatistics {
    std::size_t segmentsQueued = 0;
    std::size_t maxPending = 0;
    std::size_t finalQueueCapacity = 0;
};
constexpr std::size_t DefaultFillQueueCapacity = 16384;

bool FloodFill(Picture& image, Picture& reference, const PaintContext& context, int x, int y,
               ColorValue fg, ColorValue bg, int pattern, int rowStep,
               FillStatistics* statistics = nullptr,
               std::size_t initialQueueCapacity = DefaultFillQueueCapacity);

} // namespace murelo
