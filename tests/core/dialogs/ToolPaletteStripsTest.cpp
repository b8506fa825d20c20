#include "core/dialogs/ToolPaletteStrips.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {
constexpr ColorValue White = 0xFFFFFF;
constexpr ColorValue Black = 0;
} // namespace

TEST(ColorStrip, UnprotectedSwatchesAreFilledWithTheirEntry) {
    Picture strip(StripWidth, StripHeight, 0x123456);
    DrawColorStrip(strip, PaletteKindId::Tms9928, 0);
    for (int i = 0; i < 16; ++i) {
        const ColorValue entry = PaletteColor(PaletteKindId::Tms9928, i);
        EXPECT_EQ(strip.pixel(16 * i, 0), entry) << i;
        EXPECT_EQ(strip.pixel(16 * i + 15, 32), entry) << i;
    }
    EXPECT_EQ(strip.pixel(256, 16), PaletteColor(PaletteKindId::Tms9928, 15));
    EXPECT_EQ(strip.pixel(0, 33), 0x123456); // the brush strip is left alone
}

TEST(ColorStrip, ProtectedSwatchShowsHatchAroundAnInnerRectangle) {
    Picture strip(StripWidth, StripHeight);
    DrawColorStrip(strip, PaletteKindId::Tms9918, 1u << 2);
    const ColorValue green = FromRrggbb(0x46B73E);
    EXPECT_EQ(strip.pixel(32 + 4, 4), green);
    EXPECT_EQ(strip.pixel(32 + 11, 28), green);
    int white = 0, black = 0;
    for (int y = 0; y <= 32; ++y)
        for (int x = 32; x < 48; ++x) {
            const bool inner = x >= 36 && x <= 43 && y >= 4 && y <= 28;
            const ColorValue c = strip.pixel(x, y);
            if (inner)
                continue;
            EXPECT_TRUE(c == White || c == Black) << x << "," << y;
            white += c == White;
            black += c == Black;
        }
    EXPECT_GT(white, 10);
    EXPECT_GT(black, white);
    // Back-diagonal: the hatch pixel one row down sits one column to the left.
    EXPECT_EQ(strip.pixel(32 + 7, 0), White);
    EXPECT_EQ(strip.pixel(32 + 6, 1), White);
    EXPECT_EQ(strip.pixel(32 + 8, 1), Black);
    EXPECT_EQ(strip.pixel(16, 0), PaletteColor(PaletteKindId::Tms9918, 1)); // neighbours unchanged
}

TEST(BrushStrip, SolidSamplesAndTheChosenFrame) {
    Picture strip(StripWidth, StripHeight, 0x777777);
    ToolState tool;
    tool.ForegroundColor = 0x0000FF;
    tool.BackgroundColor = 0x00FF00;
    tool.BrushPattern = 2;
    DrawBrushStrip(strip, tool, EditModeId::Tms99x8, PaletteKindId::Tms9918);
    EXPECT_EQ(strip.pixel(3, 34), 0x0000FF); // pattern 0: all foreground
    EXPECT_EQ(strip.pixel(29, 61), 0x0000FF);
    EXPECT_EQ(strip.pixel(8 * 28 + 2, 34), 0x00FF00); // pattern 8: all background
    EXPECT_EQ(strip.pixel(1, 40), Black);             // gaps between samples
    EXPECT_EQ(strip.pixel(0, 33), Black);
    EXPECT_EQ(strip.pixel(256, 63), Black);
    // White frame around pattern 2: x 58..86, y 33..62.
    EXPECT_EQ(strip.pixel(58, 33), White);
    EXPECT_EQ(strip.pixel(86, 62), White);
    EXPECT_EQ(strip.pixel(58, 50), White);
    EXPECT_EQ(strip.pixel(86, 40), White);
    EXPECT_EQ(strip.pixel(30, 33), Black);   // not around pattern 0
    EXPECT_EQ(strip.pixel(0, 10), 0x777777); // colour strip untouched
}

TEST(BrushStrip, DitherFollowsThePatternTileAndOddLine) {
    Picture strip(StripWidth, StripHeight);
    ToolState tool;
    tool.ForegroundColor = 0x0000FF;
    tool.BackgroundColor = 0x00FF00;
    DrawBrushStrip(strip, tool, EditModeId::Tms99x8, PaletteKindId::Tms9918);
    // Pattern 4 is a checkerboard: row 0 of its tile is 1 0 1 0. The sample starts at
    // x 114, y 34, so y 36 is tile row 0 and x 116 tile column 0.
    EXPECT_EQ(strip.pixel(116, 36), 0x0000FF);
    EXPECT_EQ(strip.pixel(117, 36), 0x00FF00);
    EXPECT_EQ(strip.pixel(116, 37), 0x00FF00);
    tool.OddLine = true;
    DrawBrushStrip(strip, tool, EditModeId::Tms99x8, PaletteKindId::Tms9918);
    EXPECT_EQ(strip.pixel(5, 35), Black); // odd rows stay black
    EXPECT_EQ(strip.pixel(5, 34), 0x0000FF);
}

TEST(BrushStrip, NoSecondColourLeavesThoseDotsBlack) {
    Picture strip(StripWidth, StripHeight);
    ToolState tool;
    tool.ForegroundColor = 0x0000FF;
    tool.BackgroundColor = NoColor;
    DrawBrushStrip(strip, tool, EditModeId::Tms99x8, PaletteKindId::Tms9918);
    EXPECT_EQ(strip.pixel(8 * 28 + 10, 40), Black);
}
