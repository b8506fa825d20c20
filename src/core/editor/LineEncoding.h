#pragma once

#include "core/palette/ColorValue.h"

#include <cstdint>

namespace murelo {

// The pattern generator byte and colour table byte of one 8 x 1 line in Graphic 2.
struct LineBytes {
    std::uint8_t pattern = 0;
    std::uint8_t color = 0;
    friend bool operator==(const LineBytes&, const LineBytes&) = default;
};

// `bits` marks the pixels of the first colour (the leftmost pixel is bit 7). The colour with
// the larger index always becomes the foreground: high nibble and set pattern bits. Sums are
// taken to 8 bits, which only matters for lines that broke the rule (index 255 marks a miss).
constexpr LineBytes EncodeLineBytes(std::uint8_t first, std::uint8_t second, std::uint8_t bits) {
    if (second <= first)
        return {bits, std::uint8_t(first * 16 + second)};
    return {std::uint8_t(~bits), std::uint8_t(second * 16 + first)};
}

// The bytes of the 8 pixels starting at `pixels`, for a line that keeps the two-colour rule
// in the palette of `paletteKind`.
LineBytes EncodeLine(const ColorValue* pixels, int paletteKind);

} // namespace murelo
