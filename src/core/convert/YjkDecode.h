#pragma once

#include "core/convert/ChipLevels.h"
#include "core/palette/ColorValue.h"

#include <algorithm>
#include <array>
#include <cstdint>

// What the V9958 shows for the bytes of its YJK modes. Measured in openMSX (C-BIOS_MSX2+,
// gamma 1.0, every byte value in both modes): the chip turns each 5-bit channel into light
// linearly, the blue term rounds to the nearest level, and a palette colour's 3-bit levels
// widen to 5 bits by repeating their top bits.
namespace murelo {

// The two screens: SCREEN 10/11 keeps a 4-bit Y and an attribute bit per pixel (a pixel
// with the bit set shows one of the 16 palette colours); SCREEN 12 keeps a 5-bit Y.
enum class YjkScreen { Screen10, Screen12 };

inline constexpr int YjkLevelCount = 32; // 5-bit channels
inline constexpr int YjkMaxLevel = YjkLevelCount - 1;
inline constexpr int YjkChromaMin = -32;
inline constexpr int YjkChromaMax = 31;
inline constexpr int YjkGroupSize = 4;
inline constexpr std::uint8_t YjkAttributeBit = 0x08;

struct Levels5 {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Levels5&, const Levels5&) = default;
};

// A palette entry in 3-bit levels (0..7 each).
struct PaletteLevels {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const PaletteLevels&, const PaletteLevels&) = default;
};
using YjkPalette = std::array<PaletteLevels, 16>;

constexpr int ClampLevel(int v) {
    return std::clamp(v, 0, YjkMaxLevel);
}

// The channel levels of a pixel of luminance y (0..31) in a group of chroma j and k.
constexpr Levels5 DecodeYjkLevels(int y, int j, int k) {
    // The chip's blue rounds to nearest; the shift floors, which for the negative sums
    // gives levels below 0 that the clamp takes to 0 as any rounding would.
    return {ClampLevel(y + j), ClampLevel(y + k), ClampLevel((5 * y - 2 * j - k + 2) >> 2)};
}

constexpr ColorValue ColorOfLevels(const Levels5& levels) {
    return RgbColor(ChipValue5(levels.r), ChipValue5(levels.g), ChipValue5(levels.b));
}

constexpr ColorValue ColorOfPaletteLevels(const PaletteLevels& p) {
    return RgbColor(V9958PaletteValue(p.r), V9958PaletteValue(p.g), V9958PaletteValue(p.b));
}

// The 5-bit Y of a byte: bits 7..3 in SCREEN 12; bits 7..4 doubled in SCREEN 10/11.
constexpr int LumaOfByte(std::uint8_t byte, YjkScreen screen) {
    return screen == YjkScreen::Screen12 ? byte >> 3 : (byte >> 4) << 1;
}

// A 6-bit two's-complement chroma from its low and high three bits.
constexpr int ChromaOfBits(std::uint8_t low, std::uint8_t high) {
    const int v = (low & 7) | ((high & 7) << 3);
    return v >= 32 ? v - 64 : v;
}

// The four colours the V9958 shows for the four bytes of a group; `palette` serves the
// SCREEN 10/11 pixels whose attribute bit is set.
std::array<ColorValue, YjkGroupSize> DecodeYjkGroup(const std::array<std::uint8_t, 4>& bytes,
                                                    YjkScreen screen, const YjkPalette& palette);

// The low three bits of byte i of a group that stores chroma j and k.
constexpr std::uint8_t ChromaBitsOf(int i, int j, int k) {
    const int v = i < 2 ? k : j;
    return std::uint8_t(((v & 0x3F) >> (3 * (i & 1))) & 7);
}

} // namespace murelo
