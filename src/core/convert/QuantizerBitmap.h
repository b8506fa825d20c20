#pragma once

#include "core/convert/ConversionState.h"

#include <cstdint>
#include <vector>

namespace murelo {

constexpr std::uint32_t BitmapInfoHeaderSize = 40;

// A device-independent bitmap section: a header, an optional colour table and the pixel
// rows in storage order. A positive height stores the bottom row first, as Windows does;
// a negative height stores the top row first.
struct QuantizerBitmap {
    std::uint32_t headerSize = BitmapInfoHeaderSize;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    int compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<QuantizerEntry> colorTable;
    std::vector<std::uint8_t> bits;

    int rowCount() const { return height < 0 ? -height : height; }
    int stride() const { return StrideOf(width, bitsPerPixel); }
    std::uint8_t* storageRow(int r) { return bits.data() + std::size_t(r) * stride(); }
    const std::uint8_t* storageRow(int r) const { return bits.data() + std::size_t(r) * stride(); }

    // Bytes per row, padded to a multiple of four.
    static int StrideOf(int width, int bits) { return ((width * bits + 31) / 32) * 4; }
};

} // namespace murelo
