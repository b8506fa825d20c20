// Hand-made bitmaps: the damage the test suite lacks, and decoding details worked out by hand.
#include "BitmapTestFiles.h"
#include "core/editor/BitmapCodec.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

DecodedBitmap Decode(const BitmapBytes& b) {
    return DecodeBitmap(b.data());
}

// A 2 x 2 24-bit bitmap: bottom row blue, green; top row red, white.
BitmapBytes Small24() {
    BitmapBytes b = BitmapBytes::Info(2, 2, 24);
    b.bytes({0xFF, 0, 0, 0, 0xFF, 0, 0, 0});       // bottom row + 2 padding bytes
    b.bytes({0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}); // top row
    return b;
}

// 8-bit bitmap with a palette of red, green, blue, white.
BitmapBytes Rle8(std::int32_t width, std::int32_t height,
                 std::initializer_list<std::uint8_t> data) {
    BitmapBytes b = BitmapBytes::Info(width, height, 8, 1, 4);
    b.bytes({0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    b.pixelsStartHere().bytes(data);
    return b;
}

constexpr ColorValue Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF;

} // namespace

TEST(BitmapSignature, NonBitmapsAndTooShortFilesAreNotBmp) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0,
                                           0,    13,  'I', 'H', 'D',  'R',  0,    0,    1, 0,
                                           0,    0,   0,   1,   8,    2,    0,    0,    0};
    EXPECT_EQ(DecodeBitmap(png).fault, BitmapFault::NotBitmap);
    EXPECT_EQ(DecodeBitmap(png).message, "Not BMP File!");
    EXPECT_EQ(DecodeBitmap(std::vector<std::uint8_t>{}).fault, BitmapFault::NotBitmap);
    std::vector<std::uint8_t> shortFile = Small24().data();
    shortFile.resize(25); // one byte short of the smallest header there is
    EXPECT_EQ(DecodeBitmap(shortFile).fault, BitmapFault::NotBitmap);
    shortFile.resize(30); // long enough to be a bitmap, but its 40-byte header is cut
    EXPECT_EQ(DecodeBitmap(shortFile).fault, BitmapFault::Unreadable);
}

TEST(BitmapSize, LimitIs640EitherWayAndTopDownIsRefused) {
    const DecodedBitmap wide = Decode(BitmapBytes::Info(641, 10, 24).zeros(1924 * 10));
    EXPECT_EQ(wide.fault, BitmapFault::TooLarge);
    EXPECT_EQ(wide.message,
              "The Image of 640 pixels or more can't be read!\n  ->Image Size : ( 641, 10 )");
    const DecodedBitmap tall = Decode(BitmapBytes::Info(10, 641, 24).zeros(32 * 641));
    EXPECT_EQ(tall.fault, BitmapFault::TooLarge);
    const DecodedBitmap topDown = Decode(BitmapBytes::Info(4, -10, 24).zeros(12 * 10));
    EXPECT_EQ(topDown.fault, BitmapFault::TooLarge);
    EXPECT_EQ(topDown.message,
              "The Image of 640 pixels or more can't be read!\n  ->Image Size : ( 4, -10 )");
    const DecodedBitmap largest = Decode(BitmapBytes::Info(640, 640, 24).zeros(1920 * 640));
    ASSERT_TRUE(largest.ok()) << largest.message;
    EXPECT_EQ(largest.picture.width(), 640);
    EXPECT_EQ(largest.picture.height(), 640);
    EXPECT_EQ(largest.picture.pixel(639, 639), 0);
}

TEST(BitmapSize, ZeroWidthOrHeightIsAReadError) {
    EXPECT_EQ(Decode(BitmapBytes::Info(0, 10, 24).zeros(16)).fault, BitmapFault::Unreadable);
    EXPECT_EQ(Decode(BitmapBytes::Info(10, 0, 24).zeros(16)).fault, BitmapFault::Unreadable);
}

