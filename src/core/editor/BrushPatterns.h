#pragma once

#include <array>

namespace murelo {

constexpr int SolidForegroundPattern = 0;
constexpr int SolidBackgroundPattern = 8;

// The dithers of brush patterns 1..7 as [pattern - 1][row][column]: 1 paints the
// foreground colour, 0 the background colour. Pattern 0 is solid foreground, 8 solid
// background.
using PatternTable = std::array<std::array<std::array<unsigned char, 4>, 4>, 7>;
extern const PatternTable BrushPatterns;

// Whether brush pattern 1..7 puts the foreground colour at this cell of its 4 x 4 tile.
inline bool PatternSelectsForeground(int pattern, int row, int column) {
    return BrushPatterns[pattern - 1][row & 3][column & 3] != 0;
}

} // namespace murelo
