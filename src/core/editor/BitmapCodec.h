#pragma once

#include "core/editor/Picture.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace murelo {

// Why a file could not be turned into a picture; the editor shows a different box for each.
enum class BitmapFault {
    None,
    NotBitmap, // no "BM" signature, or too short to hold any bitmap header
    TooLarge,  // wider or taller than 640, or stored top-down (negative height)
    Unreadable // inconsistent, truncated or of a kind the decoder does not handle
};

struct DecodedBitmap {
    BitmapFault fault = BitmapFault::None;
    // The box text for NotBitmap and TooLarge; the reason for Unreadable.
    std::string message;
    Picture picture;
    // The pixel-format code of the file: 1, 2, 3, 4, 5, 6, 7 for 1, 4, 8, 15 (16-bit 5-5-5),
    // 16 (5-6-5 or other masks), 24 and 32 bits per pixel.
    std::uint8_t formatCode = 0;

    bool ok() const { return fault == BitmapFault::None; }
};

inline constexpr const char* NotBitmapMessage = "Not BMP File!";

// The refusal text for a picture of more than 640 pixels either way (or a negative size).
std::string SizeRefusalMessage(std::int32_t width, std::int32_t height);

// How big a picture a reader takes.
struct PictureLimits {
    // Open's rule: at most 640 x 640, and bitmaps stored bottom-up. Without it any picture up
    // to MaxReadableSide and MaxReadablePixels is read (Import scales it down afterwards).
    bool openSizeRule = true;
    // A decoder that can shrink while decoding (JPEG) may return any size down to this one.
    int minWidth = 0;
    int minHeight = 0;
};

// Beyond these a file is refused before any pixel memory is taken (decompression bombs).
constexpr int MaxReadableSide = 30000;
constexpr std::int64_t MaxReadablePixels = 40'000'000;

// Decodes a Windows or OS/2 bitmap file held whole in memory. Never reads outside `file`;
// every failure comes back as a fault with a message.
DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> file);
DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> file, const PictureLimits& limits);

// A picture reduced to indices into a colour table, as the 4- and 8-bit files hold it.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<ColorValue> colorTable; // 16 or 256 entries
    std::vector<std::uint8_t> indices;  // one per pixel, row by row from the top
};

// Uncompressed bottom-up bitmap files with a 40-byte information header.
std::vector<std::uint8_t> EncodeBitmap24(const Picture& picture);
// bitsPerPixel 4 (16-entry table) or 8 (256-entry table); indices must fit the table.
std::vector<std::uint8_t> EncodeIndexedBitmap(const IndexedPicture& picture, int bitsPerPixel);

} // namespace murelo
