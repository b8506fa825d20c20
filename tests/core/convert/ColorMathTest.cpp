#include "core/convert/ColorMath.h"
#include "core/convert/PaletteSearch.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

ColorRec Rgb(int r, int g, int b) {
    ColorRec rec;
    rec.R = r;
    rec.G = g;
    rec.B = b;
    return rec;
}

ColorRec Yjk(int y8, int j8, int k8) {
    ColorRec rec;
    rec.Y8 = y8;
    rec.J8 = j8;
    rec.K8 = k8;
    return rec;
}

TEST(ColorRecTest, SplitsTheColourValueRedInTheLowByte) {
    const ColorRec rec = ColorRecFromColor(0x123456);
    EXPECT_EQ(rec.R, 0x56);
    EXPECT_EQ(rec.G, 0x34);
    EXPECT_EQ(rec.B, 0x12);
}

TEST(ColorRecTest, WhiteAndGreyGoToYjkAndBack) {
    ColorRec white = ColorRecFromColorYjk(0xFFFFFF);
    EXPECT_EQ(white.Y8, 1785);
    EXPECT_EQ(white.J8, 255);
    EXPECT_EQ(white.K8, 255);
    EXPECT_EQ(YjkToColor(white), 0xFFFFFF);

    ColorRec grey = ColorRecFromColorYjk(RgbColor(128, 128, 128));
    EXPECT_EQ(grey.Y8, 896);
    EXPECT_EQ(grey.J8, 128);
    EXPECT_EQ(grey.K8, 128);
    EXPECT_EQ(YjkToColor(grey), RgbColor(128, 128, 128));
}

TEST(ColorRecTest, YjkOfPureRedHasNegativeK) {
    const ColorRec red = ColorRecFromColorYjk(RgbColor(255, 0, 0));
    EXPECT_EQ(red.Y8, 510);
    EXPECT_EQ(red.J8, 1530);
    EXPECT_EQ(red.K8, -510);
}

TEST(YjkToColorTest, LuminanceWithoutChromaClampsBlue) {
    ColorRec top = Yjk(1785, 0, 0);
    EXPECT_EQ(YjkToColor(top), RgbColor(223, 223, 255)); // blue 8925 / 32 = 278, clamped
    EXPECT_EQ(top.B, 255);
    ColorRec rescaled = Yjk(2040, 0, 0);
    EXPECT_EQ(YjkToColor(rescaled), 0xFFFFFF);
}

TEST(YjkToColorTest, DivisionsTruncateTowardZeroBeforeTheClamp) {
    ColorRec a = Yjk(0, -7, 0);
    YjkToColor(a);
    EXPECT_EQ(a.R, 0);
    ColorRec b = Yjk(0, -9, 0);
    YjkToColor(b);
    EXPECT_EQ(b.R, 0);
    // 15 / 8 is 1 and 31 / 32 is 0: no rounding to nearest.
    ColorRec c = Yjk(0, 15, 15);
    YjkToColor(c);
    EXPECT_EQ(c.R, 1);
    EXPECT_EQ(c.G, 1);
    // 5 * 100 - 2 * 60 - 40 = 340: blue 340 / 32 = 10.
    ColorRec d = Yjk(100, 60, 40);
    YjkToColor(d);
    EXPECT_EQ(d.R, 20);
    EXPECT_EQ(d.G, 17);
    EXPECT_EQ(d.B, 10);
}

TEST(ClampTest, ChannelsAndLuminance) {
    EXPECT_EQ(ClampChannel(-1), 0);
    EXPECT_EQ(ClampChannel(0), 0);
    EXPECT_EQ(ClampChannel(255), 255);
    EXPECT_EQ(ClampChannel(256), 255);
    ColorRec rec = Yjk(2000, 0, 0);
    ClampY8(rec, 0, 1785);
    EXPECT_EQ(rec.Y8, 1785);
    rec.Y8 = -3;
    ClampY8(rec, 0, 1785);
    EXPECT_EQ(rec.Y8, 0);
    // The low bound is tested first.
    rec.Y8 = 7;
    ClampY8(rec, 10, 5);
    EXPECT_EQ(rec.Y8, 10);
}

