#include "core/editor/BitmapCodec.h"

#include "core/editor/BitmapCodecBytes.h"
#include "core/editor/BitmapCodecRle.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <stdexcept>

namespace murelo {

using bitmap::ReadU16;
using bitmap::ReadU32;
using Bytes = std::span<const std::uint8_t>;

namespace {

constexpr std::uint64_t FileHeaderSize = 14;
constexpr std::uint64_t CoreHeaderSize = 12;
constexpr std::uint64_t SmallestFile = FileHeaderSize + CoreHeaderSize;

enum Compression : std::uint32_t {
    CompressionNone = 0,
    CompressionRle8 = 1,
    CompressionRle4 = 2,
    CompressionBitfields = 3, // Huffman 1D in OS/2 2.x headers
    CompressionJpeg = 4,      // RLE24 in OS/2 2.x headers
    CompressionPng = 5,
    CompressionAlphaBitfields = 6,
};

// A decoding failure; the message is shown after "ReadError : ".
struct ReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Text(const char* format, std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0) {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, format, (unsigned long long)a, (unsigned long long)b,
                  (unsigned long long)c);
    return buffer;
}

struct Header {
    std::uint32_t size = 0;
    bool core = false; // OS/2 1.x: 16-bit sizes, 3-byte colour entries
    bool os2 = false;  // OS/2 2.x: other meanings of compression 3 and 4
    std::int32_t width = 0, height = 0;
    bool topDown = false; // a negative height in the file: the first row is the top one
    std::uint32_t planes = 0, bitsPerPixel = 0, compression = 0, colorsUsed = 0;
};

// A field of the information header, or 0 when the header is too short to hold it.
std::uint32_t InfoField(Bytes file, const Header& h, std::uint32_t offset, int bytes) {
    if (offset + bytes > h.size)
        return 0;
    const std::uint64_t at = FileHeaderSize + offset;
    return bytes == 2 ? ReadU16(file, at) : ReadU32(file, at);
}

bool KnownHeaderSize(std::uint32_t size) {
    return size == CoreHeaderSize || (size >= 16 && size <= 64 && size % 2 == 0) || size == 108 ||
           size == 124;
}

Header ReadHeader(Bytes file) {
    Header h;
    h.size = ReadU32(file, FileHeaderSize);
    h.core = h.size == CoreHeaderSize;
    if (h.core) {
        h.width = std::int32_t(ReadU16(file, 18));
        h.height = std::int32_t(ReadU16(file, 20));
        h.planes = ReadU16(file, 22);
        h.bitsPerPixel = ReadU16(file, 24);
        return h;
    }
    h.width = std::int32_t(ReadU32(file, 18));
    h.height = std::int32_t(ReadU32(file, 22));
    if (!KnownHeaderSize(h.size))
        return h; // refused later, after the size check the editor makes first
    h.os2 = h.size != 40 && h.size != 52 && h.size != 56 && h.size <= 64;
    h.planes = InfoField(file, h, 12, 2);
    h.bitsPerPixel = InfoField(file, h, 14, 2);
    h.compression = InfoField(file, h, 16, 4);
    h.colorsUsed = InfoField(file, h, 32, 4);
    return h;
}

void CheckHeader(Bytes file, const Header& h) {
    if (!KnownHeaderSize(h.size))
        throw ReadError(Text("unsupported bitmap header size %llu", h.size));
    if (FileHeaderSize + h.size > file.size())
        throw ReadError(Text("the bitmap header of %llu bytes is cut off (the file has %llu)",
                             h.size, file.size()));
    if (h.width == 0 || h.height == 0)
        throw ReadError(
            Text("the bitmap has no pixels ( %llu x %llu )", std::uint32_t(h.width), h.height));
    if (h.planes != 1)
        throw ReadError(Text("a bitmap has 1 plane, not %llu", h.planes));
    const std::uint32_t bpp = h.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        throw ReadError(Text("%llu bits per pixel are not supported", bpp));
    if (h.core && bpp > 8 && bpp != 24)
        throw ReadError(Text("%llu bits per pixel are not supported", bpp));
}

void CheckCompression(const Header& h) {
    const std::uint32_t bpp = h.bitsPerPixel;
    switch (h.compression) {
    case CompressionNone:
        return;
    case CompressionRle8:
        if (bpp == 8)
            return;
        break;
    case CompressionRle4:
        if (bpp == 4)
            return;
        break;
    case CompressionBitfields:
        if (h.os2)
            throw ReadError("Huffman-compressed bitmaps are not supported");
        if (bpp == 16 || bpp == 32)
            return;
        break;
    case CompressionAlphaBitfields:
        if (bpp == 16 || bpp == 32)
            return;
        break;
    case CompressionJpeg:
        throw ReadError(h.os2 ? "RLE24-compressed bitmaps are not supported"
                              : "JPEG-compressed bitmaps are not supported");
    case CompressionPng:
        throw ReadError("PNG-compressed bitmaps are not supported");
    default:
        throw ReadError(Text("unknown compression %llu", h.compression));
    }
    throw ReadError(
        Text("compression %llu does not go with %llu bits per pixel", h.compression, bpp));
}

// One colour channel of a packed pixel: its position, width and the scale to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        max = m >> shift;
        if ((max & (max + 1)) != 0)
            throw ReadError(Text("the colour mask 0x%llx has gaps", m));
    }
    // Scaled to 0..255 with rounding, so that 5 bits of 31 give 255, not 248.
    int of(std::uint32_t pixel) const {
        if (max == 0)
            return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return int((v * 255 + max / 2) / max);
    }
};

