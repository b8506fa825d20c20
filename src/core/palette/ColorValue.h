#pragma once

#include <cstdint>

namespace murelo {

// A colour value laid out 0x00BBGGRR (red in the low byte). -1 means "no colour":
// it is what reading outside a picture yields and it equals no palette entry.
using ColorValue = std::int32_t;

constexpr ColorValue NoColor = -1;

constexpr ColorValue RgbColor(int r, int g, int b) {
    return static_cast<ColorValue>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}
// From the RRGGBB notation people write colours in.
constexpr ColorValue FromRrggbb(std::uint32_t rrggbb) {
    return RgbColor(int(rrggbb >> 16) & 0xFF, int(rrggbb >> 8) & 0xFF, int(rrggbb) & 0xFF);
}
constexpr int RedOf(ColorValue c) {
    return c & 0xFF;
}
constexpr int GreenOf(ColorValue c) {
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(ColorValue c) {
    return (c >> 16) & 0xFF;
}

} // namespace murelo