TEST(Luminance7Test, PrimariesAndWhite) {
    EXPECT_EQ(Luminance7(Rgb(0, 255, 0)), 1047);
    EXPECT_EQ(Luminance7(Rgb(0, 0, 255)), 204);
    EXPECT_EQ(Luminance7(Rgb(255, 0, 0)), 533);
    EXPECT_EQ(Luminance7(Rgb(255, 255, 255)), 1785);
    EXPECT_EQ(Luminance7(Rgb(0, 0, 0)), 0);
}

TEST(ColorDistanceTest, BlackToWhitePlainAndWeighted) {
    EXPECT_EQ(ColorDistance(Rgb(0, 0, 0), Rgb(255, 255, 255), false), 441);
    EXPECT_EQ(ColorDistance(Rgb(0, 0, 0), Rgb(255, 255, 255), true), 17039);
    // The weighted differences 7622, 14958, 2919 are each truncated before squaring.
    EXPECT_EQ(ColorDistance(Rgb(255, 0, 0), Rgb(0, 0, 0), true), 7622);
    EXPECT_EQ(ColorDistance(Rgb(0, 255, 0), Rgb(0, 0, 0), true), 14958);
    EXPECT_EQ(ColorDistance(Rgb(0, 0, 255), Rgb(0, 0, 0), true), 2919);
}

TEST(ColorDistanceTest, TruncatesTheRootAndIgnoresYjk) {
    EXPECT_EQ(ColorDistance(Rgb(0, 0, 0), Rgb(3, 3, 3), false), 5); // sqrt 27 = 5.19
    EXPECT_EQ(ColorDistance(Rgb(10, 0, 0), Rgb(0, 0, 0), false), 10);
    ColorRec a = Rgb(1, 2, 3);
    ColorRec b = a;
    b.Y8 = 900;
    EXPECT_EQ(ColorDistance(a, b, true), 0);
    // A weighted difference of 1 becomes 29 (29.89 truncated), -1 becomes -29.
    EXPECT_EQ(ColorDistance(Rgb(1, 0, 0), Rgb(0, 0, 0), true), 29);
    EXPECT_EQ(ColorDistance(Rgb(0, 0, 0), Rgb(1, 0, 0), true), 29);
}

TEST(AdjustChannelTest, DefaultsPassEveryChannelUnchanged) {
    const ColorBalance balance;
    for (int c = 0; c <= 255; ++c)
        ASSERT_EQ(AdjustChannel(c, 0, balance), c);
}

TEST(AdjustChannelTest, ContrastZeroGivesMidGrey) {
    ColorBalance balance;
    balance.Contrast = 0;
    EXPECT_EQ(AdjustChannel(0, 0, balance), 128);
    EXPECT_EQ(AdjustChannel(255, 100, balance), 128);
    EXPECT_EQ(AdjustChannel(37, -100, balance), 128);
}

TEST(AdjustChannelTest, BrightnessAndOffsetAddBeforeTheClamp) {
    ColorBalance balance;
    balance.Brightness = 100;
    EXPECT_EQ(AdjustChannel(200, 0, balance), 255);
    EXPECT_EQ(AdjustChannel(50, -30, balance), 120);
    balance.Brightness = -100;
    EXPECT_EQ(AdjustChannel(50, 0, balance), 0);
}

TEST(AdjustChannelTest, HighContrastSquaresTheFactor) {
    ColorBalance balance;
    balance.Contrast = 200;
    EXPECT_EQ(AdjustChannel(129, 0, balance), 192); // 1 * 12996 / 200 = 64
    EXPECT_EQ(AdjustChannel(127, 0, balance), 64);  // -64
    EXPECT_EQ(AdjustChannel(128, 0, balance), 128);
    EXPECT_EQ(AdjustChannel(140, 0, balance), 255);
    balance.Contrast = 101;                         // factor 225 / 200 = 1.125
    EXPECT_EQ(AdjustChannel(228, 0, balance), 240); // 100 * 225 / 200 = 112
    EXPECT_EQ(AdjustChannel(28, 0, balance), 16);   // -112
}

