#include "TestPictureFiles.h"

#include "core/app/PictureFiles.h"
#include "core/editor/PictureDecoding.h"
#include "core/editor/PictureFit.h"
#include "core/editor/PngEncode.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace murelo {
namespace {

constexpr ColorValue Red = RgbColor(255, 0, 0), Blue = RgbColor(0, 0, 255);

// Left half red, right half blue.
Picture Halves(int width, int height) {
    Picture p(width, height, Red);
    p.fillRect(width / 2, 0, width - width / 2, height, Blue);
    return p;
}

int RowsOf(const Picture& p, ColorValue c, int x) {
    int n = 0;
    for (int y = 0; y < p.height(); ++y)
        n += p.pixel(x, y) == c;
    return n;
}

TEST(FitPicture, LetterboxKeepsTheAspectBetweenBlackBars) {
    const Picture out = FitPicture(Halves(400, 100), 256, 192, PictureFitMode::Letterbox).value();
    ASSERT_EQ(out.width(), 256);
    ASSERT_EQ(out.height(), 192);
    // 400 x 100 becomes 256 x 64, centred: 64 black rows above and below.
    EXPECT_EQ(RowsOf(out, 0, 10), 128);
    EXPECT_EQ(out.pixel(10, 63), 0);
    EXPECT_EQ(out.pixel(10, 64), Red);
    EXPECT_EQ(out.pixel(245, 127), Blue);
    EXPECT_EQ(out.pixel(245, 128), 0);
    // A tall picture gets bars left and right instead.
    const Picture tall =
        FitPicture(Picture(100, 300, Red), 256, 192, PictureFitMode::Letterbox).value();
    EXPECT_EQ(tall.pixel(95, 100), 0);
    EXPECT_EQ(tall.pixel(97, 100), Red);
    EXPECT_EQ(tall.pixel(159, 100), Red);
    EXPECT_EQ(tall.pixel(161, 100), 0);
}

TEST(FitPicture, CropFillsTheTargetAndCutsTheOverhangEvenly) {
    // 600 x 100 to 100 x 100 keeps the middle 100 x 100: red left of x 50, blue right of it.
    Picture source = Halves(600, 100);
    source.fillRect(0, 0, 250, 100, RgbColor(0, 255, 0)); // cut off entirely
    source.fillRect(350, 0, 250, 100, RgbColor(0, 255, 0));
    const Picture out = FitPicture(source, 100, 100, PictureFitMode::Crop).value();
    for (int y : {0, 50, 99}) {
        EXPECT_EQ(out.pixel(0, y), Red);
        EXPECT_EQ(out.pixel(45, y), Red);
        EXPECT_EQ(out.pixel(55, y), Blue);
        EXPECT_EQ(out.pixel(99, y), Blue);
    }
}

TEST(FitPicture, StretchUsesEveryPixelOfTheTarget) {
    const Picture out = FitPicture(Halves(64, 640), 256, 192, PictureFitMode::Stretch).value();
    EXPECT_EQ(out.pixel(0, 0), Red);
    EXPECT_EQ(out.pixel(120, 191), Red);
    EXPECT_EQ(out.pixel(136, 0), Blue);
    EXPECT_EQ(out.pixel(255, 191), Blue);
}

TEST(FitPicture, AveragesInLinearLight) {
    // A fine black-and-white checkerboard looks like 50 % light: sRGB 188, not 128.
    Picture board(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            board.setPixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0x000000);
    const Picture out = FitPicture(board, 8, 8, PictureFitMode::Stretch).value();
    for (ColorValue c : out.pixels()) {
        EXPECT_NEAR(RedOf(c), 188, 3);
        EXPECT_EQ(RedOf(c), GreenOf(c));
        EXPECT_EQ(RedOf(c), BlueOf(c));
    }
}

TEST(FitPicture, ModesAreParsedByTheirNames) {
    EXPECT_EQ(ParsePictureFitMode("letterbox"), PictureFitMode::Letterbox);
    EXPECT_EQ(ParsePictureFitMode("crop"), PictureFitMode::Crop);
    EXPECT_EQ(ParsePictureFitMode("stretch"), PictureFitMode::Stretch);
    EXPECT_FALSE(ParsePictureFitMode("Crop"));
    EXPECT_FALSE(ParsePictureFitMode(""));
}

Document EditedDocument() {
    Document doc;
    NewDocument(doc, 32, 16, 0x00FF00, true);
    doc.FileName = "/somewhere/old.bmp";
    doc.PaletteKind = PaletteKindId::BlueMsx1;
    doc.SaveDepth = PixelFormat::Bits8;
    return doc;
}

TEST(ImportPicture, MakesANewModifiedUnnamedPictureOfTheChosenSize) {
    test::TempDir dir;
    // A photograph far above Open's limit, stored as JPEG.
    test::JpegLayout photo{1600, 1200};
    for (int i = 0; i < 1600 * 1200; ++i)
        photo.samples.insert(photo.samples.end(), {200, 40, 40});
    test::WriteBytes(dir / "photo.jpg", test::WriteJpeg(photo));
    Document doc = EditedDocument();
    const FileReport r =
        ImportPictureFile(doc, (dir / "photo.jpg").string(), 256, 192, PictureFitMode::Crop);
    ASSERT_TRUE(r.ok()) << r.text;
    EXPECT_EQ(doc.PictureWidth, 256);
    EXPECT_EQ(doc.PictureHeight, 192);
    EXPECT_EQ(doc.picture.width(), 256);
    EXPECT_EQ(doc.errorOverlay, Picture(256, 192, OverlayBackground));
    EXPECT_EQ(doc.FileName, "");
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits24);
    const ColorValue c = doc.picture.pixel(128, 96);
    EXPECT_NEAR(RedOf(c), 200, 6);
    EXPECT_NEAR(GreenOf(c), 40, 6);
}

