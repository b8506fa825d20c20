#include "core/convert/YjkDecode.h"

namespace murelo {

std::array<ColorValue, YjkGroupSize> DecodeYjkGroup(const std::array<std::uint8_t, 4>& bytes,
                                                    YjkScreen screen, const YjkPalette& palette) {
    const int k = ChromaOfBits(bytes[0], bytes[1]);
    const int j = ChromaOfBits(bytes[2], bytes[3]);
    std::array<ColorValue, YjkGroupSize> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint8_t byte = bytes[i];
        if (screen == YjkScreen::Screen10 && (byte & YjkAttributeBit))
            out[i] = ColorOfPaletteLevels(palette[std::size_t(byte >> 4)]);
        else
            out[i] = ColorOfLevels(DecodeYjkLevels(LumaOfByte(byte, screen), j, k));
    }
    return out;
}

} // namespace murelo
