#include "core/convert/Graphic2Dither.h"

#include "ConversionTestSupport.h"
#include "core/convert/DitherSpace.h"
#include "core/convert/PerceptualError.h"
#include "core/convert/RunPairSearch.h"
#include "core/editor/ColorCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

namespace murelo {
namespace {

using test::StateFor;

Picture Converted(const Picture& source, int kind, int strength = 95,
                  const ColorBalance& balance = {}) {
    auto state = StateFor(source, kind);
    state->params.DitherStrength = strength;
    state->params.Balance = balance;
    RunConversion(*state, ModeId::Graphic2Dithered);
    EXPECT_TRUE(state->complete);
    return state->result;
}

Picture Undithered(const Picture& source, int kind) {
    auto state = StateFor(source, kind);
    RunConversion(*state, ModeId::Graphic2);
    return state->result;
}

Picture NoisePicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Picture picture(width, height);
    for (ColorValue& c : picture.pixels())
        c = random() & 0xFFFFFF;
    return picture;
}

int Offences(const Picture& picture, int kind) {
    Picture overlay;
    return ColorCheck(picture, kind, false, overlay, {}).errors;
}

TEST(Graphic2DitherTest, EveryRunKeepsTwoColoursOnRandomPicturesInEveryChipPalette) {
    for (int kind = KindTms9918; kind <= KindV9938; ++kind) {
        for (int strength : {0, 60, 100}) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " strength " << strength);
            for (const Picture& source : {NoisePicture(64, 24, unsigned(kind * 7 + strength)),
                                          test::NaturalPicture(37, 21, unsigned(kind + 1)),
                                          test::NaturalPicture(256, 16, unsigned(kind + 40))}) {
                const Picture result = Converted(source, kind, strength);
                EXPECT_EQ(Offences(result, kind), 0);
                const IndexRange& range = ConversionRange(kind);
                for (ColorValue c : result.pixels()) {
                    const int index = PaletteIndexOf(c, kind);
                    ASSERT_GE(index, range.first);
                    ASSERT_LE(index, range.last);
                }
            }
        }
    }
}

// A run of random targets around and beyond the palette's colours.
RunTargets RandomRun(std::mt19937& random, const ConverterPalette& palette) {
    RunTargets run;
    run.count = int(random() % DitherRunLength) + 1;
    std::uniform_int_distribution<int> spread(-3000, 3000);
    for (int i = 0; i < run.count; ++i) {
        ColorRec rgb;
        if (random() % 4 == 0) { // exactly a palette colour, as drawings have
            rgb = palette[random() % PaletteEntries];
            run.exact[std::size_t(i)] = true;
        } else {
            rgb.R = int(random() % 256);
            rgb.G = int(random() % 256);
            rgb.B = int(random() % 256);
        }
        DitherPoint t = DitherPointOf(rgb);
        if (!run.exact[std::size_t(i)])
            for (int32_t& v : t)
                v += spread(random);
        run.target[std::size_t(i)] = t;
        run.weight[std::size_t(i)] = DitherWeightOf(rgb);
        // Now and then a weight the colour would not give, down to none at all.
        run.chroma[std::size_t(i)] =
            random() % 8 == 0 ? int(random() % 257) : DitherChromaWeightOf(rgb);
    }
    for (int32_t& v : run.carryIn)
        v = spread(random);
    return run;
}

TEST(Graphic2DitherTest, PrunedSearchChoosesWhatThePlainSearchChooses) {
    // The four-colour sets repeat a colour, so their pairs tie and the earliest must win.
    for (int kind : {KindTms9918, KindV9938, KindPc8801, KindColor4_1, KindColor4_6}) {
        SCOPED_TRACE(testing::Message() << "kind " << kind);
        auto state = StateFor(Picture(8, 1), kind);
        LoadConverterPalette(state->palette, kind);
        state->params.DitherStrength = 100;
        PrepareGraphic2Dither(*state);
        const DitherWork& work = state->dither;
        const RunLimits limits{work.shares.ahead};
        std::mt19937 random(unsigned(kind) + 5);
        const int count = int(work.candidates.size());
        for (int trial = 0; trial < 4000; ++trial) {
            const RunTargets run = RandomRun(random, state->palette);
            const int plain = SearchRunPlain(run, work.candidates, limits);
            const int hint = int(random() % unsigned(count));
            ASSERT_EQ(SearchRunPruned(run, work.candidates, limits, hint), plain)
                << "trial " << trial << " hint " << hint;
        }
    }
}

