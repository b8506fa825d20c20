#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace murelo {
namespace {

constexpr int Tms = KindTms9918;

ColorValue Tms9918(int index) {
    return PaletteColor(Tms, index);
}

void SetRun(Picture& picture, int x0, int y, const std::vector<int>& indices) {
    for (std::size_t p = 0; p < indices.size(); ++p)
        picture.setPixel(x0 + int(p), y, Tms9918(indices[p]));
}

struct TablesFixture : ::testing::Test {
    ScreenBuffer buffer;
    Picture overlay;
    TablesFixture() { buffer.bytes.fill(0xAA); }
    std::uint8_t pattern(std::size_t i) const { return buffer.bytes[i]; }
    std::uint8_t colour(std::size_t i) const { return buffer.bytes[0x2000 + i]; }
    bool untouched() const {
        return std::all_of(buffer.bytes.begin(), buffer.bytes.end(),
                           [](std::uint8_t b) { return b == 0xAA; });
    }
};

TEST_F(TablesFixture, LineBytesOfTheExamples) {
    Picture picture(256, 192, Tms9918(1));
    SetRun(picture, 0, 0, {5, 5, 5, 5, 5, 5, 5, 5});
    SetRun(picture, 8, 0, {9, 9, 9, 9, 3, 3, 3, 3});
    SetRun(picture, 16, 0, {3, 3, 3, 3, 9, 9, 9, 9});
    SetRun(picture, 8, 10, {0, 14, 14, 0, 0, 0, 0, 14}); // cell row 1, column 1, line 2
    const ColorCheckResult res = ColorCheck(picture, Tms, true, overlay, buffer.bytes);
    ASSERT_EQ(res.result, 0);
    EXPECT_EQ(pattern(0), 0xFF);
    EXPECT_EQ(colour(0), 0x50);
    EXPECT_EQ(pattern(8), 0xF0); // cell 1, line 0: the lines of cell 0 come first
    EXPECT_EQ(colour(8), 0x93);
    EXPECT_EQ(pattern(16), 0x0F);
    EXPECT_EQ(colour(16), 0x93);
    // 0 first: bits 1001 1110 inverted, since 14 is the larger index.
    EXPECT_EQ(pattern(256 + 8 + 2), 0x61);
    EXPECT_EQ(colour(256 + 8 + 2), 0xE0);
    // A black line elsewhere.
    EXPECT_EQ(pattern(1), 0xFF);
    EXPECT_EQ(colour(1), 0x10);
}

TEST_F(TablesFixture, FillsExactlyTheTwoTables) {
    const Picture picture(256, 192, Tms9918(7));
    ColorCheck(picture, Tms, true, overlay, buffer.bytes);
    for (std::size_t i = 0; i < 6144; ++i) {
        ASSERT_EQ(pattern(i), 0xFF) << i;
        ASSERT_EQ(colour(i), 0x70) << i;
    }
    EXPECT_EQ(buffer.bytes[0x1800], 0xAA); // the name table is not the check's business
    EXPECT_EQ(buffer.bytes[0x37FF + 1], 0xAA);
    EXPECT_EQ(buffer.bytes[0x1FFF], 0xAA);
}

TEST_F(TablesFixture, OtherSizesAndNoFillLeaveTheImageAlone) {
    ColorCheck(Picture(256, 192, Tms9918(7)), Tms, false, overlay, buffer.bytes);
    EXPECT_TRUE(untouched());
    ColorCheck(Picture(640, 640, Tms9918(7)), Tms, true, overlay, buffer.bytes);
    EXPECT_TRUE(untouched());
    ColorCheck(Picture(256, 196, Tms9918(7)), Tms, true, overlay, buffer.bytes);
    EXPECT_TRUE(untouched());
    ColorCheck(Picture(248, 192, Tms9918(7)), Tms, true, overlay, buffer.bytes);
    EXPECT_TRUE(untouched());
}

TEST_F(TablesFixture, ImageTooSmallForTheTablesIsRefused) {
    std::vector<std::uint8_t> small(0x3000);
    EXPECT_THROW(ColorCheck(Picture(256, 192, Tms9918(7)), Tms, true, overlay, small),
                 std::invalid_argument);
}

TEST_F(TablesFixture, FaultyLinesStillAdvanceTheTableIndex) {
    Picture picture(256, 192, Tms9918(1));
    SetRun(picture, 0, 0, {2, 4, 6, 6, 6, 6, 6, 6}); // three colours
    SetRun(picture, 0, 1, {5, 5, 5, 5, 5, 5, 5, 5});
    const ColorCheckResult res = ColorCheck(picture, Tms, true, overlay, buffer.bytes);
    EXPECT_EQ(res.result, 1);
    EXPECT_EQ(pattern(1), 0xFF);
    EXPECT_EQ(colour(1), 0x50);
}

} // namespace
} // namespace murelo