struct Layout {
    std::array<std::uint32_t, 3> masks{};
    std::vector<ColorValue> palette;
    std::uint64_t pixelOffset = 0;
};

std::array<std::uint32_t, 3> DefaultMasks(std::uint32_t bpp) {
    if (bpp == 16)
        return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

// Reads the colour masks and returns where the colour table starts.
std::uint64_t ReadMasks(Bytes file, const Header& h, Layout& layout) {
    std::uint64_t tableStart = FileHeaderSize + h.size;
    const bool masked =
        h.compression == CompressionBitfields || h.compression == CompressionAlphaBitfields;
    if (!masked) {
        layout.masks = DefaultMasks(h.bitsPerPixel);
        return tableStart;
    }
    std::uint64_t at = FileHeaderSize + 40;
    if (h.size < 52) { // the masks follow a short header
        at = tableStart;
        tableStart += h.compression == CompressionAlphaBitfields ? 16 : 12;
        if (tableStart > file.size())
            throw ReadError("the colour masks are cut off");
    }
    for (std::size_t i = 0; i < 3; ++i)
        layout.masks[i] = ReadU32(file, at + 4 * i);
    return tableStart;
}

void ReadPalette(Bytes file, const Header& h, std::uint64_t tableStart, std::uint64_t offBits,
                 Layout& layout) {
    if (h.bitsPerPixel > 8)
        return;
    const std::uint64_t entrySize = h.core ? 3 : 4;
    const std::uint64_t full = std::uint64_t(1) << h.bitsPerPixel;
    if (h.colorsUsed > 0 && tableStart + std::uint64_t(h.colorsUsed) * entrySize > file.size())
        throw ReadError(
            Text("the colour table of %llu entries does not fit in the file", h.colorsUsed));
    std::uint64_t count = h.colorsUsed > 0 ? std::min<std::uint64_t>(h.colorsUsed, full) : full;
    count = std::min(count, (file.size() - tableStart) / entrySize);
    if (offBits >= tableStart)
        count = std::min(count, (offBits - tableStart) / entrySize);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = tableStart + i * entrySize;
        layout.palette.push_back(RgbColor(file[at + 2], file[at + 1], file[at]));
    }
}

Layout ReadLayout(Bytes file, const Header& h) {
    Layout layout;
    const std::uint64_t tableStart = ReadMasks(file, h, layout);
    const std::uint64_t offBits = ReadU32(file, 10);
    ReadPalette(file, h, tableStart, offBits == 0 ? file.size() : offBits, layout);
    const std::uint64_t entrySize = h.core ? 3 : 4;
    layout.pixelOffset = offBits != 0 ? offBits : tableStart + layout.palette.size() * entrySize;
    if (layout.pixelOffset < tableStart)
        throw ReadError(Text("the pixel data offset %llu lies inside the header (%llu bytes)",
                             layout.pixelOffset, tableStart));
    if (layout.pixelOffset >= file.size())
        throw ReadError(
            Text("the pixel data offset %llu lies past the end of the file (%llu bytes)",
                 layout.pixelOffset, file.size()));
    return layout;
}

ColorValue PaletteEntry(const Layout& layout, std::uint32_t index) {
    // An index past the table (a damaged file) shows black rather than failing the load.
    return index < layout.palette.size() ? layout.palette[index] : 0;
}

std::uint32_t PackedPixel(const std::uint8_t* row, int x, std::uint32_t bpp) {
    switch (bpp) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
    case 8:
        return row[x];
    case 16:
        return row[2 * x] | row[2 * x + 1] << 8;
    case 24:
        return row[3 * x] | row[3 * x + 1] << 8 | std::uint32_t(row[3 * x + 2]) << 16;
    default:
        return row[4 * x] | row[4 * x + 1] << 8 | std::uint32_t(row[4 * x + 2]) << 16 |
               std::uint32_t(row[4 * x + 3]) << 24;
    }
}

