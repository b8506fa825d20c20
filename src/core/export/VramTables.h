#pragma once

#include "core/editor/ScreenBuffer.h"

#include <cstddef>

namespace murelo {

// Where the SCREEN 2 tables lie in the video memory.
constexpr std::size_t VramPatternTable = 0x0000;
constexpr std::size_t VramNameTable = 0x1800;
constexpr std::size_t VramSpriteAttributes = 0x1B00;
constexpr std::size_t VramPaletteTable = 0x1B80;
constexpr std::size_t VramColorTable = 0x2000;
constexpr std::size_t VramSpritePatterns = 0x3800;

constexpr std::size_t VramTableSize = 6144;    // pattern or colour table: 768 cells x 8 lines
constexpr std::size_t VramNameTableSize = 768; // one name per cell
constexpr std::size_t VramBankSize = 2048;     // one screen third of the pattern or colour table
constexpr int VramBankCount = 3;

// The video memory as the machine holds it after setting SCREEN 2: a name table that numbers
// the cells of each third 0..255, every sprite parked off screen (Y = 0xD1), the V9938's
// default palette, and zero elsewhere. Only these 16384 bytes of a screen buffer are touched.
void ResetVramImage(VramImage vram);

} // namespace murelo
