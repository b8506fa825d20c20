#include "core/convert/YjkSearch.h"
#include "core/convert/PerceptualPoint.h"
#include "core/convert/ScreenPalette.h"
#include "core/convert/YjkPaletteChoice.h"
#include "core/convert/YjkPaletteFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace murelo {
namespace {

YjkPixelTarget TargetOf(int r, int g, int b, const DitherPoint& nudge = {}) {
    const ColorRec rgb = RgbRec(r, g, b);
    const DitherPoint p = DitherPointOf(rgb);
    return {{p[0] + nudge[0], p[1] + nudge[1], p[2] + nudge[2]},
            DitherWeightOf(rgb),
            DitherChromaWeightOf(rgb)};
}

// Groups like a picture's: four shades around one colour, now and then an edge to another,
// each pixel nudged as a diffused error would nudge it. `start` gets the mean chroma of
// the four colours, where the modes start their search.
YjkGroupProblem RandomGroup(std::mt19937& rng, YjkScreen screen, Chroma* start = nullptr) {
    std::uniform_int_distribution<int> channel(0, 255);
    std::uniform_int_distribution<int> shade(-24, 24);
    std::uniform_int_distribution<int> nudge(-900, 900);
    std::uniform_int_distribution<int> percent(0, 99);
    YjkGroupProblem p;
    p.screen = screen;
    int r = channel(rng), g = channel(rng), b = channel(rng);
    int j8 = 0;
    int k8 = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (percent(rng) < 15) {
            r = channel(rng);
            g = channel(rng);
            b = channel(rng);
        }
        const ColorRec c = ColorRecFromColorYjk(RgbColor(std::clamp(r + shade(rng), 0, 255),
                                                         std::clamp(g + shade(rng), 0, 255),
                                                         std::clamp(b + shade(rng), 0, 255)));
        p.pixel[i] = TargetOf(c.R, c.G, c.B, {nudge(rng), nudge(rng), nudge(rng)});
        j8 += c.J8;
        k8 += c.K8;
        if (screen == YjkScreen::Screen10 && percent(rng) < 30)
            p.paletteCost[i] = std::int64_t(percent(rng) + 1) << 28;
    }
    if (start)
        *start = {j8 * 31 / (4 * 2040), k8 * 31 / (4 * 2040)};
    return p;
}

class YjkSearchScreens : public ::testing::TestWithParam<YjkScreen> {};

TEST_P(YjkSearchScreens, BestLumaEqualsTheScanOfEveryLuminance) {
    std::mt19937 rng(19);
    std::uniform_int_distribution<int> chroma(YjkChromaMin, YjkChromaMax);
    std::uniform_int_distribution<int> hint(0, 31);
    const YjkScreen screen = GetParam();
    for (int n = 0; n < 2000; ++n) {
        const YjkGroupProblem group = RandomGroup(rng, screen);
        const YjkPixelTarget& t = group.pixel[std::size_t(n % 4)];
        const int j = chroma(rng);
        const int k = chroma(rng);
        std::int64_t plain = YjkCostUnreached;
        for (int y = 0; y < 32; y += YjkLumaStep(screen))
            plain = std::min(plain, YjkCost(t, TheYjkSpace().point(y, j, k)));
        const LumaChoice fast = BestLuma(t, j, k, screen, hint(rng));
        ASSERT_EQ(fast.cost, plain) << n;
        EXPECT_EQ(YjkCost(t, TheYjkSpace().point(fast.y, j, k)), plain) << n;
        // With a limit it says only whether something is cheaper.
        const std::int64_t limit = plain / 2 + 1;
        EXPECT_EQ(BestLuma(t, j, k, screen, hint(rng), limit).cost, std::min(plain, limit)) << n;
    }
}