TEST(Graphic2DitherTest, AmongEqualCostsTheEarliestCandidateWinsWhateverIsTriedFirst) {
    auto state = StateFor(Picture(8, 1), KindTms9918);
    LoadConverterPalette(state->palette, KindTms9918);
    PrepareGraphic2Dither(*state);
    const DitherWork& work = state->dither;
    const RunLimits limits{work.shares.ahead};
    RunTargets run; // eight pixels of palette colour 4: every pair holding 4 costs nothing
    run.count = DitherRunLength;
    for (int i = 0; i < DitherRunLength; ++i) {
        run.target[std::size_t(i)] = DitherPointOf(state->palette[4]);
        run.weight[std::size_t(i)] = 16;
        run.exact[std::size_t(i)] = true;
    }
    const int plain = SearchRunPlain(run, work.candidates, limits);
    const PairCandidate& chosen = work.candidates[std::size_t(plain)];
    EXPECT_EQ(chosen.second, 4); // (1, 4) comes before (4, 4)
    EXPECT_EQ(chosen.first, 1);
    for (int hint = 0; hint < int(work.candidates.size()); ++hint)
        ASSERT_EQ(SearchRunPruned(run, work.candidates, limits, hint), plain) << hint;
}

TEST(Graphic2DitherTest, OffLightnessErrorsCountLessTheMoreSaturatedTheColour) {
    struct Case {
        ColorRec rgb;
        int low;
        int high;
    };
    // Greys count chroma fully; CIELAB chroma of sRGB red is about 105, of blue about 134.
    const Case cases[] = {{{0, 0, 0}, 256, 256},       {{128, 128, 128}, 256, 256},
                          {{255, 255, 255}, 256, 256}, {{255, 200, 200}, 129, 240},
                          {{255, 0, 0}, 30, 50},       {{0, 0, 255}, 20, 36}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rgb.R << "," << c.rgb.G << "," << c.rgb.B);
        const int weight = DitherChromaWeightOf(c.rgb);
        EXPECT_GE(weight, c.low);
        EXPECT_LE(weight, c.high);
    }
    EXPECT_LT(DitherChromaWeightOf({0, 0, 255}), DitherChromaWeightOf({255, 0, 0}));
}

TEST(Graphic2DitherTest, WithoutChromaWeightTheSearchMatchesLightnessAlone) {
    // A grey as light as medium red (8): weighed fully, a grey or a near-grey mix wins;
    // with the opponent axes not counted, any colour of that lightness does, and the
    // chosen pixels lie no farther in lightness than the nearest colour of the palette.
    auto state = StateFor(Picture(8, 1), KindTms9918);
    LoadConverterPalette(state->palette, KindTms9918);
    PrepareGraphic2Dither(*state);
    const DitherWork& work = state->dither;
    const RunLimits limits{0};
    const std::int32_t light = DitherPointOf(state->palette[8])[0];
    RunTargets run;
    run.count = DitherRunLength;
    run.target.fill({light, 0, 0});
    run.weight.fill(16);
    auto lightnessError = [&](int index) {
        return std::abs(DitherPointOf(state->palette[std::size_t(index)])[0] - light);
    };
    auto drawnIndices = [&] {
        const PairCandidate& pair =
            work.candidates[std::size_t(SearchRunPlain(run, work.candidates, limits))];
        const RunDrawing drawing = DrawRun(run, pair, limits);
        std::set<int> drawn;
        for (int i = 0; i < run.count; ++i)
            drawn.insert(drawing.second[std::size_t(i)] ? pair.second : pair.first);
        return drawn;
    };
    EXPECT_FALSE(drawnIndices().count(8)) << "red is far from grey in chroma";
    run.chroma.fill(0);
    for (int index : drawnIndices())
        EXPECT_EQ(lightnessError(index), 0) << index;
}