Picture DecodeUncompressed(Bytes file, const Header& h, const Layout& layout) {
    const int width = h.width, height = h.height;
    const std::uint64_t rowBits = std::uint64_t(width) * h.bitsPerPixel;
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    const std::uint64_t needed = stride * (height - 1) + (rowBits + 7) / 8;
    if (layout.pixelOffset + needed > file.size())
        throw ReadError(Text("the pixel data is cut off: %llu bytes needed after offset %llu, "
                             "the file has %llu",
                             needed, layout.pixelOffset, file.size()));
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const bool indexed = h.bitsPerPixel <= 8;
    Picture picture(width, height);
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* row = file.data() + layout.pixelOffset + stride * r;
        ColorValue* out = picture.row(h.topDown ? r : height - 1 - r);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = PackedPixel(row, x, h.bitsPerPixel);
            if (indexed)
                out[x] = PaletteEntry(layout, v);
            else if (h.bitsPerPixel == 24)
                out[x] = RgbColor(int(v >> 16), int(v >> 8), int(v));
            else
                out[x] = RgbColor(red.of(v), green.of(v), blue.of(v));
        }
    }
    return picture;
}

Picture DecodeRle(Bytes file, const Header& h, const Layout& layout) {
    const std::vector<std::uint8_t> indices =
        bitmap::ExpandRle(file.subspan(layout.pixelOffset), h.width, h.height, int(h.bitsPerPixel));
    Picture picture(h.width, h.height);
    for (int r = 0; r < h.height; ++r) {
        ColorValue* out = picture.row(h.height - 1 - r);
        for (int x = 0; x < h.width; ++x)
            out[x] = PaletteEntry(layout, indices[std::size_t(r) * h.width + x]);
    }
    return picture;
}

std::uint8_t FormatCode(const Header& h, const Layout& layout) {
    switch (h.bitsPerPixel) {
    case 1:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    case 16:
        return layout.masks == DefaultMasks(16) ? 4 : 5;
    case 24:
        return 6;
    default:
        return 7;
    }
}

DecodedBitmap Fault(BitmapFault fault, std::string message) {
    DecodedBitmap result;
    result.fault = fault;
    result.message = std::move(message);
    return result;
}

} // namespace

std::string SizeRefusalMessage(std::int32_t width, std::int32_t height) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer,
                  "The Image of %d pixels or more can't be read!\n  ->Image Size : ( %d, %d )",
                  MaxPictureSize, int(width), int(height));
    return buffer;
}

DecodedBitmap DecodeBitmap(Bytes file) {
    return DecodeBitmap(file, PictureLimits{});
}

DecodedBitmap DecodeBitmap(Bytes file, const PictureLimits& limits) {
    if (file.size() < SmallestFile || file[0] != 'B' || file[1] != 'M')
        return Fault(BitmapFault::NotBitmap, NotBitmapMessage);
    Header h = ReadHeader(file);
    // Compared unsigned, so that a negative (top-down) height is refused too.
    if (limits.openSizeRule &&
        (std::uint32_t(h.width) > MaxPictureSize || std::uint32_t(h.height) > MaxPictureSize))
        return Fault(BitmapFault::TooLarge, SizeRefusalMessage(h.width, h.height));
    if (!limits.openSizeRule && h.height < 0 && h.height > -MaxReadableSide - 1) {
        h.height = -h.height;
        h.topDown = true;
    }
    if (h.width < 0 || h.width > MaxReadableSide || h.height < 0 || h.height > MaxReadableSide ||
        std::int64_t(h.width) * h.height > MaxReadablePixels)
        return Fault(BitmapFault::Unreadable,
                     Text("the bitmap of %llu x %llu pixels is too large to read",
                          std::uint32_t(h.width), std::uint32_t(h.height)));
    try {
        CheckHeader(file, h);
        CheckCompression(h);
        const Layout layout = ReadLayout(file, h);
        DecodedBitmap result;
        const bool rle = h.compression == CompressionRle8 || h.compression == CompressionRle4;
        if (rle && h.topDown)
            throw ReadError("a run-length compressed bitmap cannot be stored top-down");
        result.picture = rle ? DecodeRle(file, h, layout) : DecodeUncompressed(file, h, layout);
        result.formatCode = FormatCode(h, layout);
        return result;
    } catch (const ReadError& e) {
        return Fault(BitmapFault::Unreadable, e.what());
    }
}

} // namespace murelo
