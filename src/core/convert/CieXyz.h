#pragma once

#include "core/convert/PerceptualError.h"

namespace murelo {

// Linear sRGB primaries to CIE XYZ (D65), rows X, Y, Z, and the D65 white. Every CIELAB the
// converter works in starts from these, so that its colour differences all agree.
inline constexpr double SrgbToXyz[3][3] = {{0.4124564, 0.3575761, 0.1804375},
                                           {0.2126729, 0.7151522, 0.0721750},
                                           {0.0193339, 0.1191920, 0.9503041}};
inline constexpr double D65White[3] = {0.95047, 1.0, 1.08883};

// CIELAB of a linear sRGB colour with f the CIELAB curve: compare's fast scores and their
// plain reference differ only in how f takes its cube root.
template <class Curve> LabColor LabOfLinear(double r, double g, double b, Curve f) {
    const auto& m = SrgbToXyz;
    const double x = (m[0][0] * r + m[0][1] * g + m[0][2] * b) / D65White[0];
    const double y = m[1][0] * r + m[1][1] * g + m[1][2] * b;
    const double z = (m[2][0] * r + m[2][1] * g + m[2][2] * b) / D65White[2];
    const double fx = f(x);
    const double fy = f(y);
    const double fz = f(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

} // namespace murelo
