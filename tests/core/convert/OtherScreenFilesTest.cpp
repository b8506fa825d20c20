// SCREEN 3 and its name table, the V9958 screen files and the PC-8801 colour planes.
#include "ScreenFileTestSupport.h"

#include "core/convert/OtherScreenFiles.h"
#include "core/convert/ScreenPalette.h"

using namespace murelo;
using namespace murelo::test;

namespace {

int BlockColor(int bx, int by) {
    return 1 + (bx + 3 * by) % 15;
}

FinishedConversion MultiColor() {
    Picture result(256, 192);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            result.setPixel(x, y, PaletteColor(KindTms9918, BlockColor(x / 4, y / 4)));
    FinishedConversion c(ConverterPage::Tms9918, 1, result);
    c->params.PaletteKind = KindTms9918;
    LoadConverterPalette(c->palette, KindTms9918);
    return c;
}

TEST(MultiColorFiles, PatternAndNameTablesHaveTheirSizesAndAddresses) {
    auto c = MultiColor();
    const auto files = MultiColorExportFiles(*c, "D/PIC.SC3");
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"D/PIC.SC3", "D/PIC.NAM"}));
    ASSERT_EQ(files[0].bytes.size(), 7u + 1536u);
    EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0x05FF, 0x0000));
    ASSERT_EQ(files[1].bytes.size(), 7u + 768u);
    EXPECT_EQ(Header(files[1].bytes), HeaderOf(0x0800, 0x0AFF, 0x0800));
}

TEST(MultiColorFiles, NameTableRowsRepeatEachBandFourTimes) {
    auto c = MultiColor();
    const auto names = Data(MultiColorExportFiles(*c, "PIC.SC3")[1].bytes);
    std::vector<std::uint8_t> row5(names.begin() + 5 * 32, names.begin() + 6 * 32);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(row5[std::size_t(i)], 32 + i);
    EXPECT_EQ(names[0], 0);
    EXPECT_EQ(names[3 * 32 + 31], 31);
    EXPECT_EQ(names[23 * 32 + 31], 191);
}

TEST(MultiColorFiles, EachPatternByteHoldsTheLeftAndRightBlockOfABlockRow) {
    auto c = MultiColor();
    const auto patterns = Data(MultiColorExportFiles(*c, "PIC.SC3")[0].bytes);
    EXPECT_EQ(patterns[0], 0x12);   // blocks (0,0) and (1,0)
    EXPECT_EQ(patterns[1], 0x45);   // block row 1
    EXPECT_EQ(patterns[8], 0x34);   // column 1: blocks (2,0) and (3,0)
    EXPECT_EQ(patterns[256], 0xAB); // band 1 starts at block row 8: 1 + 24 % 15, 1 + 25 % 15
    for (int g = 0; g < 6; ++g)
        for (int col = 0; col < 32; ++col)
            for (int k = 0; k < 8; ++k) {
                const int by = 8 * g + k;
                const int expected = BlockColor(2 * col, by) << 4 | BlockColor(2 * col + 1, by);
                ASSERT_EQ(patterns[std::size_t((32 * g + col) * 8 + k)], expected)
                    << g << " " << col << " " << k;
            }
}

TEST(MultiColorFiles, ABlockTakesTheColourOfItsTopLeftPixel) {
    auto c = MultiColor();
    c->result.fillRect(0, 0, 4, 4, PaletteColor(KindTms9918, 7));
    c->result.setPixel(0, 0, PaletteColor(KindTms9918, 13));
    const auto patterns = Data(MultiColorExportFiles(*c, "PIC.SC3")[0].bytes);
    EXPECT_EQ(patterns[0], 0xD2);
}

TEST(YjkFiles, OneFileOfTheStoredBytesRowAfterRow) {
    for (int mode : {0, 1}) {
        FinishedConversion c(ConverterPage::V9958, mode, Picture(256, 212, 0));
        for (std::size_t i = 0; i < c.screen.size(); ++i)
            c.screen[i] = std::uint8_t(i ^ (i >> 8));
        const auto files = YjkExportFiles(*c, "PIC.S12");
        ASSERT_EQ(files.size(), 1u);
        ASSERT_EQ(files[0].bytes.size(), 7u + 54272u);
        EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0xD3FF, 0x0000));
        EXPECT_TRUE(
            std::equal(c.screen.begin(), c.screen.begin() + 54272, files[0].bytes.begin() + 7));
    }
}

FinishedConversion Pc8801(int mode, bool analog, Picture result) {
    FinishedConversion c(ConverterPage::Pc8801, mode, std::move(result));
    c->params.AnalogPalette = analog;
    c->quantizerPalette = RampPalette();
    return c;
}

Picture DigitalBands(int height) {
    Picture p(640, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 640; ++x)
            p.setPixel(x, y, PaletteColor(KindPc8801, (x / 8 + y) % 8));
    return p;
}

