#include "TestPictureFiles.h"

#include "core/editor/PictureDecoding.h"
#include "core/editor/PictureReadLimits.h"

#include <gtest/gtest.h>
#include <png.h>

namespace murelo {
namespace {

using test::PngLayout;
using test::WritePng;

// A row of `width` samples counting 0, 1, 2, ... modulo the depth's range.
PngLayout Ramp(int colorType, int bitDepth, int width) {
    PngLayout s{width, 2, colorType, bitDepth};
    const int channels = colorType == PNG_COLOR_TYPE_RGB ? 3 : 1;
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < width * channels; ++i)
            s.samples.push_back(std::uint16_t((i + y) % (1 << bitDepth)));
    return s;
}

struct GreyCase {
    int bitDepth;
    std::uint8_t formatCode;
};

class GreyPng : public testing::TestWithParam<GreyCase> {};

TEST_P(GreyPng, SpreadsEveryLevelOverTheFullRange) {
    const GreyCase c = GetParam();
    const int levels = 1 << c.bitDepth;
    const PngLayout info = Ramp(PNG_COLOR_TYPE_GRAY, c.bitDepth, levels + 3);
    const DecodedBitmap d = DecodeAnyPicture(WritePng(info));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, c.formatCode);
    ASSERT_EQ(d.picture.width(), levels + 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < d.picture.width(); ++x) {
            const int v = ((x + y) % levels) * 255 / (levels - 1);
            EXPECT_EQ(d.picture.pixel(x, y), RgbColor(v, v, v)) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, GreyPng,
                         testing::Values(GreyCase{1, 1}, GreyCase{2, 2}, GreyCase{4, 2},
                                         GreyCase{8, 3}));

class PalettePng : public testing::TestWithParam<int> {};

TEST_P(PalettePng, TakesEachIndexFromTheTable) {
    const int depth = GetParam();
    const int entries = 1 << depth;
    PngLayout info = Ramp(PNG_COLOR_TYPE_PALETTE, depth, entries + 1);
    for (int i = 0; i < entries; ++i)
        info.palette.insert(info.palette.end(),
                            {std::uint8_t(i * 7), std::uint8_t(255 - i), std::uint8_t(i * 3 + 1)});
    const DecodedBitmap d = DecodeAnyPicture(WritePng(info));
    ASSERT_TRUE(d.ok()) << d.message;
    for (int x = 0; x < d.picture.width(); ++x) {
        const int i = (x + 1) % entries;
        EXPECT_EQ(d.picture.pixel(x, 1), RgbColor(i * 7, 255 - i, i * 3 + 1)) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PalettePng, testing::Values(1, 2, 4, 8));

TEST(PngRead, TransparentPaletteEntriesKeepTheirColour) {
    PngLayout info{2, 1, PNG_COLOR_TYPE_PALETTE, 8};
    info.palette = {10, 20, 30, 40, 50, 60};
    info.trns = {0, 255};
    info.samples = {0, 1};
    const DecodedBitmap d = DecodeAnyPicture(WritePng(info));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(10, 20, 30));
    EXPECT_EQ(d.picture.pixel(1, 0), RgbColor(40, 50, 60));
}

TEST(PngRead, AlphaIsDroppedAndTheColourKept) {
    PngLayout info{2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8};
    info.samples = {200, 100, 50, 0, 1, 2, 3, 128};
    const DecodedBitmap d = DecodeAnyPicture(WritePng(info));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(200, 100, 50));
    EXPECT_EQ(d.picture.pixel(1, 0), RgbColor(1, 2, 3));
    EXPECT_EQ(d.formatCode, 7);
}

TEST(PngRead, SixteenBitSamplesAreScaledToEight) {
    PngLayout info{3, 1, PNG_COLOR_TYPE_RGB, 16};
    // v * 257 is exactly v in 8 bits; the low byte alone must not decide the result.
    info.samples = {0xFFFF, 0x0000, 0x8080, 0x1240, 0xAB40, 0x00FF, 0x7F7F, 0x0101, 0xFEFE};
    const DecodedBitmap d = DecodeAnyPicture(WritePng(info));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(0xFF, 0x00, 0x80));
    EXPECT_EQ(d.picture.pixel(1, 0), RgbColor(0x12, 0xAB, 0x01));
    EXPECT_EQ(d.picture.pixel(2, 0), RgbColor(0x7F, 0x01, 0xFE));
    EXPECT_EQ(d.formatCode, 6);
}

