#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <string>

namespace murelo {

// The message for a picture that Open refuses for its size (Import would take it), as the
// bitmap reader words it.
std::string OpenSizeRefusalMessage(std::uint32_t width, std::uint32_t height);

// Checks a decoder's declared size against the limits: a fault (TooLarge for Open's rule,
// Unreadable beyond what any reader takes), or an ok result to decode into.
DecodedBitmap CheckDeclaredSize(std::uint32_t width, std::uint32_t height,
                                const PictureLimits& limits);

} // namespace murelo
