#include "core/editor/PictureFit.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace murelo {
namespace {

bool failNextResampling = false;

// The resampler's working memory; it gives up when there is none.
void* ResampleMemory(std::size_t size) {
    if (std::exchange(failNextResampling, false))
        return nullptr;
    return std::malloc(size);
}

} // namespace
} // namespace murelo

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#define STBIR_MALLOC(size, context) ((void)(context), murelo::ResampleMemory(size))
#define STBIR_FREE(pointer, context) ((void)(context), std::free(pointer))
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image_resize.h>
#pragma GCC diagnostic pop

namespace murelo {

namespace {

struct Rect {
    int x, y, w, h;
};

// Scales src into dst at rect `to`, taking the source rectangle `from`. The pixel buffers are
// RGBX bytes; the fourth byte is zero throughout, so it stays zero. False when the resampler
// could not run (it found no memory for its work); dst is then not to be used.
bool Resample(const Picture& src, Rect from, Picture& dst, Rect to) {
    const auto* in = reinterpret_cast<const unsigned char*>(src.row(from.y) + from.x);
    auto* out = reinterpret_cast<unsigned char*>(dst.row(to.y) + to.x);
    return stbir_resize_uint8_srgb_edgemode(in, from.w, from.h, src.width() * 4, out, to.w, to.h,
                                            dst.width() * 4, 4, STBIR_ALPHA_CHANNEL_NONE, 0,
                                            STBIR_EDGE_CLAMP) != 0;
}

int Scaled(long long size, long long num, long long den) {
    return int(std::max(1LL, (size * num + den / 2) / den));
}

} // namespace

std::optional<PictureFitMode> ParsePictureFitMode(std::string_view text) {
    if (text == "letterbox")
        return PictureFitMode::Letterbox;
    if (text == "crop")
        return PictureFitMode::Crop;
    if (text == "stretch")
        return PictureFitMode::Stretch;
    return std::nullopt;
}

void FailNextResampling() {
    failNextResampling = true;
}

std::optional<Picture> FitPicture(const Picture& source, int width, int height,
                                  PictureFitMode mode) {
    Picture result(width, height, 0x000000);
    if (source.empty() || width <= 0 || height <= 0)
        return result;
    const long long sw = source.width(), sh = source.height();
    Rect from{0, 0, source.width(), source.height()};
    Rect to{0, 0, width, height};
    // Compare the aspects as sw / sh against width / height without rounding.
    const bool wider = sw * height > sh * width;
    if (mode == PictureFitMode::Letterbox) {
        if (wider)
            to.h = std::min(height, Scaled(sh, width, sw));
        else
            to.w = std::min(width, Scaled(sw, height, sh));
        to.x = (width - to.w) / 2;
        to.y = (height - to.h) / 2;
    } else if (mode == PictureFitMode::Crop) {
        if (wider)
            from.w = std::min(source.width(), Scaled(sh, width, height));
        else
            from.h = std::min(source.height(), Scaled(sw, height, width));
        from.x = (source.width() - from.w) / 2;
        from.y = (source.height() - from.h) / 2;
    }
    // A picture left black by a resampler that did not run must never pass for the result.
    if (!Resample(source, from, result, to))
        return std::nullopt;
    return result;
}

} // namespace murelo
