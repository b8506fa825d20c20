#include "ConversionTestSupport.h"

#include "core/convert/Tms9918Conversion.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

using test::IndicesOfRow;
using test::RowOfIndices;
using test::StateFor;

using Indices = std::vector<int>;

std::vector<int> ConvertRow(const Indices& indices, bool rules, int kind = KindTms9918) {
    auto state = StateFor(RowOfIndices(kind, indices), kind);
    state->params.Rules9918 = rules;
    RunConversion(*state, ModeId::Graphic2);
    EXPECT_TRUE(state->complete);
    return IndicesOfRow(state->result, kind, 0);
}

TEST(Graphic2RulesTest, OneColourRunStaysUnchanged) {
    EXPECT_EQ(ConvertRow({6, 6, 6, 6, 6, 6, 6, 6}, true), (Indices{6, 6, 6, 6, 6, 6, 6, 6}));
}

TEST(Graphic2RulesTest, TwoColourRunStaysUnchanged) {
    EXPECT_EQ(ConvertRow({3, 12, 3, 12, 12, 3, 3, 3}, true), (Indices{3, 12, 3, 12, 12, 3, 3, 3}));
}

TEST(Graphic2RulesTest, ThirdColourTakesTheMostFrequentNotTheNearest) {
    // Counts 5:3, 7:2, 9:3: 5 wins the tie for first by its lower index, 9 is second.
    EXPECT_EQ(ConvertRow({5, 5, 5, 7, 7, 9, 9, 9}, true), (Indices{5, 5, 5, 5, 5, 9, 9, 9}));
    // Order in the run does not matter, only the counts.
    EXPECT_EQ(ConvertRow({9, 7, 5, 9, 5, 7, 9, 5}, true), (Indices{9, 5, 5, 9, 5, 5, 9, 5}));
}

TEST(Graphic2RulesTest, SecondColourIsTheRunnerUpAfterADisplacement) {
    // 2 counts 2 first, then 11 with 4 displaces it; 14 with 1 never beats 2.
    EXPECT_EQ(ConvertRow({2, 2, 11, 11, 11, 11, 14, 14}, true),
              (Indices{2, 2, 11, 11, 11, 11, 11, 11}));
}

TEST(Graphic2RulesTest, WithoutRulesEveryPixelKeepsItsNearestColour) {
    EXPECT_EQ(ConvertRow({5, 5, 5, 7, 7, 9, 9, 9}, false), (Indices{5, 5, 5, 7, 7, 9, 9, 9}));
}

TEST(Graphic2RulesTest, EveryRunOfARowIsSettledAndRowsAreSeparate) {
    const Indices row = {2, 3, 4, 2, 2, 3, 3, 3, 8, 8, 9, 10, 10, 10, 9, 8};
    Picture picture(16, 2);
    for (int x = 0; x < 16; ++x) {
        picture.setPixel(x, 0, PaletteColor(KindTms9918, row[std::size_t(x)]));
        picture.setPixel(x, 1, PaletteColor(KindTms9918, 15 - (x % 3)));
    }
    auto state = test::StateFor(picture);
    RunConversion(*state, ModeId::Graphic2);
    // Run 1: 2:3, 3:4, 4:1 -> 3 first, 2 second. Run 2: 8:3, 9:2, 10:3 -> 8, 10.
    EXPECT_EQ(IndicesOfRow(state->result, KindTms9918, 0),
              (Indices{2, 3, 3, 2, 2, 3, 3, 3, 8, 8, 8, 10, 10, 10, 8, 8}));
    // Row 1: 15 14 13 15 14 13 15 14: 15:3, 14:3, 13:2 -> 14 first, 15 second;
    // then 13 15 14 13 15 14 13 15: 13:3, 15:3, 14:2 -> 13 first, 15 second.
    EXPECT_EQ(IndicesOfRow(state->result, KindTms9918, 1),
              (Indices{15, 14, 14, 15, 14, 14, 15, 14, 13, 15, 13, 13, 15, 13, 13, 15}));
}

TEST(Graphic2RulesTest, LastRunOfANarrowRowOverlapsThePreviousRun) {
    // Width 12: the run at x = 8 settles 0..7; the row's last run covers 4..11 but counts
    // only the pixels 8..11 (8:3, 13:1), so 6 in 4..7 becomes 8.
    EXPECT_EQ(ConvertRow({2, 2, 2, 2, 6, 6, 6, 6, 8, 8, 13, 8}, true),
              (Indices{2, 2, 2, 2, 8, 8, 8, 8, 8, 8, 13, 8}));
}

TEST(Graphic2RulesTest, ARowNarrowerThanARunIsSettledWhole) {
    // 5:2 first, 4:1 second (6:1 does not beat the earlier 4).
    EXPECT_EQ(ConvertRow({4, 5, 6, 5}, true), (Indices{4, 5, 5, 5}));
}

