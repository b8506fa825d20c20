#include "TestPictureFiles.h"

#include "core/editor/JpegDecode.h"
#include "core/editor/PictureDecoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace murelo {
namespace {

using test::GifLayout;
using test::JpegLayout;

GifLayout TwoColourGif() {
    GifLayout s;
    s.screenWidth = 6;
    s.screenHeight = 5;
    s.globalColors = {0, 0, 0, 255, 255, 255};
    s.width = 6;
    s.height = 5;
    for (int i = 0; i < 30; ++i)
        s.indices.push_back(std::uint8_t(i % 3 == 0));
    return s;
}

TEST(GifRead, ALocalColourTableWinsOverTheGlobalOne) {
    GifLayout s = TwoColourGif();
    s.localColors = {200, 10, 20, 5, 150, 250};
    const DecodedBitmap d = DecodeAnyPicture(test::WriteGif(s));
    ASSERT_TRUE(d.ok()) << d.message;
    EXPECT_EQ(d.formatCode, 3);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(d.picture.pixel(i % 6, i / 6),
                  i % 3 == 0 ? RgbColor(5, 150, 250) : RgbColor(200, 10, 20))
            << i;
}

TEST(GifRead, InterlacedRowsLandInDisplayOrder) {
    GifLayout s = TwoColourGif();
    s.screenHeight = s.height = 11;
    s.indices.clear();
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 6; ++x)
            s.indices.push_back(std::uint8_t(y == 3 || y == 8 ? 1 : 0));
    s.interlaced = true;
    const DecodedBitmap d = DecodeAnyPicture(test::WriteGif(s));
    ASSERT_TRUE(d.ok()) << d.message;
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(d.picture.pixel(2, y), y == 3 || y == 8 ? 0xFFFFFF : 0) << y;
}

TEST(GifRead, TheFirstFrameIsShownOnTheScreenWithTheBackgroundAround) {
    GifLayout s = TwoColourGif();
    s.globalColors = {0, 0, 0, 255, 255, 255, 9, 99, 199, 1, 2, 3};
    s.background = 2;
    s.screenWidth = 10;
    s.screenHeight = 8;
    s.left = 3;
    s.top = 2;
    s.secondFrame = true;
    s.transparentIndex = 0; // ignored: the entry's colour is kept
    const DecodedBitmap d = DecodeAnyPicture(test::WriteGif(s));
    ASSERT_TRUE(d.ok()) << d.message;
    ASSERT_EQ(d.picture.width(), 10);
    ASSERT_EQ(d.picture.height(), 8);
    EXPECT_EQ(d.picture.pixel(0, 0), RgbColor(9, 99, 199));
    EXPECT_EQ(d.picture.pixel(9, 7), RgbColor(9, 99, 199));
    EXPECT_EQ(d.picture.pixel(3, 2), 0xFFFFFF); // frame pixel 0: index 1
    EXPECT_EQ(d.picture.pixel(4, 2), 0x000000); // index 0, transparent, keeps black
}

TEST(GifRead, DamagedFilesAreRefused) {
    const test::Bytes good = test::WriteGif(TwoColourGif());
    for (std::size_t cut : {std::size_t(6), std::size_t(13), good.size() - 4}) {
        const DecodedBitmap d = DecodeAnyPicture(test::Bytes(good.begin(), good.begin() + cut));
        EXPECT_EQ(d.fault, BitmapFault::Unreadable) << cut;
        EXPECT_EQ(d.message.rfind("GIF: ", 0), 0u) << cut << ": " << d.message;
    }
}

// Blocks of 8 x 8 in four flat colours, which JPEG keeps nearly exactly.
JpegLayout Blocks(bool cmyk, int width = 32, int height = 16) {
    JpegLayout s{width, height, cmyk};
    const std::uint8_t rgb[4][3] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {128, 128, 128}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* c = rgb[(x / 8 + y / 8) % 4];
            if (cmyk) // Adobe's inverted inks: 255 is no ink; no black ink
                s.samples.insert(s.samples.end(), {c[0], c[1], c[2], 255});
            else
                s.samples.insert(s.samples.end(), {c[0], c[1], c[2]});
        }
    return s;
}

void ExpectNear(ColorValue got, int r, int g, int b, const char* what) {
    EXPECT_LE(std::abs(RedOf(got) - r), 12) << what;
    EXPECT_LE(std::abs(GreenOf(got) - g), 12) << what;
    EXPECT_LE(std::abs(BlueOf(got) - b), 12) << what;
}

TEST(JpegRead, BaselineProgressiveAndCmykFilesShowTheirColours) {
    for (const bool cmyk : {false, true})
        for (const bool progressive : {false, true}) {
            JpegLayout s = Blocks(cmyk);
            s.progressive = progressive;
            const DecodedBitmap d = DecodeAnyPicture(test::WriteJpeg(s));
            const char* what = cmyk ? (progressive ? "cmyk progressive" : "cmyk")
                                    : (progressive ? "progressive" : "baseline");
            ASSERT_TRUE(d.ok()) << what << ": " << d.message;
            EXPECT_EQ(d.formatCode, 6);
            ExpectNear(d.picture.pixel(3, 3), 250, 0, 0, what);
            ExpectNear(d.picture.pixel(11, 3), 0, 250, 0, what);
            ExpectNear(d.picture.pixel(19, 3), 0, 0, 250, what);
            ExpectNear(d.picture.pixel(27, 3), 128, 128, 128, what);
            ExpectNear(d.picture.pixel(3, 11), 0, 250, 0, what);
        }
}

