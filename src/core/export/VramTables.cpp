#include "core/export/VramTables.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace murelo {
namespace {

constexpr int SpriteCount = 32;
constexpr std::uint8_t SpriteHiddenY = 0xD1;
constexpr std::uint8_t SpriteDefaultColor = 0x0D;

// (0RRR0BBB, 00000GGG) for colours 0..15.
constexpr std::array<std::uint8_t, 32> DefaultV9938Palette = {
    0x00, 0x00, 0x00, 0x00, 0x11, 0x06, 0x33, 0x07, 0x17, 0x01, 0x27, 0x03, 0x51, 0x01, 0x27, 0x06,
    0x71, 0x01, 0x73, 0x03, 0x61, 0x06, 0x64, 0x06, 0x11, 0x04, 0x65, 0x02, 0x55, 0x05, 0x77, 0x07};

} // namespace

void ResetVramImage(VramImage vram) {
    std::fill(vram.begin(), vram.end(), std::uint8_t(0));
    for (std::size_t i = 0; i < VramNameTableSize; ++i)
        vram[VramNameTable + i] = std::uint8_t(i); // 0..255 in each third
    for (int n = 0; n < SpriteCount; ++n) {
        std::uint8_t* entry = &vram[VramSpriteAttributes + 4 * std::size_t(n)];
        entry[0] = SpriteHiddenY;
        entry[1] = 0x00;
        entry[2] = std::uint8_t(n);
        entry[3] = SpriteDefaultColor;
    }
    std::copy(DefaultV9938Palette.begin(), DefaultV9938Palette.end(), &vram[VramPaletteTable]);
}

} // namespace murelo
