#include "ConversionTestSupport.h"

#include "core/convert/AdjustQuantize.h"
#include "core/convert/V9938Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace murelo {
namespace {

using test::StateFor;

constexpr ModeId Screen5 = ModeId::Screen5, Screen6 = ModeId::Screen6, Screen7 = ModeId::Screen7,
                 Screen8 = ModeId::Screen8, Screen8Diffusion1D = ModeId::Screen8Diffusion1D,
                 Screen8FloydSteinberg = ModeId::Screen8FloydSteinberg;

// The errors of the running SCREEN 8 diffusion.
const DiffusionErrors& ErrorsOf(const ConversionState& state) {
    return test::WorkOf<Screen8DiffusionMode>(state).errors();
}

constexpr ColorValue Grey(int v) {
    return RgbColor(v, v, v);
}

std::unique_ptr<ConversionState> Converted(const Picture& source, ModeId mode,
                                           void (*set)(ConversionParameters&) = nullptr) {
    auto state = StateFor(source);
    if (set)
        set(state->params);
    RunConversion(*state, mode);
    EXPECT_TRUE(state->complete);
    return state;
}

TEST(AdjustQuantizeTest, LevelBoundariesOfThe512Grid) {
    auto state = StateFor(Picture(1, 1));
    EXPECT_EQ(AdjustQuantize(*state, Grey(31), Quantize512, false, 0), Grey(6));
    EXPECT_EQ(AdjustQuantize(*state, Grey(32), Quantize512, false, 0), Grey(32));
    EXPECT_EQ(AdjustQuantize(*state, Grey(255), Quantize512, false, 0), Grey(247));
    EXPECT_EQ(AdjustQuantize(*state, RgbColor(1, 2, 3), QuantizeNone, false, 0), RgbColor(1, 2, 3));
}

TEST(AdjustQuantizeTest, Screen8BytePacksGreenRedBlueLevels) {
    auto state = StateFor(Picture(1, 1));
    // Red 100: level 3 (104); green 200: level 6 (216); blue 150: 2-bit level 2 (144).
    EXPECT_EQ(AdjustQuantize(*state, RgbColor(100, 200, 150), QuantizeScreen8, true, 7),
              RgbColor(104, 216, 144));
    EXPECT_EQ(state->screenBytes[7], 6 << 5 | 3 << 2 | 2);
    EXPECT_EQ(state->screenBytes[6], 0);
}

TEST(AdjustQuantizeTest, ContrastTwoHundredExample) {
    auto state = StateFor(Picture(1, 1));
    state->params.Balance.Contrast = 200;
    // 129 becomes 192 (level 6, 216), 127 becomes 64 (level 2, 72).
    EXPECT_EQ(AdjustQuantize(*state, RgbColor(129, 127, 128), Quantize512, false, 0),
              RgbColor(216, 72, 144));
}

TEST(AdjustQuantizeTest, DiffuseAddsTheCarriedErrorBeforeTheBalance) {
    auto state = StateFor(Picture(1, 1));
    ErrorTriple out;
    EXPECT_EQ(AdjustQuantizeDiffuse(*state, Grey(255), QuantizeScreen8, false, 0, {}, out),
              Grey(247));
    EXPECT_EQ(out, (ErrorTriple{8, 8, 8}));
    // 40 + 10 = 50: level 1 (32), error 18; 40 - 30 = 10: level 0 (6), error 4;
    // blue 40 + 30 = 70: 2-bit level 1 (72), error -2.
    EXPECT_EQ(
        AdjustQuantizeDiffuse(*state, Grey(40), QuantizeScreen8, false, 0, {10, -30, 30}, out),
        RgbColor(32, 6, 72));
    EXPECT_EQ(out, (ErrorTriple{18, 4, -2}));
}

TEST(Screen8Test, WhiteGivesFullBytesInEveryItem) {
    for (ModeId mode :
         {Screen8, Screen8Diffusion1D, ModeId::Screen8Diffusion2D, Screen8FloydSteinberg}) {
        auto state = Converted(Picture(256, 3, 0xFFFFFF), mode);
        for (ColorValue c : state->result.pixels()) {
            ASSERT_EQ(c, Grey(247)) << int(mode);
        }
        for (int i = 0; i < 256 * 3; ++i) {
            ASSERT_EQ(state->screenBytes[std::size_t(i)], 0xFF) << int(mode);
        }
        if (mode != Screen8) {
            EXPECT_EQ(ErrorsOf(*state).current, (ErrorTriple{8, 8, 8}));
        }
    }
}

TEST(Screen8Test, BytesAreStoredOnlyFor256WideUpTo212High) {
    struct Size {
        int w, h;
        bool stores;
    };
    for (Size size :
         {Size{256, 212, true}, Size{256, 213, false}, Size{255, 4, false}, Size{512, 4, false}}) {
        auto state = StateFor(Picture(size.w, size.h, 0xFFFFFF));
        RunConversion(*state, Screen8FloydSteinberg);
        const std::size_t last = std::min(std::size_t(size.w * size.h), ScreenBytesSize) - 1;
        EXPECT_EQ(state->screenBytes[last], size.stores ? 0xFF : 0x00) << size.w << "x" << size.h;
        EXPECT_EQ(state->screenBytes[0], size.stores ? 0xFF : 0x00);
    }
}

TEST(DiffusionTest, FloydSteinbergSharesOfFifteen) {
    // (6,6,6) snaps to itself; red 47 snaps to 32 and leaves +15.
    Picture picture(3, 2, Grey(6));
    picture.setPixel(1, 0, RgbColor(47, 6, 6));
    auto state = StateFor(picture);
    PrepareConversion(*state, Screen8FloydSteinberg);
    state->budget = PassBudget(PassBudgetMs, 2);
    ContinueConversion(*state);
    ASSERT_EQ(state->progress, 2);
    const DiffusionErrors& errors = ErrorsOf(*state);
    EXPECT_EQ(errors.current, (ErrorTriple{15, 0, 0}));
    EXPECT_EQ(errors.at(2, 0).R, 6); // 15 * 7 / 16
    EXPECT_EQ(errors.at(0, 1).R, 2); // 15 * 3 / 16
    EXPECT_EQ(errors.at(1, 1).R, 4); // 15 * 5 / 16
    EXPECT_EQ(errors.at(2, 1).R, 0); // 15 / 16
    EXPECT_EQ(errors.at(2, 0).G, 0);
}

TEST(DiffusionTest, NegativeSharesTruncateTowardZero) {
    DiffusionErrors errors(3, 2);
    SpreadErrorFloydSteinberg(errors, 3, 2, 1, 0, {-15, 15, 1});
    EXPECT_EQ(errors.at(2, 0), (ErrorTriple{-6, 6, 0}));
    EXPECT_EQ(errors.at(0, 1), (ErrorTriple{-2, 2, 0}));
    EXPECT_EQ(errors.at(1, 1), (ErrorTriple{-4, 4, 0}));
    EXPECT_EQ(errors.at(2, 1), (ErrorTriple{0, 0, 0}));
}

TEST(DiffusionTest, SharesAddToWhatNeighboursHold) {
    DiffusionErrors errors(3, 2);
    SpreadError2D(errors, 3, 2, 0, 0, {15, -15, 4});
    SpreadError2D(errors, 3, 2, 1, 0, {15, -15, 4});
    EXPECT_EQ(errors.at(1, 0), (ErrorTriple{7, -7, 2})); // 15/2 from (0,0)
    EXPECT_EQ(errors.at(2, 0), (ErrorTriple{7, -7, 2})); // from (1,0)
    EXPECT_EQ(errors.at(0, 1), (ErrorTriple{3, -3, 1})); // below (0,0)
    EXPECT_EQ(errors.at(1, 1), (ErrorTriple{6, -6, 2})); // below-right + below
    EXPECT_EQ(errors.at(2, 1), (ErrorTriple{3, -3, 1})); // below-right of (1,0)
}

TEST(DiffusionTest, NothingLandsRightOfTheLastColumnOrBelowTheLastRow) {
    // A buffer a row taller than the picture shows what would land below it.
    DiffusionErrors errors(3, 3);
    for (auto spread : {SpreadError1D, SpreadError2D, SpreadErrorFloydSteinberg}) {
        spread(errors, 3, 2, 2, 0, {16, 16, 16}); // rightmost column
        spread(errors, 3, 2, 1, 1, {16, 16, 16}); // last row
    }
    EXPECT_EQ(errors.at(3, 0), ErrorTriple{}); // the spare column
    EXPECT_EQ(errors.at(3, 1), ErrorTriple{});
    EXPECT_EQ(errors.at(0, 2), ErrorTriple{});
    EXPECT_EQ(errors.at(1, 2), ErrorTriple{});
    EXPECT_EQ(errors.at(2, 2), ErrorTriple{});
    // Last row: only the right neighbour (1D 16, 2D 8, Floyd-Steinberg 7).
    EXPECT_EQ(errors.at(2, 1).R, 16 + 8 + 7 + 4 + 5); // + below shares from (2,0): 2D 4, FS 5
}

TEST(DiffusionTest, OneDimensionalErrorNeverWrapsToTheNextRow) {
    Picture picture(2, 2, Grey(6));
    picture.setPixel(1, 0, RgbColor(47, 6, 6));
    auto state = StateFor(picture);
    PrepareConversion(*state, Screen8Diffusion1D);
    state->budget = PassBudget(PassBudgetMs, 2);
    ContinueConversion(*state);
    EXPECT_EQ(ErrorsOf(*state).at(0, 1), ErrorTriple{});
    EXPECT_EQ(ErrorsOf(*state).at(2, 0), ErrorTriple{});
}

TEST(DiffusionTest, ErrorsPushTheNextPixelAcrossALevel) {
    // Red 47 leaves +15; the next red 20 (level 0) becomes 35 (level 1, 32) in 1D.
    Picture picture(2, 1, Grey(6));
    picture.setPixel(0, 0, RgbColor(47, 6, 6));
    picture.setPixel(1, 0, RgbColor(20, 6, 6));
    auto state = Converted(picture, Screen8Diffusion1D);
    EXPECT_EQ(state->result.pixel(1, 0), RgbColor(32, 6, 6));
    auto plain = Converted(picture, Screen8);
    EXPECT_EQ(plain->result.pixel(1, 0), RgbColor(6, 6, 6));
}

TEST(DiffusionTest, ErrorsAreClearedAtEveryStart) {
    const Picture picture = test::NaturalPicture(20, 12, 3);
    auto fresh = Converted(picture, Screen8FloydSteinberg);
    auto reused = StateFor(test::NaturalPicture(24, 14, 9));
    RunConversion(*reused, Screen8FloydSteinberg);
    reused->source = picture;
    RunConversion(*reused, Screen8FloydSteinberg);
    EXPECT_EQ(reused->result, fresh->result);
}

// Rows of distinct greys: 0 -> 6, 40 -> 32, 80 -> 72, 110 -> 104 on the 512 grid.
Picture FourGreyRows() {
    Picture picture(2, 4);
    const int greys[] = {0, 40, 80, 110};
    for (int y = 0; y < 4; ++y)
        picture.fillRect(0, y, 2, 1, Grey(greys[y]));
    return picture;
}

std::vector<int> RowGreys(const Picture& picture) {
    std::vector<int> greys;
    for (int y = 0; y < picture.height(); ++y)
        greys.push_back(RedOf(picture.pixel(1, y)));
    return greys;
}

TEST(Screen6Test, OddLineShowsTheSecondRowOfEachPair) {
    auto odd =
        Converted(FourGreyRows(), Screen6, [](ConversionParameters& p) { p.OddLine = true; });
    EXPECT_EQ(RowGreys(odd->result), (std::vector<int>{32, 32, 104, 104}));
    auto even = Converted(FourGreyRows(), Screen7);
    EXPECT_EQ(RowGreys(even->result), (std::vector<int>{6, 6, 72, 72}));
    auto interlaced = Converted(FourGreyRows(), Screen6, [](ConversionParameters& p) {
        p.Interlace = true;
        p.OddLine = true; // ignored with Interlace
    });
    EXPECT_EQ(RowGreys(interlaced->result), (std::vector<int>{6, 32, 72, 104}));
}

TEST(Screen6Test, OddHeightWithOddLineSamplesTheLastRowItself) {
    Picture picture = FourGreyRows();
    Picture three(2, 3);
    for (int y = 0; y < 3; ++y)
        three.fillRect(0, y, 2, 1, picture.pixel(0, y));
    auto state = Converted(three, Screen7, [](ConversionParameters& p) { p.OddLine = true; });
    EXPECT_EQ(RowGreys(state->result), (std::vector<int>{32, 32, 72}));
}

TEST(Screen5Test, InterlacePairsTakeTheirLeftPixel) {
    Picture picture(512, 2);
    for (int x = 0; x < 512; ++x)
        for (int y = 0; y < 2; ++y)
            picture.setPixel(x, y,
                             x % 2 ? RgbColor(255, 0, 255) // never read
                                   : (x % 4 ? Grey(40) : Grey(110)));
    auto state = Converted(picture, Screen5, [](ConversionParameters& p) { p.Interlace = true; });
    EXPECT_EQ(state->work->end(), 256 * 2);
    for (int x = 0; x < 512; ++x)
        ASSERT_EQ(state->result.pixel(x, 1), (x / 2) % 2 ? Grey(32) : Grey(104)) << x;
    // Two colours only: the quantizer keeps them, fills with white and sorts dark to bright.
    EXPECT_EQ(state->quantizerPalette[0], (QuantizerEntry{32, 32, 32, 0}));
    EXPECT_EQ(state->quantizerPalette[1], (QuantizerEntry{104, 104, 104, 0}));
    EXPECT_EQ(state->quantizerPalette[15], (QuantizerEntry{255, 255, 255, 0}));
}

TEST(Screen5Test, InterlaceOnAnOddWidthLeavesTheLastColumnAsTheSource) {
    const Picture picture(5, 3, Grey(200));
    auto state = Converted(picture, Screen5, [](ConversionParameters& p) { p.Interlace = true; });
    EXPECT_EQ(state->work->end(), 6); // (5 / 2) * 3, not 5 * 3 / 2 = 7
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(state->result.pixel(3, y), Grey(216));
        EXPECT_EQ(state->result.pixel(4, y), Grey(200));
    }
}

