#include "core/editor/PngDecode.h"

#include "core/editor/PictureReadLimits.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace murelo {

namespace {

// What libpng's callbacks share; plain data only, because errors leave by longjmp.
struct PngReader {
    std::span<const std::uint8_t> file;
    std::size_t at = 0;
    char error[200] = {};
    // Set once the rows are being read, with the picture's shape for telling their end.
    bool readingRows = false;
    bool interlaced = false;
    png_uint_32 height = 0;
    // The last row was complete when the reader stopped: the picture is whole.
    bool rowsComplete = false;
};

void OnError(png_structp png, png_const_charp message) {
    auto* reader = static_cast<PngReader*>(png_get_error_ptr(png));
    std::snprintf(reader->error, sizeof reader->error, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// After the picture's last row libpng inflates whatever is left of the data stream, only to
// reach its end: a small file may carry gigabytes of it. Once the rows are complete nothing
// more is read, so the time to read a picture is bounded by its size.
bool RowsComplete(png_structp png, const PngReader& reader) {
    if (!reader.readingRows)
        return false;
    // libpng counts the passes of an interlaced picture to 7 after its last row, and the rows
    // of a plain one up to the height.
    if (reader.interlaced)
        return png_get_current_pass_number(png) >= 7;
    return png_get_current_row_number(png) >= reader.height;
}

void ReadBytes(png_structp png, png_bytep out, png_size_t size) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (RowsComplete(png, *reader)) {
        reader->rowsComplete = true;
        png_error(png, "the rows are complete");
    }
    if (size > reader->file.size() - reader->at)
        png_error(png, "the file ends inside the picture data");
    std::memcpy(out, reader->file.data() + reader->at, size);
    reader->at += size;
}

struct PngInfo {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
};

// Reads the header and sets up the reduction to 8-bit RGB. Returns false on a libpng error.
bool ReadHeader(png_structp png, png_infop info, PngInfo& out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    int interlace = 0;
    png_get_IHDR(png, info, &out.width, &out.height, &out.bitDepth, &out.colorType, &interlace,
                 nullptr, nullptr);
    return true;
}

bool SetUpTransforms(png_structp png, png_infop info, const PngInfo& header) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_expand(png); // palette to RGB, grey of 1, 2 or 4 bits to 8, tRNS to alpha
    if (header.bitDepth == 16)
        png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    // R, G, B and a zero byte: the byte order of the picture's own colour values, so rows are
    // read straight into it.
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == std::size_t(header.width) * sizeof(ColorValue);
}

bool ReadRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    return true;
}

std::uint8_t FormatCodeOf(const PngInfo& h) {
    const bool alpha = (h.colorType & PNG_COLOR_MASK_ALPHA) != 0;
    if (alpha)
        return 7;
    if (h.colorType == PNG_COLOR_TYPE_RGB || h.bitDepth == 16)
        return 6;
    return h.bitDepth == 1 ? 1 : h.bitDepth <= 4 ? 2 : 3;
}

DecodedBitmap Unreadable(const char* reason) {
    DecodedBitmap result;
    result.fault = BitmapFault::Unreadable;
    result.message = std::string("PNG: ") + (reason[0] ? reason : "damaged file");
    return result;
}

class PngStructs {
  public:
    explicit PngStructs(PngReader& reader)
        : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning)) {
        if (png_)
            info_ = png_create_info_struct(png_);
    }
    ~PngStructs() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngStructs(const PngStructs&) = delete;
    PngStructs& operator=(const PngStructs&) = delete;
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

} // namespace

DecodedBitmap DecodePng(std::span<const std::uint8_t> file, const PictureLimits& limits) {
    PngReader reader{file};
    PngStructs s(reader);
    if (!s.png() || !s.info())
        return Unreadable("out of memory");
    png_set_read_fn(s.png(), &reader, ReadBytes);
    // Text and other side chunks may not inflate without bound either.
    png_set_chunk_malloc_max(s.png(), 8 * 1024 * 1024);
    // The data is taken in small pieces, so what libpng inflates behind the last row before
    // it asks for more (and the reader stops) stays small too: at most about a megabyte.
    png_set_compression_buffer_size(s.png(), 1024);
    PngInfo header;
    if (!ReadHeader(s.png(), s.info(), header))
        return Unreadable(reader.error);
    reader.interlaced = png_get_interlace_type(s.png(), s.info()) != PNG_INTERLACE_NONE;
    reader.height = header.height;
    DecodedBitmap result = CheckDeclaredSize(header.width, header.height, limits);
    if (!result.ok())
        return result;
    if (!SetUpTransforms(s.png(), s.info(), header))
        return Unreadable(reader.error);
    result.picture = Picture(int(header.width), int(header.height));
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(result.picture.row(int(y)));
    reader.readingRows = true;
    if (!ReadRows(s.png(), rows.data()) && !reader.rowsComplete)
        return Unreadable(reader.error);
    result.formatCode = FormatCodeOf(header);
    return result;
}

} // namespace murelo
