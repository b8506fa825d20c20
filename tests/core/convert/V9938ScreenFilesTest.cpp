// The V9938 page's screen files: sizes, end addresses, rows, packing and the palette.
#include "ScreenFileTestSupport.h"

#include "core/convert/ScreenExportChecks.h"
#include "core/convert/ScreenPalette.h"
#include "core/convert/V9938ScreenFiles.h"

using namespace murelo;
using namespace murelo::test;

namespace {

constexpr int Sc5 = 0, Sc6 = 1, Sc7 = 2, Sc8 = 3;

FinishedConversion V9938(int mode, bool interlace, const Picture& result) {
    FinishedConversion c(ConverterPage::V9938, mode, result);
    c->params.Interlace = interlace;
    c->quantizerPalette = RampPalette();
    return c;
}

// The palette indices a row of packed bytes holds, leftmost pixel in the highest bits.
std::vector<int> Unpack(const std::vector<std::uint8_t>& data, std::size_t offset, int count,
                        int bits) {
    std::vector<int> out;
    const int perByte = 8 / bits;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t byte = data[offset + std::size_t(i / perByte)];
        out.push_back(byte >> (bits * (perByte - 1 - i % perByte)) & ((1 << bits) - 1));
    }
    return out;
}

std::vector<int> ExpectedRow(int y, int count, int columnStep, int (*index)(int, int)) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(index(i * columnStep, y));
    return out;
}

int Diagonal(int x, int y) {
    return (x + 3 * y) % 16;
}

TEST(V9938ScreenFiles, Screen5Of256x212HasItsSizesAndEndAddresses) {
    auto c = V9938(Sc5, false, PictureOfEntries(RampPalette(), 256, 212, Diagonal));
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "D/PIC.SC5", false);
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"D/PIC.SC5", "D/PIC.PAL"}));
    EXPECT_EQ(files[0].bytes.size(), 7u + 27136u);
    EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0x69FF, 0x0000));
    EXPECT_EQ(files[1].bytes.size(), 7u + 32u);
    EXPECT_EQ(Header(files[1].bytes), HeaderOf(0x7680, 0x769F, 0x7680));
    const auto table = PaletteTable(RampPalette());
    EXPECT_EQ(Data(files[1].bytes), std::vector<std::uint8_t>(table.begin(), table.end()));
    const auto data = Data(files[0].bytes);
    for (int y : {0, 1, 105, 211})
        EXPECT_EQ(Unpack(data, std::size_t(y) * 128, 256, 4), ExpectedRow(y, 256, 1, Diagonal))
            << "row " << y;
}

TEST(V9938ScreenFiles, Screen5PacksTwoPixelsAByteLeftOneHigh) {
    auto c = V9938(Sc5, false, PictureOfEntries(RampPalette(), 256, 2, [](int x, int y) {
                       return y == 0 ? x % 16 : 15 - x % 16;
                   }));
    const auto data = Data(V9938ExportFiles(*c, ExportKindOf(*c), "P.SC5", false)[0].bytes);
    ASSERT_EQ(data.size(), 256u);
    const std::vector<std::uint8_t> row0 = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    const std::vector<std::uint8_t> row1 = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.begin() + 8), row0);
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 120, data.begin() + 128), row0);
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 128, data.begin() + 136), row1);
}

TEST(V9938ScreenFiles, ConnectPaletteCarriesTheTableAndZerosBeforeIt) {
    auto c = V9938(Sc5, false, PictureOfEntries(RampPalette(), 256, 212, Diagonal));
    // Left-overs of an earlier user of the buffer must not travel in the file.
    std::fill(c.screen.begin(), c.screen.end(), 0xAA);
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "PIC.SC5", true);
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"PIC.SC5"}));
    ASSERT_EQ(files[0].bytes.size(), 7u + 30368u);
    EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0x769F, 0x0000));
    const auto data = Data(files[0].bytes);
    const auto table = PaletteTable(RampPalette());
    EXPECT_TRUE(std::equal(table.begin(), table.end(), data.end() - 32));
    EXPECT_TRUE(std::all_of(data.begin() + 27136, data.begin() + 0x7680,
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(Unpack(data, 211 * 128, 256, 4), ExpectedRow(211, 256, 1, Diagonal));
}

TEST(V9938ScreenFiles, ConnectedScreen7RunsToTheEndOfItsPaletteTable) {
    auto c = V9938(Sc7, true, PictureOfEntries(RampPalette(), 512, 424, Diagonal));
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "PIC.S07", true);
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"PIC.S07", "PIC.S17"}));
    const auto table = PaletteTable(RampPalette());
    for (const NamedBytes& f : files) {
        ASSERT_EQ(f.bytes.size(), 7u + 64160u) << f.name;
        EXPECT_EQ(Header(f.bytes), HeaderOf(0x0000, 0xFA9F, 0x0000));
        EXPECT_TRUE(std::equal(table.begin(), table.end(), f.bytes.end() - 32));
        EXPECT_TRUE(std::all_of(f.bytes.begin() + 7 + 54272, f.bytes.end() - 32,
                                [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(V9938ScreenFiles, InterlacedScreen7SplitsEvenAndOddRows) {
    auto c = V9938(Sc7, true, PictureOfEntries(RampPalette(), 512, 424, Diagonal));
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "PIC.S07", false);
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"PIC.S07", "PIC.S17", "PIC.PAL"}));
    for (int field = 0; field < 2; ++field) {
        const auto& bytes = files[std::size_t(field)].bytes;
        ASSERT_EQ(bytes.size(), 7u + 54272u);
        EXPECT_EQ(Header(bytes), HeaderOf(0x0000, 0xD3FF, 0x0000));
        for (int r : {0, 1, 100, 211})
            EXPECT_EQ(Unpack(Data(bytes), std::size_t(r) * 256, 512, 4),
                      ExpectedRow(2 * r + field, 512, 1, Diagonal))
                << "field " << field << " row " << r;
    }
    EXPECT_EQ(Header(files[2].bytes), HeaderOf(0xFA80, 0xFA9F, 0xFA80));
}

