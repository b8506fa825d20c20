#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace murelo::bitmap {

// Expands RLE8 (bitsPerPixel 8) or RLE4 (bitsPerPixel 4) pixel data into one index per
// pixel, row by row from the bottom as the file stores them. Pixels the data never sets
// (skipped by a delta, or left when the data ends early) stay index 0; runs that reach past
// the right edge or the top are dropped.
std::vector<std::uint8_t> ExpandRle(std::span<const std::uint8_t> data, int width, int height,
                                    int bitsPerPixel);

} // namespace murelo::bitmap