TEST(Screen5Test, WithoutInterlaceEveryPixelIsOnTheGrid) {
    auto state = Converted(Picture(3, 1, RgbColor(31, 32, 255)), Screen5);
    EXPECT_EQ(state->work->end(), 3);
    EXPECT_EQ(state->result.pixel(2, 0), RgbColor(6, 32, 247));
}

std::set<ColorValue> ColoursOf(const Picture& picture) {
    return {picture.pixels().begin(), picture.pixels().end()};
}

TEST(PaletteModesTest, ResultIsReducedToThePaletteOfTheMode) {
    const Picture picture = test::NaturalPicture(40, 30, 5);
    for (auto [mode, n] : {std::pair{Screen5, 16}, std::pair{Screen6, 4}, std::pair{Screen7, 16}}) {
        auto state = Converted(picture, mode);
        const auto colours = ColoursOf(state->result);
        EXPECT_LE(colours.size(), std::size_t(n)) << mode;
        EXPECT_GT(colours.size(), 1u) << mode;
        std::set<ColorValue> palette;
        for (int i = 0; i < 16; ++i) {
            const QuantizerEntry& e = state->quantizerPalette[std::size_t(i)];
            palette.insert(RgbColor(e.Red, e.Green, e.Blue));
        }
        for (ColorValue c : colours)
            EXPECT_TRUE(palette.count(c)) << mode << " " << std::hex << c;
        if (n == 4) {
            for (int i = 4; i < 16; ++i)
                EXPECT_EQ(state->quantizerPalette[std::size_t(i)], QuantizerEntry{});
        }
    }
}

} // namespace
} // namespace murelo