// A photograph holds no palette: Import keeps the palette kind and pixel mode the user has,
// where Open's detection picks "Color 15" (it holds the letterbox bars' black at the highest
// index); a resampling that cannot run is an error, never a black picture.
TEST(ImportPicture, KeepsThePaletteAndPixelModeAndReportsAFailedScaling) {
    test::TempDir dir;
    Picture photo(300, 100, RgbColor(200, 120, 90));
    photo.fillRect(0, 0, 300, 10, 0);
    const std::string path = (dir / "photo.png").string();
    test::WriteBytes(dir / "photo.png", EncodePng(photo, KindTms9918));
    for (const auto& [kind, mode] : {std::pair{PaletteKindId::V9938, EditModeId::Tms99x8},
                                     std::pair{PaletteKindId::Color8, EditModeId::Pc6001Wide}}) {
        Document doc = EditedDocument();
        doc.PaletteKind = kind;
        doc.EditMode = mode;
        ASSERT_TRUE(ImportPictureFile(doc, path, 256, 192, PictureFitMode::Letterbox).ok());
        EXPECT_EQ(doc.PaletteKind, kind);
        EXPECT_EQ(doc.EditMode, mode);
    }
    Document doc = EditedDocument();
    ASSERT_TRUE(LoadPictureFile(doc, path).ok());
    EXPECT_EQ(doc.PaletteKind, PaletteKindId::Color15);
    doc = EditedDocument();
    FailNextResampling();
    const FileReport r = ImportPictureFile(doc, path, 256, 192, PictureFitMode::Crop);
    EXPECT_EQ(r.text, "The picture could not be scaled to 256 x 192: not enough memory.");
    EXPECT_EQ(doc.picture, EditedDocument().picture);
}

TEST(ImportPicture, TakesBitmapsThatOpenRefuses) {
    test::TempDir dir;
    // 700 x 2 bottom-up and 8 x 2 top-down: the first row is red in both.
    auto bitmap = [](int width, int height, bool topDown) {
        Picture p(width, std::abs(height), Blue);
        p.fillRect(0, 0, width, 1, Red);
        const std::vector<std::uint8_t> bottomUp = EncodeBitmap24(p);
        if (!topDown)
            return bottomUp;
        std::vector<std::uint8_t> file = bottomUp;
        const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
        const std::size_t rows = 54;
        std::copy(bottomUp.begin() + rows, bottomUp.begin() + rows + stride,
                  file.begin() + rows + stride);
        std::copy(bottomUp.begin() + rows + stride, bottomUp.begin() + rows + 2 * stride,
                  file.begin() + rows);
        const std::int32_t negative = -std::abs(height);
        for (int i = 0; i < 4; ++i)
            file[22 + std::size_t(i)] = std::uint8_t(std::uint32_t(negative) >> (8 * i));
        return file;
    };
    test::WriteBytes(dir / "wide.bmp", bitmap(700, 2, false));
    test::WriteBytes(dir / "down.bmp", bitmap(8, 2, true));
    for (const char* name : {"wide.bmp", "down.bmp"}) {
        Document opened;
        EXPECT_EQ(LoadPictureFile(opened, (dir / name).string()).caption, "Open Error") << name;
        Document doc;
        const FileReport r =
            ImportPictureFile(doc, (dir / name).string(), 8, 8, PictureFitMode::Stretch);
        ASSERT_TRUE(r.ok()) << name << ": " << r.text;
        EXPECT_EQ(doc.picture.pixel(4, 0), Red) << name;
        EXPECT_EQ(doc.picture.pixel(4, 7), Blue) << name;
    }
}

TEST(ImportPicture, ABadFileOrSizeLeavesTheDocumentAsItWas) {
    test::TempDir dir;
    test::WriteBytes(dir / "bomb.png", test::PngBomb(100000, 100000));
    test::WriteBytes(dir / "text.png", {'h', 'e', 'l', 'l', 'o'});
    struct Case {
        std::string file;
        int width, height;
        std::string text;
    };
    const Case cases[] = {
        {"bomb.png", 256, 192,
         "ReadError : the picture of 100000 x 100000 pixels is too large to read"},
        {"text.png", 256, 192, "Not BMP File!"},
        {"missing.png", 256, 192, "ReadError : "},
        {"bomb.png", 641, 192, "The picture size must be 1 to 640 in each direction."},
    };
    for (const Case& c : cases) {
        Document doc = EditedDocument();
        const FileReport r = ImportPictureFile(doc, (dir / c.file).string(), c.width, c.height,
                                               PictureFitMode::Letterbox);
        EXPECT_EQ(r.text.substr(0, c.text.size()), c.text) << c.file;
        EXPECT_EQ(doc.picture, EditedDocument().picture) << c.file;
        EXPECT_EQ(doc.FileName, "/somewhere/old.bmp") << c.file;
        EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits8) << c.file;
    }
}

} // namespace
} // namespace murelo