TEST(BitmapDamage, SizeArithmeticThatOverflows32BitsIsCaught) {
    // 0x40000000 entries of 4 bytes wrap to 0 in 32 bits.
    BitmapBytes palette = BitmapBytes::Info(2, 2, 8, 0, 0x40000000);
    palette.zeros(8 + 8);
    const DecodedBitmap p = Decode(palette);
    EXPECT_EQ(p.fault, BitmapFault::Unreadable);
    EXPECT_NE(p.message.find("colour table"), std::string::npos) << p.message;
    // An offset near 4 GiB plus the pixel size wraps in 32 bits.
    BitmapBytes offset = Small24();
    offset.set32(10, 0xFFFFFFF8);
    EXPECT_EQ(Decode(offset).fault, BitmapFault::Unreadable);
    // 14 + a header size near 4 GiB wraps too.
    BitmapBytes header = Small24();
    header.set32(14, 0xFFFFFFF8);
    EXPECT_EQ(Decode(header).fault, BitmapFault::Unreadable);
}

TEST(BitmapDamage, ColourTableLongerThanTheFileIsRefused) {
    BitmapBytes b = BitmapBytes::Info(2, 1, 8, 0, 1000);
    b.bytes({0, 0, 0xFF, 0}).pixelsStartHere().bytes({0, 0, 0, 0});
    const DecodedBitmap d = Decode(b);
    EXPECT_EQ(d.fault, BitmapFault::Unreadable);
    EXPECT_NE(d.message.find("1000"), std::string::npos) << d.message;
}

TEST(BitmapDamage, OversizedTableThatFitsUsesTheFirstEntries) {
    // 300 entries declared and present for an 8-bit image: index 255 is the 256th entry.
    BitmapBytes b = BitmapBytes::Info(2, 1, 8, 0, 300);
    for (int i = 0; i < 300; ++i)
        b.bytes({std::uint8_t(i), 0, 0x10, 0});
    b.pixelsStartHere().bytes({255, 1, 0, 0});
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(0x10, 0, 255));
    EXPECT_EQ(d.picture.pixel(1, 0), RgbColor(0x10, 0, 1));
}

TEST(BitmapDamage, PixelOffsetPastTheEndIsRefused) {
    BitmapBytes b = Small24();
    b.set32(10, std::uint32_t(b.data().size()));
    const DecodedBitmap d = Decode(b);
    EXPECT_EQ(d.fault, BitmapFault::Unreadable);
    EXPECT_NE(d.message.find("past the end"), std::string::npos) << d.message;
    BitmapBytes inside = Small24();
    inside.set32(10, 20); // inside the header
    EXPECT_EQ(Decode(inside).fault, BitmapFault::Unreadable);
}

TEST(BitmapDamage, TruncatedRowsAreRefusedButAMissingLastPaddingIsNot) {
    std::vector<std::uint8_t> bytes = Small24().data();
    bytes.resize(bytes.size() - 2); // the top row's padding only
    const DecodedBitmap padless = DecodeBitmap(bytes);
    ASSERT_TRUE(padless.ok()) << padless.message;
    EXPECT_EQ(padless.picture.pixel(1, 0), White);
    bytes.resize(bytes.size() - 1); // now a pixel byte is missing
    const DecodedBitmap cut = DecodeBitmap(bytes);
    EXPECT_EQ(cut.fault, BitmapFault::Unreadable);
    EXPECT_NE(cut.message.find("cut off"), std::string::npos) << cut.message;
}

