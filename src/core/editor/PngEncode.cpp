#include "core/editor/PngEncode.h"

#include "core/editor/IndexedCopy.h"
#include "core/palette/Palettes.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

namespace murelo {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Rows of one index byte (indexed) or three colour bytes per pixel.
std::vector<std::uint8_t> RowBytes(const Picture& picture, const IndexedPicture* indexed) {
    if (indexed)
        return indexed->indices;
    std::vector<std::uint8_t> rgb;
    rgb.reserve(picture.pixels().size() * 3);
    for (ColorValue c : picture.pixels()) {
        rgb.push_back(std::uint8_t(RedOf(c)));
        rgb.push_back(std::uint8_t(GreenOf(c)));
        rgb.push_back(std::uint8_t(BlueOf(c)));
    }
    return rgb;
}

bool Write(png_structp png, png_infop info, const Picture& picture, const IndexedPicture* indexed,
           std::vector<std::uint8_t>& rows, std::vector<png_color>& colors) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    const png_uint_32 w = png_uint_32(picture.width()), h = png_uint_32(picture.height());
    png_set_IHDR(png, info, w, h, 8, indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed)
        png_set_PLTE(png, info, colors.data(), int(colors.size()));
    png_write_info(png, info);
    const std::size_t stride = std::size_t(w) * (indexed ? 1 : 3);
    for (png_uint_32 y = 0; y < h; ++y)
        png_write_row(png, rows.data() + stride * y);
    png_write_end(png, info);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const Picture& picture, int kind) {
    const std::optional<IndexedPicture> indexed = BuildIndexedCopy(picture, kind, 3);
    std::vector<std::uint8_t> rows = RowBytes(picture, indexed ? &*indexed : nullptr);
    std::vector<png_color> colors;
    for (int i = 0; i < PaletteEntries && indexed; ++i) {
        const ColorValue c = PaletteColor(kind, i);
        colors.push_back({png_byte(RedOf(c)), png_byte(GreenOf(c)), png_byte(BlueOf(c))});
    }
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok) {
        png_set_write_fn(png, &out, AppendBytes, Flush);
        ok = Write(png, info, picture, indexed ? &*indexed : nullptr, rows, colors);
    }
    png_destroy_write_struct(&png, &info);
    if (!ok)
        throw std::runtime_error("the PNG could not be encoded");
    return out;
}

} // namespace murelo