// The descent's loss against the exhaustive search. These groups are harsher than a
// picture's (an edge in one pixel of seven, errors up to 3.5 CIELAB units, palette pixels
// at random): SCREEN 12 finds the optimum in 90 % of them and loses 5 % of the total cost,
// SCREEN 10/11 (half the luminances, far-off optima) 78 % and 22 %. On the picture set the
// search-loss benchmark measures 99.6 % and 97.6 % of groups at the optimum. The bounds
// below keep those figures from slipping; the search never beats the optimum and reports
// the cost of the chroma it returns.
TEST_P(YjkSearchScreens, SearchComesCloseToTheExhaustiveSearch) {
    std::mt19937 rng(9958);
    const YjkScreen screen = GetParam();
    ChromaSearchWork work;
    int optimal = 0;
    double fastTotal = 0;
    double fullTotal = 0;
    constexpr int Groups = 300;
    for (int n = 0; n < Groups; ++n) {
        Chroma start;
        const YjkGroupProblem group = RandomGroup(rng, screen, &start);
        const ChromaChoice full = SearchChromaExhaustive(group);
        const ChromaChoice fast = SearchChroma(group, std::span(&start, 1), work);
        std::array<int, 4> hints{16, 16, 16, 16};
        ASSERT_EQ(GroupCost(group, fast.chroma.j, fast.chroma.k, YjkCostUnreached, hints),
                  fast.cost);
        ASSERT_GE(fast.cost, full.cost);
        optimal += fast.cost == full.cost;
        fastTotal += double(fast.cost);
        fullTotal += double(full.cost);
    }
    const bool screen12 = screen == YjkScreen::Screen12;
    EXPECT_GE(optimal, Groups * (screen12 ? 85 : 72) / 100);
    EXPECT_LT(fastTotal / fullTotal - 1, screen12 ? 0.08 : 0.27);
}

INSTANTIATE_TEST_SUITE_P(Screens, YjkSearchScreens,
                         ::testing::Values(YjkScreen::Screen10, YjkScreen::Screen12),
                         [](const auto& info) {
                             return info.param == YjkScreen::Screen10 ? "Screen10" : "Screen12";
                         });

TEST(YjkPaletteChoice, ServesTheHuesGroupsCannotShare) {
    // Every group holds red and blue pixels, which no chroma serves both: the palette
    // takes them; a plain grey picture still gets 16 distinct colours.
    std::vector<ColorValue> stripes;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 64; ++x)
            stripes.push_back(x % 2 ? RgbColor(250, 10, 10) : RgbColor(10, 10, 250));
    const YjkPalette palette = ChooseYjkPalette(stripes, 64);
    EXPECT_NE(std::find(palette.begin(), palette.end(), PaletteLevels{7, 0, 0}), palette.end());
    EXPECT_NE(std::find(palette.begin(), palette.end(), PaletteLevels{0, 0, 7}), palette.end());
    const std::vector<ColorValue> grey(64 * 4, RgbColor(128, 128, 128));
    for (const YjkPalette& p : {palette, ChooseYjkPalette(grey, 64)}) {
        std::set<int> cells;
        for (const PaletteLevels& l : p) {
            ASSERT_TRUE(l.r >= 0 && l.r < 8 && l.g >= 0 && l.g < 8 && l.b >= 0 && l.b < 8);
            cells.insert(l.r * 64 + l.g * 8 + l.b);
        }
        EXPECT_EQ(cells.size(), 16u);
    }
}

TEST(YjkPaletteFile, HoldsTheQuantizerPaletteAtTheTableOfScreen10) {
    QuantizerPalette palette{};
    palette[0] = {0, 0, 0, 0};
    palette[1] = {255, 180, 74, 0}; // levels r 2, g 5, b 7 as the V9958 shows them
    palette[15] = {255, 255, 255, 0};
    const NamedBytes file = YjkPaletteFile(palette, "DIR/PIC.S10");
    EXPECT_EQ(file.name, "DIR/PIC.PAL");
    ASSERT_EQ(file.bytes.size(), 7u + 32u);
    const std::vector<std::uint8_t> head(file.bytes.begin(), file.bytes.begin() + 11);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0xFE, 0x80, 0xFA, 0x9F, 0xFA, 0x80, 0xFA, 0x00, 0x00,
                                               0x27, 0x05}));
    EXPECT_EQ(file.bytes[7 + 30], 0x77);
    EXPECT_EQ(file.bytes[7 + 31], 0x07);
    // The levels read back show as the entries the preview used.
    for (std::size_t i = 0; i < 16; ++i) {
        const int r = file.bytes[7 + 2 * i] >> 4, b = file.bytes[7 + 2 * i] & 7;
        const int g = file.bytes[8 + 2 * i];
        EXPECT_EQ(V9958PaletteValue(r), palette[i].Red) << i;
        EXPECT_EQ(V9958PaletteValue(g), palette[i].Green) << i;
        EXPECT_EQ(V9958PaletteValue(b), palette[i].Blue) << i;
    }
}

} // namespace
} // namespace murelo
