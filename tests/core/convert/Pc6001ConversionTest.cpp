// Palette colours used below (RRGGBB): "Color 8" set A 00FF00 green, FFFF00 yellow,
// 0000FF blue, FF0000 red; set B FFFFFF white, 00FFFF cyan, FF00FF magenta, FFAD00
// orange. Nearest colours were worked out by hand: red to set B is orange (distance 173,
// magenta 255), white to set A is yellow (255, the others 360).
#include "core/convert/Pc6001Conversion.h"
#include "ConversionTestSupport.h"
#include "core/convert/CoarsePreview.h"
#include "core/convert/PcConversion.h"

#include <gtest/gtest.h>

#include <memory>

using namespace murelo;

namespace {

const ColorValue Green = RgbColor(0, 255, 0);
const ColorValue Yellow = RgbColor(255, 255, 0);
const ColorValue Red = RgbColor(255, 0, 0);
const ColorValue White = RgbColor(255, 255, 255);
const ColorValue Cyan = RgbColor(0, 255, 255);
const ColorValue Orange = RgbColor(255, 173, 0);
const ColorValue Black = RgbColor(0, 0, 0);
const ColorValue Marker = RgbColor(1, 2, 3); // in no palette

std::unique_ptr<ConversionState> StateFor(const Picture& source, int kind, ModeId mode) {
    return test::PcStateFor(source, kind, mode);
}

// The state's mode made, not yet run: what its start chose.
ModeConversion& Started(ConversionState& state) {
    state.work = Describe(state.mode).start(state);
    return *state.work;
}

void RunToEnd(ConversionState& state, int unitsPerPass = 0) {
    test::RunModeToEnd(state, unitsPerPass);
}

// Paints the wide pixel u of row y in the source.
void SetWide(Picture& p, int u, int y, ColorValue c) {
    p.setPixel(2 * u, y, c);
    p.setPixel(2 * u + 1, y, c);
}

std::unique_ptr<ConversionState> P6State(const Picture& source) {
    auto state = StateFor(source, KindColor8, ModeId::Pc6001Wide);
    state->params.P6Rules = true;
    return state;
}

} // namespace

TEST(P6Rules, A256By192PictureHas512GroupsEndingAt2048) {
    auto state = P6State(Picture(256, 192, Green));
    EXPECT_EQ(Started(*state).end(), 2048);
    EXPECT_EQ(P6RulesEnd(320), 2560) << "16 * (320 / 2)";
}

TEST(P6Rules, ATiedVoteChoosesSetB) {
    Picture source(256, 192, Green);
    // Group 0 (wide pixels 0..3 in rows 0, 16, ..., 176): 24 white and 24 red positions.
    // Group 1 (wide pixels 4..7, same rows): 23 white and 25 red.
    int n = 0;
    for (int y = 0; y < 192; y += 16)
        for (int k = 0; k < 4; ++k, ++n) {
            SetWide(source, k, y, n % 2 == 0 ? White : Red);
            SetWide(source, 4 + k, y, n < 23 ? White : Red);
        }
    auto state = P6State(source);
    RunToEnd(*state);
    const Picture& r = state->result;
    EXPECT_EQ(r.pixel(0, 0), White);
    EXPECT_EQ(r.pixel(2, 0), Orange) << "red drawn from set B";
    EXPECT_EQ(r.pixel(3, 0), Orange);
    EXPECT_EQ(r.pixel(8, 0), Yellow) << "white drawn from set A";
    EXPECT_EQ(r.pixel(9, 0), Yellow);
    EXPECT_EQ(r.pixel(15, 176), Red);
    EXPECT_EQ(r.pixel(0, 1), Green) << "other row residues vote on their own";
    EXPECT_EQ(r.pixel(255, 191), Green);
}

TEST(P6Rules, EveryRowIsConvertedWhenTheHeightIsNotAMultipleOf16) {
    // Rows with y % 3 == 0 are red, the others green; the 8 x 8 preview samples rows 0, 8,
    // 16, 24, 32, so rows 33, 36 and 39 start green there and must be converted to red.
    Picture source(32, 40, Green);
    for (int y = 0; y < 40; y += 3)
        source.fillRect(0, y, 32, 1, Red);
    auto state = P6State(source);
    DrawCoarsePreview(*state);
    ASSERT_EQ(state->result.pixel(0, 33), Green);
    EXPECT_EQ(Started(*state).end(), 256) << "16 residues x 4 groups x 4";
    RunToEnd(*state);
    EXPECT_EQ(state->result, source);
}

