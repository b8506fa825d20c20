#include "core/dialogs/ColorDepthModel.h"
#include "core/editor/IndexedCopy.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {
ColorDepthModel Opened(bool everyPixelInPalette, int saveDepthCode) {
    ColorDepthModel model;
    model.open(everyPixelInPalette, static_cast<PixelFormat>(saveDepthCode));
    return model;
}
} // namespace

TEST(ColorDepth, OnlyTwentyFourBitsForAPictureOutsideThePalette) {
    Picture picture(8, 8, FromRrggbb(0xFFFFFF));
    EXPECT_TRUE(PictureFitsPalette(picture, KindTms9918));
    picture.setPixel(7, 7, FromRrggbb(0x123456));
    EXPECT_FALSE(PictureFitsPalette(picture, KindTms9918));
    const ColorDepthModel offer = Opened(false, 2);
    EXPECT_FALSE(offer.indexedEnabled());
    EXPECT_EQ(offer.chosen(), DepthChoice::Bits24);
}

TEST(ColorDepth, IndexedPictureChecksItsSaveDepth) {
    EXPECT_EQ(Opened(true, 2).chosen(), DepthChoice::Bits4);
    EXPECT_EQ(Opened(true, 3).chosen(), DepthChoice::Bits8);
    EXPECT_EQ(Opened(true, 6).chosen(), DepthChoice::Bits24);
    EXPECT_EQ(Opened(true, 1).chosen(), DepthChoice::Bits24);
    EXPECT_TRUE(Opened(true, 6).indexedEnabled());
    EXPECT_EQ(PixelFormatCode(ColorDepthModel::DepthOfChoice(DepthChoice::Bits4)), 2);
    EXPECT_EQ(PixelFormatCode(ColorDepthModel::DepthOfChoice(DepthChoice::Bits8)), 3);
    EXPECT_EQ(PixelFormatCode(ColorDepthModel::DepthOfChoice(DepthChoice::Bits24)), 6);
}

TEST(ColorDepth, FillerColourOfAShortPaletteStillCountsAsInIt) {
    // The indexed copy only needs an entry; 080808 is entry 8 of "Color 4-1".
    Picture picture(2, 1, FromRrggbb(0x080808));
    EXPECT_TRUE(PictureFitsPalette(picture, KindColor4_1));
}

TEST(ColorDepth, OkSetsTheDepthTheUserCheckedAndReopeningFollowsIt) {
    // Opened on a 24-bit save of an indexed picture, the user checks "8bit" and confirms;
    // the next opening starts from that SaveDepth.
    ColorDepthModel model = Opened(true, 6);
    model.choose(DepthChoice::Bits8);
    EXPECT_EQ(model.depth(), PixelFormat::Bits8);
    model.open(true, model.depth());
    EXPECT_EQ(model.chosen(), DepthChoice::Bits8);
    // A picture that left the palette meanwhile is offered 24 bits only.
    model.open(false, PixelFormat::Bits8);
    EXPECT_EQ(model.depth(), PixelFormat::Bits24);
}
