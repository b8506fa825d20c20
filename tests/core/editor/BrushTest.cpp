#include "PaintTestHelpers.h"

#include "core/editor/BrushPatterns.h"
#include "core/editor/BrushPixel.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

struct Brush : ::testing::Test {
    Picture picture = Blank(16, 8);
    ToolState tool;
    int editMode = 0;

    void put(int x, int y, char fg, char bg, int pattern, bool honour = true) {
        PaintContext context{picture, tool, editMode, KindTms9918};
        PutBrushPixel(picture, context, x, y, Letter(fg), Letter(bg), pattern, honour);
    }
    void putRow(int y, int count, char fg, char bg, int pattern) {
        for (int x = 0; x < count; ++x)
            put(x, y, fg, bg, pattern);
    }
};

} // namespace

TEST(BrushPatternTable, ForegroundSharesFallByTwoSixteenths) {
    for (int pattern = 1; pattern <= 7; ++pattern) {
        int dots = 0;
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                dots += PatternSelectsForeground(pattern, row, column);
        EXPECT_EQ(dots, 16 - 2 * pattern) << "pattern " << pattern;
    }
    EXPECT_TRUE(PatternSelectsForeground(1, 0, 0));
    EXPECT_FALSE(PatternSelectsForeground(1, 0, 1));
    EXPECT_FALSE(PatternSelectsForeground(1, 2, 3));
    EXPECT_FALSE(PatternSelectsForeground(3, 3, 2));
    EXPECT_TRUE(PatternSelectsForeground(5, 3, 3));
    EXPECT_TRUE(PatternSelectsForeground(7, 2, 2));
}

TEST_F(Brush, PatternFourIsACheckerboard) {
    for (int y = 0; y < 4; ++y)
        putRow(y, 8, 'P', 'Q', 4);
    EXPECT_EQ(RowText(picture, 0).substr(0, 8), "PQPQPQPQ");
    EXPECT_EQ(RowText(picture, 1).substr(0, 8), "QPQPQPQP");
    EXPECT_EQ(RowText(picture, 2).substr(0, 8), "PQPQPQPQ");
}

TEST_F(Brush, PatternTilesRepeatEveryFourPixels) {
    putRow(2, 12, 'P', 'Q', 1); // row 2 of pattern 1: 1 1 1 0
    EXPECT_EQ(RowText(picture, 2).substr(0, 12), "PPPQPPPQPPPQ");
}

TEST_F(Brush, SolidPatternsAndEqualColours) {
    putRow(0, 4, 'P', 'Q', 0);
    putRow(1, 4, 'P', 'Q', 8);
    putRow(2, 4, 'P', 'P', 4); // a dither of one colour is solid
    EXPECT_EQ(RowText(picture, 0).substr(0, 4), "PPPP");
    EXPECT_EQ(RowText(picture, 1).substr(0, 4), "QQQQ");
    EXPECT_EQ(RowText(picture, 2).substr(0, 4), "PPPP");
}

TEST_F(Brush, NoBackgroundLeavesBackgroundDotsAlone) {
    putRow(0, 8, 'P', '-', 8);
    EXPECT_EQ(RowText(picture, 0).substr(0, 8), "WWWWWWWW");
    putRow(0, 8, 'P', '-', 4);
    EXPECT_EQ(RowText(picture, 0).substr(0, 8), "PWPWPWPW");
    putRow(1, 8, 'P', '-', 0);
    EXPECT_EQ(RowText(picture, 1).substr(0, 8), "PPPPPPPP");
}

TEST_F(Brush, WidePixelsCoverTwoColumns) {
    editMode = 1;
    put(5, 0, 'P', 'Q', 0);
    EXPECT_EQ(RowText(picture, 0).substr(0, 8), "WWWWPPWW");
    // The dither runs on the logical grid: columns 0..7 are logical columns 0..3.
    for (int x = 0; x < 8; ++x)
        put(x, 1, 'P', 'Q', 4);
    EXPECT_EQ(RowText(picture, 1).substr(0, 8), "QQPPQQPP");
}

TEST_F(Brush, TallPixelsCoverTwoRows) {
    editMode = 3;
    put(3, 7, 'P', 'Q', 0);
    EXPECT_EQ(LetterOf(picture.pixel(3, 6)), 'P');
    EXPECT_EQ(LetterOf(picture.pixel(3, 7)), 'P');
    EXPECT_EQ(LetterOf(picture.pixel(3, 5)), 'W');
    // Rows 2 and 3 are logical row 1 of the tile: 0 1 0 1 for pattern 4.
    for (int x = 0; x < 4; ++x)
        put(x, 2, 'P', 'Q', 4);
    EXPECT_EQ(RowText(picture, 2).substr(0, 4), "QPQP");
    EXPECT_EQ(RowText(picture, 3).substr(0, 4), "QPQP");
}

