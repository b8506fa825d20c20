#pragma once

#include "core/convert/ConversionState.h"

#include <array>
#include <cstdint>
#include <span>

namespace murelo {

// Where the V9938 reads its palette table: SCREEN 5 and 6, and SCREEN 7 (also the
// PC-8801 palette's place).
inline constexpr std::uint16_t Screen56PaletteAddress = 0x7680;
inline constexpr std::uint16_t Screen7PaletteAddress = 0xFA80;
inline constexpr std::size_t PaletteTableSize = 2 * PaletteEntries;

using PaletteTableBytes = std::array<std::uint8_t, PaletteTableSize>;

// The 16 quantizer entries as V9938 palette entries: r3 * 16 + b3, then g3 (3 bits each).
PaletteTableBytes PaletteTable(const QuantizerPalette& palette);

// PaletteTable stored at `address` of an image of the video memory (byte offset = address).
void WritePaletteTable(std::span<std::uint8_t> memory, std::uint16_t address,
                       const QuantizerPalette& palette);

// The PC-8801 analog palette file: entries 0..7 as r3 * 8 + b3, then 0x40 + g3.
std::array<std::uint8_t, 16> Pc8801PaletteBytes(const QuantizerPalette& palette);

// The first of the first `count` entries whose red, green and blue equal the colour's
// (whatever the byte above them holds), or -1.
int QuantizerEntryOf(const QuantizerPalette& palette, ColorValue color, int count);

// One writer's scan over result pixels. A pixel that matches no entry takes the index of
// the pixel before it in this scan, and 0 when it is the first: every file starts afresh,
// so nothing carries over from an earlier file or export.
class QuantizerIndexScan {
  public:
    QuantizerIndexScan(const QuantizerPalette& palette, int count)
        : palette_(palette), count_(count) {}

    int QuantizerIndexOf(ColorValue pixel);

  private:
    const QuantizerPalette& palette_;
    int count_;
    int carried_ = 0;
};

} // namespace murelo