TEST(P6Rules, AGroupCountsAllItsRowsBelowTheHeight) {
    // 8 x 40: the one group of residue 1 covers rows 1, 17 and 33 (12 positions). Row 1
    // holds cyan (set B), rows 17 and 33 yellow (set A): 4 of 12 vote B, so set A it is and
    // cyan becomes green (255 from green, yellow and blue alike; the lowest index wins).
    // A group of rows 1 and 17 alone would tie and keep cyan.
    Picture source(8, 40, Green);
    source.fillRect(0, 1, 8, 1, Cyan);
    source.fillRect(0, 17, 8, 1, Yellow);
    source.fillRect(0, 33, 8, 1, Yellow);
    auto state = P6State(source);
    RunToEnd(*state);
    EXPECT_EQ(state->result.pixel(0, 1), Green);
    EXPECT_EQ(state->result.pixel(7, 1), Green);
    EXPECT_EQ(state->result.pixel(0, 17), Yellow);
    EXPECT_EQ(state->result.pixel(0, 33), Yellow);
}

TEST(P6Rules, PicturesBelowSixteenRowsAndOtherPalettesTakeThePlain2To1Pass) {
    Picture source(16, 8, Green);
    SetWide(source, 0, 0, Yellow);
    SetWide(source, 1, 0, Cyan);
    auto shortState = P6State(source);
    EXPECT_EQ(Started(*shortState).end(), 64) << "a unit a wide pixel";
    RunToEnd(*shortState);
    EXPECT_EQ(shortState->result, source) << "no colour set is forced";

    auto other = StateFor(Picture(256, 192), KindColor15, ModeId::Pc6001Wide);
    other->params.P6Rules = true;
    EXPECT_EQ(Started(*other).end(), 128 * 192);
}

