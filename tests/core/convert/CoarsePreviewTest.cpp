#include "ConversionTestSupport.h"

#include "core/convert/CoarsePreview.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

using test::StateFor;

// A 20 x 12 picture whose top-left pixel of each 8 x 8 block is a palette colour and whose
// other pixels are a colour far from it.
Picture BlockPicture() {
    Picture picture(20, 12, RgbColor(250, 250, 250));
    picture.setPixel(0, 0, PaletteColor(KindTms9918, 6));
    picture.setPixel(8, 0, PaletteColor(KindTms9918, 2));
    picture.setPixel(16, 0, PaletteColor(KindTms9918, 13)); // partial block: not sampled
    picture.setPixel(0, 8, PaletteColor(KindTms9918, 4));   // partial row: not sampled
    return picture;
}

TEST(CoarsePreviewTest, WholeBlocksTakeTheirTopLeftPixelsColour) {
    auto state = StateFor(BlockPicture());
    state->result = state->source;
    DrawCoarsePreview(*state);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(state->result.pixel(x, y), PaletteColor(KindTms9918, 6));
            ASSERT_EQ(state->result.pixel(8 + x, y), PaletteColor(KindTms9918, 2));
        }
    }
}

TEST(CoarsePreviewTest, PartialBlocksKeepWhatTheResultHeld) {
    auto state = StateFor(BlockPicture());
    state->result = state->source;
    DrawCoarsePreview(*state);
    for (int y = 0; y < 12; ++y)
        for (int x = 16; x < 20; ++x)
            ASSERT_EQ(state->result.pixel(x, y), state->source.pixel(x, y));
    for (int y = 8; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(state->result.pixel(x, y), state->source.pixel(x, y));
}

TEST(CoarsePreviewTest, LoadsThePaletteAndUsesBalanceAndRange) {
    auto state = StateFor(Picture(8, 8, RgbColor(10, 10, 10)), KindPc8801);
    state->params.Balance.Brightness = 100; // 110 grey: nearest PC-8801 colour is black
    state->result = state->source;
    DrawCoarsePreview(*state);
    EXPECT_EQ(state->palette[1], ColorRecFromColor(PaletteColor(KindPc8801, 1)));
    EXPECT_EQ(state->result.pixel(7, 7), PaletteColor(KindPc8801, 0));
    state->params.Balance.Brightness = 0;
    state->params.Balance.Contrast = 0;
    state->params.PaletteKind = KindTms9918;
    DrawCoarsePreview(*state);
    EXPECT_EQ(state->result.pixel(3, 3), PaletteColor(KindTms9918, 4));
}

TEST(CoarsePreviewTest, GraphicTwoShowsThePreviewBeforeItsFirstPass) {
    auto state = StateFor(BlockPicture());
    PrepareConversion(*state, ModeId::Graphic2);
    EXPECT_EQ(state->result.pixel(5, 5), PaletteColor(KindTms9918, 6));
    EXPECT_EQ(state->result.pixel(17, 5), state->source.pixel(17, 5));
    RunConversion(*state, ModeId::Graphic2);
    EXPECT_EQ(state->result.pixel(5, 5), PaletteColor(KindTms9918, 15));
}

} // namespace
} // namespace murelo
