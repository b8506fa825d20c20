#include "core/convert/PerceptualError.h"

#include "core/convert/ConversionReadout.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace murelo {
namespace {

struct DeltaCase {
    LabColor first;
    LabColor second;
    double expected;
};

// The 34 reference pairs published with the CIEDE2000 implementation notes of Sharma, Wu
// and Dalal (2005); they exercise the hue wrap-around, the mean-hue cases and neutral colours.
const DeltaCase ReferencePairs[] = {
    {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
    {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
    {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
    {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
    {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
    {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
    {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
    {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
    {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

TEST(PerceptualErrorTest, Ciede2000MatchesThePublishedPairsToFourDecimals) {
    int pair = 1;
    for (const DeltaCase& c : ReferencePairs) {
        SCOPED_TRACE(testing::Message() << "pair " << pair++);
        EXPECT_NEAR(Ciede2000(c.first, c.second), c.expected, 0.00005);
        // The difference is symmetric.
        EXPECT_NEAR(Ciede2000(c.second, c.first), c.expected, 0.00005);
    }
}

TEST(PerceptualErrorTest, TheFastDifferenceEqualsThePlainOneButForRounding) {
    // The published pairs, random pairs, and the definition's own branches: neutral colours
    // (no hue), equal colours, hues exactly opposite and the mean hue's wrap past 0 degrees.
    std::vector<std::pair<LabColor, LabColor>> pairs;
    for (const DeltaCase& c : ReferencePairs)
        pairs.push_back({c.first, c.second});
    pairs.push_back({{40, 0, 0}, {60, 0, 0}});
    pairs.push_back({{40, 0, 0}, {60, 20, -5}});
    pairs.push_back({{55, 10, 20}, {55, 10, 20}});
    pairs.push_back({{50, 30, 0}, {50, -30, 0}});
    pairs.push_back({{50, 0, 30}, {52, 0, -30}});
    pairs.push_back({{50, 20, -1}, {50, 20, 1}});
    pairs.push_back({{70, -20, -60}, {65, 5, -70}}); // hues near 275 degrees
    std::mt19937 random(2000);
    std::uniform_real_distribution<double> lightness(0, 100), axis(-110, 110);
    for (int i = 0; i < 20000; ++i)
        pairs.push_back({{lightness(random), axis(random), axis(random)},
                         {lightness(random), axis(random), axis(random)}});
    for (const auto& [first, second] : pairs) {
        const double plain = Ciede2000(first, second);
        ASSERT_NEAR(Ciede2000Fast(first, second), plain, 1e-11 * (1 + plain))
            << first.L << "," << first.a << "," << first.b << " / " << second.L << "," << second.a
            << "," << second.b;
    }
}

TEST(PerceptualErrorTest, LabOfTheD65PrimariesAndWhite) {
    struct LabCase {
        double r, g, b;
        LabColor expected;
    };
    const LabCase cases[] = {
        {1, 1, 1, {100, 0, 0}},
        {0, 0, 0, {0, 0, 0}},
        {1, 0, 0, {53.2408, 80.0925, 67.2032}},
        {0, 1, 0, {87.7347, -86.1827, 83.1793}},
        {0, 0, 1, {32.2970, 79.1875, -107.8602}},
    };
    for (const LabCase& c : cases) {
        const LabColor lab = LabFromLinearRgb(c.r, c.g, c.b);
        EXPECT_NEAR(lab.L, c.expected.L, 0.01);
        EXPECT_NEAR(lab.a, c.expected.a, 0.01);
        EXPECT_NEAR(lab.b, c.expected.b, 0.01);
    }
}

TEST(PerceptualErrorTest, IdenticalPicturesScoreNoErrorAndFullSimilarity) {
    const Picture picture = test::NaturalPicture(40, 24, 3);
    const PerceptualScore score = ComparePictures(picture, picture);
    EXPECT_EQ(score.meanDeltaE, 0.0);
    EXPECT_NEAR(score.ssim, 1.0, 1e-12);
}

TEST(PerceptualErrorTest, FlatPicturesScoreTheirColourDifference) {
    // Flat pictures stay flat under the blur, so the score is the difference of the two
    // colours; the similarity of two flat lumas x, y (0..1) is (2xy + C1) / (x^2 + y^2 + C1).
    const Picture grey(16, 12, RgbColor(119, 119, 119));
    const Picture lighter(16, 12, RgbColor(140, 140, 140));
    const PerceptualScore score = ComparePictures(grey, lighter);
    const LabColor a = LabFromLinearRgb(0.184475, 0.184475, 0.184475);
    const LabColor b = LabFromLinearRgb(0.262251, 0.262251, 0.262251);
    EXPECT_NEAR(score.meanDeltaE, Ciede2000(a, b), 1e-3);
    const double x = 119 / 255.0;
    const double y = 140 / 255.0;
    const double c1 = 0.01 * 0.01;
    EXPECT_NEAR(score.ssim, (2 * x * y + c1) / (x * x + y * y + c1), 1e-6);
    EXPECT_LT(score.ssim, 0.999);
}

// Two planes of a ramp and a wave, and the second one shifted by a ripple.
std::pair<std::vector<double>, std::vector<double>> RipplePlanes(int width, int height) {
    std::vector<double> x, y;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const double v = ((r * 7 + c * 13) % 17) / 16.0 * 0.6 + 0.2 * std::sin(c * 0.5) + 0.1;
            x.push_back(v);
            y.push_back(std::clamp(v + 0.15 * std::cos(r * 1.3 + c * 0.7) - 0.05, 0.0, 1.0));
        }
    return {x, y};
}

TEST(PerceptualErrorTest, LumaSsimEqualsAnIndependentImplementation) {
    // Expected values from scikit-image's structural_similarity(x, y, data_range=1,
    // gaussian_weights=True, sigma=1.5, use_sample_covariance=False) on the same planes.
    struct Case {
        int width;
        int height;
        double expected;
    };
    for (const Case& c : {Case{16, 13, 0.8786983021652373}, Case{40, 30, 0.8773747556388393},
                          Case{11, 11, 0.8864457559753246}}) {
        const auto [x, y] = RipplePlanes(c.width, c.height);
        EXPECT_NEAR(LumaSsim(x, y, c.width, c.height), c.expected, 1e-9)
            << c.width << " x " << c.height;
    }
}

TEST(PerceptualErrorTest, FineDitherOfTwoGreysLooksCloserThanTheWrongFlatGrey) {
    // A checkerboard of black and white is, seen blurred, the grey of half the light
    // (sRGB 188), not the grey halfway in code values (128).
    Picture checker(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0x000000);
    const Picture halfLight(32, 32, RgbColor(188, 188, 188));
    const Picture halfCode(32, 32, RgbColor(128, 128, 128));
    const double toHalfLight = ComparePictures(halfLight, checker).meanDeltaE;
    EXPECT_LT(toHalfLight, 3.0);
    EXPECT_GT(ComparePictures(halfCode, checker).meanDeltaE, toHalfLight + 10);
}

TEST(PerceptualErrorTest, TheFastScoresEqualThePlainOnesWhateverTheThreads) {
    // Pictures smaller than the windows, odd sizes, flat and busy ones, and a result that is
    // a few palette colours, as conversions give.
    Picture checker(21, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 21; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0x000000);
    Picture few = test::NaturalPicture(90, 70, 8);
    for (ColorValue& c : few.pixels())
        c = PaletteColor(KindTms9918, 1 + int(c % 15));
    const std::pair<Picture, Picture> cases[] = {
        {test::NaturalPicture(3, 2, 1), test::NoisePicture(3, 2, 2)},
        {test::NaturalPicture(11, 11, 3), test::NoisePicture(11, 11, 4)},
        {Picture(16, 12, RgbColor(119, 119, 119)), Picture(16, 12, RgbColor(140, 140, 140))},
        {test::NaturalPicture(21, 13, 5), checker},
        {test::NaturalPicture(90, 70, 6), few},
        {test::NoisePicture(130, 41, 7), test::NaturalPicture(130, 41, 9)},
    };
    for (const auto& [source, result] : cases) {
        SCOPED_TRACE(testing::Message() << source.width() << " x " << source.height());
        const PerceptualScore plain = ComparePicturesPlain(source, result);
        const PerceptualScore one = ComparePictures(source, result, 1);
        EXPECT_NEAR(one.meanDeltaE, plain.meanDeltaE, 1e-11 * (1 + plain.meanDeltaE));
        EXPECT_NEAR(one.ssim, plain.ssim, 1e-11);
        EXPECT_EQ(MeanBlurredDeltaE(source, result, 1), one.meanDeltaE);
        for (int threads : {2, 3}) {
            const PerceptualScore more = ComparePictures(source, result, threads);
            EXPECT_EQ(more.meanDeltaE, one.meanDeltaE) << threads;
            EXPECT_EQ(more.ssim, one.ssim) << threads;
            EXPECT_EQ(MeanBlurredDeltaE(source, result, threads), one.meanDeltaE) << threads;
        }
    }
}

TEST(PerceptualErrorTest, PicturesOfDifferentSizesAreRefused) {
    EXPECT_THROW(ComparePictures(Picture(8, 8), Picture(8, 9)), std::invalid_argument);
    EXPECT_THROW(ComparePictures(Picture(), Picture()), std::invalid_argument);
    EXPECT_THROW(MeanBlurredDeltaE(Picture(4, 4), Picture(5, 4)), std::invalid_argument);
    EXPECT_THROW(ComparePicturesPlain(Picture(8, 8), Picture(8, 9)), std::invalid_argument);
}

TEST(PerceptualErrorTest, TheReadoutShowsOneDecimal) {
    EXPECT_EQ(DeltaEText(5.26), "\u0394E 5.3");
    EXPECT_EQ(DeltaEText(0.0), "\u0394E 0.0");
    EXPECT_EQ(DeltaEText(12.04), "\u0394E 12.0");
}

TEST(PerceptualErrorTest, TheWindowReadoutScoresOnlyAFinishedConversion) {
    auto state = test::StateFor(test::NaturalPicture(64, 32, 5), KindTms9918);
    state->budget = PassBudget(60000, 2);
    StartConversion(*state, ModeId::Graphic2Dithered);
    ASSERT_FALSE(state->complete);
    EXPECT_EQ(ConversionReadout(*state), "");
    while (!ContinueConversion(*state)) {
    }
    EXPECT_EQ(ConversionReadout(*state),
              DeltaEText(ComparePictures(state->source, state->result).meanDeltaE));
    EXPECT_EQ(ConversionReadout(*state).substr(0, 4), "\u0394E ");
    // A conversion that changed nothing scores nothing.
    auto same = test::StateFor(Picture(16, 8, PaletteColor(KindTms9918, 7)), KindTms9918);
    RunConversion(*same, ModeId::Graphic2Dithered);
    EXPECT_EQ(ConversionReadout(*same), "\u0394E 0.0");
}

} // namespace
} // namespace murelo
