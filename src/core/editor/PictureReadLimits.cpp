#include "core/editor/PictureReadLimits.h"

#include <cstdio>

namespace murelo {

std::string OpenSizeRefusalMessage(std::uint32_t width, std::uint32_t height) {
    char text[240];
    std::snprintf(text, sizeof text,
                  "The Image of %d pixels or more can't be read!\n  ->Image Size : ( %u, %u )",
                  MaxPictureSize, width, height);
    return text;
}

DecodedBitmap CheckDeclaredSize(std::uint32_t width, std::uint32_t height,
                                const PictureLimits& limits) {
    DecodedBitmap result;
    if (width == 0 || height == 0) {
        result.fault = BitmapFault::Unreadable;
        result.message = "the picture has no pixels";
    } else if (limits.openSizeRule && (width > MaxPictureSize || height > MaxPictureSize)) {
        result.fault = BitmapFault::TooLarge;
        result.message = OpenSizeRefusalMessage(width, height);
    } else if (width > std::uint32_t(MaxReadableSide) || height > std::uint32_t(MaxReadableSide) ||
               std::uint64_t(width) * height > std::uint64_t(MaxReadablePixels)) {
        char text[160];
        std::snprintf(text, sizeof text, "the picture of %u x %u pixels is too large to read",
                      width, height);
        result.fault = BitmapFault::Unreadable;
        result.message = text;
    }
    return result;
}

} // namespace murelo
