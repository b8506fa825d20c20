// The bitmaps of the V9938 and V9958 "Save" and of the PC-6x01 Export.
#include "ConversionTestSupport.h"
#include "ScreenFileTestSupport.h"

#include "core/convert/CompanionBitmaps.h"
#include "core/editor/BitmapCodec.h"

using namespace murelo;
using namespace murelo::test;

namespace {

int Word32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return int(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24);
}
int BitsPerPixel(const std::vector<std::uint8_t>& b) {
    return b[28] | b[29] << 8;
}
// Colour-table entry i as blue, green, red, 0 (the table follows the 40-byte header).
std::vector<std::uint8_t> TableEntry(const std::vector<std::uint8_t>& b, int i) {
    const auto at = b.begin() + 54 + 4 * i;
    return std::vector<std::uint8_t>(at, at + 4);
}

TEST(CompanionBitmaps, PaletteModesSaveFourBitsOverTheQuantizerPalette) {
    const QuantizerPalette q = RampPalette();
    for (int mode : {0, 1, 2}) {
        Picture result = PictureOfEntries(q, 512, 3, [](int x, int y) { return (x + y) % 16; });
        FinishedConversion c(ConverterPage::V9938, mode, result);
        c->quantizerPalette = q;
        const auto bytes = CompanionBitmap(*c);
        ASSERT_EQ(BitsPerPixel(bytes), 4) << mode;
        EXPECT_EQ(Word32(bytes, 18), 512);
        EXPECT_EQ(Word32(bytes, 22), 3);
        for (int k : {0, 7, 15})
            EXPECT_EQ(TableEntry(bytes, k),
                      (std::vector<std::uint8_t>{q[std::size_t(k)].Blue, q[std::size_t(k)].Green,
                                                 q[std::size_t(k)].Red, 0}));
        EXPECT_EQ(DecodeBitmap(bytes).picture, result) << mode;
    }
}

TEST(CompanionBitmaps, AnUnmatchedPixelTakesTheColourBeforeIt) {
    const QuantizerPalette q = RampPalette();
    Picture result = PictureOfEntries(q, 4, 1, [](int x, int) { return x; });
    result.setPixel(2, 0, RgbColor(1, 2, 3));
    FinishedConversion c(ConverterPage::V9938, 1, result);
    c->quantizerPalette = q;
    const Picture saved = DecodeBitmap(CompanionBitmap(*c)).picture;
    EXPECT_EQ(saved.pixel(2, 0), EntryColor(q, 1));
    EXPECT_EQ(saved.pixel(3, 0), EntryColor(q, 3));
}

TEST(CompanionBitmaps, Screen8AndYjkModesSaveTheResultItself) {
    const Picture result = NaturalPicture(256, 5);
    for (auto [page, mode] : {std::pair{ConverterPage::V9938, 3},
                              {ConverterPage::V9938, 6},
                              {ConverterPage::V9958, 0},
                              {ConverterPage::V9958, 1}}) {
        FinishedConversion c(page, mode, result);
        const auto bytes = CompanionBitmap(*c);
        EXPECT_EQ(BitsPerPixel(bytes), 24);
        EXPECT_EQ(DecodeBitmap(bytes).picture, result);
    }
}

FinishedConversion Pc6001(int mode, int width, int height) {
    Picture result(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            result.setPixel(x, y, PaletteColor(KindColor15, (x + 2 * y) % 16));
    FinishedConversion c(ConverterPage::Pc6001, mode, result);
    c->params.PaletteKind = KindColor15;
    return c;
}

TEST(Pc6001Bitmap, TheSamplingOfEachModeGivesItsSize) {
    const struct {
        int mode, width, height, outWidth, outHeight;
    } cases[] = {
        {0, 256, 192, 256, 192}, {5, 320, 200, 320, 200}, {1, 256, 192, 128, 192},
        {6, 320, 200, 160, 200}, {2, 640, 400, 640, 200},
    };
    for (const auto& t : cases) {
        auto c = Pc6001(t.mode, t.width, t.height);
        const Pc6001Bitmap b = Pc6001ExportBitmap(*c);
        ASSERT_TRUE(b.ok()) << b.error;
        EXPECT_EQ(BitsPerPixel(b.bytes), 8) << t.mode;
        EXPECT_EQ(Word32(b.bytes, 18), t.outWidth) << t.mode;
        EXPECT_EQ(Word32(b.bytes, 22), t.outHeight) << t.mode;
        const Picture out = DecodeBitmap(b.bytes).picture;
        const int sx = t.width / t.outWidth, sy = t.height / t.outHeight;
        for (int y : {0, 1, t.outHeight - 1})
            for (int x : {0, 1, 5, t.outWidth - 1})
                ASSERT_EQ(out.pixel(x, y), c->result.pixel(x * sx, y * sy)) << t.mode;
    }
}

TEST(Pc6001Bitmap, ItsTableIsThePaletteThenWhite) {
    auto c = Pc6001(1, 256, 192);
    const Pc6001Bitmap b = Pc6001ExportBitmap(*c);
    ASSERT_TRUE(b.ok());
    const ColorValue c9 = PaletteColor(KindColor15, 9);
    EXPECT_EQ(TableEntry(b.bytes, 9),
              (std::vector<std::uint8_t>{std::uint8_t(BlueOf(c9)), std::uint8_t(GreenOf(c9)),
                                         std::uint8_t(RedOf(c9)), 0}));
    EXPECT_EQ(TableEntry(b.bytes, 16), (std::vector<std::uint8_t>{255, 255, 255, 0}));
    EXPECT_EQ(TableEntry(b.bytes, 255), (std::vector<std::uint8_t>{255, 255, 255, 0}));
}

TEST(Pc6001Bitmap, ASampledPixelOutsideThePaletteStopsItWithTheReason) {
    auto c = Pc6001(1, 256, 192);
    c->result.setPixel(3, 0, RgbColor(1, 2, 3)); // an odd column: never sampled
    EXPECT_TRUE(Pc6001ExportBitmap(*c).ok());
    c->result.setPixel(6, 10, RgbColor(1, 2, 3));
    const Pc6001Bitmap b = Pc6001ExportBitmap(*c);
    EXPECT_FALSE(b.ok());
    EXPECT_TRUE(b.bytes.empty());
    EXPECT_NE(b.error.find("(6, 10)"), std::string::npos) << b.error;
}

} // namespace
