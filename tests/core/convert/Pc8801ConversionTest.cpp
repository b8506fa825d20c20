// The PC-8801 palette (kind 6): 0 black, 1 blue, 2 red, 3 magenta, 4 green, 5 cyan,
// 6 yellow, 7 white. Expected colours and errors are worked out by hand from the
// distances and the share rules.
#include "core/convert/Pc8801Conversion.h"
#include "ConversionTestSupport.h"
#include "core/convert/Pc8801ColorTone.h"

#include <gtest/gtest.h>

#include <memory>

using namespace murelo;

namespace {

const ColorValue Black = RgbColor(0, 0, 0);
const ColorValue White = RgbColor(255, 255, 255);

std::unique_ptr<ConversionState> StateFor(const Picture& source) {
    return test::PcStateFor(source, KindPc8801, ModeId::Pc8801Tall);
}

// Runs `mode`'s passes to its end over the state; its working state stays for a look.
void RunToEnd(ConversionState& state, ModeId mode, int unitsPerPass = 0) {
    state.mode = mode;
    test::RunModeToEnd(state, unitsPerPass);
}

const DiffusionErrors& ErrorsOf(const ConversionState& state) {
    return test::WorkOf<Pc8801DiffusionMode>(state).errors();
}

ColorRec Rgb(int r, int g, int b) {
    ColorRec rec;
    rec.R = r;
    rec.G = g;
    rec.B = b;
    return rec;
}

ErrorTriple Same(int e) {
    return {e, e, e};
}

QuantizerEntry GreyEntry(int v) {
    return {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v), 0};
}

Picture Gradient(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, RgbColor(17 * x % 256, 29 * y % 256, (13 * x + 7 * y) % 256));
    return p;
}

} // namespace

TEST(Pc8801Diffusion, OneDimensionalErrorStartsAfreshOnEveryRow) {
    // Grey 100: black (error +100), then 200 becomes white. The error of the row's last
    // pixel is not carried, and the next pair starts again from zero: black, white.
    auto state = StateFor(Picture(2, 4, RgbColor(100, 100, 100)));
    RunToEnd(*state, ModeId::Pc8801Diffusion1D);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(state->result.pixel(0, y), Black) << y;
        EXPECT_EQ(state->result.pixel(1, y), White) << y;
    }
}

TEST(Pc8801Diffusion, FloydSteinbergSharesAreTruncatedSeparately) {
    // An error of +15 at (1, pair 0): 15 * 7 / 16 = 6 right, 15 * 3 / 16 = 2 below-left,
    // 15 * 5 / 16 = 4 below, 15 / 16 = 0 below-right. The right neighbour then turns 6
    // into black and passes on 18 / 16 = 1 below-left and 30 / 16 = 1 below.
    Picture source(3, 2, Black);
    source.setPixel(1, 0, RgbColor(15, 15, 15));
    auto state = StateFor(source);
    RunToEnd(*state, ModeId::Pc8801FloydSteinberg);
    EXPECT_EQ(ErrorsOf(*state).at(2, 0), Same(6));
    EXPECT_EQ(ErrorsOf(*state).at(0, 1), Same(2));
    EXPECT_EQ(ErrorsOf(*state).at(1, 1), Same(4 + 1));
    EXPECT_EQ(ErrorsOf(*state).at(2, 1), Same(0 + 1));
    EXPECT_EQ(state->result, Picture(3, 2, Black));

    Picture negative(3, 2, White);
    negative.setPixel(1, 0, RgbColor(240, 240, 240));
    auto neg = StateFor(negative);
    RunToEnd(*neg, ModeId::Pc8801FloydSteinberg);
    EXPECT_EQ(ErrorsOf(*neg).at(2, 0), Same(-6));
    EXPECT_EQ(ErrorsOf(*neg).at(0, 1), Same(-2));
    EXPECT_EQ(ErrorsOf(*neg).at(1, 1), Same(-4 - 1));
    EXPECT_EQ(ErrorsOf(*neg).at(2, 1), Same(0 - 1));
}

