#include "core/app/Document.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {

Picture OfColors(std::initializer_list<ColorValue> colors) {
    Picture p(int(colors.size()), 1);
    int x = 0;
    for (ColorValue c : colors)
        p.setPixel(x++, 0, c);
    return p;
}

} // namespace

TEST(PictureAccess, OutsideReadsNoColourAndWritesAreDropped) {
    Picture p(3, 2, 0x112233);
    EXPECT_EQ(p.pixel(-1, 0), NoColor);
    EXPECT_EQ(p.pixel(3, 0), NoColor);
    EXPECT_EQ(p.pixel(0, 2), NoColor);
    p.setPixel(3, 1, 0);
    p.setPixel(-1, -1, 0);
    for (ColorValue c : p.pixels())
        EXPECT_EQ(c, 0x112233);
    p.fillRect(-5, 1, 7, 9, 7);
    EXPECT_EQ(p.pixel(0, 1), 7);
    EXPECT_EQ(p.pixel(1, 1), 7);
    EXPECT_EQ(p.pixel(2, 1), 0x112233);
}

TEST(NewDocumentState, BlankWhitePictureUntitledAndClean) {
    Document doc;
    doc.Modified = true;
    doc.FileName = "old.bmp";
    doc.SaveDepth = PixelFormat::Bits24;
    NewDocument(doc, 256, 192, 0xFFFFFF, true);
    EXPECT_EQ(doc.picture.width(), 256);
    EXPECT_EQ(doc.picture.pixel(255, 191), 0xFFFFFF);
    EXPECT_EQ(doc.errorOverlay.pixel(0, 0), 0x202020);
    EXPECT_EQ(doc.quickSlot, doc.picture);
    EXPECT_FALSE(doc.Modified);
    EXPECT_TRUE(doc.FileName.empty());
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits4);
    EXPECT_TRUE(doc.exportAvailable());
    EXPECT_EQ(WindowTitle(doc), "Murelo 9918 ver.1.20");
}

TEST(NewDocumentState, KeepsQuickSlotUnlessReset) {
    Document doc;
    NewDocument(doc, 256, 192, 0xFFFFFF, true);
    NewDocument(doc, 16, 8, 0x000000, false);
    EXPECT_EQ(doc.quickSlot.width(), 256);
    EXPECT_FALSE(doc.exportAvailable());
}

TEST(WindowTitleFormat, NamedAndModified) {
    Document doc;
    doc.FileName = "/tmp/a.bmp";
    EXPECT_EQ(WindowTitle(doc), "Murelo 9918 ver.1.20 : /tmp/a.bmp");
    doc.Modified = true;
    EXPECT_EQ(WindowTitle(doc), "Murelo 9918 ver.1.20 : */tmp/a.bmp");
    doc.FileName.clear();
    EXPECT_EQ(WindowTitle(doc), "Murelo 9918 ver.1.20 : *");
}

TEST(DetectPaletteRule, LowestCompleteKindWins) {
    // Black and white are in kinds 0 and 2 alike.
    EXPECT_EQ(KindNumber(DetectPalette(OfColors({PaletteColor(2, 1), PaletteColor(2, 15)}))), 0);
    EXPECT_EQ(KindNumber(DetectPalette(OfColors({PaletteColor(2, 2), PaletteColor(2, 15)}))), 2);
    EXPECT_EQ(KindNumber(DetectPalette(OfColors({PaletteColor(7, 1)}))), 7);
}

TEST(DetectPaletteRule, IncompletePictureTakesLargestFoundMask) {
    // 315-5124 index 15 then a stray colour: kind 4 sees bits {15}; kinds 0..3, 5 and 7
    // see white too, and kind 0 is the first of those with the same mask.
    EXPECT_EQ(KindNumber(DetectPalette(OfColors({0xFFFFFF, 0x123456}))), 0);
    // 01FF01 only exists in kind 4 (index 3); then a stray colour.
    EXPECT_EQ(KindNumber(DetectPalette(OfColors({FromRrggbb(0x01FF01), 0x123456}))), 4);
    // A first pixel in no palette: kind 0.
    EXPECT_EQ(KindNumber(DetectPalette(OfColors({0x123456, PaletteColor(7, 1)}))), 0);
    // Pixels after the first miss are not looked at: kind 7's violet after the miss is ignored.
    EXPECT_EQ(
        KindNumber(DetectPalette(OfColors({PaletteColor(5, 2), 0x123456, PaletteColor(5, 14)}))),
        5);
}

TEST(RecolorRule, ChipPalettesMapIndexForIndex) {
    Picture p = OfColors({FromRrggbb(0x7CCF6C), 0x123456});
    EXPECT_TRUE(RecolorPicture(p, PaletteKindId::Tms9918, PaletteKindId::Sega315_5124));
    EXPECT_EQ(p.pixel(0, 0), FromRrggbb(0x01FF01));
    EXPECT_EQ(p.pixel(1, 0), 0x123456);
    RecolorPicture(p, PaletteKindId::Sega315_5124, PaletteKindId::Tms9918);
    EXPECT_EQ(p.pixel(0, 0), FromRrggbb(0x7CCF6C));
}

TEST(RecolorRule, KindsSixAndAboveLeavePixels) {
    Picture p = OfColors({PaletteColor(5, 3), PaletteColor(5, 0)});
    const Picture before = p;
    EXPECT_FALSE(RecolorPicture(p, PaletteKindId::V9938, PaletteKindId::Color15));
    EXPECT_FALSE(RecolorPicture(p, PaletteKindId::Pc8801, PaletteKindId::Tms9918));
    EXPECT_EQ(p, before);
}

TEST(MirrorRule, TwiceRestoresAndMarksModified) {
    Document doc;
    NewDocument(doc, 5, 2, 0xFFFFFF, true);
    doc.picture.setPixel(0, 1, 0x000000);
    const Picture before = doc.picture;
    MirrorPicture(doc);
    EXPECT_EQ(doc.picture.pixel(4, 1), 0x000000);
    EXPECT_EQ(doc.picture.pixel(0, 1), 0xFFFFFF);
    EXPECT_TRUE(doc.Modified);
    MirrorPicture(doc);
    EXPECT_EQ(doc.picture, before);
}
