#include "core/editor/PictureFit.h"

#include <algorithm>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
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
// RGBX bytes; the fourth byte is zero throughout, so it stays zero.
void Resample(const Picture& src, Rect from, Picture& dst, Rect to) {
    const auto* in = reinterpret_cast<const unsigned char*>(src.row(from.y) + from.x);
    auto* out = reinterpret_cast<unsigned char*>(dst.row(to.y) + to.x);
    stbir_resize_uint8_srgb_edgemode(in, from.w, from.h, src.width() * 4, out, to.w, to.h,
                                     dst.width() * 4, 4, STBIR_ALPHA_CHANNEL_NONE, 0,
                                     STBIR_EDGE_CLAMP);
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

Picture FitPicture(const Picture& source, int width, int height, PictureFitMode mode) {
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
    Resample(source, from, result, to);
    return result;
}

} // namespace murelo
