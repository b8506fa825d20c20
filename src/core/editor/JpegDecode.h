#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <span>
#include <string>

namespace murelo {

// Baseline and progressive JPEG in grey, YCbCr, RGB, CMYK or YCCK. When the limits allow a
// smaller picture, the decoder's own DCT scaling (1/2, 1/4, 1/8) is used as far as it keeps
// at least minWidth x minHeight, which makes importing a photograph fast.
DecodedBitmap DecodeJpeg(std::span<const std::uint8_t> file, const PictureLimits& limits);

// Creates and destroys one decoder as DecodeJpeg does, telling the library it was built for
// `libraryVersion`: the library's refusal, or an empty text when the decoder was made. A
// version the library was not built for fails inside its creation, as a failed allocation
// there does, so tests can reach that path.
std::string TryCreateJpegDecoder(int libraryVersion);

} // namespace murelo
