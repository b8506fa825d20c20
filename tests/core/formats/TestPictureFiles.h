#pragma once

// Small picture files written with the format libraries themselves, so that the readers are
// tested against what real encoders produce rather than against their own writer.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace murelo::test {

using Bytes = std::vector<std::uint8_t>;

struct PngLayout {
    PngLayout(int w, int h, int type, int depth)
        : width(w), height(h), colorType(type), bitDepth(depth) {}
    int width = 0, height = 0;
    int colorType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint8_t> palette; // r, g, b per entry, for colour type 3
    std::vector<std::uint8_t> trns;    // alpha per palette entry
    // Samples row by row, one value per channel, at the bit depth (16-bit as 0..65535).
    std::vector<std::uint16_t> samples;
};
Bytes WritePng(const PngLayout& info);

// A decompression bomb: an 8-bit RGB PNG declaring the size, whose small IDAT chunk inflates
// to a megabyte of zero rows (and would need far more for the declared size), then IEND.
Bytes PngBomb(std::uint32_t width, std::uint32_t height);

// An 8-bit RGB PNG of 1 x 1 pixel, plain or interlaced: its row (filter byte and the colour)
// followed, inside the same zlib stream, by `trailingZeros` zero bytes, deflated at level 9
// (80 MB of zeros pack to about 80 KB), then IEND.
Bytes PngWithTrailingData(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::size_t trailingZeros,
                          bool interlaced = false);

struct GifLayout {
    int screenWidth = 0, screenHeight = 0;
    int background = 0;
    std::vector<std::uint8_t> globalColors; // r, g, b; a power of two of entries
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::vector<std::uint8_t> localColors; // empty: none
    std::vector<std::uint8_t> indices;     // frame pixels row by row (display order)
    int transparentIndex = -1;
    bool secondFrame = false; // a second, different frame follows
};
Bytes WriteGif(const GifLayout& info);

struct JpegLayout {
    JpegLayout(int w, int h, bool cmykInks = false) : width(w), height(h), cmyk(cmykInks) {}
    int width = 0, height = 0;
    bool cmyk = false; // four samples per pixel, written as Adobe's inverted CMYK
    bool progressive = false;
    int quality = 95;
    std::vector<std::uint8_t> samples; // 3 (RGB) or 4 (inverted CMYK) per pixel
};
Bytes WriteJpeg(const JpegLayout& info);

} // namespace murelo::test
