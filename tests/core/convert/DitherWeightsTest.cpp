// The per-pixel metric of the dithered Graphic 2 mode and the run choice made against it.
#include "ConversionTestSupport.h"
#include "core/convert/DitherField.h"
#include "core/convert/DitherSpace.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/LinearLight.h"
#include "core/convert/RunPairSearch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace murelo {
namespace {

// The mode's work for `source` after its targets, with metrics of the weights given.
std::unique_ptr<ConversionState> WorkOf(const Picture& source, DitherWeights weights) {
    auto state = test::StateFor(source, KindTms9918);
    state->budget = PassBudget(60000, 1);
    PrepareConversion(*state, ModeId::Graphic2Dithered);
    PrepareGraphic2Dither(*state, 1);
    EXPECT_EQ(Graphic2DitherPass(*state, 0), 1); // the targets
    ComputeDitherMetrics(state->dither, weights);
    return state;
}

const Metric& MetricAtMiddle(const ConversionState& state) {
    const DitherWork& work = state.dither;
    return work.metric[std::size_t(work.height / 2) * std::size_t(work.width) +
                       std::size_t(work.width / 2)];
}

// Errors along the lightness axis (equal steps of every channel) and across it (red against
// green, which moves a* and b* far more than L*).
float LightnessWeight(const Metric& m) {
    return Weighed(m, 0.01f, 0.01f, 0.01f);
}
float ChromaWeight(const Metric& m) {
    return Weighed(m, 0.01f, -0.01f, 0);
}

TEST(DitherWeightsTest, OffTheLightnessAxisErrorsCountLessTheMoreSaturatedTheColour) {
    struct Case {
        ColorValue colour;
        double low; // of the ratio to a grey's
        double high;
    };
    // CIELAB chroma: greys 0, pale pink about 20, red about 105, blue about 134.
    const Case cases[] = {{RgbColor(128, 128, 128), 0.99, 1.01},
                          {RgbColor(255, 200, 200), 0.45, 0.9},
                          {RgbColor(255, 0, 0), 0.05, 0.45},
                          {RgbColor(0, 0, 255), 0.02, 0.4}};
    const Metric grey = MetricAtMiddle(*WorkOf(Picture(24, 8, RgbColor(128, 128, 128)), {0}));
    const double greyRatio = ChromaWeight(grey) / LightnessWeight(grey);
    double previous = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour);
        const Metric m = MetricAtMiddle(*WorkOf(Picture(24, 8, c.colour), {0}));
        const double ratio = ChromaWeight(m) / LightnessWeight(m) / greyRatio;
        EXPECT_GE(ratio, c.low);
        EXPECT_LE(ratio, c.high);
        EXPECT_LT(ratio, previous);
        previous = ratio;
    }
}

TEST(DitherWeightsTest, DarkShadesCountMoreDownToWhereCielabTurnsStraight) {
    // Lightness errors count with max(Y, 216/24389)^(-2/3): grey 128 (Y .216) 2.78 times a
    // white's, the very darkest shades all alike.
    struct Case {
        int level;
        double relative; // to white
    };
    const double knee = std::pow(216.0 / 24389.0, -2.0 / 3.0);
    const Case cases[] = {
        {255, 1.0}, {128, 2.78}, {60, std::pow(0.0452, -2.0 / 3.0)}, {5, knee}, {0, knee}};
    const float white = LightnessWeight(MetricAtMiddle(*WorkOf(Picture(24, 8, 0xFFFFFF), {0})));
    for (const Case& c : cases) {
        const Metric m =
            MetricAtMiddle(*WorkOf(Picture(24, 8, RgbColor(c.level, c.level, c.level)), {0}));
        EXPECT_NEAR(LightnessWeight(m) / white, c.relative, 0.03 * c.relative) << c.level;
    }
}

