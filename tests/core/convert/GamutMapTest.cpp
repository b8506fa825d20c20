// What the mixtures of a palette's colours can show, and where colours beyond them aim.
#include "core/convert/GamutMap.h"

#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualError.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

// The colours a palette kind's conversions draw with.
std::vector<ColorRec> UsableColours(int kind) {
    ConverterPalette palette{};
    LoadConverterPalette(palette, kind);
    const IndexRange& range = ConversionRange(kind);
    return {palette.begin() + range.first, palette.begin() + range.last + 1};
}

TEST(GamutMapTest, ColoursThePalettesMixturesMissAreAimedAtTheClosestMixture) {
    ConverterPalette palette{};
    LoadConverterPalette(palette, KindTms9918);
    std::vector<ColorRec> usable(palette.begin() + 1, palette.end());
    const GamutMap map(usable);
    const auto& linear = LinearTable();
    auto lab = [](const LinearColor& c) { return LabFromLinearRgb(c.r, c.g, c.b); };
    auto linearOf = [&](const ColorRec& c) {
        return LinearColor{float(linear[std::size_t(c.R)]), float(linear[std::size_t(c.G)]),
                           float(linear[std::size_t(c.B)])};
    };
    // Palette colours and their mixtures are held and kept as they are.
    for (int i = 1; i < PaletteEntries; ++i) {
        EXPECT_TRUE(map.Map(palette[std::size_t(i)]) == linearOf(palette[std::size_t(i)])) << i;
        EXPECT_TRUE(map.Holds(linearOf(palette[std::size_t(i)]))) << i;
    }
    LinearColor middle{};
    for (int i = 1; i < PaletteEntries; ++i) {
        const LinearColor c = linearOf(palette[std::size_t(i)]);
        middle = {middle.r + c.r / 15, middle.g + c.g / 15, middle.b + c.b / 15};
    }
    const ColorRec grey{100, 100, 100};
    EXPECT_TRUE(map.Map(grey) == linearOf(grey));
    // Saturated colours no mixture reaches: the aim is held, and nearer by CIEDE2000 than
    // any single palette colour.
    for (const ColorRec& c : {ColorRec{255, 210, 0}, ColorRec{255, 120, 0}, ColorRec{0, 60, 255},
                              ColorRec{0, 255, 255}, ColorRec{20, 140, 10}}) {
        SCOPED_TRACE(testing::Message() << c.R << "," << c.G << "," << c.B);
        const LinearColor source = linearOf(c);
        EXPECT_FALSE(map.Holds(source));
        const LinearColor aim = map.Map(c);
        // On the hull's surface: a step toward its middle is inside, one away is not.
        auto toward = [&](float t) {
            return LinearColor{aim.r + t * (middle.r - aim.r), aim.g + t * (middle.g - aim.g),
                               aim.b + t * (middle.b - aim.b)};
        };
        EXPECT_TRUE(map.Holds(toward(0.03f)));
        EXPECT_FALSE(map.Holds(toward(-0.03f)));
        const double toAim = Ciede2000(lab(source), lab(aim));
        for (int i = 1; i < PaletteEntries; ++i)
            EXPECT_LT(toAim, Ciede2000(lab(source), lab(linearOf(palette[std::size_t(i)])))) << i;
    }
    // A flat palette (every colour on one plane) has no inside to aim into.
    const GamutMap flat({ColorRec{0, 0, 0}, ColorRec{255, 0, 0}, ColorRec{0, 0, 255}});
    EXPECT_TRUE(flat.Map(ColorRec{10, 200, 30}) == linearOf(ColorRec{10, 200, 30}));
}

TEST(GamutMapTest, TheTableHoldsTheClosestMixtureAtItsGridColours) {
    // Between its grid levels the table interpolates; at them it is the search itself.
    ConverterPalette palette{};
    LoadConverterPalette(palette, KindBlueMsx1);
    const GamutMap map(std::vector<ColorRec>(palette.begin() + 1, palette.end()), 2);
    const auto& linear = LinearTable();
    int outside = 0;
    for (int r : {0, 64, 128, 255})
        for (int g : {0, 96, 176, 255})
            for (int b : {0, 32, 224, 255}) {
                const ColorRec c{r, g, b};
                const LinearColor l{float(linear[std::size_t(r)]), float(linear[std::size_t(g)]),
                                    float(linear[std::size_t(b)])};
                const LinearColor m = map.Map(c);
                if (map.Holds(l)) {
                    EXPECT_TRUE(m == l) << r << "," << g << "," << b;
                    continue;
                }
                ++outside;
                const LinearColor closest = map.Closest(l);
                EXPECT_NEAR(m.r, closest.r, 1e-6f) << r << "," << g << "," << b;
                EXPECT_NEAR(m.g, closest.g, 1e-6f) << r << "," << g << "," << b;
                EXPECT_NEAR(m.b, closest.b, 1e-6f) << r << "," << g << "," << b;
            }
    EXPECT_GT(outside, 10);
}

TEST(GamutMapTest, ShowsAnswersAsHoldsForEveryPaletteKind) {
    // Shows tests only the faces passing near a colour's grid cell; a lattice with steps
    // that cross every cell's edges and land on the levels themselves finds any face it
    // leaves out wrongly.
    const auto& linear = LinearTable();
    int outside = 0; // some palettes are flat: all is inside for them
    for (int kind = 0; kind < PaletteKindCount; ++kind) {
        const GamutMap map(UsableColours(kind));
        int inside = 0;
        for (int r = 0; r < 256; r += 5)
            for (int g = 0; g < 256; g += 3)
                for (int b : {0, 1, 15, 16, 17, 47, 48, 100, 127, 128, 200, 239, 240, 254, 255}) {
                    const ColorRec c{r, g, b};
                    const bool holds =
                        map.Holds({float(linear[std::size_t(r)]), float(linear[std::size_t(g)]),
                                   float(linear[std::size_t(b)])});
                    ASSERT_EQ(map.Shows(c), holds)
                        << "kind " << kind << ": " << r << "," << g << "," << b;
                    (holds ? inside : outside)++;
                }
        EXPECT_GT(inside, 0) << kind;
    }
    EXPECT_GT(outside, 10000);
}

TEST(GamutMapTest, ASharedMapIsBuiltOncePerPalette) {
    // Palettes asked for in turn, the first again after others: each time the one map made
    // for that palette.
    std::vector<std::shared_ptr<const GamutMap>> first(PaletteKindCount);
    for (std::size_t kind : {0, 1, 2, 0, 2}) {
        const std::vector<ColorRec> colours = UsableColours(int(kind));
        const std::shared_ptr<const GamutMap> shared = SharedGamutMap(colours, 2);
        EXPECT_TRUE(shared->MadeFor(colours)) << kind;
        if (first[kind]) {
            EXPECT_EQ(shared, first[kind]) << kind;
        }
        first[kind] = shared;
    }
}

} // namespace
} // namespace murelo
