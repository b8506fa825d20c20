#include "core/export/VramTables.h"
#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <memory>

namespace murelo {
namespace {

struct VramReset : ::testing::Test {
    std::unique_ptr<ScreenBuffer> buffer = std::make_unique<ScreenBuffer>();
    VramReset() {
        buffer->bytes.fill(0x55);
        ResetVramImage(buffer->vramImage());
    }
    std::uint8_t at(std::size_t address) const { return buffer->bytes[address]; }
};

TEST_F(VramReset, NameTableNumbersEachThird) {
    for (int i = 0; i < 768; ++i)
        ASSERT_EQ(at(0x1800 + i), i % 256) << i;
}

TEST_F(VramReset, SpritesAreParkedOffScreen) {
    for (int n = 0; n < 32; ++n) {
        EXPECT_EQ(at(0x1B00 + 4 * n), 0xD1);
        EXPECT_EQ(at(0x1B00 + 4 * n + 1), 0x00);
        EXPECT_EQ(at(0x1B00 + 4 * n + 2), n);
        EXPECT_EQ(at(0x1B00 + 4 * n + 3), 0x0D);
    }
}

TEST_F(VramReset, DefaultPaletteOfTheV9938) {
    const std::uint8_t expected[32] = {0x00, 0x00, 0x00, 0x00, 0x11, 0x06, 0x33, 0x07,
                                       0x17, 0x01, 0x27, 0x03, 0x51, 0x01, 0x27, 0x06,
                                       0x71, 0x01, 0x73, 0x03, 0x61, 0x06, 0x64, 0x06,
                                       0x11, 0x04, 0x65, 0x02, 0x55, 0x05, 0x77, 0x07};
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(at(0x1B80 + i), expected[i]) << i;
}

TEST_F(VramReset, EverythingElseIsZeroAndTheRestOfTheBufferIsKept) {
    for (std::size_t a = 0; a < 0x4000; ++a) {
        const bool described = (a >= 0x1800 && a < 0x1B00) || (a >= 0x1B00 && a < 0x1BA0);
        if (!described) {
            ASSERT_EQ(at(a), 0) << a;
        }
    }
    EXPECT_EQ(at(0x4000), 0x55);
    EXPECT_EQ(at(0xFA9F), 0x55);
}

TEST(ScreenBufferShape, HoldsTheV9938AddressesAndTheSharedOneKeepsWhatItsLastUserWrote) {
    EXPECT_GE(ScreenBufferSize, 0xFAA0u);
    EXPECT_EQ(VramImageSize, 16384u);
    // The export's road: a check fills the tables of the shared buffer, and whoever reads
    // it next (the export, a converter) finds them, with its bytes past the video-memory
    // image as the converter last left them.
    SharedScreenBuffer().bytes[0xFA9F] = 0xA5;
    ResetVramImage(SharedScreenBuffer().vramImage());
    Picture overlay;
    const Picture picture(256, 192, PaletteColor(KindTms9918, 4));
    ASSERT_EQ(ColorCheck(picture, KindTms9918, true, overlay, SharedScreenBuffer().bytes).result,
              0);
    const ScreenBuffer& later = SharedScreenBuffer();
    EXPECT_EQ(later.vramImage()[0], 0xFF);
    EXPECT_EQ(later.vramImage()[0x2000 + 6143], 0x40);
    EXPECT_EQ(later.vramImage()[0x1800 + 767], 255);
    EXPECT_EQ(later.bytes[0xFA9F], 0xA5);
    // The video-memory image is the start of the buffer, not a copy of it.
    SharedScreenBuffer().vramImage()[0x3FFF] = 0x3C;
    EXPECT_EQ(later.bytes[0x3FFF], 0x3C);
}

TEST(VramFill, OneColourPictureGivesFullPatternsAndForegroundColour) {
    auto buffer = std::make_unique<ScreenBuffer>();
    ResetVramImage(buffer->vramImage());
    Picture overlay;
    const Picture picture(256, 192, PaletteColor(KindTms9918, 11));
    ASSERT_EQ(ColorCheck(picture, KindTms9918, true, overlay, buffer->bytes).result, 0);
    for (std::size_t i = 0; i < 6144; ++i) {
        ASSERT_EQ(buffer->bytes[i], 0xFF) << i;
        ASSERT_EQ(buffer->bytes[0x2000 + i], 0xB0) << i;
    }
    EXPECT_EQ(buffer->bytes[0x1800 + 300], 300 - 256); // the reset name table stays
}

} // namespace
} // namespace murelo
