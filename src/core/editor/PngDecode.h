#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <span>

namespace murelo {

// Any PNG: every colour type and bit depth, interlaced or not; 16-bit samples are scaled to 8
// and alpha is dropped (the colour values stay as stored). The size is checked against the
// limits from the header, before any pixel memory is taken.
DecodedBitmap DecodePng(std::span<const std::uint8_t> file, const PictureLimits& limits);

} // namespace murelo
