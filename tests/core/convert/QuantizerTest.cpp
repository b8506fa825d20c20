// Expected palettes below are worked out by hand from the median-cut rules: for greys the
// chroma terms vanish, so every cut is along Y at the mean of the box, and a box's colour is
// its mean grey + 0.49, truncated, snapped to the 3-bit levels 6, 32, 72, 104, 144, 176,
// 216, 247.
#include "core/convert/Quantizer.h"

#include "core/convert/ColorMath.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

using namespace murelo;

namespace {

ColorValue Grey(int v) {
    return RgbColor(v, v, v);
}

Picture RowPicture(const std::vector<ColorValue>& colors) {
    Picture p(int(colors.size()), 1);
    for (int x = 0; x < int(colors.size()); ++x)
        p.setPixel(x, 0, colors[std::size_t(x)]);
    return p;
}

QuantizerEntry Entry(int r, int g, int b) {
    return {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), 0};
}
QuantizerEntry GreyEntry(int v) {
    return Entry(v, v, v);
}

QuantizerPalette FilledPalette(QuantizerEntry e) {
    QuantizerPalette p;
    p.fill(e);
    return p;
}

QuantizerItem Item(float y, float cb, float cr) {
    return {y, cb, cr, 0};
}

} // namespace

TEST(QuantizerItems, AreTheYCbCrTermsRoundedToSinglePrecision) {
    const QuantizerItem red = MakeQuantizerItem(255, 0, 0);
    EXPECT_EQ(red.y, 76.22205f);
    EXPECT_EQ(red.cb, -43.0287f);
    EXPECT_EQ(red.cr, 127.5f);
    EXPECT_EQ(red.box, 0);
    const QuantizerItem blue = MakeQuantizerItem(0, 0, 200);
    EXPECT_EQ(blue.y, 22.896f);
    EXPECT_EQ(blue.cb, 100.0f);
    EXPECT_EQ(blue.cr, -16.262f);
}

TEST(QuantizerExactColors, FourColoursWithFourAllowedKeepTheImageAndListFirstSeenOrder) {
    QuantizerBitmap bitmap;
    bitmap.width = 3;
    bitmap.height = -2; // top row stored first
    bitmap.bits = {
        10, 20, 30, 40, 50, 60, 10, 20, 30, 0, 0, 0, // row 0, padded to 12 bytes
        70, 80, 90, 40, 50, 60, 1,  2,  3,  0, 0, 0, // row 1
    };
    std::vector<QuantizerEntry> table(16, GreyEntry(99));
    EXPECT_FALSE(Quantize(bitmap, 4, table).has_value());
    // Stored bytes are blue, green, red.
    EXPECT_EQ(table[0], Entry(30, 20, 10));
    EXPECT_EQ(table[1], Entry(60, 50, 40));
    EXPECT_EQ(table[2], Entry(90, 80, 70));
    EXPECT_EQ(table[3], Entry(3, 2, 1));
    EXPECT_EQ(table[4], GreyEntry(99)) << "entries beyond n keep their content";
}

TEST(QuantizerExactColors, BlackAndWhiteGetWhiteFillersAndSortToBlackEntriesBehind) {
    Picture picture(4, 4, Grey(255));
    picture.setPixel(0, 3, Grey(0)); // the bottom row is stored, and so met, first
    const Picture before = picture;
    QuantizerPalette palette = FilledPalette(GreyEntry(50));
    QuantizeImage(picture, 4, palette);
    EXPECT_EQ(picture, before);
    EXPECT_EQ(palette[0], GreyEntry(0));
    EXPECT_EQ(palette[1], GreyEntry(255));
    EXPECT_EQ(palette[2], GreyEntry(255));
    EXPECT_EQ(palette[3], GreyEntry(255));
    SortPalette(4, palette);
    EXPECT_EQ(palette[0], GreyEntry(0));
    EXPECT_EQ(palette[1], GreyEntry(255));
    EXPECT_EQ(palette[2], GreyEntry(255));
    EXPECT_EQ(palette[3], GreyEntry(255));
    for (int i = 4; i < 16; ++i)
        EXPECT_EQ(palette[std::size_t(i)], GreyEntry(0)) << i;
}

