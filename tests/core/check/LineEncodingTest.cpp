#include "core/editor/LineEncoding.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <array>

namespace murelo {
namespace {

std::array<ColorValue, 8> Line(const std::array<int, 8>& indices) {
    std::array<ColorValue, 8> line{};
    for (int p = 0; p < 8; ++p)
        line[p] = PaletteColor(KindTms9918, indices[p]);
    return line;
}

LineBytes Encode(const std::array<int, 8>& indices) {
    return EncodeLine(Line(indices).data(), KindTms9918);
}

TEST(LineEncoding, LargerIndexIsTheForeground) {
    EXPECT_EQ(Encode({5, 5, 5, 5, 9, 9, 9, 9}), (LineBytes{0x0F, 0x95}));
    EXPECT_EQ(Encode({9, 9, 9, 9, 5, 5, 5, 5}), (LineBytes{0xF0, 0x95}));
    EXPECT_EQ(Encode({2, 1, 1, 1, 1, 1, 1, 2}), (LineBytes{0x81, 0x21}));
}

TEST(LineEncoding, OneColourLines) {
    EXPECT_EQ(Encode({12, 12, 12, 12, 12, 12, 12, 12}), (LineBytes{0xFF, 0xC0}));
    EXPECT_EQ(Encode({0, 0, 0, 0, 0, 0, 0, 0}), (LineBytes{0xFF, 0x00}));
    EXPECT_EQ(Encode({15, 15, 15, 15, 15, 15, 15, 15}), (LineBytes{0xFF, 0xF0}));
}

TEST(LineEncoding, BytesAreTakenToEightBits) {
    // 255 stands for a colour outside the palette: 255 * 16 + 3 = 0xFF3 -> 0xF3.
    EXPECT_EQ(EncodeLineBytes(255, 3, 0xF0), (LineBytes{0xF0, 0xF3}));
    EXPECT_EQ(EncodeLineBytes(3, 255, 0xF0), (LineBytes{0x0F, 0xF3}));
    EXPECT_EQ(EncodeLineBytes(4, 4, 0xFF), (LineBytes{0xFF, 0x44}));
}

} // namespace
} // namespace murelo
