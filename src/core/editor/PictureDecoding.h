#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <span>

namespace murelo {

// The one door every picture file comes in by (Open, drops, Import, the command line):
// BMP, PNG, JPEG, GIF or a SCREEN 2 image, told apart by their signature bytes. Bytes of no
// known kind give NotBitmap with the BMP refusal text, as before these formats were read.
DecodedBitmap DecodeAnyPicture(std::span<const std::uint8_t> file,
                               const PictureLimits& limits = {});

} // namespace murelo
