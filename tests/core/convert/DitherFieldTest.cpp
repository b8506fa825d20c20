// The filtered error of the dithered Graphic 2 mode: what changes cost against it and how
// they spread into it.
#include "core/convert/DitherField.h"
#include "ConversionTestSupport.h"
#include "core/convert/Conversion.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/RunPairSearch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace murelo {
namespace {

using test::NoisePicture;
using test::StateFor;

// A work of random targets, metrics and field over a small picture, with the TMS9918
// palette, as a conversion leaves it after its weights.
std::unique_ptr<ConversionState> RandomWork(unsigned seed) {
    auto state = StateFor(NoisePicture(24, 10, seed), KindTms9918);
    LoadConverterPalette(state->palette, KindTms9918);
    PrepareGraphic2Dither(*state, 1);
    DitherWork& work = state->dither;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(0, 1), signed1(-1, 1);
    for (std::size_t p = 0; p < work.target.size(); ++p) {
        work.target[p] = {unit(random), unit(random), unit(random)};
        work.field[p] = {signed1(random), signed1(random), signed1(random)};
        work.index[p] = random() % 3 == 0 ? NoIndex : std::int8_t(1 + random() % 15);
        work.fixed[p] = 0;
    }
    ComputeDitherMetrics(work);
    return state;
}

TEST(DitherFieldTest, EveryColoursCostAtOnceEqualsEachChangesCost) {
    for (unsigned seed : {1u, 2u, 3u}) {
        auto state = RandomWork(seed);
        const DitherWork& work = state->dither;
        // Runs of every length from every column, the picture being 24 wide.
        for (std::size_t p0 = 0; p0 < work.target.size(); p0 += 5) {
            const int count = 1 + int(p0 % DitherRunLength);
            std::array<LinearColor, DitherRunLength> now{};
            for (int i = 0; i < count; ++i)
                now[std::size_t(i)] = ValueOf(work, p0 + std::size_t(i));
            RunCosts cost;
            RunColourCosts(work, p0, count, now.data(), cost);
            for (std::size_t i = 0; i < std::size_t(count); ++i) {
                const std::size_t p = p0 + i;
                // The expansion cancels terms of the size of A(0) v'Mv and v.F.
                const LinearColor& v = now[i];
                const float size = SelfReach(work) * Weighed(work.metric[p], v.r, v.g, v.b) +
                                   2 * std::abs(Dot(v, work.field[p]));
                for (int k = work.first; k <= work.last; ++k) {
                    const float plain = ChangeCost(work, p, Minus(work.colour[std::size_t(k)], v));
                    ASSERT_NEAR(cost[std::size_t(k)][i], plain,
                                1e-5f * (1 + std::abs(plain) + size))
                        << "pixel " << p << " colour " << k;
                }
            }
        }
    }
}

TEST(DitherFieldTest, ARunsChangesSpreadAtOnceAsEachPixelsChangeSpreads) {
    // Runs at the picture's edges and inside it, of every length, some pixels unchanged.
    struct Case {
        int x0, y, count;
    };
    for (const Case& c :
         {Case{0, 0, 8}, Case{8, 5, 8}, Case{16, 9, 8}, Case{16, 4, 5}, Case{3, 2, 1}}) {
        auto whole = RandomWork(7);
        auto each = RandomWork(7);
        std::mt19937 random(unsigned(c.x0 * 31 + c.y));
        std::uniform_real_distribution<float> change(-2, 2);
        std::array<LinearColor, DitherRunLength> u{};
        for (int i = 0; i < c.count; ++i)
            if (i % 3 != 1)
                u[std::size_t(i)] = {change(random), change(random), change(random)};
        SpreadRunChanges(whole->dither, c.x0, c.y, c.count, u.data());
        for (int i = 0; i < c.count; ++i)
            SpreadChange(each->dither, c.x0 + i, c.y, u[std::size_t(i)]);
        for (std::size_t p = 0; p < whole->dither.field.size(); ++p) {
            const LinearColor& a = whole->dither.field[p];
            const LinearColor& b = each->dither.field[p];
            ASSERT_NEAR(a.r, b.r, 1e-5f) << c.x0 << "," << c.y << " pixel " << p;
            ASSERT_NEAR(a.g, b.g, 1e-5f) << c.x0 << "," << c.y << " pixel " << p;
            ASSERT_NEAR(a.b, b.b, 1e-5f) << c.x0 << "," << c.y << " pixel " << p;
        }
    }
}

TEST(DitherFieldTest, AfterAConversionTheFieldIsTheOneRecomputedFromItsPixels) {
    // F_p = share * sum over q of A(p - q) M_q (value_q - target_q): what the passes kept up
    // change by change, across bands and threads, is what the finished pixels give.
    for (int threads : {1, 2}) {
        auto state = StateFor(test::NaturalPicture(45, 40, 12), KindTms9918);
        state->params.DitherStrength = 90;
        PrepareConversion(*state, ModeId::Graphic2Dithered);
        PrepareGraphic2Dither(*state, threads);
        while (!ContinueConversion(*state)) {
        }
        const DitherWork& work = state->dither;
        double largest = 0, worst = 0;
        for (int y = 0; y < work.height; ++y)
            for (int x = 0; x < work.width; ++x) {
                double f[3] = {0, 0, 0};
                for (int qy = std::max(0, y - FieldRadius);
                     qy <= std::min(work.height - 1, y + FieldRadius); ++qy)
                    for (int qx = std::max(0, x - FieldRadius);
                         qx <= std::min(work.width - 1, x + FieldRadius); ++qx) {
                        const std::size_t q =
                            std::size_t(qy) * std::size_t(work.width) + std::size_t(qx);
                        const LinearColor d = Minus(ValueOf(work, q), work.target[q]);
                        const LinearColor u = Times(work.metric[q], d.r, d.g, d.b);
                        const double a = double(work.share) *
                                         work.reach[std::size_t(std::abs(qx - x))] *
                                         work.reach[std::size_t(std::abs(qy - y))];
                        f[0] += a * u.r;
                        f[1] += a * u.g;
                        f[2] += a * u.b;
                    }
                const LinearColor& kept =
                    work.field[std::size_t(y) * std::size_t(work.width) + std::size_t(x)];
                const double kf[3] = {kept.r, kept.g, kept.b};
                for (int c = 0; c < 3; ++c) {
                    largest = std::max(largest, std::abs(f[c]));
                    worst = std::max(worst, std::abs(f[c] - kf[c]));
                }
            }
        EXPECT_GT(largest, 0);
        EXPECT_LT(worst, 1e-4 * largest) << threads << " threads";
    }
}

// The pair (a, b) drawn over a run on its own, pixel after pixel: each takes the cheaper
// colour given what its left neighbours' changes reach it with.
RunChoice DrawnAlone(const DitherWork& work, std::size_t p0, int count, int a, int b) {
    std::array<LinearColor, DitherRunLength> now{}, u{};
    for (int i = 0; i < count; ++i)
        now[std::size_t(i)] = ValueOf(work, p0 + std::size_t(i));
    RunCosts cost;
    RunColourCosts(work, p0, count, now.data(), cost);
    RunChoice choice{a, b, {}, 0};
    for (int i = 0; i < count; ++i) {
        LinearColor felt{};
        for (int t = std::min(i, FieldRadius); t >= 1; --t) {
            const float r = work.share * work.reach[0] * work.reach[std::size_t(t)];
            const LinearColor& uj = u[std::size_t(i - t)];
            felt = {felt.r + r * uj.r, felt.g + r * uj.g, felt.b + r * uj.b};
        }
        auto costOf = [&](int k) {
            const LinearColor d = Minus(work.colour[std::size_t(k)], now[std::size_t(i)]);
            return cost[std::size_t(k)][std::size_t(i)] + 2 * Dot(d, felt);
        };
        const float ca = costOf(a), cb = costOf(b);
        const int k = cb < ca ? b : a;
        choice.pick[std::size_t(i)] = k;
        choice.cost += std::min(ca, cb);
        const LinearColor d = Minus(work.colour[std::size_t(k)], now[std::size_t(i)]);
        u[std::size_t(i)] = Times(work.metric[p0 + std::size_t(i)], d.r, d.g, d.b);
    }
    return choice;
}

TEST(DitherFieldTest, TheChosenPairIsDrawnAsItWouldBeOnItsOwn) {
    // The run search draws its candidate pairs side by side; the one it picks must come out
    // pixel for pixel and to the last bit of its cost as drawn alone.
    for (unsigned seed : {4u, 5u, 6u}) {
        auto state = RandomWork(seed);
        const DitherWork& work = state->dither;
        for (std::size_t p0 = 0; p0 < work.target.size(); p0 += 3) {
            const int x0 = int(p0 % std::size_t(work.width));
            const int count = std::min(1 + int(p0 % DitherRunLength), work.width - x0);
            const RunSpot run{x0, int(p0 / std::size_t(work.width)), count};
            const RunChoice choice = ChooseRun(work, run, false);
            const RunChoice alone = DrawnAlone(work, p0, count, choice.first, choice.second);
            EXPECT_EQ(choice.cost, alone.cost) << "run at " << p0;
            EXPECT_EQ(choice.pick, alone.pick) << "run at " << p0;
        }
    }
}

} // namespace
} // namespace murelo
