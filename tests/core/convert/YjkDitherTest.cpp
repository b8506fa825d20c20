#include "ConversionTestSupport.h"

#include "core/convert/PerceptualError.h"
#include "core/convert/PerceptualPoint.h"
#include "core/convert/YjkDither.h"
#include "core/convert/YjkPaletteChoice.h"
#include "core/convert/YjkPaletteFile.h"
#include "core/convert/YjkSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <vector>

namespace murelo {
namespace {

using test::NaturalPicture;

struct ModeRun {
    std::unique_ptr<ConversionState> state;
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(256 * 212, 0xAA);
};

// What a start through the converter does for a mode object: the result a copy of the
// source, the mode made, passes run until its end (each cut after `units` units when
// given), then its finish.
ModeRun RunMode(ModeFactory factory, const Picture& source, int units = 0, int strength = 95,
                YjkBalance balance = {}) {
    ModeRun run;
    run.state = std::make_unique<ConversionState>();
    ConversionState& state = *run.state;
    state.source = source;
    state.result = source;
    state.screenBytes = run.bytes;
    state.params.DitherStrength = strength;
    state.params.Yjk = balance;
    state.budget = PassBudget(PassBudgetMs, units);
    const std::unique_ptr<ModeConversion> mode = factory(state);
    int i = 0;
    while (i < mode->end())
        i = mode->pass(state, i);
    EXPECT_EQ(i, mode->end());
    mode->finish(state);
    return run;
}

// The V9958's decoding written out afresh from the chip's rules, apart from the code under
// test: 6-bit two's-complement K in bytes 0 and 1, J in bytes 2 and 3; R = Y + J,
// G = Y + K, B = (5Y - 2J - K) / 4 rounded to nearest; levels 0..31 shown as 255 * v / 31.
struct Decoded {
    ColorValue color;
    bool palettePixel;
};
Decoded ChipDecode(const std::uint8_t* group, int i, bool screen10, const QuantizerPalette& pal) {
    auto six = [](int lo, int hi) {
        const int v = (lo & 7) + 8 * (hi & 7);
        return v < 32 ? v : v - 64;
    };
    const int k = six(group[0], group[1]);
    const int j = six(group[2], group[3]);
    const std::uint8_t b = group[i];
    if (screen10 && (b & 8)) {
        const QuantizerEntry& e = pal[std::size_t(b >> 4)];
        return {RgbColor(e.Red, e.Green, e.Blue), true};
    }
    const int y = screen10 ? (b >> 4) * 2 : b >> 3;
    auto shown = [](int v) { return 255 * std::clamp(v, 0, 31) / 31; };
    const int blue = int(std::floor((5 * y - 2 * j - k) / 4.0 + 0.5));
    return {RgbColor(shown(y + j), shown(y + k), shown(blue)), false};
}

// Colours openMSX showed for these bytes (C-BIOS_MSX2+, SCREEN 12 and SCREEN 10 with the
// attribute bit, gamma 1.0): the decoding the preview must equal.
struct MeasuredCase {
    YjkScreen screen;
    std::array<std::uint8_t, 4> bytes;
    int pixel;
    ColorValue shown;
};

class YjkDecodeMeasured : public ::testing::TestWithParam<MeasuredCase> {};

TEST_P(YjkDecodeMeasured, EqualsTheEmulator) {
    YjkPalette palette{};
    palette[3] = {2, 5, 7};
    const MeasuredCase& c = GetParam();
    EXPECT_EQ(DecodeYjkGroup(c.bytes, c.screen, palette)[std::size_t(c.pixel)], c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Openmsx, YjkDecodeMeasured,
    ::testing::Values(
        // Blue rounds to nearest: (35 + 60 - 4 + 2) / 4 gives level 23, not 22.
        MeasuredCase{YjkScreen::Screen12, {0x44, 0x20, 0x82, 0x3C}, 3, RgbColor(0, 90, 189)},
        MeasuredCase{YjkScreen::Screen12, {0xC7, 0xDD, 0x01, 0xE4}, 2, RgbColor(0, 0, 164)},
        MeasuredCase{YjkScreen::Screen12, {0x88, 0x75, 0x34, 0xA2}, 1, RgbColor(255, 0, 115)},
        MeasuredCase{YjkScreen::Screen12, {0xF8, 0xF8, 0xF8, 0xF8}, 0, RgbColor(255, 255, 255)},
        MeasuredCase{YjkScreen::Screen12, {0x00, 0x00, 0x00, 0x00}, 0, RgbColor(0, 0, 0)},
        // SCREEN 10/11: Y is the upper four bits doubled.
        MeasuredCase{YjkScreen::Screen10, {0x10, 0x00, 0x00, 0x00}, 0, RgbColor(16, 16, 24)},
        MeasuredCase{YjkScreen::Screen10, {0xF0, 0xF0, 0xF0, 0xF0}, 3, RgbColor(246, 246, 255)},
        // The attribute bit: palette entry 3, levels 2, 5, 7 widened to 9, 22, 31.
        MeasuredCase{YjkScreen::Screen10, {0x3F, 0x00, 0x00, 0x00}, 0, RgbColor(74, 180, 255)}));

class YjkDitherModes : public ::testing::TestWithParam<YjkScreen> {
  protected:
    ModeFactory factory() const {
        return GetParam() == YjkScreen::Screen10 ? StartYjk10Dithered : StartYjk12Dithered;
    }
    bool screen10() const { return GetParam() == YjkScreen::Screen10; }
};

TEST_P(YjkDitherModes, PreviewIsTheChipsDecodingOfTheStoredBytes) {
    const Picture source = NaturalPicture(256, 212, 7);
    const ModeRun run = RunMode(factory(), source);
    const ConversionState& s = *run.state;
    int palettePixels = 0;
    for (int y = 0; y < 212; ++y)
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t* group = &s.screenBytes[std::size_t(y * 256 + x / 4 * 4)];
            const Decoded d = ChipDecode(group, x % 4, screen10(), s.quantizerPalette);
            palettePixels += d.palettePixel;
            ASSERT_EQ(s.result.pixel(x, y), d.color) << x << "," << y;
        }
    // Palette pixels are only SCREEN 10/11's, and a picture with hard hue edges uses them.
    EXPECT_EQ(palettePixels > 0, screen10());
}

TEST_P(YjkDitherModes, SameResultWhereverPassesEnd) {
    const Picture source = NaturalPicture(96, 23, 3);
    const ModeRun whole = RunMode(factory(), source);
    for (int units : {1, 7, 24, 25}) {
        const ModeRun cut = RunMode(factory(), source, units);
        EXPECT_EQ(cut.state->result, whole.state->result) << units;
        EXPECT_EQ(cut.state->quantizerPalette, whole.state->quantizerPalette) << units;
    }
}

TEST_P(YjkDitherModes, FlatAreasOfColoursTheChipShowsStayClean) {
    // Noise around flat black, white and an exact YJK colour: errors of the noise reach
    // the flat areas and must end there.
    Picture source = NaturalPicture(64, 40, 11);
    const ColorValue exact = ColorOfLevels(DecodeYjkLevels(12, 5, -3));
    const std::array<ColorValue, 3> flats = {RgbColor(0, 0, 0), RgbColor(255, 255, 255), exact};
    for (std::size_t f = 0; f < flats.size(); ++f)
        source.fillRect(4 + 20 * int(f), 8, 16, 24, flats[f]);
    const ModeRun run = RunMode(factory(), source);
    for (std::size_t f = 0; f < flats.size(); ++f)
        for (int y = 8; y < 32; ++y)
            for (int x = 4 + 20 * int(f); x < 20 + 20 * int(f); ++x)
                ASSERT_EQ(run.state->result.pixel(x, y), flats[f]) << f << ": " << x << "," << y;
}

TEST_P(YjkDitherModes, OtherSizesConvertEveryPixelWithoutStoring) {
    // 250 wide: the last group has two pixels; nothing is stored for a screen this size.
    const Picture source = NaturalPicture(250, 30, 5);
    const ModeRun run = RunMode(factory(), source);
    const ConversionState& s = *run.state;
    EXPECT_TRUE(std::all_of(run.bytes.begin(), run.bytes.end(), [](auto b) { return b == 0xAA; }));
    std::set<int> levels;
    for (int l = 0; l < 32; ++l)
        levels.insert(255 * l / 31);
    std::set<ColorValue> shown;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 250; ++x) {
            const ColorValue c = s.result.pixel(x, y);
            // Every channel of a colour the chip shows is one of its 32 levels.
            for (int v : {RedOf(c), GreenOf(c), BlueOf(c)})
                ASSERT_TRUE(levels.count(v)) << x << "," << y << ": " << v;
            shown.insert(c);
        }
    EXPECT_GT(shown.size(), 20u);
}

TEST_P(YjkDitherModes, DitherStrengthSpreadsTheError) {
    // A flat colour between two luminances: without diffusion every pixel takes the same
    // nearest choice; with it the area mixes neighbours, and its mean comes closer.
    const Picture source(64, 16, RgbColor(121, 119, 125));
    const ModeRun plain = RunMode(factory(), source, 0, 0);
    const ModeRun dithered = RunMode(factory(), source, 0, 100);
    std::set<ColorValue> plainColors(plain.state->result.pixels().begin(),
                                     plain.state->result.pixels().end());
    std::set<ColorValue> ditheredColors(dithered.state->result.pixels().begin(),
                                        dithered.state->result.pixels().end());
    EXPECT_EQ(plainColors.size(), 1u);
    EXPECT_GT(ditheredColors.size(), 1u);
    EXPECT_LT(ComparePictures(source, dithered.state->result).meanDeltaE,
              ComparePictures(source, plain.state->result).meanDeltaE);
}

TEST_P(YjkDitherModes, YElementBarBrightensTheResult) {
    const Picture source = NaturalPicture(32, 16, 2);
    auto meanGreen = [](const Picture& p) {
        double sum = 0;
        for (ColorValue c : p.pixels())
            sum += GreenOf(c);
        return sum / double(p.pixels().size());
    };
    const ModeRun plain = RunMode(factory(), source);
    const ModeRun brighter = RunMode(factory(), source, 0, 95, YjkBalance{50, 0, 0});
    EXPECT_GT(meanGreen(brighter.state->result), meanGreen(plain.state->result) + 20);
}

INSTANTIATE_TEST_SUITE_P(Screens, YjkDitherModes,
                         ::testing::Values(YjkScreen::Screen10, YjkScreen::Screen12),
                         [](const auto& info) {
                             return info.param == YjkScreen::Screen10 ? "Screen10" : "Screen12";
                         });

} // namespace
} // namespace murelo