TEST(QuantizerExactColors, ThePictureIsScannedBottomRowFirst) {
    Picture picture(1, 2);
    picture.setPixel(0, 0, RgbColor(1, 2, 3));
    picture.setPixel(0, 1, RgbColor(4, 5, 6));
    QuantizerPalette palette{};
    QuantizeImage(picture, 2, palette);
    EXPECT_EQ(palette[0], Entry(4, 5, 6));
    EXPECT_EQ(palette[1], Entry(1, 2, 3));
}

TEST(QuantizerMedianCut, FiveGreysInFourColoursCutAtTheBoxMeans) {
    // Y mean 127.8 parts {0, 64} from {128, 192, 255}; then 32 and 191.67.
    Picture picture = RowPicture({Grey(0), Grey(64), Grey(128), Grey(192), Grey(255)});
    QuantizerPalette palette = FilledPalette(GreyEntry(1));
    QuantizeImage(picture, 4, palette);
    EXPECT_EQ(picture, RowPicture({Grey(6), Grey(72), Grey(144), Grey(216), Grey(216)}));
    EXPECT_EQ(palette[0], GreyEntry(6));
    EXPECT_EQ(palette[1], GreyEntry(72));
    EXPECT_EQ(palette[2], GreyEntry(144)) << "128.49 truncates to 128, level 4";
    EXPECT_EQ(palette[3], GreyEntry(216)) << "223.99 truncates to 223, level 6";
    for (int i = 4; i < 16; ++i)
        EXPECT_EQ(palette[std::size_t(i)], GreyEntry(0)) << "box " << i << " is empty";
}

TEST(QuantizerMedianCut, FourBitOutputPacksTheEvenPixelInTheHighNibble) {
    const QuantizerBitmap bitmap =
        BitmapFromPicture(RowPicture({Grey(0), Grey(64), Grey(128), Grey(192), Grey(255)}));
    std::vector<QuantizerEntry> table;
    const auto out = Quantize(bitmap, 4, table);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->bitsPerPixel, 4);
    EXPECT_EQ(out->headerSize, 40u);
    EXPECT_EQ(out->compression, 0);
    EXPECT_EQ(out->imageSize, 4u);
    EXPECT_EQ(out->colorsUsed, 16u);
    ASSERT_EQ(out->colorTable.size(), 16u);
    EXPECT_EQ(out->colorTable[2], GreyEntry(144));
    EXPECT_EQ(out->bits, (std::vector<std::uint8_t>{0x01, 0x23, 0x30, 0x00}));
}

TEST(QuantizerMedianCut, TwoColoursGiveOneBitPixelsMostSignificantFirst) {
    // Mean Y 101.3: the greys 128 go to box 1, black and 16 stay in box 0 (mean 8 -> 6).
    std::vector<ColorValue> row(9, Grey(128));
    row[0] = Grey(0);
    row[8] = Grey(16);
    Picture picture = RowPicture(row);
    const auto out = [&] {
        std::vector<QuantizerEntry> table;
        return Quantize(BitmapFromPicture(picture), 2, table);
    }();
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->bitsPerPixel, 1);
    EXPECT_EQ(out->bits, (std::vector<std::uint8_t>{0x7F, 0x00, 0x00, 0x00}));

    QuantizerPalette palette{};
    QuantizeImage(picture, 2, palette);
    EXPECT_EQ(palette[0], GreyEntry(6));
    EXPECT_EQ(palette[1], GreyEntry(144));
    EXPECT_EQ(picture.pixel(0, 0), Grey(6));
    EXPECT_EQ(picture.pixel(1, 0), Grey(144));
    EXPECT_EQ(picture.pixel(8, 0), Grey(6));
}

