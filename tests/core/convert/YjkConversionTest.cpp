// Expected bytes and colours are worked out by hand from Y8 = 2R + G + 4B,
// J8 = 6R - G - 4B, K8 = 7G - 2R - 4B, the bytes' Y / 56 (SCREEN 12) or Y / 112 (SCREEN
// 10/11) and J, K / 56 as six-bit numbers.
#include "core/convert/YjkConversion.h"
#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

using namespace murelo;

namespace {

using Bytes = std::array<std::uint8_t, 4>;

YjkGroup Solid(ColorValue c, int type, int screenMode, YjkBalance balance = {}) {
    return ConvertYjkGroup({c, c, c, c}, type, balance, screenMode);
}

std::unique_ptr<ConversionState> StateFor(const Picture& source, ModeId mode = ModeId::Yjk12) {
    return test::PcStateFor(source, KindTms9918, mode);
}

// The state's mode made, not yet run.
ModeConversion& Started(ConversionState& state) {
    state.work = Describe(state.mode).start(state);
    return *state.work;
}

const ColorValue White = RgbColor(255, 255, 255);
const ColorValue Red = RgbColor(255, 0, 0);
const ColorValue Grey = RgbColor(128, 128, 128);

} // namespace

TEST(YjkGroupBytes, WhiteGivesFullLuminanceAndChromaFour) {
    // J8 = K8 = 255, 255 / 56 = 4: the chroma bits are 4, 0, 4, 0.
    const YjkGroup g = Solid(White, YjkNormal, 12);
    EXPECT_EQ(g.bytes, (Bytes{0xFC, 0xF8, 0xFC, 0xF8}));
    for (ColorValue c : g.preview)
        EXPECT_EQ(c, White) << "Y8 stretched to 2040 decodes to white";
}

TEST(YjkGroupBytes, BlackIsAllZero) {
    const YjkGroup g = Solid(RgbColor(0, 0, 0), YjkNormal, 12);
    EXPECT_EQ(g.bytes, (Bytes{0, 0, 0, 0}));
    for (ColorValue c : g.preview)
        EXPECT_EQ(c, RgbColor(0, 0, 0));
}

TEST(YjkGroupBytes, PureRedStoresNegativeKAsSixBits) {
    // Y8 510 -> 9 << 3 = 0x48; Jc = 1530 / 56 = 27 (011 011), Kc = -510 / 56 = -9 -> 55
    // (110 111).
    const YjkGroup g = Solid(Red, YjkNormal, 12);
    EXPECT_EQ(g.bytes, (Bytes{0x4F, 0x4E, 0x4B, 0x4B}));
    // Preview: Y8 582; R = 2112 / 8 clamped to 255, G = 72 / 8 = 9, B = 360 / 32 = 11.
    EXPECT_EQ(g.preview[0], RgbColor(255, 9, 11));
}

TEST(YjkGroupBytes, JElementAtFullWrapsInTheStoredBitsOnly) {
    YjkBalance balance;
    balance.JOffset = 100; // +512: J8 = 2042, Jc = 36 = 100 100, read back as -28
    const YjkGroup g = Solid(Red, YjkNormal, 12, balance);
    EXPECT_EQ(g.bytes, (Bytes{0x4F, 0x4E, 0x4C, 0x4C}));
    // The preview keeps J8 = 2042: R = (582 + 2042) / 8 = 328 -> 255,
    // B = (2910 - 4084 + 510) / 32 = -20 -> 0.
    EXPECT_EQ(g.preview[0], RgbColor(255, 9, 0));
}

TEST(YjkGroupBytes, Screen10KeepsFourLuminanceBitsAndBitThreeClear) {
    // Grey 128: Y8 896, 896 / 112 = 8; J8 = K8 = 128, Jc = Kc = 2.
    const YjkGroup g = Solid(Grey, YjkNormal, 10);
    EXPECT_EQ(g.bytes, (Bytes{0x82, 0x80, 0x82, 0x80}));
    // Y8 896 + 128 = 1024: R = G = (1024 + 128) / 8 = 144, B = (5120 - 384) / 32 = 148.
    EXPECT_EQ(g.preview[0], RgbColor(144, 144, 148));
    const YjkGroup white10 = Solid(White, YjkNormal, 10);
    EXPECT_EQ(white10.bytes, (Bytes{0xF4, 0xF0, 0xF4, 0xF0})) << "1785 / 112 = 15";
}

TEST(YjkGroupBytes, ChromaIsTheTruncatedMeanOfTheGroup) {
    // J8: red 1530, black 0, 0, 0 -> 382; K8: -510 / 4 = -127. Jc = 6, Kc = -2 -> 62.
    const YjkGroup g = ConvertYjkGroup({Red, 0, 0, 0}, YjkNormal, {}, 12);
    EXPECT_EQ(g.bytes, (Bytes{0x48 | 6, 7, 6, 0}));
}

