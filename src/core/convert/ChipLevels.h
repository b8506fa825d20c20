#pragma once

#include "core/palette/ColorValue.h"

#include <array>
#include <cstdint>

namespace murelo {

// What the V9938 and the V9958 show, measured in openMSX at gamma 1.0, the chips' own output
// without a monitor's curve (tools/openmsx/measure_levels.py, check_yjk_files.py). The new
// modes preview in these values, so what they draw is what the machine shows; the design's
// items keep their own level table.

// The V9938 turns a 3-bit level into light linearly: 255 * level / 7 (palette entries and
// SCREEN 8's red and green).
inline constexpr std::array<int, 8> ChipLevel3 = {0, 36, 72, 109, 145, 182, 218, 255};
// SCREEN 8's 2-bit blue shows as the 3-bit levels 0, 2, 4 and 7.
inline constexpr std::array<int, 4> ChipBlue2 = {ChipLevel3[0], ChipLevel3[2], ChipLevel3[4],
                                                 ChipLevel3[7]};

// The V9958 drives every channel through a linear 5-bit level: the 8-bit value a 5-bit level
// shows as.
constexpr int ChipValue5(int level5) {
    return 255 * level5 / 31;
}
// The 5-bit level the V9958 drives for a 3-bit palette level: its top bits repeated.
constexpr int Widen3To5(int level3) {
    return (level3 << 2) | (level3 >> 1);
}
// What a 3-bit palette level shows as on the V9958.
constexpr int V9958PaletteValue(int level3) {
    return ChipValue5(Widen3To5(level3));
}
// The 3-bit level of a value either chip shows for it (its top three bits).
constexpr int Level3OfValue(int value) {
    return value >> 5;
}

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