TEST(QuantizerMedianCut, EmptyBoxesStayBlackAndSortToTheFront) {
    // Greys 0, 16, ..., 240 once each and 200 pixels of 255: the first cut (mean 245)
    // isolates the 255s, which move as one box down to box 15; the sixteen greys fall into
    // eight boxes of two, leaving boxes 8..14 empty.
    std::vector<ColorValue> row;
    for (int k = 0; k < 16; ++k)
        row.push_back(Grey(16 * k));
    row.insert(row.end(), 200, Grey(255));
    Picture picture = RowPicture(row);
    QuantizerPalette palette = FilledPalette(GreyEntry(77));
    QuantizeImage(picture, 16, palette);
    const int boxGreys[8] = {6, 32, 72, 104, 144, 176, 216, 247};
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(palette[std::size_t(j)], GreyEntry(boxGreys[j])) << j;
    for (int j = 8; j < 15; ++j)
        EXPECT_EQ(palette[std::size_t(j)], GreyEntry(0)) << j;
    EXPECT_EQ(palette[15], GreyEntry(247));
    EXPECT_EQ(picture.pixel(5, 0), Grey(72)) << "grey 80 shares box 2 with 64";
    EXPECT_EQ(picture.pixel(100, 0), Grey(247));

    SortPalette(16, palette);
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(palette[std::size_t(j)], GreyEntry(0)) << j;
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(palette[std::size_t(7 + j)], GreyEntry(boxGreys[j])) << j;
    EXPECT_EQ(palette[15], GreyEntry(247));
}

TEST(QuantizerMedianCut, EightBitOutputHasATableEntryForEveryBox) {
    // 40 greys with 32 allowed: five cuts, up to 32 boxes, all of which need a table entry.
    std::vector<ColorValue> row;
    for (int k = 0; k < 40; ++k)
        row.push_back(Grey(6 * k));
    std::vector<QuantizerEntry> table;
    const auto out = Quantize(BitmapFromPicture(RowPicture(row)), 32, table);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->bitsPerPixel, 8);
    EXPECT_EQ(out->colorTable.size(), 32u);
    EXPECT_EQ(out->colorsUsed, 32u);
    EXPECT_EQ(out->bits[39], 31) << "the brightest grey ends in the last box";
    EXPECT_EQ(out->colorTable[31], GreyEntry(247));
}

TEST(QuantizerMedianCut, RefusesWhatItCannotWorkOn) {
    Picture picture = RowPicture({Grey(0), Grey(64), Grey(128), Grey(192), Grey(255)});
    const Picture before = picture;
    QuantizerPalette palette = FilledPalette(GreyEntry(9));
    QuantizeImage(picture, 1, palette);
    QuantizeImage(picture, 513, palette);
    EXPECT_EQ(picture, before);
    EXPECT_EQ(palette, FilledPalette(GreyEntry(9)));

    QuantizerBitmap bitmap = BitmapFromPicture(picture);
    std::vector<QuantizerEntry> table(16, GreyEntry(9));
    bitmap.bitsPerPixel = 32;
    EXPECT_FALSE(Quantize(bitmap, 4, table).has_value());
    bitmap = BitmapFromPicture(picture);
    bitmap.headerSize = 108;
    EXPECT_FALSE(Quantize(bitmap, 4, table).has_value());
    EXPECT_EQ(table, std::vector<QuantizerEntry>(16, GreyEntry(9)));
}

TEST(QuantizerSplitBox, PicksTheWidestAxisWithTiesGoingToCrThenCb) {
    // Each case is built so that the three axes would part the items differently.
    std::vector<QuantizerItem> allEqual = {Item(0, 0, 10), Item(10, 10, 0), Item(10, 0, 0)};
    SplitBox(allEqual, 0, 1);
    EXPECT_EQ(allEqual[0].box, 1); // Cr mean 3.33: only the first item lies above
    EXPECT_EQ(allEqual[1].box, 0);
    EXPECT_EQ(allEqual[2].box, 0);

    std::vector<QuantizerItem> cbTiesY = {Item(0, 0, 0), Item(10, 10, 1), Item(10, 0, 0)};
    SplitBox(cbTiesY, 0, 1);
    EXPECT_EQ(cbTiesY[0].box, 0);
    EXPECT_EQ(cbTiesY[1].box, 1); // Cb mean 3.33
    EXPECT_EQ(cbTiesY[2].box, 0);

    std::vector<QuantizerItem> yWidest = {Item(0, 0, 0), Item(10, 1, 1), Item(10, 0, 0)};
    SplitBox(yWidest, 0, 1);
    EXPECT_EQ(yWidest[0].box, 0);
    EXPECT_EQ(yWidest[1].box, 1); // Y mean 6.67
    EXPECT_EQ(yWidest[2].box, 1);
}

