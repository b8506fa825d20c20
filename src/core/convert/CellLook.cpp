#include "core/convert/CellLook.h"

#include "core/convert/CieXyz.h"
#include "core/convert/LinearLight.h"

#include <algorithm>
#include <cmath>

namespace murelo {

namespace {

constexpr double Delta = 6.0 / 29.0;

double LabF(double t) {
    return t > Delta * Delta * Delta ? std::cbrt(t) : t / (3 * Delta * Delta) + 4.0 / 29.0;
}
double LabSlope(double t) {
    if (t > Delta * Delta * Delta) {
        const double c = std::cbrt(t);
        return 1.0 / (3 * c * c);
    }
    return 1.0 / (3 * Delta * Delta);
}

struct LabPoint {
    double L, a, b;
    double slope[3][3]; // d(L, a, b) / d(r, g, b)
};

LabPoint LabWithSlope(const Light& light) {
    double f[3];
    double df[3][3];
    for (int k = 0; k < 3; ++k) {
        const double t =
            (SrgbToXyz[k][0] * light[0] + SrgbToXyz[k][1] * light[1] + SrgbToXyz[k][2] * light[2]) /
            D65White[k];
        const double tc = std::max(t, 0.0);
        f[k] = LabF(tc);
        const double s = LabSlope(tc) / D65White[k];
        for (int c = 0; c < 3; ++c)
            df[k][c] = s * SrgbToXyz[k][c];
    }
    LabPoint p{};
    p.L = 116 * f[1] - 16;
    p.a = 500 * (f[0] - f[1]);
    p.b = 200 * (f[1] - f[2]);
    for (int c = 0; c < 3; ++c) {
        p.slope[0][c] = 116 * df[1][c];
        p.slope[1][c] = 500 * (df[0][c] - df[1][c]);
        p.slope[2][c] = 200 * (df[1][c] - df[2][c]);
    }
    return p;
}

Light Clamped(const Light& light) {
    return {std::clamp(light[0], 0.0f, 1.0f), std::clamp(light[1], 0.0f, 1.0f),
            std::clamp(light[2], 0.0f, 1.0f)};
}

} // namespace

LightWeight& LightWeight::operator+=(const LightWeight& w) {
    rr += w.rr;
    rg += w.rg;
    rb += w.rb;
    gg += w.gg;
    gb += w.gb;
    bb += w.bb;
    return *this;
}

LightWeight Scaled(const LightWeight& w, float s) {
    return {w.rr * s, w.rg * s, w.rb * s, w.gg * s, w.gb * s, w.bb * s};
}

Light LightOf(int red, int green, int blue) {
    const std::array<double, 256>& table = LinearTable();
    return {float(table[std::size_t(std::clamp(red, 0, 255))]),
            float(table[std::size_t(std::clamp(green, 0, 255))]),
            float(table[std::size_t(std::clamp(blue, 0, 255))])};
}

Light LightOf(ColorValue color) {
    return LightOf(RedOf(color), GreenOf(color), BlueOf(color));
}

namespace {

// CIEDE2000's scales at a CIELAB colour, applied to the derivative `slope` of CIELAB by the
// space's coordinates, squared.
LightWeight ScaledSquare(const LabPoint& p, const double (&slope)[3][3]) {
    const double chroma = std::hypot(p.a, p.b);
    // Along and across the hue: the radial and the tangential direction in the a-b plane.
    const double ua = chroma > 1e-6 ? p.a / chroma : 1.0;
    const double ub = chroma > 1e-6 ? p.b / chroma : 0.0;
    const double l50 = (p.L - 50) * (p.L - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * chroma;
    const double sh = 1 + 0.015 * chroma;
    double m[3][3];
    for (int c = 0; c < 3; ++c) {
        m[0][c] = slope[0][c] / sl;
        m[1][c] = (ua * slope[1][c] + ub * slope[2][c]) / sc;
        m[2][c] = (-ub * slope[1][c] + ua * slope[2][c]) / sh;
    }
    auto entry = [&](int i, int j) {
        return float(m[0][i] * m[0][j] + m[1][i] * m[1][j] + m[2][i] * m[2][j]);
    };
    return {entry(0, 0), entry(0, 1), entry(0, 2), entry(1, 1), entry(1, 2), entry(2, 2)};
}

constexpr double Identity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

LabPoint LabAt(CellSpace space, const Light& point) {
    if (space == CellSpace::Linear)
        return LabWithSlope(Clamped(point));
    LabPoint p{};
    p.L = point[0];
    p.a = point[1];
    p.b = point[2];
    return p;
}

} // namespace

Light PointOf(CellSpace space, int red, int green, int blue) {
    const Light light = LightOf(red, green, blue);
    if (space == CellSpace::Linear)
        return light;
    const LabPoint p = LabWithSlope(light);
    return {float(p.L), float(p.a), float(p.b)};
}

Light PointOf(CellSpace space, ColorValue color) {
    return PointOf(space, RedOf(color), GreenOf(color), BlueOf(color));
}

LightWeight LocalWeight(CellSpace space, const Light& point) {
    const LabPoint p = LabAt(space, point);
    return space == CellSpace::Linear ? ScaledSquare(p, p.slope) : ScaledSquare(p, Identity);
}

std::array<float, 3> LookOf(CellSpace space, const Light& point) {
    const LabPoint p = LabAt(space, point);
    const double shrink = 1 + 0.045 * std::hypot(p.a, p.b);
    return {float(p.L), float(p.a / shrink), float(p.b / shrink)};
}

CellBlur::CellBlur(bool blurred) : blurred_(blurred) {
    const double sigma = 1.0;
    for (int visible = 1; visible <= CellSide; ++visible) {
        for (int p = 0; p < visible; ++p) {
            double sum = 0;
            double w[CellSide] = {};
            for (int q = 0; q < visible; ++q) {
                const int d = std::abs(p - q);
                if (!blurred)
                    w[q] = d == 0 ? 1.0 : 0.0;
                else if (d <= 2)
                    w[q] = std::exp(-d * d / (2 * sigma * sigma));
                sum += w[q];
            }
            for (int q = 0; q < visible; ++q)
                taps_[std::size_t(visible)][std::size_t(p)][std::size_t(q)] = float(w[q] / sum);
        }
    }
}

std::array<Light, CellArea> CellBlur::apply(const std::array<Light, CellArea>& in, int w,
                                            int h) const {
    std::array<Light, CellArea> across{};
    std::array<Light, CellArea> out{};
    const int r = reach();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Light sum{};
            for (int q = std::max(0, x - r); q <= std::min(w - 1, x + r); ++q)
                sum = sum + weight(w, x, q) * in[std::size_t(y * CellSide + q)];
            across[std::size_t(y * CellSide + x)] = sum;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Light sum{};
            for (int q = std::max(0, y - r); q <= std::min(h - 1, y + r); ++q)
                sum = sum + weight(h, y, q) * across[std::size_t(q * CellSide + x)];
            out[std::size_t(y * CellSide + x)] = sum;
        }
    return out;
}

} // namespace murelo