TEST(Pc8801Diffusion, TwoDimensionalSharesHalfAndQuarters) {
    // +15: 7 right, 3 below, 3 below-right; the right neighbour's 7 sends 1 below.
    Picture source(3, 2, Black);
    source.setPixel(1, 0, RgbColor(15, 15, 15));
    auto state = StateFor(source);
    RunToEnd(*state, ModeId::Pc8801Diffusion2D);
    EXPECT_EQ(ErrorsOf(*state).at(2, 0), Same(7));
    EXPECT_EQ(ErrorsOf(*state).at(0, 1), Same(0));
    EXPECT_EQ(ErrorsOf(*state).at(1, 1), Same(3));
    EXPECT_EQ(ErrorsOf(*state).at(2, 1), Same(3 + 1));
}

TEST(Pc8801Diffusion, PairsTakeTheEvenRowAndCarryErrorsDown) {
    // Grey 100 in 2 x 4 with 2D shares: (0, p0) black, +100 sends 25 below; (1, p0) 150 is
    // white (-105, 26 of it below, so -1 with the 25). (0, p1) 125 is black (216 against
    // blue 219), (1, p1) 100 - 1 + 62 = 161 is white.
    Picture source(2, 4, RgbColor(100, 100, 100));
    source.fillRect(0, 1, 2, 1, White); // odd rows are never read
    source.fillRect(0, 3, 2, 1, White);
    auto state = StateFor(source);
    RunToEnd(*state, ModeId::Pc8801Diffusion2D);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(state->result.pixel(0, y), Black) << y;
        EXPECT_EQ(state->result.pixel(1, y), White) << y;
    }
    EXPECT_EQ(ErrorsOf(*state).at(1, 1), Same(61));
}

TEST(Pc8801ColorTone, ABlackTargetTakesTheFirstPairMet) {
    auto state = StateFor(Picture(1, 1));
    EXPECT_EQ(ChooseTone(PrepareToneSearch(*state, true), *state, Rgb(0, 0, 0)),
              (ToneChoice{0, 0, 7}));
    EXPECT_EQ(ChooseTone(PrepareToneSearch(*state, false), *state, Rgb(0, 0, 0)),
              (ToneChoice{0, 0, 0}));
}

TEST(Pc8801ColorTone, FindsTheNearestModelColour) {
    // (205, 205, 205): white + white at level 6 gives 191 (distance 24), level 7 gives 223
    // (31); no other pair has equal channel sums near it.
    auto state = StateFor(Picture(1, 1));
    const ToneSearch descending = PrepareToneSearch(*state, true);
    EXPECT_EQ(ChooseTone(descending, *state, Rgb(205, 205, 205)), (ToneChoice{6, 7, 7}));
    // (60, 0, 60): red + blue mixes (255, 0, 255) at level 4 = (63, 0, 63), distance 4;
    // magenta alone at level 2 gives the same model and comes later in both orders.
    EXPECT_EQ(ChooseTone(descending, *state, Rgb(60, 0, 60)), (ToneChoice{2, 3, 3}));
    EXPECT_EQ(ChooseTone(PrepareToneSearch(*state, false), *state, Rgb(60, 0, 60)),
              (ToneChoice{2, 3, 3}));
}

TEST(Pc8801ColorTone, TargetIsTheBalancedColourLessFifty) {
    EXPECT_EQ(ToneTarget(Rgb(30, 100, 255)), Rgb(0, 50, 205));
    EXPECT_EQ(ToneTarget(Rgb(50, 51, 49)), Rgb(0, 1, 0));
}

TEST(Pc8801ColorTone, TheOddRowOfEachPairDecidesWhatThePairShows) {
    Picture source(4, 4, Black);
    source.fillRect(0, 1, 4, 1, White);
    source.fillRect(0, 3, 4, 1, RgbColor(40, 40, 40)); // at most 50: a black target
    auto state = StateFor(source);
    RunToEnd(*state, ModeId::Pc8801ColorTone1);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(state->result.pixel(x, 0), White) << x;
        EXPECT_EQ(state->result.pixel(x, 1), White) << x;
        EXPECT_EQ(state->result.pixel(x, 2), Black) << x;
        EXPECT_EQ(state->result.pixel(x, 3), Black) << x;
    }
}

TEST(Pc8801HalfTone, TheOddRowDecidesToo) {
    Picture source(4, 2, Black);
    source.fillRect(0, 1, 4, 1, White);
    auto state = StateFor(source);
    state->params.ForegroundColor = Black;
    state->params.BackgroundColor = White;
    RunToEnd(*state, ModeId::Pc8801HalfTone);
    EXPECT_EQ(state->result, Picture(4, 2, White)) << "white is level 8, colour B";
}

