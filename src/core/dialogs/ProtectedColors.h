#pragma once

#include <cstdint>

namespace murelo {

// Bit i set: palette index i of the current kind must not be painted over (the tool
// state's ProtectedColors; IsProtectedPixel beside the tool state reads the picture).
using ProtectedColorSet = std::uint16_t;

bool IsProtectedIndex(ProtectedColorSet set, int index);

// The set with the bit of one palette index flipped; an index outside 0..15 flips nothing.
ProtectedColorSet ToggleProtection(ProtectedColorSet set, int index);

} // namespace murelo
