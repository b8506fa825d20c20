// libFuzzer target for the one entry point every picture file comes through: whatever the
// bytes, the result is a picture within the limits or a fault with a one-line message.
#include "core/editor/PictureDecoding.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace murelo;
    // The last byte picks Open's limits or Import's, so both paths are explored.
    PictureLimits limits;
    if (size > 0 && (data[size - 1] & 1)) {
        limits.openSizeRule = false;
        limits.minWidth = 256;
        limits.minHeight = 192;
    }
    const DecodedBitmap d = DecodeAnyPicture(std::span<const std::uint8_t>(data, size), limits);
    if (!d.ok()) {
        if (d.message.empty() ||
            (d.fault != BitmapFault::TooLarge && d.message.find('\n') != std::string::npos))
            std::abort();
        return 0;
    }
    const Picture& p = d.picture;
    const int limit = limits.openSizeRule ? MaxPictureSize : MaxReadableSide;
    if (p.empty() || p.width() > limit || p.height() > limit ||
        std::int64_t(p.width()) * p.height() > MaxReadablePixels ||
        p.pixels().size() != std::size_t(p.width()) * p.height() || d.formatCode < 1 ||
        d.formatCode > 7)
        std::abort();
    for (ColorValue c : p.pixels())
        if (c < 0 || c > 0xFFFFFF)
            std::abort();
    return 0;
}