TEST(PngRead, InterlacedAndPlainFilesGiveTheSamePicture) {
    PngLayout info{13, 11, PNG_COLOR_TYPE_RGB, 8};
    for (int i = 0; i < 13 * 11 * 3; ++i)
        info.samples.push_back(std::uint16_t(i * 37 % 256));
    const DecodedBitmap plain = DecodeAnyPicture(WritePng(info));
    info.interlaced = true;
    const test::Bytes file = WritePng(info);
    ASSERT_EQ(file[28], 1) << "the test file must really be interlaced";
    const DecodedBitmap interlaced = DecodeAnyPicture(file);
    ASSERT_TRUE(plain.ok() && interlaced.ok()) << interlaced.message;
    EXPECT_EQ(interlaced.picture, plain.picture);
    EXPECT_EQ(plain.picture.pixel(12, 10),
              RgbColor((13 * 10 + 12) * 3 * 37 % 256, ((13 * 10 + 12) * 3 + 1) * 37 % 256,
                       ((13 * 10 + 12) * 3 + 2) * 37 % 256));
}

TEST(PngRead, OpenRefusesMoreThan640WithTheBitmapsSizeMessage) {
    const DecodedBitmap ok = DecodeAnyPicture(WritePng(Ramp(PNG_COLOR_TYPE_GRAY, 8, 640)));
    EXPECT_TRUE(ok.ok()) << ok.message;
    const DecodedBitmap wide = DecodeAnyPicture(WritePng(Ramp(PNG_COLOR_TYPE_GRAY, 8, 641)));
    EXPECT_EQ(wide.fault, BitmapFault::TooLarge);
    EXPECT_EQ(wide.message,
              "The Image of 640 pixels or more can't be read!\n  ->Image Size : ( 641, 2 )");
    PictureLimits import;
    import.openSizeRule = false;
    EXPECT_TRUE(DecodeAnyPicture(WritePng(Ramp(PNG_COLOR_TYPE_GRAY, 8, 641)), import).ok());
}

TEST(PngRead, AHugeDeclaredSizeIsRefusedFromTheHeaderAlone) {
    // Reading rows of 100000 x 100000 would need 30 GB; the refusal must come first (under the
    // sanitizers an attempt to allocate that much fails the test).
    const test::Bytes bomb = test::PngBomb(100000, 100000);
    const DecodedBitmap open = DecodeAnyPicture(bomb);
    EXPECT_EQ(open.fault, BitmapFault::TooLarge);
    EXPECT_NE(open.message.find("( 100000, 100000 )"), std::string::npos);
    PictureLimits import;
    import.openSizeRule = false;
    const DecodedBitmap imported = DecodeAnyPicture(bomb, import);
    EXPECT_EQ(imported.fault, BitmapFault::Unreadable);
    EXPECT_EQ(imported.message, "the picture of 100000 x 100000 pixels is too large to read");
}

// The reader stops once the picture's rows are read: what trails them in the data stream is
// neither inflated nor read, so a small file that would inflate to far more than its rows
// costs no more than its rows. Cut off halfway, such a file still gives its picture, which
// shows that nothing behind the rows was looked at.
TEST(PngRead, ReadingStopsOnceThePicturesRowsAreRead) {
    constexpr std::size_t TrailingZeros = 80u << 20; // 80 MB behind a row of 3 bytes
    for (const bool interlaced : {false, true}) {
        const test::Bytes file = test::PngWithTrailingData(200, 30, 90, TrailingZeros, interlaced);
        ASSERT_LT(file.size(), 100u * 1024);
        for (const std::size_t size : {file.size(), file.size() / 2}) {
            const DecodedBitmap d = DecodeAnyPicture(std::span(file.data(), size));
            ASSERT_TRUE(d.ok()) << interlaced << ", " << size << ": " << d.message;
            EXPECT_EQ(d.picture.width(), 1);
            EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(200, 30, 90)) << interlaced << size;
        }
    }
}

TEST(PngRead, DamagedFilesAreRefusedWithAReason) {
    PngLayout info = Ramp(PNG_COLOR_TYPE_RGB, 8, 40);
    const test::Bytes good = WritePng(info);
    struct Case {
        const char* what;
        test::Bytes file;
    };
    std::vector<Case> cases;
    cases.push_back({"cut inside the header", test::Bytes(good.begin(), good.begin() + 20)});
    cases.push_back({"cut inside the data", test::Bytes(good.begin(), good.end() - 30)});
    test::Bytes badCrc = good;
    badCrc[30] ^= 0x40; // inside IHDR
    cases.push_back({"header checksum wrong", badCrc});
    cases.push_back({"no chunks", test::Bytes(good.begin(), good.begin() + 8)});
    for (const Case& c : cases) {
        const DecodedBitmap d = DecodeAnyPicture(c.file);
        EXPECT_EQ(d.fault, BitmapFault::Unreadable) << c.what;
        EXPECT_EQ(d.message.rfind("PNG: ", 0), 0u) << c.what << ": " << d.message;
        EXPECT_EQ(d.message.find('\n'), std::string::npos) << c.what;
    }
}

} // namespace
} // namespace murelo