TEST(QuantizerSplitBox, EqualItemsAllMoveAndOtherBoxesAreLeftAlone) {
    std::vector<QuantizerItem> items = {Item(5, 1, 1), Item(9, 9, 9), Item(5, 1, 1)};
    items[1].box = 3;
    SplitBox(items, 0, 2);
    EXPECT_EQ(items[0].box, 3); // 0 -> 2 -> 3: each cut moves every item (value >= mean)
    EXPECT_EQ(items[1].box, 3);
    EXPECT_EQ(items[2].box, 3);

    std::vector<QuantizerItem> none = {Item(1, 1, 1)};
    none[0].box = 1;
    SplitBox(none, 0, 3);
    EXPECT_EQ(none[0].box, 1);
    SplitBox(none, 1, 0);
    EXPECT_EQ(none[0].box, 1) << "depth 0 does nothing";
}

TEST(QuantizerSortPalette, OrdersByAverageThenBlueGreenRed) {
    QuantizerPalette palette = FilledPalette(GreyEntry(33));
    palette[0] = Entry(200, 200, 200);
    palette[1] = Entry(0, 0, 3); // average 1, blue 3
    palette[2] = Entry(0, 3, 0); // average 1, green 3
    palette[3] = Entry(3, 0, 0); // average 1, red 3
    palette[4] = Entry(10, 0, 0);
    SortPalette(5, palette);
    EXPECT_EQ(palette[0], Entry(3, 0, 0));
    EXPECT_EQ(palette[1], Entry(0, 3, 0));
    EXPECT_EQ(palette[2], Entry(0, 0, 3));
    EXPECT_EQ(palette[3], Entry(10, 0, 0));
    EXPECT_EQ(palette[4], Entry(200, 200, 200));
    for (int i = 5; i < 16; ++i)
        EXPECT_EQ(palette[std::size_t(i)], GreyEntry(0)) << i;

    QuantizerPalette untouched = FilledPalette(GreyEntry(33));
    SortPalette(17, untouched);
    EXPECT_EQ(untouched, FilledPalette(GreyEntry(33)));
}

TEST(QuantizerMedianCut, ManyColoursEndOnTheGridWithinTheColourCount) {
    for (int n : {4, 8, 16}) {
        Picture picture(37, 23);
        std::uint32_t seed = 7u * std::uint32_t(n);
        for (ColorValue& c : picture.pixels()) {
            seed = seed * 1664525u + 1013904223u;
            c = RgbColor(int(seed >> 24), int(seed >> 16) & 0xFF, int(seed >> 8) & 0xFF);
        }
        QuantizerPalette palette{};
        QuantizeImage(picture, n, palette);
        std::vector<ColorValue> seen;
        for (ColorValue c : picture.pixels()) {
            if (std::find(seen.begin(), seen.end(), c) == seen.end())
                seen.push_back(c);
            for (int channel : {RedOf(c), GreenOf(c), BlueOf(c)})
                ASSERT_NE(std::find(Level3Table.begin(), Level3Table.end(), channel),
                          Level3Table.end())
                    << "n " << n << " channel " << channel;
        }
        EXPECT_LE(int(seen.size()), n);
        for (ColorValue c : seen) {
            const QuantizerEntry e = Entry(RedOf(c), GreenOf(c), BlueOf(c));
            EXPECT_NE(std::find(palette.begin(), palette.begin() + 16, e), palette.begin() + 16)
                << "every colour of the image is a palette entry";
        }
    }
}
