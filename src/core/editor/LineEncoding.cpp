#include "core/editor/LineEncoding.h"

#include "core/palette/Palettes.h"

namespace murelo {

LineBytes EncodeLine(const ColorValue* pixels, int paletteKind) {
    const auto first = std::uint8_t(PaletteIndexOf(pixels[0], paletteKind));
    std::uint8_t second = 0;
    std::uint8_t bits = 0x80;
    for (int p = 1; p < 8; ++p) {
        if (pixels[p] == pixels[0])
            bits |= std::uint8_t(0x80 >> p);
        else
            second = std::uint8_t(PaletteIndexOf(pixels[p], paletteKind));
    }
    return EncodeLineBytes(first, second, bits);
}

} // namespace murelo
