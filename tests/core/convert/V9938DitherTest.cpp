// The dithered V9938 modes, driven as mode objects: the colours they draw, their palette
// and files, pass boundaries, clean flat areas and the SCREEN 8 bytes.
#include "ConversionTestSupport.h"
#include "ScreenFileTestSupport.h"

#include "core/convert/ChipLevels.h"
#include "core/convert/PerceptualError.h"
#include "core/convert/ScreenPalette.h"
#include "core/convert/V9938Diffusion.h"
#include "core/convert/V9938Dither.h"
#include "core/convert/V9938ScreenFiles.h"

#include <map>

using namespace murelo;
using namespace murelo::test;

namespace {

struct ModeCase {
    const char* name;
    ModeFactory factory;
    int colors;     // palette entries; 256 for SCREEN 8
    int designItem; // the design's item of the same screen: its files and its export kind
    int width;
    int height;
    bool interlace;
    bool oddLine;
};

const std::vector<ModeCase>& Cases() {
    static const std::vector<ModeCase> cases = {
        {"SC5", StartScreen5Dithered, 16, 0, 256, 212, false, false},
        {"SC5 interlaced", StartScreen5Dithered, 16, 0, 512, 23, true, false},
        {"SC5 odd width", StartScreen5Dithered, 16, 0, 37, 9, true, false},
        {"SC6", StartScreen6Dithered, 4, 1, 512, 40, false, false},
        {"SC6 odd line", StartScreen6Dithered, 4, 1, 512, 41, false, true},
        {"SC6 interlaced", StartScreen6Dithered, 4, 1, 512, 40, true, false},
        {"SC7", StartScreen7Dithered, 16, 2, 512, 40, false, true},
        {"SC7 interlaced", StartScreen7Dithered, 16, 2, 512, 42, true, false},
        {"SC8", StartScreen8Dithered, 256, 3, 256, 212, false, false},
        {"SC8 large", StartScreen8Dithered, 256, 3, 300, 30, false, false},
    };
    return cases;
}

// A state whose screen bytes start as a filler, so a test sees what the mode stored.
struct Finished {
    std::unique_ptr<ConversionState> state;
    const std::vector<std::uint8_t>& screen() const { return state->screenBytes; }
};

// Result = copy of the source, the mode made, its passes run to end(), then finish().
Finished RunMode(const ModeCase& c, const Picture& source, int unitsPerPass = 0,
                 int strength = 100) {
    Finished run;
    run.state = StateFor(source);
    ConversionState& s = *run.state;
    s.params.Interlace = c.interlace;
    s.params.OddLine = c.oddLine;
    s.params.DitherStrength = strength;
    std::fill(s.screenBytes.begin(), s.screenBytes.end(), std::uint8_t(0x5A));
    s.budget = PassBudget(60000, unitsPerPass);
    s.result = s.source;
    auto mode = c.factory(s);
    int i = 0;
    while (i < mode->end())
        i = mode->pass(s, i);
    mode->finish(s);
    return run;
}

bool OnLattice(const QuantizerEntry& e) {
    return ChipLevelOf(e.Red) >= 0 && ChipLevelOf(e.Green) >= 0 && ChipLevelOf(e.Blue) >= 0;
}

bool Screen8Shows(ColorValue c) {
    return ChipLevelOf(RedOf(c)) >= 0 && ChipLevelOf(GreenOf(c)) >= 0 &&
           ChipBlue2LevelOf(BlueOf(c)) >= 0;
}

TEST(V9938Dither, EveryPixelIsAColourTheChipShowsInTheMode) {
    for (const ModeCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Finished run = RunMode(c, NaturalPicture(c.width, c.height, 3));
        const QuantizerPalette& p = run.state->quantizerPalette;
        for (ColorValue pixel : run.state->result.pixels()) {
            if (c.colors == 256)
                ASSERT_TRUE(Screen8Shows(pixel)) << std::hex << pixel;
            else
                ASSERT_GE(QuantizerEntryOf(p, pixel, c.colors), 0) << std::hex << pixel;
        }
        if (c.colors == 256)
            continue;
        for (int k = 0; k < PaletteEntries; ++k) {
            EXPECT_TRUE(OnLattice(p[std::size_t(k)])) << k;
            if (k > 0 && k < c.colors) { // dark to bright, as the design's palettes
                const auto& a = p[std::size_t(k - 1)];
                const auto& b = p[std::size_t(k)];
                EXPECT_LE((a.Red + a.Green + a.Blue) / 3, (b.Red + b.Green + b.Blue) / 3) << k;
            }
            if (k >= c.colors) {
                EXPECT_EQ(p[std::size_t(k)], QuantizerEntry{}) << k;
            }
        }
    }
}

TEST(V9938Dither, ResultsDoNotDependOnWherePassesEnd) {
    for (const ModeCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Picture source = NaturalPicture(c.width, c.height, 5);
        const Finished whole = RunMode(c, source);
        const Finished cut = RunMode(c, source, 1);
        EXPECT_EQ(cut.state->result, whole.state->result);
        EXPECT_EQ(cut.state->quantizerPalette, whole.state->quantizerPalette);
        EXPECT_EQ(cut.screen(), whole.screen());
    }
}

// Black, white and a colour of the lattice in flat blocks beside a noisy gradient.
Picture FlatBlocks(int width, int height) {
    Picture p = NaturalPicture(width, height, 7);
    p.fillRect(0, 0, width / 4, height, RgbColor(0, 0, 0));
    p.fillRect(width / 4, 0, width / 4, height / 2, RgbColor(255, 255, 255));
    p.fillRect(width / 4, height / 2, width / 4, height - height / 2, LatticeColor(0x0D4));
    return p;
}

TEST(V9938Dither, FlatAreasAndPureBlackAndWhiteStayClean) {
    for (const ModeCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Picture source = FlatBlocks(c.width, c.height);
        const Finished run = RunMode(c, source);
        const Picture& result = run.state->result;
        // The blocks' pixels, away from their edges (the row pairs take one row of two).
        for (int y = 2; y < c.height - 2; ++y)
            for (int x = 2; x < c.width / 2 - 2; ++x) {
                if (x == c.width / 4 - 1 || x == c.width / 4 || x == c.width / 4 + 1 ||
                    std::abs(y - c.height / 2) <= 2)
                    continue;
                const ColorValue want = source.pixel(x, y);
                if (c.colors == 4 && want == LatticeColor(0x0D4))
                    continue; // four colours hold black, white and the gradient first
                ASSERT_EQ(result.pixel(x, y), want) << x << ", " << y;
            }
    }
}

TEST(V9938Dither, Screen8BytesEncodeThePreviewedColours) {
    const ModeCase& c = Cases()[8];
    const Finished run = RunMode(c, NaturalPicture(256, 212, 9));
    for (int y = 0; y < 212; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(Screen8ChipColor(run.screen()[std::size_t(y) * 256 + std::size_t(x)]),
                      run.state->result.pixel(x, y))
                << x << ", " << y;
    // A picture the screen cannot hold stores nothing.
    const Finished large = RunMode(Cases()[9], NaturalPicture(300, 30, 9));
    EXPECT_EQ(std::size_t(std::count(large.screen().begin(), large.screen().end(), 0x5A)),
              ScreenBytesSize);
}

TEST(V9938Dither, TheFilesHoldTheChosenPaletteAndShowThePreview) {
    for (const ModeCase& c : Cases()) {
        if (c.colors == 256 || c.width % 2 || (c.designItem == 0 && !c.interlace && c.width != 256))
            continue;
        SCOPED_TRACE(c.name);
        Finished run = RunMode(c, NaturalPicture(c.width, c.height, 11));
        ConversionState& s = *run.state;
        const ModeId design = ModeAt(ConverterPage::V9938, c.designItem).value();
        const auto files = V9938ExportFiles(s, FilesOf(design, c.interlace), "PIC", false);
        const PaletteTableBytes table = PaletteTable(s.quantizerPalette);
        EXPECT_EQ(Data(files.back().bytes), std::vector<std::uint8_t>(table.begin(), table.end()));
        // The first row of the first file, decoded through the table, is the result's row.
        const auto data = Data(files.front().bytes);
        const int bits = c.colors == 4 ? 2 : 4;
        const int step = c.designItem == 0 && c.interlace ? 2 : 1;
        for (int i = 0; i < c.width / step; ++i) {
            const int shift = bits * (8 / bits - 1 - i % (8 / bits));
            const int index = data[std::size_t(i * bits / 8)] >> shift & ((1 << bits) - 1);
            const std::uint8_t b0 = table[std::size_t(2 * index)],
                               g = table[std::size_t(2 * index + 1)];
            const ColorValue shown = RgbColor(ChipLevel3[std::size_t(b0 >> 4)], ChipLevel3[g],
                                              ChipLevel3[std::size_t(b0 & 7)]);
            ASSERT_EQ(shown, s.result.pixel(i * step, 0)) << i;
        }
    }
}

TEST(V9938Dither, KeptRowsAndColumnsAreShownInPairs) {
    for (const ModeCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const bool rowPairs = c.colors != 256 && c.designItem != 0 && !c.interlace;
        const bool columnPairs = c.designItem == 0 && c.interlace;
        Picture source = NaturalPicture(c.width, c.height, 13);
        const Finished run = RunMode(c, source);
        const Picture& r = run.state->result;
        for (int y = 0; y + 1 < c.height; y += 2)
            for (int x = 0; x + 1 < c.width; x += 2) {
                if (rowPairs) {
                    ASSERT_EQ(r.pixel(x, y), r.pixel(x, y + 1));
                }
                if (columnPairs) {
                    ASSERT_EQ(r.pixel(x, y), r.pixel(x + 1, y));
                }
            }
        if (!rowPairs)
            continue;
        // The rows not kept are never read.
        for (int y = c.oddLine ? 0 : 1; y < c.height - 1; y += 2)
            source.fillRect(0, y, c.width, 1, RgbColor(255, 0, 0));
        EXPECT_EQ(RunMode(c, source).state->result, r);
    }
}

TEST(V9938Dither, WithoutDiffusionAColourAlwaysTakesTheSameColour) {
    for (const ModeCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Picture source = NaturalPicture(c.width, c.height, 17);
        const Finished run = RunMode(c, source, 0, 0);
        if (c.interlace && c.designItem == 0)
            continue; // a dot there stands for two source pixels
        std::map<ColorValue, ColorValue> taken;
        const int rowStep = c.colors != 256 && c.designItem != 0 && !c.interlace ? 2 : 1;
        for (int y = c.oddLine ? 1 : 0; y < c.height; y += rowStep)
            for (int x = 0; x < c.width; ++x) {
                const auto [it, fresh] = taken.emplace(
                    source.pixel(x, y), run.state->result.pixel(x, y - (c.oddLine ? 1 : 0)));
                ASSERT_EQ(it->second, run.state->result.pixel(x, y - (c.oddLine ? 1 : 0)));
            }
    }
}

TEST(V9938Dither, APictureInFewLatticeColoursKeepsThem) {
    for (const ModeCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const int colors[4] = {LatticeColor(0x000), LatticeColor(0x1FF), LatticeColor(0x1C0),
                               LatticeColor(0x05A)};
        Picture source(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                source.setPixel(x, y, colors[(x / 5 + y / 8) % 4]);
        const Finished run = RunMode(c, source);
        const int rowStep = c.colors != 256 && c.designItem != 0 && !c.interlace ? 2 : 1;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int kept = std::min(y - y % rowStep + (c.oddLine ? 1 : 0), c.height - 1);
                const int column = c.designItem == 0 && c.interlace ? x - x % 2 : x;
                if (c.designItem == 0 && c.interlace &&
                    source.pixel(column, kept) != source.pixel(column + 1, kept))
                    continue; // a dot of two colours takes their mean
                if (c.colors == 256 && !Screen8Shows(source.pixel(column, kept)))
                    continue; // blue level 2 of 3 bits is not a SCREEN 8 blue
                ASSERT_EQ(run.state->result.pixel(x, y), source.pixel(column, kept))
                    << x << ", " << y;
            }
    }
}

TEST(V9938Dither, AnInterlacedScreen5DotShowsItsPairsMeanLight) {
    // Black and white columns: half the light of white (sRGB 188), which the chip shows as
    // level 5 (182), not the mean of the values (128, between levels 3 and 4).
    Picture source(64, 8);
    for (int x = 0; x < 64; ++x)
        source.fillRect(x, 0, 1, 8, x % 2 ? RgbColor(255, 255, 255) : RgbColor(0, 0, 0));
    const Finished run = RunMode(Cases()[1], source);
    for (ColorValue pixel : run.state->result.pixels())
        ASSERT_EQ(pixel, RgbColor(ChipLevel3[5], ChipLevel3[5], ChipLevel3[5]));
}

TEST(V9938Dither, ComesCloserThanTheDesignsItem) {
    struct Design {
        int item;
        const ModeCase& mine;
    };
    for (const Design& d : {Design{0, Cases()[0]}, Design{1, Cases()[3]}, Design{2, Cases()[6]},
                            Design{6, Cases()[8]}}) {
        SCOPED_TRACE(d.mine.name);
        const Picture source = NaturalPicture(d.mine.width, d.mine.height, 19);
        auto design = StateFor(source);
        design->params.OddLine = d.mine.oddLine;
        RunConversion(*design, ModeAt(ConverterPage::V9938, d.item).value());
        const Finished mine = RunMode(d.mine, source);
        EXPECT_LT(ComparePictures(source, mine.state->result).meanDeltaE,
                  ComparePictures(source, design->result).meanDeltaE);
    }
}

TEST(V9938Dither, Screen8SearchFindsEachColourAndItsNearSurroundings) {
    const Screen8Chooser chooser;
    for (int byte = 0; byte < 256; ++byte)
        for (const std::int32_t chroma : {8, 32, 256})
            for (const DitherPoint offset :
                 {DitherPoint{0, 0, 0}, DitherPoint{60, -40, 30}, DitherPoint{-60, 40, -30}}) {
                FloatPoint t;
                for (std::size_t k = 0; k < 3; ++k)
                    t[k] = float(chooser.point(byte)[k] + offset[k]);
                ASSERT_EQ(chooser.nearest(t, chroma), byte) << chroma << " " << offset[0];
            }
}

TEST(V9938Dither, PaletteBytesOfEveryLatticeColourNameItsLevels) {
    for (int i = 0; i < LatticeColors; ++i) {
        QuantizerPalette p{};
        const ColorValue c = LatticeColor(i);
        p[0] = {std::uint8_t(BlueOf(c)), std::uint8_t(GreenOf(c)), std::uint8_t(RedOf(c)), 0};
        const PaletteTableBytes table = PaletteTable(p);
        EXPECT_EQ(table[0], LatticeRed(i) * 16 + LatticeBlue(i)) << i;
        EXPECT_EQ(table[1], LatticeGreen(i)) << i;
    }
}

} // namespace