TEST(YjkGroupBytes, GrayScaleTypesDropTheChroma) {
    // Y only: red keeps Y8 510; NTSC: Luminance7(red) = 533. Both give 9 << 3.
    const YjkGroup y = Solid(Red, YjkGrayScaleY, 12);
    EXPECT_EQ(y.bytes, (Bytes{0x48, 0x48, 0x48, 0x48}));
    EXPECT_EQ(y.preview[0], RgbColor(72, 72, 90)); // Y8 582: 582 / 8, 2910 / 32
    const YjkGroup ntsc = Solid(Red, YjkGrayScaleNtsc, 12);
    EXPECT_EQ(ntsc.bytes, (Bytes{0x48, 0x48, 0x48, 0x48}));
    EXPECT_EQ(ntsc.preview[0], RgbColor(76, 76, 95)); // Y8 609: 609 / 8, 3045 / 32

    YjkBalance balance;
    balance.KOffset = -50; // -256: Kc = -4 -> 60 (111 100)
    const YjkGroup shifted = Solid(Red, YjkGrayScaleY, 12, balance);
    EXPECT_EQ(shifted.bytes, (Bytes{0x48 | 4, 0x48 | 7, 0x48, 0x48}));
}

TEST(YjkGroupBytes, YElementShiftsAndClampsTheLuminance) {
    YjkBalance up;
    up.YOffset = 100; // +892
    EXPECT_EQ(Solid(RgbColor(0, 0, 0), YjkNormal, 12, up).bytes,
              (Bytes{15 << 3, 15 << 3, 15 << 3, 15 << 3}));
    EXPECT_EQ(Solid(White, YjkNormal, 12, up).bytes[0], 0xFC) << "clamped to 1785";
    YjkBalance down;
    down.YOffset = -100;
    EXPECT_EQ(Solid(Grey, YjkNormal, 12, down).bytes[0], (4 / 56) << 3 | 2) << "896 - 892";
}

TEST(YjkPass, StoresBytesAtRowOffsetsForA256WidePicture) {
    Picture source(256, 2, 0);
    source.fillRect(4, 1, 4, 1, Red);
    auto state = StateFor(source);
    std::fill(state->screenBytes.begin(), state->screenBytes.end(), 0xAA);
    test::RunModeToEnd(*state);
    EXPECT_EQ(state->screenBytes[0], 0);
    EXPECT_EQ(state->screenBytes[256 + 4], 0x4F);
    EXPECT_EQ(state->screenBytes[256 + 7], 0x4B);
    EXPECT_EQ(state->screenBytes[256 + 8], 0);
    EXPECT_EQ(state->screenBytes[512], 0xAA) << "nothing beyond the picture's rows";
    EXPECT_EQ(state->result.pixel(5, 1), RgbColor(255, 9, 11));
}

TEST(YjkPass, OtherSizesPreviewWithoutStoring) {
    EXPECT_TRUE(YjkStores(256, 212));
    EXPECT_FALSE(YjkStores(256, 213));
    EXPECT_FALSE(YjkStores(512, 212));
    auto state = StateFor(Picture(256, 213, Red), ModeId::Yjk10);
    std::fill(state->screenBytes.begin(), state->screenBytes.end(), 0xAA);
    test::RunModeToEnd(*state);
    EXPECT_EQ(state->screenBytes[0], 0xAA);
    EXPECT_EQ(state->result.pixel(255, 212), RgbColor(255, 9, 11));
}

TEST(YjkPass, AWidthNotAMultipleOfFourLeavesTheLastColumnsAlone) {
    const ColorValue marker = RgbColor(1, 2, 3);
    Picture source(250, 3, White);
    for (int y = 0; y < 3; ++y) {
        source.setPixel(248, y, marker);
        source.setPixel(249, y, marker);
    }
    auto state = StateFor(source);
    EXPECT_EQ(Started(*state).end(), 750);
    test::RunModeToEnd(*state);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(state->result.pixel(247, y), White) << "group 61 ends at x = 247";
        EXPECT_EQ(state->result.pixel(248, y), marker);
        EXPECT_EQ(state->result.pixel(249, y), marker);
    }
}

TEST(YjkPass, APictureNarrowerThanAGroupConvertsNothing) {
    Picture source(3, 5, Red);
    auto state = StateFor(source, ModeId::Yjk10);
    ModeConversion& mode = Started(*state);
    EXPECT_EQ(mode.end(), 0);
    EXPECT_EQ(mode.pass(*state, 0), 0);
    EXPECT_EQ(state->result, source);
}

TEST(YjkPass, EndsWherePassesEndDoesNotMatter) {
    Picture source(10, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            source.setPixel(x, y, RgbColor(25 * x, 80 * y, 7 * x * y));
    auto whole = StateFor(source);
    test::RunModeToEnd(*whole);
    auto sliced = StateFor(source);
    sliced->budget = PassBudget(PassBudgetMs, 1);
    ModeConversion& mode = Started(*sliced);
    int i = 0, passes = 0;
    while (i < mode.end()) {
        i = mode.pass(*sliced, i);
        ++passes;
    }
    EXPECT_EQ(passes, 30);
    EXPECT_EQ(sliced->result, whole->result);
    // Group 0 of row 1: (0, 80, 0), (25, 80, 0), (50, 80, 0), (75, 80, 0) is converted.
    EXPECT_NE(whole->result.pixel(0, 1), source.pixel(0, 1));
}
