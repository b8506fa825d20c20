#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <span>

namespace murelo {

// The first frame of a GIF on its logical screen, with its local colour table when it has one,
// else the global one. A transparent index keeps the colour of its table entry; the screen
// outside the frame takes the background colour.
DecodedBitmap DecodeGif(std::span<const std::uint8_t> file, const PictureLimits& limits);

} // namespace murelo
