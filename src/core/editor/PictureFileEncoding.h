#pragma once

#include "core/editor/Picture.h"

#include <cstdint>
#include <vector>

namespace murelo {

struct EncodedPicture {
    std::vector<std::uint8_t> bytes;
    int bitsPerPixel = 24; // what was written: 4, 8 or 24
};

// The file a save writes: at 4 bits (saveDepth 2) or 8 bits (saveDepth 3) with the palette
// of `kind` as colour table when every pixel is a colour of that palette, else at 24 bits.
EncodedPicture EncodePictureForSave(const Picture& picture, int kind, int saveDepth);

} // namespace murelo