TEST(Pc8801Aspect, OneToTwoPaintsPairsFromTheEvenRow) {
    Picture source(3, 3, RgbColor(250, 5, 5));
    source.fillRect(0, 1, 3, 1, White);
    auto state = StateFor(source);
    RunToEnd(*state, ModeId::Pc8801Tall);
    EXPECT_EQ(state->result, Picture(3, 3, RgbColor(255, 0, 0)));
}

TEST(Pc8801Aspect, AnalogPaletteSnapsToTheGridAndKeepsEightColours) {
    Picture source(4, 4, Black);
    source.fillRect(0, 0, 2, 4, White);
    auto state = StateFor(source);
    state->params.AnalogPalette = true;
    state->params.Interlace = true; // every row from its own source row
    RunToEnd(*state, ModeId::Pc8801Tall);
    EXPECT_EQ(state->result.pixel(0, 3), RgbColor(247, 247, 247));
    EXPECT_EQ(state->result.pixel(3, 0), RgbColor(6, 6, 6));
    const QuantizerPalette& p = state->quantizerPalette;
    EXPECT_EQ(p[0], GreyEntry(6));
    EXPECT_EQ(p[1], GreyEntry(247));
    for (int i = 2; i < 8; ++i)
        EXPECT_EQ(p[std::size_t(i)], GreyEntry(255)) << i;
    for (int i = 8; i < 16; ++i)
        EXPECT_EQ(p[std::size_t(i)], GreyEntry(0)) << i;
}

TEST(Pc8801Passes, ResultsDoNotDependOnWherePassesEnd) {
    const Picture source = Gradient(9, 7);
    for (const ModeDescriptor& d : ModesOf(ConverterPage::Pc8801)) {
        auto whole = StateFor(source);
        whole->params.ForegroundColor = RgbColor(0, 0, 255);
        RunToEnd(*whole, d.id);
        auto sliced = StateFor(source);
        sliced->params.ForegroundColor = RgbColor(0, 0, 255);
        RunToEnd(*sliced, d.id, 1);
        EXPECT_EQ(sliced->result, whole->result) << d.caption;
        EXPECT_NE(whole->result, source) << d.caption;
    }
}

namespace {

// The tone search written out plainly: every (i, k, j) in the order the mode meets them,
// the truncated distance by square root, the first strictly smallest kept.
ToneChoice PlainToneSearch(const ConverterPalette& p, int first, int last, bool descending,
                           bool weighted, const ColorRec& target) {
    ToneChoice best;
    int bestDistance = 65536;
    for (int i = 0; i <= 8; ++i)
        for (int n = 0; n <= last - first; ++n) {
            const int j = descending ? last - n : first + n;
            for (int k = first; k <= j; ++k) {
                const ColorRec model = Rgb(i * (p[k].R + p[j].R) / 16, i * (p[k].G + p[j].G) / 16,
                                           i * (p[k].B + p[j].B) / 16);
                const int d = ColorDistance(target, model, weighted);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = {i, k, j};
                }
            }
        }
    return best;
}

} // namespace

TEST(Pc8801ColorTone, ChoosesAsThePlainSearchOverEveryCandidate) {
    for (int kind : {int(KindPc8801), int(KindColor15), int(KindColor4_1)}) {
        for (bool weighted : {false, true}) {
            for (bool descending : {false, true}) {
                auto state = StateFor(Picture(1, 1));
                state->params.PaletteKind = kind;
                state->params.NtscWeighting = weighted;
                LoadConverterPalette(state->palette, kind);
                const ToneSearch search = PrepareToneSearch(*state, descending);
                const IndexRange& range = ConversionRange(kind);
                for (int n = 0; n < 400; ++n) {
                    const ColorRec t = Rgb(n * 37 % 256, n * 91 % 256, n * 53 % 256);
                    ASSERT_EQ(ChooseTone(search, *state, t),
                              PlainToneSearch(state->palette, range.first, range.last, descending,
                                              weighted, t))
                        << "kind " << kind << " weighted " << weighted << " colour " << n;
                }
            }
        }
    }
}
