#include "PaintTestHelpers.h"

#include "core/editor/RunRule.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

struct RunRule : ::testing::Test {
    Picture picture = Blank(8, 1);
    ToolState tool;
    PaintContext context{picture, tool, 0, KindTms9918};

    std::string pen(const std::string& letters, int index, char color) {
        RowBuffer run = RunOf(letters);
        ApplyPenToRun(run, index, Letter(color), context);
        return RunText(run);
    }
    static std::string half(const std::string& letters, char color, char other) {
        RowBuffer run = RunOf(letters);
        ApplyHalfToRun(run, Letter(color), Letter(other));
        return RunText(run);
    }
};

} // namespace

TEST_F(RunRule, ThirdColourReplacesTheClickedPixelsColour) {
    EXPECT_EQ(pen("PPPPQQQQ", 2, 'R'), "RRRRQQQQ");
    EXPECT_EQ(pen("PPPPQQQQ", 5, 'R'), "PPPPRRRR");
}

TEST_F(RunRule, ColourAlreadyInTheRunOrOneColourRunChangesOnePixel) {
    EXPECT_EQ(pen("PPPPPPPP", 2, 'R'), "PPRPPPPP");
    EXPECT_EQ(pen("PPPPQQQQ", 1, 'Q'), "PQPPQQQQ");
    EXPECT_EQ(pen("PQPQPQPQ", 0, 'Q'), "QQPQPQPQ");
}

TEST_F(RunRule, RunBreakingTheRuleBecomesTheNewColourEntirely) {
    // P, Q and R in the run: painting S over an R makes the whole run S.
    EXPECT_EQ(pen("PPQQRRPQ", 4, 'S'), "SSSSSSSS");
}

TEST_F(RunRule, ProtectedPixelLeavesTheRunAlone) {
    tool.ProtectedColors = ProtectBit(QIndex);
    EXPECT_EQ(pen("PPPPQQQQ", 5, 'R'), "PPPPQQQQ");
    // Only the clicked pixel's protection counts.
    EXPECT_EQ(pen("PPPPQQQQ", 2, 'R'), "RRRRQQQQ");
}

TEST_F(RunRule, PositionsOutsideThePictureAreNoSecondColour) {
    // The last run of a 13-pixel-wide picture has five pixels; the rest read as no colour.
    EXPECT_EQ(pen("PPPPP---", 1, 'Q'), "PQPPP---");
    EXPECT_EQ(pen("PPQQQ---", 0, 'R'), "RRQQQ---");
    // A pen outside the picture paints nothing, not even inside the run.
    EXPECT_EQ(pen("PPQQQ---", 6, 'R'), "PPQQQ---");
}

TEST_F(RunRule, HalfKeepsTheOtherHalfsFirstColour) {
    // Right half of P P Q Q R R R R set to S: other = P.
    EXPECT_EQ(half("PPQQSSSS", 'S', 'P'), "PPSSSSSS");
    // Left half set to S with the right half starting Q.
    EXPECT_EQ(half("SSSSQRRQ", 'S', 'Q'), "SSSSQSSQ");
}

TEST_F(RunRule, HalfWhoseOtherIsTheNewColourKeepsTheFirstDifferentColour) {
    EXPECT_EQ(half("SSSSSQRQ", 'S', 'S'), "SSSSSQSQ");
    EXPECT_EQ(half("SSSSSSSS", 'S', 'S'), "SSSSSSSS");
}

TEST_F(RunRule, HalfIgnoresPositionsOutsideThePicture) {
    // Left half painted in a 6-pixel-wide last run: other (x8+4) is inside, Q.
    EXPECT_EQ(half("SSSSQR--", 'S', 'Q'), "SSSSQS--");
    // Only the painted half lies inside: the other pixel is outside and nothing else changes.
    EXPECT_EQ(half("SSS-----", 'S', '-'), "SSS-----");
    EXPECT_EQ(half("SSSSPQ--", 'S', '-'), "SSSSPS--");
}

TEST(RunIo, ReadAndWriteStayInsideThePicture) {
    Picture picture = Blank(13, 1, 'P');
    RowBuffer run = ReadRun(picture, 8, 0);
    EXPECT_EQ(RunText(run), "PPPPP---");
    run.fill(Letter('Q'));
    WriteRun(picture, 8, 0, run);
    EXPECT_EQ(RowText(picture, 0), "PPPPPPPPQQQQQ");
}
