#pragma once

#include "core/convert/QuantizerBitmap.h"
#include "core/editor/Picture.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace murelo {

// The largest colour count the quantizer accepts.
constexpr int QuantizerMaxColors = 512;

// One pixel of the picture being quantized, in YCbCr, and the box it belongs to.
struct QuantizerItem {
    float y;
    float cb;
    float cr;
    std::int32_t box;
};

// Y, Cb and Cr of one pixel, worked out in double precision and stored as floats.
QuantizerItem MakeQuantizerItem(int red, int green, int blue);

// Reduces the picture to at most n colours in place and fills the palette (the screen-mode
// writers save its 16 entries). For n above 16 the palette receives the first 16 colours.
void QuantizeImage(Picture& image, int n, QuantizerPalette& palette);

// A 24-bit bitmap of the picture, bottom row first.
QuantizerBitmap BitmapFromPicture(const Picture& image);
// Paints the bitmap's pixels (any depth Quantize produces) over the picture.
void CopyBitmapToPicture(const QuantizerBitmap& bitmap, Picture& image);

// The median cut over a 24-bit bitmap: a new bitmap of box numbers (with the palette as its
// colour table), or nothing when n is out of range, the bitmap is not 24-bit or the picture
// already has no more than n colours (then the table receives those colours). The table
// grows to the entries n can use (at least 16); entries the run does not set are kept.
std::optional<QuantizerBitmap> Quantize(const QuantizerBitmap& bitmap, int n,
                                        std::vector<QuantizerEntry>& table);

// Splits box `box` at the mean of its widest axis, `depth` levels deep.
void SplitBox(std::vector<QuantizerItem>& items, int box, int depth);

// Orders the first 16 entries from dark to bright; entries n..15 become black.
void SortPalette(int n, QuantizerPalette& palette);

} // namespace murelo
