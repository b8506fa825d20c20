#pragma once

#include "core/editor/Picture.h"

#include <cstdint>
#include <vector>

namespace murelo {

// A lossless PNG of the picture: 8-bit indexed with the 16 colours of palette `kind` when
// every pixel is one of them, else 8-bit RGB. The bytes are returned for the caller to write.
std::vector<std::uint8_t> EncodePng(const Picture& picture, int kind);

} // namespace murelo
