#include "core/editor/JpegDecode.h"

#include "core/editor/PictureReadLimits.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

namespace murelo {

namespace {

// A hostile progressive file can carry thousands of tiny scans; real ones have about ten.
constexpr int MaxScans = 1000;

struct JpegError {
    jpeg_error_mgr manager; // first, so the library's pointer is also ours
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<JpegError*>(cinfo->err);
    cinfo->err->format_message(cinfo, error->text);
    std::longjmp(error->jump, 1);
}

// Data that ends before the picture's last row is only a warning to the library, which pads
// the rest with grey: a file cut off without an end marker, or one whose scan meets its end
// marker early (a frame declaring far more rows than its data holds). Both are refused alike.
bool EndsTooEarly(j_common_ptr cinfo) {
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF)
        return true;
    return code == JWRN_HIT_MARKER && cinfo->is_decompressor &&
           reinterpret_cast<j_decompress_ptr>(cinfo)->unread_marker == JPEG_EOI;
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && EndsTooEarly(cinfo)) {
        cinfo->err->msg_code = JWRN_JPEG_EOF;
        OnError(cinfo);
    }
}

void OnProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && d->input_scan_number > MaxScans) {
        auto* error = reinterpret_cast<JpegError*>(cinfo->err);
        std::snprintf(error->text, sizeof error->text,
                      "The file has more scans than the reader accepts (at most %d)", MaxScans);
        std::longjmp(error->jump, 1);
    }
}

// The largest DCT reduction that keeps the wanted size.
unsigned ScaleDenominator(const jpeg_decompress_struct& cinfo, const PictureLimits& limits) {
    if (limits.openSizeRule || limits.minWidth <= 0 || limits.minHeight <= 0)
        return 1;
    unsigned denom = 1;
    while (denom < 8 && cinfo.image_width / (denom * 2) >= unsigned(limits.minWidth) &&
           cinfo.image_height / (denom * 2) >= unsigned(limits.minHeight))
        denom *= 2;
    return denom;
}

ColorValue CmykColor(const JSAMPLE* p, bool inverted) {
    // Adobe's files store the inks inverted (0 = full ink); others store them as they are.
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return RgbColor(c * k / 255, m * k / 255, y * k / 255);
}

struct Decoding {
    jpeg_decompress_struct cinfo;
    JpegError error;
    jpeg_progress_mgr progress;
    std::vector<JSAMPLE> row;
};

// Everything that may longjmp lives here, with no object that needs a destructor.
bool ReadHeader(Decoding& d, std::span<const std::uint8_t> file) {
    if (setjmp(d.error.jump))
        return false;
    jpeg_mem_src(&d.cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    return true;
}

bool Start(Decoding& d, unsigned denom) {
    if (setjmp(d.error.jump))
        return false;
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = denom;
    d.cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&d.cinfo);
    return true;
}

bool ReadRows(Decoding& d, Picture& picture) {
    if (setjmp(d.error.jump))
        return false;
    const bool cmyk = d.cinfo.out_color_space == JCS_CMYK;
    const bool inverted = d.cinfo.saw_Adobe_marker;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int y = int(d.cinfo.output_scanline);
        JSAMPROW rows[1] = {d.row.data()};
        jpeg_read_scanlines(&d.cinfo, rows, 1);
        ColorValue* out = picture.row(y);
        const JSAMPLE* p = d.row.data();
        for (int x = 0; x < picture.width(); ++x, p += cmyk ? 4 : 3)
            out[x] = cmyk ? CmykColor(p, inverted) : RgbColor(p[0], p[1], p[2]);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

DecodedBitmap Unreadable(const char* reason) {
    DecodedBitmap result;
    result.fault = BitmapFault::Unreadable;
    result.message = std::string("JPEG: ") + reason;
    return result;
}

// Creating the decoder allocates its memory manager, and a failure there leaves by the error
// handler's jump like any other: the jump target is armed first.
bool Create(Decoding& d, int libraryVersion) {
    if (setjmp(d.error.jump))
        return false;
    jpeg_CreateDecompress(&d.cinfo, libraryVersion, sizeof d.cinfo);
    // A progressive file keeps all its coefficients; beyond this it is refused.
    d.cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    d.progress.progress_monitor = OnProgress;
    d.cinfo.progress = &d.progress;
    return true;
}

class Decompressor {
  public:
    explicit Decompressor(int libraryVersion = JPEG_LIB_VERSION) {
        d_.cinfo.err = jpeg_std_error(&d_.error.manager);
        d_.error.manager.error_exit = OnError;
        d_.error.manager.emit_message = OnMessage;
        created_ = Create(d_, libraryVersion);
    }
    // Also after a failed creation: the library frees whatever it had allocated by then.
    ~Decompressor() { jpeg_destroy_decompress(&d_.cinfo); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    bool created() const { return created_; }
    Decoding& get() { return d_; }

  private:
    Decoding d_{};
    bool created_ = false;
};

} // namespace

std::string TryCreateJpegDecoder(int libraryVersion) {
    Decompressor decompressor(libraryVersion);
    return decompressor.created() ? std::string() : decompressor.get().error.text;
}

DecodedBitmap DecodeJpeg(std::span<const std::uint8_t> file, const PictureLimits& limits) {
    Decompressor decompressor;
    Decoding& d = decompressor.get();
    if (!decompressor.created())
        return Unreadable(d.error.text);
    if (!ReadHeader(d, file))
        return Unreadable(d.error.text);
    DecodedBitmap result = CheckDeclaredSize(d.cinfo.image_width, d.cinfo.image_height, limits);
    if (!result.ok())
        return result;
    if (!Start(d, ScaleDenominator(d.cinfo, limits)))
        return Unreadable(d.error.text);
    d.row.resize(std::size_t(d.cinfo.output_width) * d.cinfo.output_components);
    result.picture = Picture(int(d.cinfo.output_width), int(d.cinfo.output_height));
    if (!ReadRows(d, result.picture))
        return Unreadable(d.error.text);
    result.formatCode = 6;
    return result;
}

} // namespace murelo