TEST(DitherWeightsTest, GrainCountsByTheShapeWeightAndMostWhereTheSourceIsFlat) {
    // The luma term is the metric's growth with the shape weight: in proportion to it, and
    // far larger on a flat area than among stripes that stay apart once blurred.
    Picture busy(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            busy.setPixel(x, y, x % 8 < 4 ? RgbColor(60, 60, 60) : RgbColor(200, 200, 200));
    const Picture flat(24, 24, RgbColor(130, 130, 130));
    auto lumaPart = [](const Picture& source, float shape) {
        return LightnessWeight(MetricAtMiddle(*WorkOf(source, {shape}))) -
               LightnessWeight(MetricAtMiddle(*WorkOf(source, {0})));
    };
    for (const Picture* source : {&flat, static_cast<const Picture*>(&busy)}) {
        const float ten = lumaPart(*source, 10);
        EXPECT_GT(ten, 0);
        EXPECT_NEAR(lumaPart(*source, 40), 4 * ten, 0.01 * 4 * ten);
    }
    EXPECT_GT(lumaPart(flat, 40), 10 * lumaPart(busy, 40));
}

// A run of undecided pixels all aiming at one linear colour, the field empty.
std::unique_ptr<ConversionState> RunAimingAt(const LinearColor& aim) {
    auto state = WorkOf(Picture(8, 1, RgbColor(90, 90, 90)), {});
    DitherWork& work = state->dither;
    std::fill(work.target.begin(), work.target.end(), aim);
    std::fill(work.index.begin(), work.index.end(), NoIndex);
    std::fill(work.fixed.begin(), work.fixed.end(), 0);
    std::fill(work.field.begin(), work.field.end(), LinearColor{});
    ComputeDitherMetrics(work);
    return state;
}

TEST(DitherWeightsTest, ARunAimedBetweenTwoColoursMixesThem) {
    // Mixtures of two palette colours in linear light: the run's dots average out to them
    // within what one dot of eight can show.
    struct Case {
        int a, b;
        float share; // of b
    };
    for (const Case& c : {Case{1, 15, 0.5f}, Case{1, 15, 0.25f}, Case{4, 15, 0.5f},
                          Case{6, 11, 0.375f}, Case{1, 12, 0.625f}}) {
        SCOPED_TRACE(testing::Message() << c.a << " + " << c.b << " at " << c.share);
        const auto& linear = LinearTable();
        auto linearOf = [&](int i) {
            const ColorValue v = PaletteColor(KindTms9918, i);
            return LinearColor{float(linear[std::size_t(RedOf(v))]),
                               float(linear[std::size_t(GreenOf(v))]),
                               float(linear[std::size_t(BlueOf(v))])};
        };
        const LinearColor a = linearOf(c.a), b = linearOf(c.b);
        const LinearColor aim{a.r + c.share * (b.r - a.r), a.g + c.share * (b.g - a.g),
                              a.b + c.share * (b.b - a.b)};
        auto state = RunAimingAt(aim);
        const RunChoice choice = ChooseRun(state->dither, RunSpot{0, 0, 8}, false);
        LinearColor mean{};
        for (int k : choice.pick) {
            const LinearColor& p = state->dither.colour[std::size_t(k)];
            mean = {mean.r + p.r / 8, mean.g + p.g / 8, mean.b + p.b / 8};
        }
        const float step = std::sqrt(Dot(Minus(b, a), Minus(b, a))) / 8;
        EXPECT_LE(std::sqrt(Dot(Minus(mean, aim), Minus(mean, aim))), step * 1.01f);
        EXPECT_NE(choice.first, choice.second);
    }
}

TEST(DitherWeightsTest, PixelsFixedToTheirColourChangeOnlyWhenTheRuleLeavesNoOtherWay) {
    // Runs of fixed pixels (palette colours of the source) and free ones: with two fixed
    // colours the pair is theirs and they stay; with three, the fewest possible change.
    struct Case {
        std::array<int, 8> fixed; // palette index, 0 for a free pixel
        int changed;              // fixed pixels that must change
    };
    const Case cases[] = {{{1, 1, 0, 0, 15, 15, 0, 0}, 0},
                          {{1, 0, 0, 0, 0, 0, 0, 6}, 0},
                          {{1, 1, 1, 1, 15, 15, 15, 6}, 1},
                          {{1, 1, 6, 6, 6, 15, 15, 15}, 2}};
    for (const Case& c : cases) {
        auto state = RunAimingAt({0.2f, 0.2f, 0.2f});
        DitherWork& work = state->dither;
        for (std::size_t i = 0; i < 8; ++i)
            if (c.fixed[i]) {
                work.index[i] = std::int8_t(c.fixed[i]);
                work.fixed[i] = 1;
                work.target[i] = work.colour[std::size_t(c.fixed[i])];
            }
        SettleRun(work, RunSpot{0, 0, 8});
        int changed = 0;
        std::set<int> colours;
        for (std::size_t i = 0; i < 8; ++i) {
            colours.insert(work.index[i]);
            changed += c.fixed[i] && work.index[i] != c.fixed[i];
        }
        EXPECT_LE(colours.size(), 2u);
        EXPECT_EQ(changed, c.changed) << c.fixed[0] << c.fixed[7];
    }
}

} // namespace
} // namespace murelo
