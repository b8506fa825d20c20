#pragma once

#include "core/editor/BitmapCodec.h"

#include <optional>

namespace murelo {

// The picture as indices into palette `kind`, ready for a 4-bit (depth 2) or 8-bit (depth 3)
// file: the table holds the palette's 16 colours in order, then white up to 16 or 256
// entries. Any other depth gives an empty table and only answers whether the picture fits.
// Empty when some pixel is not a colour of the palette.
std::optional<IndexedPicture> BuildIndexedCopy(const Picture& picture, int kind, int depth);

// Depth 1 of the above: every pixel is a colour of palette `kind`.
bool PictureFitsPalette(const Picture& picture, int kind);

} // namespace murelo
