#include "core/editor/BitmapCodec.h"

#include "core/editor/BitmapCodecBytes.h"

#include <stdexcept>

namespace murelo {

using bitmap::PutU16;
using bitmap::PutU32;

namespace {

constexpr std::uint32_t HeadersSize = 14 + 40;
constexpr std::uint32_t PixelsPerMetre = 2835; // 72 dots per inch

std::uint32_t Stride(int width, int bitsPerPixel) {
    return (std::uint32_t(width) * bitsPerPixel + 31) / 32 * 4;
}

std::vector<std::uint8_t> Headers(int width, int height, int bitsPerPixel,
                                  std::uint32_t tableEntries) {
    const std::uint32_t imageSize = Stride(width, bitsPerPixel) * std::uint32_t(height);
    const std::uint32_t offBits = HeadersSize + 4 * tableEntries;
    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offBits + imageSize);
    PutU32(out, 0); // reserved
    PutU32(out, offBits);
    PutU32(out, 40);
    PutU32(out, std::uint32_t(width));
    PutU32(out, std::uint32_t(height)); // positive: rows stored bottom-up
    PutU16(out, 1);
    PutU16(out, std::uint16_t(bitsPerPixel));
    PutU32(out, 0); // uncompressed
    PutU32(out, imageSize);
    PutU32(out, PixelsPerMetre);
    PutU32(out, PixelsPerMetre);
    PutU32(out, tableEntries);
    PutU32(out, 0); // all colours important
    return out;
}

void PadRow(std::vector<std::uint8_t>& out, std::size_t rowStart, std::uint32_t stride) {
    out.resize(rowStart + stride, 0);
}

} // namespace

std::vector<std::uint8_t> EncodeBitmap24(const Picture& picture) {
    const int w = picture.width(), h = picture.height();
    std::vector<std::uint8_t> out = Headers(w, h, 24, 0);
    for (int y = h - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        const ColorValue* row = picture.row(y);
        for (int x = 0; x < w; ++x) {
            out.push_back(std::uint8_t(BlueOf(row[x])));
            out.push_back(std::uint8_t(GreenOf(row[x])));
            out.push_back(std::uint8_t(RedOf(row[x])));
        }
        PadRow(out, start, Stride(w, 24));
    }
    return out;
}

std::vector<std::uint8_t> EncodeIndexedBitmap(const IndexedPicture& picture, int bitsPerPixel) {
    if (bitsPerPixel != 4 && bitsPerPixel != 8)
        throw std::invalid_argument("indexed bitmaps are written with 4 or 8 bits per pixel");
    const int w = picture.width, h = picture.height;
    const std::uint32_t entries = 1u << bitsPerPixel;
    std::vector<std::uint8_t> out = Headers(w, h, bitsPerPixel, entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const ColorValue c = i < picture.colorTable.size() ? picture.colorTable[i] : 0xFFFFFF;
        out.push_back(std::uint8_t(BlueOf(c)));
        out.push_back(std::uint8_t(GreenOf(c)));
        out.push_back(std::uint8_t(RedOf(c)));
        out.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        const std::uint8_t* row = picture.indices.data() + std::size_t(y) * w;
        for (int x = 0; x < w; ++x) {
            if (bitsPerPixel == 8)
                out.push_back(row[x]);
            else if (x % 2 == 0)
                out.push_back(std::uint8_t(row[x] << 4));
            else
                out.back() |= std::uint8_t(row[x] & 0x0F);
        }
        PadRow(out, start, Stride(w, bitsPerPixel));
    }
    return out;
}

} // namespace murelo