TEST_F(Brush, OddLineSkipsOddRows) {
    tool.OddLine = true;
    for (int y = 0; y < 4; ++y)
        putRow(y, 4, 'P', 'Q', 0);
    EXPECT_EQ(RowText(picture, 0).substr(0, 4), "PPPP");
    EXPECT_EQ(RowText(picture, 1).substr(0, 4), "WWWW");
    EXPECT_EQ(RowText(picture, 2).substr(0, 4), "PPPP");
    EXPECT_EQ(RowText(picture, 3).substr(0, 4), "WWWW");
}

TEST_F(Brush, ProtectionIsJudgedOnThePictureWhateverImageIsPainted) {
    tool.ProtectedColors = ProtectBit(15); // white
    put(0, 0, 'P', 'Q', 0);
    EXPECT_EQ(LetterOf(picture.pixel(0, 0)), 'W');
    put(1, 0, 'P', 'Q', 0, false);
    EXPECT_EQ(LetterOf(picture.pixel(1, 0)), 'P');

    Picture other = Blank(16, 8, 'R');
    PaintContext context{picture, tool, 0, KindTms9918};
    PutBrushPixel(other, context, 0, 0, Letter('P'), Letter('Q'), 0, true);
    PutBrushPixel(other, context, 1, 0, Letter('P'), Letter('Q'), 0, true);
    EXPECT_EQ(LetterOf(other.pixel(0, 0)), 'R'); // the picture's pixel there is white
    EXPECT_EQ(LetterOf(other.pixel(1, 0)), 'P'); // the picture's pixel there is P now
}

TEST_F(Brush, ModePixelIgnoresBrushAndProtection) {
    tool.ProtectedColors = 0xFFFF;
    tool.OddLine = true;
    PutModePixel(picture, 1, 3, 1, Letter('S'));
    EXPECT_EQ(RowText(picture, 1).substr(0, 4), "WWSS");
    PutModePixel(picture, 3, 9, 5, Letter('S'));
    EXPECT_EQ(LetterOf(picture.pixel(9, 4)), 'S');
    EXPECT_EQ(LetterOf(picture.pixel(9, 5)), 'S');
    PutModePixel(picture, 0, -1, 0, Letter('S')); // dropped
    PutModePixel(picture, 1, 15, 0, Letter('S')); // pair 14, 15
    EXPECT_EQ(RowText(picture, 0), "WWWWWWWWWWWWWWSS");
}

TEST_F(Brush, LineReachesBothEndsAndStaysConnected) {
    PaintContext context{picture, tool, 0, KindTms9918};
    DrawBrushLine(picture, context, 0, 0, 7, 3, Letter('P'), Letter('Q'), 0);
    // Bresenham with dx = 7, dy = 3: y steps after x = 1, 3 and 5.
    EXPECT_EQ(RowText(picture, 0).substr(0, 8), "PPWWWWWW");
    EXPECT_EQ(RowText(picture, 1).substr(0, 8), "WWPPWWWW");
    EXPECT_EQ(RowText(picture, 2).substr(0, 8), "WWWWPPWW");
    EXPECT_EQ(RowText(picture, 3).substr(0, 8), "WWWWWWPP");
}

TEST_F(Brush, SteepLineBackwardsPaintsOnePixelPerRow) {
    PaintContext context{picture, tool, 0, KindTms9918};
    DrawBrushLine(picture, context, 3, 7, 1, 0, Letter('P'), Letter('Q'), 0);
    // dy = 7, dx = 2: x steps back after the second and the sixth point.
    const char* expected[8] = {"WPWW", "WPWW", "WWPW", "WWPW", "WWPW", "WWPW", "WWWP", "WWWP"};
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(RowText(picture, y).substr(0, 4), expected[y]) << "row " << y;
}

TEST_F(Brush, LineHonoursProtection) {
    tool.ProtectedColors = ProtectBit(RIndex);
    SetRow(picture, 0, "WWRRWW");
    PaintContext context{picture, tool, 0, KindTms9918};
    DrawBrushLine(picture, context, 0, 0, 5, 0, Letter('P'), Letter('Q'), 0);
    EXPECT_EQ(RowText(picture, 0).substr(0, 7), "PPRRPPW");
}
