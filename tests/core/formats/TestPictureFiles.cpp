#include "TestPictureFiles.h"

#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace murelo::test {

namespace {

void PngAppend(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}
void PngFlush(png_structp) {}

int Channels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
        return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    default:
        return 4;
    }
}

// Packs one row of samples at the bit depth, most significant bits first.
Bytes PackRow(const PngLayout& s, int y) {
    const int n = s.width * Channels(s.colorType);
    Bytes row;
    const std::uint16_t* in = s.samples.data() + std::size_t(y) * n;
    if (s.bitDepth == 16) {
        for (int i = 0; i < n; ++i) {
            row.push_back(std::uint8_t(in[i] >> 8));
            row.push_back(std::uint8_t(in[i]));
        }
        return row;
    }
    row.assign(std::size_t((n * s.bitDepth + 7) / 8), 0);
    for (int i = 0; i < n; ++i) {
        const int bit = i * s.bitDepth;
        row[std::size_t(bit / 8)] |= std::uint8_t(in[i] << (8 - s.bitDepth - bit % 8));
    }
    return row;
}

void AppendU32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(v >> shift));
}

int GifAppend(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

ColorMapObject* ColorMap(const std::vector<std::uint8_t>& rgb) {
    const int n = int(rgb.size() / 3);
    std::vector<GifColorType> colors(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        colors[std::size_t(i)] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
    return GifMakeMapObject(n, colors.data());
}

void Check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

void WriteFrame(GifFileType* gif, const GifLayout& s, const std::vector<std::uint8_t>& indices) {
    if (s.transparentIndex >= 0) {
        const GifByteType control[4] = {1, 0, 0, GifByteType(s.transparentIndex)};
        Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK, "ext");
    }
    ColorMapObject* local = s.localColors.empty() ? nullptr : ColorMap(s.localColors);
    Check(EGifPutImageDesc(gif, s.left, s.top, s.width, s.height, s.interlaced, local) == GIF_OK,
          "desc");
    GifFreeMapObject(local);
    std::vector<int> order;
    if (s.interlaced) {
        const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = starts[pass]; y < s.height; y += steps[pass])
                order.push_back(y);
    } else {
        for (int y = 0; y < s.height; ++y)
            order.push_back(y);
    }
    for (int y : order) {
        std::vector<GifPixelType> line(indices.begin() + std::ptrdiff_t(y) * s.width,
                                       indices.begin() + std::ptrdiff_t(y + 1) * s.width);
        Check(EGifPutLine(gif, line.data(), s.width) == GIF_OK, "line");
    }
}

} // namespace

Bytes WritePng(const PngLayout& s) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("test PNG could not be written");
    }
    png_set_write_fn(png, &out, PngAppend, PngFlush);
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), s.bitDepth, s.colorType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> colors;
    for (std::size_t i = 0; i + 2 < s.palette.size(); i += 3)
        colors.push_back({s.palette[i], s.palette[i + 1], s.palette[i + 2]});
    if (!colors.empty())
        png_set_PLTE(png, info, colors.data(), int(colors.size()));
    if (!s.trns.empty())
        png_set_tRNS(png, info, s.trns.data(), int(s.trns.size()), nullptr);
    png_write_info(png, info);
    std::vector<Bytes> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < s.height; ++y)
        rows.push_back(PackRow(s, y));
    for (Bytes& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void AppendChunk(Bytes& out, const char* type, const Bytes& data) {
    Bytes chunk(type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    AppendU32(out, std::uint32_t(data.size()));
    out.insert(out.end(), chunk.begin(), chunk.end());
    AppendU32(out, std::uint32_t(crc32(0, chunk.data(), uInt(chunk.size()))));
}

Bytes PngBomb(std::uint32_t width, std::uint32_t height) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    AppendU32(header, width);
    AppendU32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, not interlaced
    AppendChunk(out, "IHDR", header);
    const Bytes zeros(1 << 20, 0);
    uLongf size = compressBound(uLong(zeros.size()));
    Bytes packed(size);
    compress2(packed.data(), &size, zeros.data(), uLong(zeros.size()), 9);
    packed.resize(size);
    AppendChunk(out, "IDAT", packed);
    AppendChunk(out, "IEND", {});
    return out;
}

Bytes PngWithTrailingData(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::size_t trailingZeros,
                          bool interlaced) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    AppendU32(header, 1);
    AppendU32(header, 1);
    // 8-bit RGB; interlaced, the one pixel is the first pass's only row
    header.insert(header.end(), {8, 2, 0, 0, std::uint8_t(interlaced ? 1 : 0)});
    AppendChunk(out, "IHDR", header);
    Bytes data(4 + trailingZeros, 0);
    data[1] = r, data[2] = g, data[3] = b;
    uLongf size = compressBound(uLong(data.size()));
    Bytes packed(size);
    compress2(packed.data(), &size, data.data(), uLong(data.size()), 9);
    packed.resize(size);
    AppendChunk(out, "IDAT", packed);
    AppendChunk(out, "IEND", {});
    return out;
}

Bytes WriteGif(const GifLayout& s) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifAppend, &error);
    Check(gif != nullptr, "open");
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = s.globalColors.empty() ? nullptr : ColorMap(s.globalColors);
    Check(EGifPutScreenDesc(gif, s.screenWidth, s.screenHeight, 8, s.background, global) == GIF_OK,
          "screen");
    GifFreeMapObject(global);
    WriteFrame(gif, s, s.indices);
    if (s.secondFrame) {
        std::vector<std::uint8_t> other(s.indices.size());
        for (std::size_t i = 0; i < other.size(); ++i)
            other[i] = std::uint8_t((s.indices[i] + 1) % 2);
        WriteFrame(gif, s, other);
    }
    Check(EGifCloseFile(gif, &error) == GIF_OK, "close");
    return out;
}

Bytes WriteJpeg(const JpegLayout& s) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(s.width);
    cinfo.image_height = JDIMENSION(s.height);
    cinfo.input_components = s.cmyk ? 4 : 3;
    cinfo.in_color_space = s.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, s.quality, TRUE);
    if (s.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const int stride = s.width * cinfo.input_components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(s.samples.data() + std::size_t(cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    jpeg_destroy_compress(&cinfo);
    return out;
}

} // namespace murelo::test