TEST(AdjustChannelTest, LowContrastTruncatesTowardZero) {
    ColorBalance balance;
    balance.Contrast = 50;
    EXPECT_EQ(AdjustChannel(127, 0, balance), 128); // -1 * 50 / 100 = 0, not -1
    EXPECT_EQ(AdjustChannel(125, 0, balance), 127); // -3 * 50 / 100 = -1
    EXPECT_EQ(AdjustChannel(131, 0, balance), 129);
}

TEST(AdjustColorTest, EachChannelTakesItsOwnOffset) {
    ColorBalance balance;
    balance.RedOffset = 10;
    balance.GreenOffset = -20;
    balance.BlueOffset = 30;
    const ColorRec out = AdjustColor(Rgb(100, 100, 250), balance);
    EXPECT_EQ(out.R, 110);
    EXPECT_EQ(out.G, 80);
    EXPECT_EQ(out.B, 255);
}

ConverterPalette UniformPalette(ColorRec fill) {
    ConverterPalette palette;
    palette.fill(fill);
    return palette;
}

TEST(NearestPaletteIndexTest, ExactlyBetweenTwoEntriesTakesTheLower) {
    ConverterPalette palette = UniformPalette(Rgb(255, 255, 255));
    palette[4] = Rgb(100, 100, 100);
    palette[9] = Rgb(120, 100, 100);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(110, 100, 100), 1, 15, false), 4);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(111, 100, 100), 1, 15, false), 9);
}

TEST(NearestPaletteIndexTest, TiesAreJudgedOnTruncatedDistances) {
    ConverterPalette palette = UniformPalette(Rgb(255, 255, 255));
    // Entry 4 lies sqrt(120) = 10.95 away, entry 9 exactly 10: both count as 10.
    palette[4] = Rgb(10, 2, 4);
    palette[9] = Rgb(10, 0, 0);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 1, 15, false), 4);
    // Moved to 11 away, entry 9 is strictly nearer.
    palette[4] = Rgb(11, 0, 0);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 1, 15, false), 9);
}

TEST(NearestPaletteIndexTest, DuplicateEntriesOnlyTheLowerIsChosen) {
    ConverterPalette palette = UniformPalette(Rgb(8, 8, 8));
    palette[0] = Rgb(0, 0, 0);
    palette[1] = Rgb(0, 0, 255);
    palette[2] = Rgb(255, 0, 0);
    palette[3] = Rgb(255, 0, 255);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(8, 8, 8), 0, 15, false), 4);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(250, 10, 250), 0, 15, true), 3);
}

TEST(NearestPaletteIndexTest, SearchesOnlyTheGivenRange) {
    ConverterPalette palette = UniformPalette(Rgb(200, 200, 200));
    palette[0] = Rgb(0, 0, 0);
    palette[15] = Rgb(0, 0, 0);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 1, 15, false), 15);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 1, 14, false), 1);
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 0, 15, false), 0);
}

TEST(NearestPaletteIndexTest, WeightingChangesTheChoice) {
    ConverterPalette palette = UniformPalette(Rgb(255, 255, 255));
    palette[1] = Rgb(40, 0, 0); // 40 red away from black
    palette[2] = Rgb(0, 30, 0); // 30 green away
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 1, 15, false), 2);
    // Weighted: red 40 -> 1195, green 30 -> 1759.
    EXPECT_EQ(NearestPaletteIndex(palette, Rgb(0, 0, 0), 1, 15, true), 1);
}

TEST(LoadConverterPaletteTest, CopiesTheKindAndMinusOneKeepsIt) {
    ConverterPalette palette{};
    LoadConverterPalette(palette, KindTms9918);
    EXPECT_EQ(palette[4], Rgb(0x62, 0x5B, 0xA8));
    EXPECT_EQ(palette[15], Rgb(255, 255, 255));
    LoadConverterPalette(palette, -1);
    EXPECT_EQ(palette[4], Rgb(0x62, 0x5B, 0xA8));
    LoadConverterPalette(palette, KindPc8801);
    EXPECT_EQ(palette[1], Rgb(0, 0, 255));
}

