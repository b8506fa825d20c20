#include "core/app/PictureFiles.h"
#include "core/editor/FileNameRules.h"
#include "core/editor/PictureDecoding.h"
#include "core/editor/PngEncode.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

constexpr std::size_t ColorTypeByte = 25; // in the IHDR chunk

Picture PalettePicture(int kind) {
    Picture p(17, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 17; ++x)
            p.setPixel(x, y, PaletteColor(kind, (x * 3 + y) % 16));
    return p;
}

TEST(PngWrite, PaletteColoursGiveAnIndexedFileThatReadsBackExactly) {
    for (int kind : {int(KindTms9918), int(KindV9938)}) {
        const Picture p = PalettePicture(kind);
        const std::vector<std::uint8_t> file = EncodePng(p, kind);
        ASSERT_GT(file.size(), ColorTypeByte);
        EXPECT_EQ(file[ColorTypeByte], 3) << "indexed, kind " << kind;
        const DecodedBitmap back = DecodeAnyPicture(file);
        ASSERT_TRUE(back.ok()) << back.message;
        EXPECT_EQ(back.picture, p);
        EXPECT_EQ(back.formatCode, 3);
    }
}

TEST(PngWrite, OtherColoursGiveAnRgbFileThatReadsBackExactly) {
    Picture p = PalettePicture(KindTms9918);
    p.setPixel(16, 4, RgbColor(1, 2, 3));
    const std::vector<std::uint8_t> file = EncodePng(p, KindTms9918);
    EXPECT_EQ(file[ColorTypeByte], 2);
    const DecodedBitmap back = DecodeAnyPicture(file);
    ASSERT_TRUE(back.ok()) << back.message;
    EXPECT_EQ(back.picture, p);
}

TEST(PngWrite, SavingUnderAPngNameWritesAPngWhateverTheDepth) {
    test::TempDir dir;
    Document doc;
    NewDocument(doc, 8, 8, PaletteColor(KindTms9918, 4), true);
    doc.SaveDepth = PixelFormat::Bits4;
    doc.Modified = true;
    const std::string target = PictureSaveName((dir / "shot.PNG").string());
    EXPECT_EQ(target, (dir / "shot.PNG").string());
    ASSERT_TRUE(WritePictureFile(doc, target, target).ok());
    const auto bytes = test::ReadBytes(dir / "shot.PNG");
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes[1], 'P');
    EXPECT_EQ(doc.FileName, target);
    EXPECT_FALSE(doc.Modified);
    Document reopened;
    ASSERT_TRUE(LoadPictureFile(reopened, target).ok());
    EXPECT_EQ(reopened.picture, doc.picture);
}

TEST(PngWrite, OnlyPngNamesKeepTheirExtension) {
    EXPECT_TRUE(IsPngFileName("a.png"));
    EXPECT_TRUE(IsPngFileName("/x.y/a.Png"));
    EXPECT_FALSE(IsPngFileName("/x.png/a"));
    EXPECT_FALSE(IsPngFileName("a.png.bmp"));
    EXPECT_FALSE(IsPngFileName(".png"));
    EXPECT_EQ(PictureSaveName("a.jpg"), "a.bmp");
    EXPECT_EQ(PictureSaveName("a.png"), "a.png");
    EXPECT_EQ(PictureSaveName("a"), "a.bmp");
}

} // namespace
} // namespace murelo