TEST(P6Rules, ResultsDoNotDependOnWherePassesEnd) {
    Picture source(24, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            source.setPixel(x, y, RgbColor(11 * x, 13 * y, 255 - 9 * x));
    auto whole = P6State(source);
    RunToEnd(*whole);
    auto sliced = P6State(source);
    sliced->budget = PassBudget(PassBudgetMs, 1);
    ModeConversion& mode = Started(*sliced);
    EXPECT_EQ(mode.end(), 192); // 12 wide pixels: 3 groups per residue
    int a = 0;
    while (a < mode.end()) {
        const int next = mode.pass(*sliced, a);
        EXPECT_EQ(next, a + 4);
        a = next;
    }
    EXPECT_EQ(sliced->result, whole->result);
}

TEST(Pc6001Aspects, TwoToOnePaintsBothColumnsFromTheEvenOne) {
    Picture source(255, 2, White);
    for (int x = 0; x < 255; x += 2)
        source.fillRect(x, 0, 1, 2, Red);
    source.fillRect(254, 0, 1, 2, Marker);
    auto state = StateFor(source, KindColor15, ModeId::Pc6001Wide);
    EXPECT_EQ(Started(*state).end(), 127 * 2);
    RunToEnd(*state);
    for (int x = 0; x < 254; ++x)
        ASSERT_EQ(state->result.pixel(x, 1), Red) << x;
    EXPECT_EQ(state->result.pixel(254, 0), Marker) << "the last column is no wide pixel";
}

TEST(Pc6001Aspects, OneToTwoNeverReadsOddRows) {
    Picture source(5, 5, Red);
    for (int y = 1; y < 5; y += 2)
        source.fillRect(0, y, 5, 1, White);
    auto state = StateFor(source, KindColor15, ModeId::Pc6001Tall);
    RunToEnd(*state);
    EXPECT_EQ(state->result, Picture(5, 5, Red));
}

TEST(Pc6001Aspects, OneToOneMapsEachPixelToItsNearestColour) {
    Picture source(2, 1, RgbColor(250, 10, 10));
    source.setPixel(1, 0, RgbColor(20, 20, 20)); // nearest is 202020, but that is index 0
    auto state = StateFor(source, KindColor15, ModeId::Pc6001Square);
    RunToEnd(*state);
    EXPECT_EQ(state->result.pixel(0, 0), Red);
    EXPECT_EQ(state->result.pixel(1, 0), Black) << "index 0 is outside the range 1..15";
}

TEST(Pc6001Aspects, BlocksAreSampledAtTheirTopLeftAndPartialBlocksStay) {
    Picture source(10, 13, Marker);
    source.setPixel(4, 6, Red);
    source.setPixel(5, 7, White); // not sampled
    auto blocks46 = StateFor(source, KindColor15, ModeId::Pc6001Blocks4x6);
    RunToEnd(*blocks46);
    EXPECT_EQ(blocks46->result.pixel(5, 7), Red);
    EXPECT_EQ(blocks46->result.pixel(7, 11), Red);
    EXPECT_EQ(blocks46->result.pixel(3, 6), Black);
    EXPECT_EQ(blocks46->result.pixel(8, 0), Marker) << "columns 8, 9 are no whole block";
    EXPECT_EQ(blocks46->result.pixel(0, 12), Marker) << "row 12 is no whole block";

    source.setPixel(4, 8, Red);
    auto blocks44 = StateFor(source, KindColor15, ModeId::Pc6001Blocks4x4);
    RunToEnd(*blocks44);
    EXPECT_EQ(blocks44->result.pixel(5, 7), Black) << "block (1, 1) samples (4, 4)";
    EXPECT_EQ(blocks44->result.pixel(4, 6), Black);
    EXPECT_EQ(blocks44->result.pixel(5, 9), Red) << "block (1, 2) samples (4, 8)";
    EXPECT_EQ(blocks44->result.pixel(7, 11), Red);
    EXPECT_EQ(blocks44->result.pixel(0, 12), Marker);
}

TEST(Pc6001HalfTones, WideHalfToneTakesTheToneOfTheEvenColumnAndSkipsTheLastColumn) {
    Picture source(255, 3, White);
    for (int x = 1; x < 255; x += 2)
        source.fillRect(x, 0, 1, 3, Black);
    source.fillRect(254, 0, 1, 3, Marker);
    auto state = StateFor(source, KindColor15, ModeId::Pc6001WideHalfTone);
    state->params.ForegroundColor = Black;
    state->params.BackgroundColor = White;
    EXPECT_EQ(Started(*state).end(), 127 * 3);
    RunToEnd(*state);
    for (int x = 0; x < 254; ++x)
        ASSERT_EQ(state->result.pixel(x, 2), White) << "white is level 8, colour B: " << x;
    EXPECT_EQ(state->result.pixel(254, 1), Marker);
}

TEST(Pc6001HalfTones, SquareHalfToneOfMidGreyAtLevelZeroIsColourA) {
    auto state =
        StateFor(Picture(6, 6, RgbColor(128, 128, 128)), KindColor15, ModeId::Pc6001HalfTone);
    state->params.ForegroundColor = Red;
    state->params.BackgroundColor = White;
    state->params.HalfToneLevel = 0;
    RunToEnd(*state);
    EXPECT_EQ(state->result, Picture(6, 6, Red));
}

TEST(Pc6001Aspects, TheTableSearchPicksWhatNearestPaletteIndexPicks) {
    // The PC passes search by per-channel tables; over every kind, both weightings and
    // sub-ranges, they must choose the index the plain search chooses.
    for (int kind = 0; kind < PaletteKindCount; ++kind) {
        for (bool weighted : {false, true}) {
            auto state = StateFor(Picture(1, 1), kind, ModeId::Pc6001Square);
            state->params.NtscWeighting = weighted;
            PreparePcTables(*state);
            for (int n = 0; n < 2000; ++n) {
                ColorRec c;
                c.R = n * 37 % 256;
                c.G = n * 101 % 256;
                c.B = (n * 7 + n / 13) % 256;
                const int first = n % 3 == 0 ? 4 : ConversionRange(kind).first;
                const int last = n % 3 == 0 ? 7 : ConversionRange(kind).last;
                ASSERT_EQ(NearestIndexIn(*state, c, first, last),
                          NearestPaletteIndex(state->palette, c, first, last, weighted))
                    << "kind " << kind << " weighted " << weighted << " colour " << n;
            }
        }
    }
}