TEST(V9938ScreenFiles, Screen6WithoutInterlaceKeepsTheEvenRows) {
    const auto index = [](int x, int y) { return (x + y) % 4; };
    auto c = V9938(Sc6, false, PictureOfEntries(RampPalette(), 512, 424, index));
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "PIC.SC6", false);
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"PIC.SC6", "PIC.PAL"}));
    ASSERT_EQ(files[0].bytes.size(), 7u + 212u * 128u);
    EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0x69FF, 0x0000));
    const auto data = Data(files[0].bytes);
    // Row r of the file is picture row 2r: 0 1 2 3 ... on even rows, 2 3 0 1 ... on row 2.
    EXPECT_EQ(data[0], 0x1B);
    EXPECT_EQ(data[128], 0xB1);
    EXPECT_EQ(data[211 * 128], 0xB1);
    EXPECT_EQ(Header(files[1].bytes), HeaderOf(0x7680, 0x769F, 0x7680));
}

TEST(V9938ScreenFiles, OddHeightsGiveTheEvenFieldTheExtraWholeRow) {
    const auto index = [](int x, int y) { return (x + y) % 4; };
    {
        auto c = V9938(Sc6, false, PictureOfEntries(RampPalette(), 512, 3, index));
        const auto sc6 = V9938ExportFiles(*c, ExportKindOf(*c), "A.SC6", false)[0].bytes;
        ASSERT_EQ(sc6.size(), 7u + 256u); // rows 0 and 2, both whole
        EXPECT_EQ(Header(sc6), HeaderOf(0x0000, 0x00FF, 0x0000));
        EXPECT_EQ(sc6[7 + 255], 0xB1);
    }
    {
        auto c = V9938(Sc5, true, PictureOfEntries(RampPalette(), 512, 3, Diagonal));
        const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "A.S05", false);
        EXPECT_EQ(files[0].bytes.size(), 7u + 256u);
        EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0x00FF, 0x0000));
        EXPECT_EQ(files[1].bytes.size(), 7u + 128u);
        EXPECT_EQ(Header(files[1].bytes), HeaderOf(0x0000, 0x007F, 0x0000));
    }
}

TEST(V9938ScreenFiles, InterlacedScreen5TakesEverySecondColumnAndMayLoseItsFirstField) {
    // Odd columns hold other colours, which must not appear in the files.
    const auto index = [](int x, int y) { return x % 2 ? 15 : (x / 2 + y) % 15; };
    auto c = V9938(Sc5, true, PictureOfEntries(RampPalette(), 512, 424, index));
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "PIC.S05", false);
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"PIC.S05", "PIC.S15", "PIC.PAL"}));
    EXPECT_EQ(files[0].bytes.size(), 7u + 27136u);
    EXPECT_EQ(Header(files[1].bytes), HeaderOf(0x0000, 0x69FF, 0x0000));
    EXPECT_EQ(files[0].bytes[7], 0x01);
    EXPECT_EQ(files[1].bytes[7], 0x12);
    EXPECT_EQ(files[1].bytes[7 + 128], 0x34); // S15 row 1 is picture row 3
    EXPECT_FALSE(files[0].stopOnFailure);
    EXPECT_TRUE(files[1].stopOnFailure);
    auto s7 = V9938(Sc7, true, PictureOfEntries(RampPalette(), 512, 4, Diagonal));
    EXPECT_TRUE(V9938ExportFiles(*s7, ExportKindOf(*s7), "PIC.S07", false)[0].stopOnFailure);
}

TEST(V9938ScreenFiles, AnUnmatchedPixelTakesThePreviousIndexOfItsOwnFile) {
    Picture result =
        PictureOfEntries(RampPalette(), 512, 2, [](int x, int) { return x < 4 ? 9 : 3; });
    result.setPixel(2, 0, RgbColor(1, 2, 3)); // after two pixels of entry 9
    result.setPixel(0, 1, RgbColor(1, 2, 3)); // first pixel of the odd field
    auto c = V9938(Sc5, true, result);
    const auto files = V9938ExportFiles(*c, ExportKindOf(*c), "PIC.S05", false);
    EXPECT_EQ(files[0].bytes[7], 0x99);
    // The odd field's scan starts afresh, not from the even field's last index (3).
    EXPECT_EQ(files[1].bytes[7], 0x09);
}

TEST(V9938ScreenFiles, Screen8WritesTheStoredScreenBytes) {
    auto c = V9938(Sc8, false, Picture(256, 3, 0));
    for (std::size_t i = 0; i < c.screen.size(); ++i)
        c.screen[i] = std::uint8_t(i * 7 + i / 256);
    const auto files =
        V9938ExportFiles(*c, ExportKindOf(*c), "PIC.SC8", true); // no palette travels with it
    ASSERT_EQ(NamesOf(files), (std::vector<std::string>{"PIC.SC8"}));
    ASSERT_EQ(files[0].bytes.size(), 7u + 768u);
    EXPECT_EQ(Header(files[0].bytes), HeaderOf(0x0000, 0x02FF, 0x0000));
    EXPECT_TRUE(std::equal(c.screen.begin(), c.screen.begin() + 768, files[0].bytes.begin() + 7));
}

} // namespace