TEST(BitmapDamage, UnsupportedFieldsAreRefusedWithAReason) {
    BitmapBytes twoPlanes = BitmapBytes::Info(2, 2, 24);
    std::vector<std::uint8_t> bytes = twoPlanes.zeros(16).data();
    bytes[26] = 2;
    EXPECT_EQ(DecodeBitmap(bytes).fault, BitmapFault::Unreadable);
    EXPECT_EQ(Decode(BitmapBytes::Info(2, 2, 2).zeros(8 + 8)).fault, BitmapFault::Unreadable);
    EXPECT_EQ(Decode(BitmapBytes::Info(2, 2, 7).zeros(16)).fault, BitmapFault::Unreadable);
    // RLE8 needs 8 bits per pixel, BITFIELDS 16 or 32.
    EXPECT_EQ(Decode(BitmapBytes::Info(2, 2, 4, 1).zeros(72)).fault, BitmapFault::Unreadable);
    EXPECT_EQ(Decode(BitmapBytes::Info(2, 2, 24, 3).zeros(28)).fault, BitmapFault::Unreadable);
    EXPECT_EQ(Decode(BitmapBytes::Info(2, 2, 24, 4).zeros(16)).fault, BitmapFault::Unreadable);
    const DecodedBitmap gap = Decode(BitmapBytes::Info(1, 1, 16, 3)
                                         .u32(0xF00F)
                                         .u32(0x00F0)
                                         .u32(0x0F00)
                                         .pixelsStartHere()
                                         .zeros(4));
    EXPECT_EQ(gap.fault, BitmapFault::Unreadable);
    EXPECT_NE(gap.message.find("gaps"), std::string::npos) << gap.message;
}

TEST(BitmapPixels, RowsAreStoredBottomUpInBlueGreenRedOrder) {
    const DecodedBitmap d = Decode(Small24());
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 6);
    EXPECT_EQ(d.picture.pixel(0, 1), Blue);
    EXPECT_EQ(d.picture.pixel(1, 1), Green);
    EXPECT_EQ(d.picture.pixel(0, 0), Red);
    EXPECT_EQ(d.picture.pixel(1, 0), White);
}

TEST(BitmapPixels, OneBitRowsReadTheHighBitFirstAcrossBytes) {
    // 9 pixels wide: 2 bytes of bits then 2 of padding; palette black, white.
    BitmapBytes b = BitmapBytes::Info(9, 1, 1);
    b.bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}).pixelsStartHere().bytes({0b10100000, 0x80, 0, 0});
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 1);
    const ColorValue expected[9] = {White, 0, White, 0, 0, 0, 0, 0, White};
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(d.picture.pixel(x, 0), expected[x]) << x;
}

TEST(BitmapPixels, IndexPastTheColourTableShowsBlack) {
    BitmapBytes b = BitmapBytes::Info(2, 1, 8, 0, 2);
    b.bytes({0, 0, 0xFF, 0, 0xFF, 0, 0, 0}).pixelsStartHere().bytes({1, 7, 0, 0});
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.picture.pixel(0, 0), Blue);
    EXPECT_EQ(d.picture.pixel(1, 0), 0);
}

TEST(BitmapPixels, SixteenBitChannelsAreStretchedToTheFullRange) {
    // 5-6-5: 0x8410 has red 16/31, green 32/63, blue 16/31: 132, 130, 132 after rounding.
    BitmapBytes b = BitmapBytes::Info(4, 1, 16, 3);
    b.u32(0xF800).u32(0x07E0).u32(0x001F).pixelsStartHere();
    b.u16(0xF800).u16(0x07E0).u16(0x001F).u16(0x8410);
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 5);
    EXPECT_EQ(d.picture.pixel(0, 0), Red);
    EXPECT_EQ(d.picture.pixel(1, 0), Green);
    EXPECT_EQ(d.picture.pixel(2, 0), Blue);
    EXPECT_EQ(d.picture.pixel(3, 0), RgbColor(132, 130, 132));
    // Plain 16 bits are 5-5-5 with the top bit unused.
    BitmapBytes plain = BitmapBytes::Info(2, 1, 16);
    plain.u16(0x7FFF).u16(0x8000);
    const DecodedBitmap p = Decode(plain);
    ASSERT_TRUE(p.ok()) << p.message;
    EXPECT_EQ(p.formatCode, 4);
    EXPECT_EQ(p.picture.pixel(0, 0), White);
    EXPECT_EQ(p.picture.pixel(1, 0), 0);
}