TEST(Graphic2RulesTest, IndexZeroIsNeverACandidate) {
    // PC-8801 colours: index 0 (black) is in the range 0..7 but never kept.
    EXPECT_EQ(ConvertRow({0, 0, 0, 0, 1, 1, 2, 2}, true, KindPc8801),
              (Indices{1, 1, 1, 1, 1, 1, 2, 2}));
    // A run of index 0 alone becomes index 1, the start of the search.
    EXPECT_EQ(ConvertRow({0, 0, 0, 0, 0, 0, 0, 0}, true, KindPc8801),
              (Indices{1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(Graphic2RulesTest, TheFinalUnitSettlesTheLastRow) {
    auto state = StateFor(RowOfIndices(KindTms9918, {5, 5, 5, 7, 7, 9, 9, 9}, 2));
    PrepareConversion(*state, ModeId::Graphic2);
    EXPECT_EQ(state->work->end(), 8 * 2 + 1);
    state->budget = PassBudget(PassBudgetMs, 16);
    EXPECT_EQ(ContinueConversion(*state), false);
    EXPECT_EQ(state->progress, 16);
    // Row 1 converted pixel by pixel but not yet settled.
    EXPECT_EQ(IndicesOfRow(state->result, KindTms9918, 1), (Indices{5, 5, 5, 7, 7, 9, 9, 9}));
    EXPECT_EQ(IndicesOfRow(state->result, KindTms9918, 0), (Indices{5, 5, 5, 5, 5, 9, 9, 9}));
    EXPECT_TRUE(ContinueConversion(*state));
    EXPECT_EQ(state->progress, 17);
    EXPECT_EQ(IndicesOfRow(state->result, KindTms9918, 1), (Indices{5, 5, 5, 5, 5, 9, 9, 9}));
}

TEST(Graphic2Test, EveryPixelTakesItsNearestPaletteColour) {
    Picture picture(3, 1);
    picture.setPixel(0, 0, RgbColor(250, 250, 250)); // near white (15)
    picture.setPixel(1, 0, RgbColor(5, 5, 5));       // near black (1), not 0x202020 (0)
    picture.setPixel(2, 0, RgbColor(0x62, 0x5B, 0xA8));
    auto state = StateFor(picture);
    state->params.Rules9918 = false;
    RunConversion(*state, ModeId::Graphic2);
    EXPECT_EQ(IndicesOfRow(state->result, KindTms9918, 0), (Indices{15, 1, 4}));
}

TEST(Graphic2Test, ContrastZeroMapsEveryPixelToTheEntryNearestMidGrey) {
    auto state = StateFor(test::NaturalPicture(16, 8));
    state->params.Rules9918 = false;
    state->params.Balance.Contrast = 0;
    RunConversion(*state, ModeId::Graphic2);
    // (128,128,128) to entry 4 (98,91,168): 900 + 1369 + 1600 = 3869, nearer than any
    // other TMS9918 entry (entry 3 (124,207,108) 6657, entry 6 (182,97,72) 7013).
    for (ColorValue c : state->result.pixels())
        ASSERT_EQ(c, RgbColor(0x62, 0x5B, 0xA8));
}

TEST(Graphic2Test, EveryPixelMatchesItsOwnSearchWithWeightingAndBalance) {
    const Picture picture = test::NaturalPicture(96, 40, 4);
    for (bool weighted : {true, false}) {
        auto state = StateFor(picture);
        state->params.Rules9918 = false;
        state->params.NtscWeighting = weighted;
        state->params.Balance = {15, -10, 25, 5, 130};
        RunConversion(*state, ModeId::Graphic2);
        ConverterPalette palette;
        LoadConverterPalette(palette, KindTms9918);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 96; ++x) {
                const ColorRec adjusted =
                    AdjustColor(ColorRecFromColor(picture.pixel(x, y)), state->params.Balance);
                const int index = NearestPaletteIndex(palette, adjusted, 1, 15, weighted);
                ASSERT_EQ(state->result.pixel(x, y), PaletteColor(KindTms9918, index))
                    << x << "," << y;
            }
        }
    }
}

TEST(MultiColorTest, BlocksTakeTheirTopLeftPixelAndPartialColumnsKeepTheSource) {
    Picture picture = test::NaturalPicture(250, 9);
    auto state = StateFor(picture);
    RunConversion(*state, ModeId::MultiColor);
    EXPECT_TRUE(state->complete);
    for (int by = 0; by < 2; ++by) {
        for (int bx = 0; bx < 62; ++bx) {
            const ColorValue expected = state->result.pixel(4 * bx, 4 * by);
            ASSERT_GE(PaletteIndexOf(expected, KindTms9918), 1);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    ASSERT_EQ(state->result.pixel(4 * bx + x, 4 * by + y), expected);
        }
    }
    // 62 block columns: the two right columns and the ninth row are the source.
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(state->result.pixel(248, y), picture.pixel(248, y));
        EXPECT_EQ(state->result.pixel(249, y), picture.pixel(249, y));
    }
    for (int x = 0; x < 250; ++x)
        ASSERT_EQ(state->result.pixel(x, 8), picture.pixel(x, 8));
}

TEST(MultiColorTest, OnlyTheTopLeftPixelIsSampled) {
    Picture picture(4, 4, RgbColor(255, 255, 255));
    picture.setPixel(0, 0, RgbColor(0, 0, 0));
    auto state = StateFor(picture);
    RunConversion(*state, ModeId::MultiColor);
    for (ColorValue c : state->result.pixels())
        ASSERT_EQ(c, PaletteColor(KindTms9918, 1));
}

} // namespace
} // namespace murelo