TEST(JpegRead, ProgressiveCodingDecodesToTheBaselinePicture) {
    JpegLayout s = Blocks(false);
    for (std::size_t i = 0; i < s.samples.size(); ++i)
        s.samples[i] = std::uint8_t(s.samples[i] ^ (i * 29 % 64)); // some texture
    const DecodedBitmap baseline = DecodeAnyPicture(test::WriteJpeg(s));
    s.progressive = true;
    const DecodedBitmap progressive = DecodeAnyPicture(test::WriteJpeg(s));
    ASSERT_TRUE(baseline.ok() && progressive.ok());
    EXPECT_EQ(progressive.picture, baseline.picture);
}

TEST(JpegRead, ImportShrinksWhileDecodingButNotBelowTheWantedSize) {
    const test::Bytes file = test::WriteJpeg(Blocks(false, 800, 600));
    struct Case {
        int minWidth, minHeight, width, height;
    };
    for (const Case c : {Case{100, 75, 100, 75}, Case{101, 75, 200, 150}, Case{300, 10, 400, 300},
                         Case{401, 1, 800, 600}}) {
        PictureLimits limits;
        limits.openSizeRule = false;
        limits.minWidth = c.minWidth;
        limits.minHeight = c.minHeight;
        const DecodedBitmap d = DecodeAnyPicture(file, limits);
        ASSERT_TRUE(d.ok()) << d.message;
        EXPECT_EQ(d.picture.width(), c.width) << c.minWidth;
        EXPECT_EQ(d.picture.height(), c.height) << c.minWidth;
    }
    EXPECT_EQ(DecodeAnyPicture(file).fault, BitmapFault::TooLarge);
}

TEST(JpegRead, CutOffAndDamagedFilesAreRefused) {
    const test::Bytes good = test::WriteJpeg(Blocks(false));
    for (std::size_t cut : {std::size_t(3), std::size_t(100), good.size() / 2, good.size() - 2}) {
        const DecodedBitmap d = DecodeAnyPicture(test::Bytes(good.begin(), good.begin() + cut));
        EXPECT_EQ(d.fault, BitmapFault::Unreadable) << cut;
        EXPECT_EQ(d.message.rfind("JPEG: ", 0), 0u) << cut << ": " << d.message;
    }
}

// Where the two-byte marker `code` (after 0xFF) last starts in the file.
std::size_t LastMarker(const test::Bytes& file, std::uint8_t code) {
    for (std::size_t at = file.size() - 1; at > 0; --at)
        if (file[at - 1] == 0xFF && file[at] == code)
            return at - 1;
    return 0;
}

TEST(JpegRead, DataEndingBeforeTheLastRowIsRefusedLikeACutOffFile) {
    // 6000 x 16 pixels of data under a frame header that declares 6000 x 6000: the scan meets
    // its end marker after a few rows, as a file whose frame promises more than it holds.
    test::Bytes promising = test::WriteJpeg(Blocks(false, 6000, 16));
    const std::size_t frame = LastMarker(promising, 0xC0);
    ASSERT_GT(frame, 0u);
    promising[frame + 5] = 6000 >> 8;
    promising[frame + 6] = 6000 & 0xFF;
    const test::Bytes whole = test::WriteJpeg(Blocks(false, 64, 64));
    const test::Bytes cutOff(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() * 2 / 3));
    PictureLimits import;
    import.openSizeRule = false;
    import.minWidth = import.minHeight = 16; // decoded at 1/8, as Import would
    for (const auto& [what, file] :
         {std::pair{"frame declaring more rows", promising}, std::pair{"cut off", cutOff}}) {
        const DecodedBitmap d = DecodeAnyPicture(file, import);
        EXPECT_EQ(d.fault, BitmapFault::Unreadable) << what;
        EXPECT_EQ(d.message, "JPEG: Premature end of JPEG file") << what;
    }
    EXPECT_TRUE(DecodeAnyPicture(whole, import).ok());
}

TEST(JpegRead, AProgressiveFileWithTooManyScansSaysSo) {
    // The last refinement scan repeated a thousand times: the library would go through every
    // one of them; the reader stops past its limit and names the reason.
    JpegLayout s = Blocks(false);
    s.progressive = true;
    const test::Bytes file = test::WriteJpeg(s);
    const std::size_t scan = LastMarker(file, 0xDA), end = LastMarker(file, 0xD9);
    test::Bytes many(file.begin(), file.begin() + std::ptrdiff_t(end));
    for (int i = 0; i < 1000; ++i)
        many.insert(many.end(), file.begin() + std::ptrdiff_t(scan),
                    file.begin() + std::ptrdiff_t(end));
    many.insert(many.end(), {0xFF, 0xD9});
    const DecodedBitmap d = DecodeAnyPicture(many);
    EXPECT_EQ(d.fault, BitmapFault::Unreadable);
    EXPECT_EQ(d.message, "JPEG: The file has more scans than the reader accepts (at most 1000)");
    EXPECT_TRUE(DecodeAnyPicture(file).ok());
}

TEST(JpegRead, AFailedDecoderCreationIsReportedNotJumpedInto) {
    EXPECT_EQ(TryCreateJpegDecoder(JPEG_LIB_VERSION), "");
    char expected[80];
    std::snprintf(expected, sizeof expected,
                  "Wrong JPEG library version: library is %d, caller expects %d", JPEG_LIB_VERSION,
                  JPEG_LIB_VERSION + 1);
    EXPECT_EQ(TryCreateJpegDecoder(JPEG_LIB_VERSION + 1), expected);
}

} // namespace
} // namespace murelo
