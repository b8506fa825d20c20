#pragma once

#include "core/palette/ColorValue.h"

#include <array>
#include <cstdint>

namespace murelo {

// What the V9938 shows for each 3-bit level of a palette entry and of SCREEN 8's red and
// green, measured on openMSX's V9938 (tools/openmsx/measure_levels.py): not the evenly
// spaced 0, 36, 73 ... but a curve that lifts the low levels. The dithered modes preview in
// these values, so what they draw is what the machine shows.
inline constexpr std::array<int, 8> ChipLevel3 = {0, 43, 81, 118, 153, 187, 221, 255};
// SCREEN 8's 2-bit blue shows as the 3-bit levels 0, 2, 4 and 7.
inline constexpr std::array<int, 4> ChipBlue2 = {0, 81, 153, 255};

// The 512 colours of the V9938 palette as one number: red level * 64 + green * 8 + blue.
inline constexpr int LatticeColors = 512;
inline constexpr int LatticeIndex(int red3, int green3, int blue3) {
    return red3 << 6 | green3 << 3 | blue3;
}
inline constexpr int LatticeRed(int index) {
    return index >> 6 & 7;
}
inline constexpr int LatticeGreen(int index) {
    return index >> 3 & 7;
}
inline constexpr int LatticeBlue(int index) {
    return index & 7;
}

// The colour the chip shows for a lattice index.
inline constexpr ColorValue LatticeColor(int index) {
    return RgbColor(ChipLevel3[std::size_t(LatticeRed(index))],
                    ChipLevel3[std::size_t(LatticeGreen(index))],
                    ChipLevel3[std::size_t(LatticeBlue(index))]);
}

// The colour the chip shows for a SCREEN 8 byte (green 7-5, red 4-2, blue 1-0).
inline constexpr ColorValue Screen8ChipColor(std::uint8_t byte) {
    return RgbColor(ChipLevel3[std::size_t(byte >> 2 & 7)], ChipLevel3[std::size_t(byte >> 5)],
                    ChipBlue2[std::size_t(byte & 3)]);
}

// The level whose shown value is `value`, or -1 when the chip shows no such value.
inline constexpr int ChipLevelOf(int value) {
    for (int level = 0; level < 8; ++level)
        if (ChipLevel3[std::size_t(level)] == value)
            return level;
    return -1;
}
inline constexpr int ChipBlue2LevelOf(int value) {
    for (int level = 0; level < 4; ++level)
        if (ChipBlue2[std::size_t(level)] == value)
            return level;
    return -1;
}

} // namespace murelo