TEST(LevelTablesTest, DisplayValuesOfTheLevels) {
    EXPECT_EQ(Level3Table[31 >> 5], 6);
    EXPECT_EQ(Level3Table[32 >> 5], 32);
    EXPECT_EQ(Level3Table[255 >> 5], 247);
    EXPECT_EQ(Level2Table[63 >> 6], 6);
    EXPECT_EQ(Level2Table[64 >> 6], 72);
    EXPECT_EQ(Level2Table[255 >> 6], 247);
}

} // namespace
} // namespace murelo

namespace murelo {
namespace {

// The search exactly as the rule reads: a root per entry, a later entry wins only when
// strictly nearer.
int LiteralNearest(const ConverterPalette& palette, const ColorRec& rec, int first, int last,
                   bool weighted) {
    int best = 65536;
    int result = 1;
    for (int i = first; i <= last; ++i) {
        const int d = ColorDistance(rec, palette[i], weighted);
        if (d < best) {
            best = d;
            result = i;
        }
    }
    return result;
}

TEST(NearestPaletteIndexTest, AgreesWithTheLiteralSearchForEveryKind) {
    unsigned s = 77;
    for (int kind = 0; kind < PaletteKindCount; ++kind) {
        ConverterPalette palette;
        LoadConverterPalette(palette, kind);
        const IndexRange& range = ConversionRange(kind);
        for (int n = 0; n < 4000; ++n) {
            s = s * 1103515245u + 12345u;
            ColorRec rec;
            rec.R = int(s >> 8) & 0xFF;
            rec.G = int(s >> 16) & 0xFF;
            rec.B = int(s >> 24) & 0xFF;
            for (bool weighted : {false, true})
                ASSERT_EQ(NearestPaletteIndex(palette, rec, range.first, range.last, weighted),
                          LiteralNearest(palette, rec, range.first, range.last, weighted))
                    << kind << " " << rec.R << "," << rec.G << "," << rec.B;
        }
    }
    // Out-of-range channels (never produced by the converters) take the same rule.
    ConverterPalette palette;
    LoadConverterPalette(palette, KindTms9918);
    ColorRec wild;
    wild.R = 400;
    wild.G = -90;
    wild.B = 128;
    EXPECT_EQ(NearestPaletteIndex(palette, wild, 1, 15, true),
              LiteralNearest(palette, wild, 1, 15, true));
    EXPECT_EQ(NearestPaletteIndex(palette, wild, 3, 2, false), 1); // empty range
}

} // namespace
} // namespace murelo

namespace murelo {
namespace {

TEST(PaletteSearchTest, AgreesWithNearestPaletteIndexOverEveryKindAndSubRange) {
    unsigned s = 5;
    for (int kind = 0; kind < PaletteKindCount; ++kind) {
        ConverterPalette palette;
        LoadConverterPalette(palette, kind);
        const IndexRange& range = ConversionRange(kind);
        for (auto [first, last] : {std::pair{range.first, range.last}, std::pair{4, 7},
                                   std::pair{0, 3}, std::pair{15, 15}}) {
            const PaletteSearch search(palette, first, last);
            ASSERT_TRUE(search.usable());
            for (int n = 0; n < 2000; ++n) {
                s = s * 1103515245u + 12345u;
                ColorRec rec;
                rec.R = int(s >> 8) & 0xFF;
                rec.G = int(s >> 16) & 0xFF;
                rec.B = int(s >> 24) & 0xFF;
                ASSERT_EQ(search.nearest(rec),
                          NearestPaletteIndex(palette, rec, first, last, false))
                    << kind << " " << first << ".." << last;
            }
        }
    }
    ConverterPalette palette{};
    palette[3].R = 300;
    EXPECT_FALSE(PaletteSearch(palette, 0, 15).usable());
    EXPECT_TRUE(PaletteSearch(palette, 4, 15).usable());
    EXPECT_FALSE(PaletteSearch(palette, 5, 4).usable());
}

} // namespace
} // namespace murelo
