// Writing and reading back at 4, 8 and 24 bits, and the exact layout of what is written.
#include "core/editor/BitmapCodec.h"
#include "core/editor/IndexedCopy.h"
#include "core/editor/PictureFileEncoding.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}

// An odd-sized picture (nibble and row padding cases) using all 16 TMS9918 colours.
Picture TmsPicture() {
    Picture p(13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            p.setPixel(x, y, PaletteColor(KindTms9918, (x * 3 + y * 5) % 16));
    return p;
}

// The TMS9918 palette as the table gives it, RRGGBB.
const std::uint32_t Tms9918[16] = {0x202020, 0x000000, 0x46B73E, 0x7CCF6C, 0x625BA8, 0x7F70FF,
                                   0xB66148, 0x5BC7EF, 0xD96A48, 0xFC8E6C, 0xC2CE41, 0xD3DA74,
                                   0x3CA02F, 0xB763C6, 0xCCCCCC, 0xFFFFFF};

} // namespace

TEST(BitmapRoundTrip, TwentyFourBitsKeepsEveryColour) {
    Picture p(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            p.setPixel(x, y, RgbColor(x * 50, y * 100, 255 - x * 7 - y));
    const std::vector<std::uint8_t> file = EncodeBitmap24(p);
    EXPECT_EQ(file.size(), 54u + 16 * 3); // rows of 15 bytes padded to 16
    EXPECT_EQ(U32(file, 2), file.size());
    EXPECT_EQ(U32(file, 10), 54u);
    const DecodedBitmap d = DecodeBitmap(file);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 6);
    EXPECT_EQ(d.picture, p);
}

TEST(BitmapRoundTrip, FourBitsWithThePaletteInOrder) {
    const Picture p = TmsPicture();
    const auto indexed = BuildIndexedCopy(p, KindTms9918, 2);
    ASSERT_TRUE(indexed.has_value());
    const std::vector<std::uint8_t> file = EncodeIndexedBitmap(*indexed, 4);
    EXPECT_EQ(file[28], 4);             // bits per pixel
    EXPECT_EQ(U32(file, 46), 16u);      // colours used
    EXPECT_EQ(U32(file, 10), 54u + 64); // pixels after the 16-entry table
    for (int i = 0; i < 16; ++i) {
        const std::size_t at = 54 + 4 * i; // blue, green, red, 0
        const std::uint32_t rrggbb = file[at + 2] << 16 | file[at + 1] << 8 | file[at];
        EXPECT_EQ(rrggbb, Tms9918[i]) << i;
        EXPECT_EQ(file[at + 3], 0);
    }
    // First stored row is the bottom one (y = 6): indices (0*3+30)%16=14, (3+30)%16=1.
    EXPECT_EQ(file[54 + 64], 14 << 4 | 1);
    const DecodedBitmap d = DecodeBitmap(file);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 2);
    EXPECT_EQ(d.picture, p);
}

TEST(BitmapRoundTrip, EightBitsHasWhiteAfterThePalette) {
    const Picture p = TmsPicture();
    const auto indexed = BuildIndexedCopy(p, KindTms9918, 3);
    ASSERT_TRUE(indexed.has_value());
    const std::vector<std::uint8_t> file = EncodeIndexedBitmap(*indexed, 8);
    EXPECT_EQ(file[28], 8);
    EXPECT_EQ(U32(file, 10), 54u + 1024);
    EXPECT_EQ(U32(file, 54 + 4 * 2), 0x46B73Eu);
    for (int i = 16; i < 256; ++i)
        EXPECT_EQ(U32(file, 54 + 4 * i), 0xFFFFFFu) << i;
    EXPECT_EQ(file[54 + 1024], 14); // bottom row, x = 0
    const DecodedBitmap d = DecodeBitmap(file);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 3);
    EXPECT_EQ(d.picture, p);
}

TEST(IndexedCopyRules, FirstMatchingIndexAndRefusalOfForeignColours) {
    // In PC-8801 (kind 6) the filler 080808 fills entries 8..15; white is entry 7.
    Picture p(2, 1, 0xFFFFFF);
    p.setPixel(1, 0, FromRrggbb(0x080808));
    const auto copy = BuildIndexedCopy(p, KindPc8801, 2);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->indices, (std::vector<std::uint8_t>{7, 8}));
    EXPECT_EQ(copy->colorTable.size(), 16u);
    EXPECT_EQ(copy->colorTable[15], FromRrggbb(0x080808));
    p.setPixel(0, 0, FromRrggbb(0x123456));
    EXPECT_FALSE(BuildIndexedCopy(p, KindPc8801, 2).has_value());
    EXPECT_FALSE(PictureFitsPalette(p, KindPc8801));
    EXPECT_TRUE(PictureFitsPalette(TmsPicture(), KindTms9918));
}

TEST(SaveEncoding, IndexedDepthsFallBackTo24BitsForForeignColours) {
    Picture p = TmsPicture();
    EXPECT_EQ(EncodePictureForSave(p, KindTms9918, 2).bitsPerPixel, 4);
    EXPECT_EQ(EncodePictureForSave(p, KindTms9918, 3).bitsPerPixel, 8);
    EXPECT_EQ(EncodePictureForSave(p, KindTms9918, 6).bitsPerPixel, 24);
    EXPECT_EQ(EncodePictureForSave(p, KindTms9918, 1).bitsPerPixel, 24);
    p.setPixel(12, 6, 0x010203);
    const EncodedPicture fallback = EncodePictureForSave(p, KindTms9918, 2);
    EXPECT_EQ(fallback.bitsPerPixel, 24);
    EXPECT_EQ(DecodeBitmap(fallback.bytes).picture, p);
}