TEST(Pc8801Planes, A640x400PictureGivesThreePlanesOfEveryEvenRow) {
    auto c = Pc8801(1, false, DigitalBands(400));
    const auto files = Pc8801PlaneFiles(*c, "d/pic.R");
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"d/pic.R", "d/pic.G", "d/pic.B"}));
    for (const NamedBytes& f : files) {
        ASSERT_EQ(f.bytes.size(), 16000u) << f.name;
        EXPECT_FALSE(f.stopOnFailure);
    }
    const int bit[3] = {2, 4, 1}; // red, green, blue bit of the colour code
    for (int p = 0; p < 3; ++p)
        for (int r : {0, 1, 77, 199})
            for (int col = 0; col < 80; ++col) {
                const int code = (col + 2 * r) % 8;
                ASSERT_EQ(files[std::size_t(p)].bytes[std::size_t(r * 80 + col)],
                          (code & bit[p]) ? 0xFF : 0x00)
                    << "plane " << p << " row " << r << " byte " << col;
            }
}

TEST(Pc8801Planes, YellowSetsRedAndGreenAndTheLeftmostPixelIsBit7) {
    Picture p(640, 2, PaletteColor(KindPc8801, 0));
    p.setPixel(9, 0, PaletteColor(KindPc8801, 6));
    p.setPixel(8, 0, PaletteColor(KindPc8801, 1));
    p.setPixel(20, 1, PaletteColor(KindPc8801, 7)); // an odd row: never in the planes
    auto c = Pc8801(2, false, p);
    const auto files = Pc8801PlaneFiles(*c, "pic");
    ASSERT_EQ(files[0].bytes.size(), 80u);
    EXPECT_EQ(files[0].bytes[1], 0x40);
    EXPECT_EQ(files[1].bytes[1], 0x40);
    EXPECT_EQ(files[2].bytes[1], 0x80);
    for (const NamedBytes& f : files)
        EXPECT_EQ(std::count(f.bytes.begin(), f.bytes.end(), 0), 79) << f.name;
}

TEST(Pc8801Planes, HeightsGiveWholeRowsAndNeverMoreThan200) {
    const std::pair<int, std::size_t> cases[] = {{1, 80},      {3, 160},     {399, 16000},
                                                 {400, 16000}, {401, 16000}, {640, 16000}};
    for (const auto& [height, size] : cases) {
        auto c = Pc8801(1, false, DigitalBands(height));
        const auto files = Pc8801PlaneFiles(*c, "pic");
        for (const NamedBytes& f : files)
            EXPECT_EQ(f.bytes.size(), size) << height << " " << f.name;
    }
}

TEST(Pc8801Planes, AnalogPaletteAfterTheRatioModeUsesTheQuantizerAndWritesPal) {
    QuantizerPalette q = RampPalette();
    q[2] = q[1]; // one colour under codes 1 and 2: both codes' bits
    Picture p(640, 2, EntryColor(q, 0));
    p.setPixel(0, 0, EntryColor(q, 5));
    p.setPixel(1, 0, EntryColor(q, 1));
    p.setPixel(2, 0, EntryColor(q, 9)); // beyond the eight: no bits
    auto c = Pc8801(0, true, p);
    c->quantizerPalette = q;
    const auto files = Pc8801PlaneFiles(*c, "my.dir/picture");
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"my.dir/picture.R", "my.dir/picture.G",
                                                        "my.dir/picture.B", "my.dir/picture.PAL"}));
    EXPECT_EQ(files[0].bytes[0], 0x40); // red: code 3 of pixel 1
    EXPECT_EQ(files[1].bytes[0], 0x80); // green: code 5 of pixel 0
    EXPECT_EQ(files[2].bytes[0], 0xC0); // blue: codes 5 and 3
    const auto pal = Pc8801PaletteBytes(q);
    EXPECT_EQ(files[3].bytes, std::vector<std::uint8_t>(pal.begin(), pal.end()));
}

TEST(Pc8801Planes, OtherModesUseTheDigitalPaletteAndWriteNoPal) {
    Picture p = DigitalBands(2);
    p.setPixel(0, 0, EntryColor(RampPalette(), 5)); // a quantizer colour, not a digital one
    auto c = Pc8801(3, true, p);                    // "Analog Palette" ticked, but a diffusion mode
    const auto files = Pc8801PlaneFiles(*c, "pic");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].bytes[0] & 0x80, 0);
    EXPECT_EQ(files[1].bytes[0] & 0x80, 0);
    EXPECT_EQ(files[2].bytes[0] & 0x80, 0);
    EXPECT_EQ(files[2].bytes[1], 0xFF); // digital colour 1 still gives blue
}

} // namespace
