#include "ConversionTestSupport.h"

#include "core/convert/HalfTone.h"

#include <gtest/gtest.h>

#include <string>

namespace murelo {
namespace {

using test::StateFor;

constexpr ColorValue A = 0x000000; // foreground
constexpr ColorValue B = 0xFFFFFF; // background

ColorRec Grey(int v) {
    ColorRec rec;
    rec.R = rec.G = rec.B = v;
    return rec;
}

int Level(int grey, int halfToneLevel) {
    return HalfToneTone(Grey(grey), false) & HalfToneMask(halfToneLevel);
}

TEST(HalfToneLevelTest, WhiteIsLevelEightAtEveryHalfToneLevel) {
    for (int h = 0; h <= 3; ++h)
        EXPECT_EQ(Level(255, h), 8) << h;
}

TEST(HalfToneLevelTest, MidGreyIsLevelFourExceptAtLevelZero) {
    EXPECT_EQ(Level(128, 3), 4);
    EXPECT_EQ(Level(128, 2), 4);
    EXPECT_EQ(Level(128, 1), 4);
    EXPECT_EQ(Level(128, 0), 0);
}

TEST(HalfToneLevelTest, NearWhiteGreys) {
    for (int h = 0; h <= 3; ++h)
        EXPECT_EQ(Level(230, h), 8) << h; // 230 * 35294 / 1000000 = 8
    EXPECT_EQ(Level(200, 3), 7);
    EXPECT_EQ(Level(200, 2), 6);
    EXPECT_EQ(Level(200, 1), 4);
    EXPECT_EQ(Level(200, 0), 0);
    EXPECT_EQ(Level(0, 3), 0);
}

TEST(HalfToneLevelTest, NtscToneUsesLuminance) {
    ColorRec green;
    green.G = 255;
    EXPECT_EQ(HalfToneTone(green, false), 2); // 85 * 35294 = 2999990: just below 3
    EXPECT_EQ(HalfToneTone(green, true), 5);  // 1047 / 7 = 149
    EXPECT_EQ(HalfToneTone(Grey(128), true), 4);
}

// The result as rows of 'A', 'B' or '.' (neither colour).
std::vector<std::string> Drawn(const Picture& picture) {
    std::vector<std::string> rows;
    for (int y = 0; y < picture.height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.width(); ++x) {
            const ColorValue c = picture.pixel(x, y);
            row += c == A ? 'A' : (c == B ? 'B' : '.');
        }
        rows.push_back(row);
    }
    return rows;
}

std::unique_ptr<ConversionState> HalfToneOf(const Picture& source, int halfToneLevel,
                                            ColorValue bg = B) {
    auto state = StateFor(source);
    state->params.HalfToneLevel = halfToneLevel;
    state->params.ForegroundColor = A;
    state->params.BackgroundColor = bg;
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_TRUE(state->complete);
    return state;
}

using Rows = std::vector<std::string>;

TEST(HalfToneTest, LevelSevenPutsTheForegroundInTwoCellsOfSixteen) {
    auto state = HalfToneOf(Picture(4, 4, RgbColor(200, 200, 200)), 3);
    EXPECT_EQ(Drawn(state->result), (Rows{"ABBB", "BBBB", "BBAB", "BBBB"}));
}

TEST(HalfToneTest, LevelSixAtHalfToneLevelTwo) {
    auto state = HalfToneOf(Picture(4, 4, RgbColor(200, 200, 200)), 2);
    EXPECT_EQ(Drawn(state->result), (Rows{"ABAB", "BBBB", "ABAB", "BBBB"}));
}

TEST(HalfToneTest, MidGreyIsACheckerboardThatRepeatsEveryFourPixels) {
    auto state = HalfToneOf(Picture(6, 5, RgbColor(128, 128, 128)), 3);
    EXPECT_EQ(Drawn(state->result), (Rows{"ABABAB", "BABABA", "ABABAB", "BABABA", "ABABAB"}));
}

TEST(HalfToneTest, BlackAndWhiteAreSolid) {
    EXPECT_EQ(Drawn(HalfToneOf(Picture(3, 2, 0xFFFFFF), 0)->result), (Rows{"BBB", "BBB"}));
    EXPECT_EQ(Drawn(HalfToneOf(Picture(3, 2, 0x000000), 3)->result), (Rows{"AAA", "AAA"}));
    EXPECT_EQ(Drawn(HalfToneOf(Picture(3, 2, RgbColor(128, 128, 128)), 0)->result),
              (Rows{"AAA", "AAA"}));
}

TEST(HalfToneTest, WithoutBackgroundTheSourceShowsWhereItWouldBeDrawn) {
    const ColorValue grey = RgbColor(200, 200, 200);
    auto state = HalfToneOf(Picture(4, 4, grey), 3, NoColor);
    EXPECT_EQ(Drawn(state->result), (Rows{"A...", "....", "..A.", "...."}));
    EXPECT_EQ(state->result.pixel(1, 0), grey);
}

TEST(HalfToneTest, ProtectedSourceColoursAreNotPainted) {
    const ColorValue blue = PaletteColor(KindTms9918, 4);
    auto state = StateFor(Picture(2, 2, 0xFFFFFF));
    state->params.ForegroundColor = A;
    state->params.BackgroundColor = blue;
    state->params.ProtectedColors = 1 << 15; // white
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_EQ(state->result, state->source);
    state->params.ProtectedColors = 0;
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_EQ(state->result, Picture(2, 2, blue));
}

TEST(HalfToneTest, EqualColoursDrawTheForegroundEverywhere) {
    auto state = StateFor(Picture(4, 4, RgbColor(128, 128, 128)));
    state->params.ForegroundColor = 0x0000FF;
    state->params.BackgroundColor = 0x0000FF;
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_EQ(state->result, Picture(4, 4, 0x0000FF));
}

TEST(HalfToneTest, NtscWeightingRaisesGreen) {
    Picture green(4, 4, RgbColor(0, 255, 0));
    auto state = StateFor(green);
    state->params.ForegroundColor = A;
    state->params.BackgroundColor = B;
    state->params.NtscWeighting = true;
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_EQ(Drawn(state->result), (Rows{"ABAB", "BABB", "ABAB", "BBBA"})); // level 5
    state->params.NtscWeighting = false;
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_EQ(Drawn(state->result), (Rows{"ABAB", "AAAA", "ABAB", "AAAA"})); // level 2
}

TEST(HalfToneTest, BalanceIsAppliedBeforeTheTone) {
    auto state = StateFor(Picture(4, 1, RgbColor(100, 100, 100)));
    state->params.ForegroundColor = A;
    state->params.BackgroundColor = B;
    state->params.Balance.Brightness = 100; // 200: level 7
    RunConversion(*state, ModeId::HalfTone);
    EXPECT_EQ(Drawn(state->result), (Rows{"ABBB"}));
}

} // namespace
} // namespace murelo