TEST(BitmapPixels, ThirtyTwoBitIgnoresTheUnusedByte) {
    BitmapBytes b = BitmapBytes::Info(1, 1, 32);
    b.bytes({0x30, 0x20, 0x10, 0xAB});
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 7);
    EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(0x10, 0x20, 0x30));
}

TEST(BitmapPixels, Os2CoreHeaderHas16BitSizesAndThreeByteEntries) {
    // 3 x 1, 4 bits: palette of 16 three-byte entries, pixels 1, 2, 0.
    BitmapBytes b;
    b.bytes({'B', 'M'}).u32(0).u32(0).u32(14 + 12 + 48);
    b.u32(12).u16(3).u16(1).u16(1).u16(4);
    b.bytes({0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0}).zeros(39);
    b.bytes({0x12, 0x00, 0, 0});
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 2);
    EXPECT_EQ(d.picture.width(), 3);
    EXPECT_EQ(d.picture.pixel(0, 0), Red);
    EXPECT_EQ(d.picture.pixel(1, 0), Blue);
    EXPECT_EQ(d.picture.pixel(2, 0), 0);
}

TEST(BitmapRle, Rle8RunsEndOfLineAndAbsoluteRuns) {
    // Bottom row: a run of three green, end of line (the 4th pixel stays index 0, red).
    // Top row: absolute run blue, white, green (padded to an even length), end of bitmap.
    const DecodedBitmap d = Decode(Rle8(4, 2, {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 1}));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 3);
    const ColorValue bottom[4] = {Green, Green, Green, Red};
    const ColorValue top[4] = {Blue, White, Green, Red};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(d.picture.pixel(x, 1), bottom[x]) << x;
        EXPECT_EQ(d.picture.pixel(x, 0), top[x]) << x;
    }
}

TEST(BitmapRle, RunsPastTheEdgeAreDroppedAndDeltasSkip) {
    // Six pixels of index 1 in a 4-wide row: the last two are dropped, not wrapped to the
    // next row. End of line, a delta of (1, 0) and a run of two index 2 on the top row.
    const DecodedBitmap d = Decode(Rle8(4, 2, {6, 1, 0, 0, 0, 2, 1, 0, 2, 2, 0, 1}));
    ASSERT_TRUE(d.ok()) << d.message;
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(d.picture.pixel(x, 1), Green) << x;
    const ColorValue top[4] = {Red, Blue, Blue, Red};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(d.picture.pixel(x, 0), top[x]) << x;
}

TEST(BitmapRle, Rle4AlternatesNibblesAndDataMayEndWithoutEndMark) {
    BitmapBytes b = BitmapBytes::Info(5, 1, 4, 2, 4);
    b.bytes({0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    b.pixelsStartHere().bytes({5, 0x13});
    const DecodedBitmap d = Decode(b);
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 2);
    const ColorValue row[5] = {Green, White, Green, White, Green};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(d.picture.pixel(x, 0), row[x]) << x;
}

TEST(BitmapRle, DeltaIsRelativeToWhereTheOverlongRunEnded) {
    // After six pixels in a 4-wide row the position lies off the right edge; a delta of
    // (1, 1) keeps it there, so the following run of index 2 paints nothing.
    const DecodedBitmap d = Decode(Rle8(4, 2, {6, 1, 0, 2, 1, 1, 2, 2, 0, 1}));
    ASSERT_TRUE(d.ok()) << d.message;
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(d.picture.pixel(x, 0), Red) << x;
}

TEST(BitmapRle, AbsoluteRunCutByTheEndOfFileStopsCleanly) {
    const DecodedBitmap d = Decode(Rle8(4, 1, {0, 200, 2, 3}));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.picture.pixel(0, 0), Blue);
    EXPECT_EQ(d.picture.pixel(1, 0), White);
    EXPECT_EQ(d.picture.pixel(2, 0), Red);
}
