#pragma once

#include <array>

namespace murelo {

// The light an sRGB channel value 0..255 stands for, 0..1 (the standard sRGB curve).
double LinearFromSrgb(double encoded01);

// LinearFromSrgb of every channel value, built once.
const std::array<double, 256>& LinearTable();

} // namespace murelo
