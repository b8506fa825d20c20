#include "core/convert/Graphic2Dither.h"

#include "ConversionTestSupport.h"
#include "core/convert/DitherField.h"
#include "core/convert/DitherSpace.h"
#include "core/convert/GamutMap.h"
#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualError.h"
#include "core/convert/RunPairSearch.h"
#include "core/editor/ColorCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>

namespace murelo {
namespace {

using test::NoisePicture;
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

Picture StarFieldPicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Picture picture(width, height);
    for (ColorValue& c : picture.pixels())
        c = RgbColor(int(5 + random() % 4), int(7 + random() % 4), int(12 + random() % 5));
    // Faint glows of distant galaxies, a few pixels across.
    for (int glow = 0; glow < width * height / 400; ++glow) {
        const int cx = int(random() % unsigned(width)), cy = int(random() % unsigned(height));
        for (int y = std::max(0, cy - 4); y < std::min(height, cy + 5); ++y)
            for (int x = std::max(0, cx - 4); x < std::min(width, cx + 5); ++x) {
                const double f = std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / 4.0);
                const ColorValue c = picture.pixel(x, y);
                picture.setPixel(x, y,
                                 RgbColor(RedOf(c) + int(18 * f), GreenOf(c) + int(18 * f),
                                          BlueOf(c) + int(24 * f)));
            }
    }
    for (int star = 0; star < width * height / 200; ++star) {
        const int v = 40 + int(random() % 170);
        picture.setPixel(int(random() % unsigned(width)), int(random() % unsigned(height)),
                         RgbColor(v, v, std::min(255, v + 20)));
    }
    return picture;
}

TEST(Graphic2DitherTest, AStarFieldKeepsItsBlackSkyAndItsFaintGlows) {
    const Picture source = StarFieldPicture(256, 96, 17);
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
        const PerceptualScore dithered = ComparePictures(source, result);
        const PerceptualScore undithered = ComparePictures(source, Undithered(source, KindTms9918));
        EXPECT_LE(dithered.meanDeltaE, undithered.meanDeltaE + 0.5);
        // From the default strength up, the glows keep their shape better than the
        // undithered mode's black, rather than turning into a scatter of lone dots.
        if (strength >= 95) {
            EXPECT_GE(dithered.ssim, undithered.ssim + 0.02);
        }
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
    EXPECT_EQ(state->work->end(), Graphic2DitherEnd(64, 64));
    EXPECT_EQ(Graphic2DitherEnd(0, 5), 0);
    // Until the last unit draws the result, it shows the 8 x 8 blocks of the preview.
    const ColorValue block = state->result.pixel(8, 8);
    EXPECT_GE(PaletteIndexOf(block, KindTms9918), 1);
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            ASSERT_EQ(state->result.pixel(x, y), block);
}

// A conversion with `threads` threads whose passes end after `unitsPerPass` units (0: run
// whole).
Picture ConvertedWith(const Picture& source, int kind, int strength, int threads,
                      int unitsPerPass) {
    auto state = StateFor(source, kind);
    state->params.DitherStrength = strength;
    state->budget = PassBudget(60000, unitsPerPass);
    PrepareConversion(*state, ModeId::Graphic2Dithered);
    PrepareGraphic2Dither(*state, threads);
    int passes = 0;
    while (!ContinueConversion(*state) && ++passes < 1000) {
    }
    EXPECT_TRUE(state->complete);
    return state->result;
}

TEST(Graphic2DitherTest, TheResultIsTheSameForEveryThreadCountAndWhereverPassesEnd) {
    // Heights of one band, of several with a short last one, and a picture of one run.
    struct Case {
        Picture source;
        int kind;
        int strength;
    };
    const Case cases[] = {
        {test::NaturalPicture(70, 53, 3), KindTms9918, 95},
        {NoisePicture(37, 16, 4), KindBlueMsx1, 100},
        {test::NaturalPicture(9, 5, 5), KindV9938, 60},
        {StarFieldPicture(64, 80, 6), KindTms9929, 95},
        {test::NaturalPicture(45, 37, 7), KindColor4_1, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.source.width() << " x " << c.source.height() << " kind " << c.kind);
        const Picture one = ConvertedWith(c.source, c.kind, c.strength, 1, 0);
        for (int threads : {2, 3, 4})
            EXPECT_TRUE(ConvertedWith(c.source, c.kind, c.strength, threads, 0) == one)
                << threads << " threads";
        // Passes that end before, inside and after runs of band passes taken together.
        for (int threads : {1, 2})
            for (int units : {1, 2, 3})
                EXPECT_TRUE(ConvertedWith(c.source, c.kind, c.strength, threads, units) == one)
                    << threads << " threads, " << units << " units a pass";
    }
}

TEST(Graphic2DitherTest, FaintShapesOnADarkGroundStayVisible) {
    // A lattice of faint lines on a dark ground, as the towers of a night photograph: the
    // lines take dots of the palette's colours, the ground between them stays black, and
    // the shapes survive better than the undithered mode keeps them.
    Picture source(128, 64, RgbColor(6, 7, 12));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            if (x % 16 < 2 || y % 16 < 2)
                source.setPixel(x, y, RgbColor(40, 44, 62));
    const Picture result = Converted(source, KindTms9918);
    const ColorValue black = PaletteColor(KindTms9918, 1);
    int lit = 0, lines = 0, litGround = 0, ground = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool line = x % 16 < 2 || y % 16 < 2;
            const bool far = x % 16 >= 5 && x % 16 <= 13 && y % 16 >= 5 && y % 16 <= 13;
            if (line) {
                ++lines;
                lit += result.pixel(x, y) != black;
            } else if (far) {
                ++ground;
                litGround += result.pixel(x, y) != black;
            }
        }
    EXPECT_GT(lit, lines / 10);
    EXPECT_EQ(litGround, 0);
    EXPECT_GT(ComparePictures(source, result).ssim,
              ComparePictures(source, Undithered(source, KindTms9918)).ssim + 0.1);
}

} // namespace
} // namespace murelo
