#pragma once

#include <array>

namespace murelo {

// The light an sRGB channel value 0..255 stands for, 0..1 (the standard sRGB curve).
double LinearFromSrgb(double encoded01);

// The sRGB encoding 0..1 of a linear light 0..1 (the inverse of LinearFromSrgb); values
// outside 0..1 are limited first.
double SrgbFromLinear(double linear01);

// LinearFromSrgb of every channel value, built once.
const std::array<double, 256>& LinearTable();

} // namespace murelo
