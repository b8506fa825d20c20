#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <span>

namespace murelo {

// Baseline and progressive JPEG in grey, YCbCr, RGB, CMYK or YCCK. When the limits allow a
// smaller picture, the decoder's own DCT scaling (1/2, 1/4, 1/8) is used as far as it keeps
// at least minWidth x minHeight, which makes importing a photograph fast.
DecodedBitmap DecodeJpeg(std::span<const std::uint8_t> file, const PictureLimits& limits);

} // namespace murelo
