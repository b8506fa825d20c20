#include "core/export/Dedupe.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/VramTables.h"

#include <gtest/gtest.h>

#include <memory>

namespace murelo {
namespace {

struct DedupeFixture : ::testing::Test {
    std::unique_ptr<ScreenBuffer> buffer = std::make_unique<ScreenBuffer>();
    std::unique_ptr<CharacterSet> set = std::make_unique<CharacterSet>();

    DedupeFixture() { ResetVramImage(buffer->vramImage()); }
    ConstVramImage vram() const { return std::as_const(*buffer).vramImage(); }

    // Cell n gets line 0 = `shape` in the pattern table and line 0 = `colour` in the colour table.
    void SetCell(int cell, std::uint8_t shape, std::uint8_t colour) {
        buffer->bytes[8 * cell] = shape;
        buffer->bytes[0x2000 + 8 * cell] = colour;
    }
};

TEST_F(DedupeFixture, UniformScreenIsOneCharacterPerBankAndForTheScreen) {
    for (int bank = 0; bank < 3; ++bank) {
        EXPECT_EQ(DedupeBank(vram(), bank, *set), 1);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(set->CharacterNames[i], 0);
    }
    EXPECT_EQ(DedupeScreen(vram(), *set), 1);
}

TEST_F(DedupeFixture, CharactersAreNumberedInOrderOfFirstAppearance) {
    SetCell(1, 0xAA, 0x00);
    SetCell(3, 0x55, 0x00);
    SetCell(4, 0xAA, 0x00);
    EXPECT_EQ(DedupeBank(vram(), 0, *set), 3);
    EXPECT_EQ(set->CharacterNames[0], 0);
    EXPECT_EQ(set->CharacterNames[1], 1);
    EXPECT_EQ(set->CharacterNames[2], 0);
    EXPECT_EQ(set->CharacterNames[3], 2);
    EXPECT_EQ(set->CharacterNames[4], 1);
    EXPECT_EQ(set->UniquePatterns[1][0], 0xAA);
    EXPECT_EQ(set->UniquePatterns[2][0], 0x55);
    EXPECT_EQ(set->UniquePatterns[0][0], 0x00);
}

TEST_F(DedupeFixture, SameShapeInOtherColoursIsAnotherCharacter) {
    SetCell(2, 0xF0, 0x93);
    SetCell(5, 0xF0, 0x95);
    SetCell(7, 0xF0, 0x93);
    EXPECT_EQ(DedupeBank(vram(), 0, *set), 3);
    EXPECT_EQ(set->CharacterNames[5], 2);
    EXPECT_EQ(set->CharacterNames[7], 1);
    EXPECT_EQ(set->UniqueColors[2][0], 0x95);
}

TEST_F(DedupeFixture, EachBankCountsFromZero) {
    SetCell(256, 0x11, 0x00); // first cell of bank 1
    SetCell(600, 0x22, 0x00); // a cell of bank 2
    EXPECT_EQ(DedupeBank(vram(), 1, *set), 2);
    EXPECT_EQ(set->CharacterNames[0], 0);
    EXPECT_EQ(set->CharacterNames[1], 1);
    EXPECT_EQ(set->UniquePatterns[0][0], 0x11);
    EXPECT_EQ(DedupeBank(vram(), 2, *set), 2);
    EXPECT_EQ(set->CharacterNames[600 - 512], 1);
    EXPECT_EQ(set->CharacterNames[600 - 512 + 1], 0);
    EXPECT_EQ(DedupeScreen(vram(), *set), 3);
    EXPECT_EQ(set->CharacterNames[256], 1);
    EXPECT_EQ(set->CharacterNames[600], 2);
    EXPECT_THROW(DedupeBank(vram(), 3, *set), std::out_of_range);
}

TEST_F(DedupeFixture, ScreenNumbersPast255AreStoredAsBytes) {
    for (int cell = 0; cell < 257; ++cell)
        SetCell(cell, std::uint8_t(cell), std::uint8_t(cell >> 8));
    EXPECT_EQ(DedupeScreen(vram(), *set), 257);
    EXPECT_EQ(set->CharacterNames[255], 255);
    EXPECT_EQ(set->CharacterNames[256], 0); // number 256
    EXPECT_EQ(set->CharacterNames[257], 0); // untouched cells repeat cell 0
}

TEST_F(DedupeFixture, CountingModeAppendsTheCount) {
    SetCell(700, 0x01, 0x10);
    std::string message = "Error(s):\n";
    EXPECT_EQ(CountScreenCharacters(vram(), message), 2);
    EXPECT_EQ(message, "Error(s):\n\nNumber of Character Pattern(s): 2");
}

} // namespace
} // namespace murelo