TEST(Graphic2DitherTest, FlatPaletteAreasAndNearBlackStayFlatBesideDetail) {
    // Left half: bands of black, white and colour 7 (each a multiple of eight wide), then a
    // near-black band; right half: a busy natural picture whose errors reach the bands. The
    // palette bands never change. The near-black band stays black but for its run next to
    // the detail, up to the default strength; undamped (100) the error may reach further.
    const Picture detail = test::NaturalPicture(64, 48, 4);
    Picture source(128, 48);
    const ColorValue bands[] = {PaletteColor(KindTms9918, 1), PaletteColor(KindTms9918, 15),
                                PaletteColor(KindTms9918, 7), RgbColor(14, 12, 18)};
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 128; ++x)
            source.setPixel(x, y, x < 64 ? bands[x / 16] : detail.pixel(x - 64, y));
    const ColorValue expected[] = {bands[0], bands[1], bands[2], PaletteColor(KindTms9918, 1)};
    for (int strength : {0, 50, 95, 100}) {
        const Picture result = Converted(source, KindTms9918, strength);
        const int flatWidth = strength <= 95 ? 56 : 48;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < flatWidth; ++x)
                ASSERT_EQ(result.pixel(x, y), expected[x / 16])
                    << x << "," << y << " strength " << strength;
    }
}

TEST(Graphic2DitherTest, DiffusionMixesAColourThePaletteLacks) {
    // A flat orange between palette colours: without diffusion every run takes the same
    // single colour; with it the runs mix colours and the picture looks closer.
    const Picture source(64, 32, RgbColor(230, 140, 60));
    const Picture flat = Converted(source, KindTms9918, 0);
    for (ColorValue c : flat.pixels())
        ASSERT_EQ(c, flat.pixel(0, 0));
    const Picture mixed = Converted(source, KindTms9918, 95);
    const int colours =
        int(std::set<ColorValue>(mixed.pixels().begin(), mixed.pixels().end()).size());
    EXPECT_GE(colours, 2);
    EXPECT_LT(ComparePictures(source, mixed).meanDeltaE,
              ComparePictures(source, flat).meanDeltaE - 2.0);
}

Picture StarField(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Picture picture(width, height);
    for (ColorValue& c : picture.pixels())
        c = RgbColor(int(5 + random() % 4), int(7 + random() % 4), int(12 + random() % 5));
    for (int star = 0; star < width * height / 200; ++star) {
        const int v = 40 + int(random() % 170);
        picture.setPixel(int(random() % unsigned(width)), int(random() % unsigned(height)),
                         RgbColor(v, v, std::min(255, v + 20)));
    }
    return picture;
}

TEST(Graphic2DitherTest, AStarFieldKeepsItsBlackSkyAndLooksNoWorseThanUndithered) {
    const Picture source = StarField(256, 96, 17);
    for (int strength : {50, 95, 100}) {
        SCOPED_TRACE(testing::Message() << "strength " << strength);
        const Picture result = Converted(source, KindTms9918, strength);
        int darkSky = 0, sky = 0;
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                if (RedOf(source.pixel(x, y)) < 20) {
                    ++sky;
                    darkSky += result.pixel(x, y) == PaletteColor(KindTms9918, 1);
                }
        EXPECT_GT(darkSky, sky * 97 / 100);
        EXPECT_LE(ComparePictures(source, result).meanDeltaE,
                  ComparePictures(source, Undithered(source, KindTms9918)).meanDeltaE + 0.5);
    }
}

TEST(Graphic2DitherTest, TheColourBalanceActsBeforeTheDither) {
    const Picture source = test::NaturalPicture(40, 16, 9);
    const ColorBalance balance{30, -20, 10, 15, 140};
    Picture adjusted = source;
    for (ColorValue& c : adjusted.pixels())
        c = ColorOfRec(AdjustColor(ColorRecFromColor(c), balance));
    EXPECT_EQ(Converted(source, KindTms9918, 95, balance), Converted(adjusted, KindTms9918, 95));
    EXPECT_NE(Converted(source, KindTms9918, 95, balance), Converted(source, KindTms9918, 95));
}

TEST(Graphic2DitherTest, TheModeIsTheFourthOfThePageAndStartsWithTheCoarsePreview) {
    EXPECT_EQ(Graphic2DitheredModeName, "Graphic 2 (SCREEN 2) Dithered");
    auto state = StateFor(test::NaturalPicture(64, 64, 2), KindTms9918);
    state->budget = PassBudget(60000, 3);
    EXPECT_FALSE(StartConversion(*state, ModeId::Graphic2Dithered));
    EXPECT_EQ(state->progress, 3);
    EXPECT_EQ(state->work->end(), 8 * 64);
    // Below the first runs the result still shows the 8 x 8 blocks of the preview.
    const ColorValue block = state->result.pixel(8, 8);
    EXPECT_EQ(PaletteIndexOf(block, KindTms9918) >= 1, true);
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            ASSERT_EQ(state->result.pixel(x, y), block);
}

} // namespace
} // namespace murelo
