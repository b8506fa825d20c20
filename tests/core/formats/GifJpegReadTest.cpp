#include "TestPictureFiles.h"

#include "core/editor/JpegDecode.h"
#include "core/editor/PictureDecoding.h"

#include <gtest/gtest.h>

#include <algorithm>
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
test::Bytes::const_iterator LastMarker(const test::Bytes& file, std::uint8_t code) {
    const std::uint8_t marker[] = {0xFF, code};
    return std::find_end(file.begin(), file.end(), marker, marker + 2);
}

// Data that ends before the last row is refused alike whether the file is cut off or its
// scan meets the end marker early (6000 x 16 pixels under a frame declaring 6000 x 6000), and a
// progressive file whose last scan is repeated past the scan limit is refused for that.
TEST(JpegRead, DataEndingEarlyOrTooManyScansAreRefusedWithTheirReason) {
    test::Bytes promising = test::WriteJpeg(Blocks(false, 6000, 16));
    const auto frame = promising.begin() + (LastMarker(promising, 0xC0) - promising.cbegin());
    frame[5] = 6000 >> 8;
    frame[6] = 6000 & 0xFF;
    JpegLayout progressive = Blocks(false);
    progressive.progressive = true;
    const test::Bytes scans = test::WriteJpeg(progressive);
    const auto scan = LastMarker(scans, 0xDA), end = LastMarker(scans, 0xD9);
    test::Bytes many(scans.begin(), end);
    for (int i = 0; i < 1000; ++i)
        many.insert(many.end(), scan, end);
    many.insert(many.end(), {0xFF, 0xD9});
    PictureLimits import;
    import.openSizeRule = false;
    import.minWidth = import.minHeight = 16; // decoded at 1/8, as Import would
    const std::string early = "JPEG: Premature end of JPEG file";
    for (const auto& [file, message] :
         {std::pair{promising, early},
          std::pair{test::Bytes(scans.begin(), scans.begin() + std::ptrdiff_t(scans.size() / 2)),
                    early},
          std::pair{many, std::string("JPEG: The file has more scans than the reader accepts "
                                      "(at most 1000)")}})
        EXPECT_EQ(DecodeAnyPicture(file, import).message, message);
    EXPECT_TRUE(DecodeAnyPicture(scans).ok());
}

TEST(JpegRead, AFailedDecoderCreationIsReportedNotJumpedInto) {
    EXPECT_EQ(TryCreateJpegDecoder(JPEG_LIB_VERSION), "");
    EXPECT_EQ(TryCreateJpegDecoder(JPEG_LIB_VERSION + 1).rfind("Wrong JPEG library version", 0),
              0u);
}

} // namespace
} // namespace murelo
