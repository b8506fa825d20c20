#include "core/convert/DitherSpace.h"

#include "core/convert/LinearLight.h"

#include <algorithm>
#include <cmath>

namespace murelo {

namespace {

// Units per CIELAB unit of the working space.
constexpr double Scale = 256.0;
// The opponent axes against lightness. CIELAB's own proportion scored best on photographs;
// weighing chroma down (as CIEDE2000 does for saturated colours) made hues drift.
constexpr double ChromaWeight = 1.0;
constexpr int LuminanceSteps = 4096;

// sRGB primaries to XYZ (D65), rows X, Y, Z.
constexpr double ToXyz[3][3] = {{0.4124564, 0.3575761, 0.1804375},
                                {0.2126729, 0.7151522, 0.0721750},
                                {0.0193339, 0.1191920, 0.9503041}};
constexpr double WhiteX = 0.95047;
constexpr double WhiteZ = 1.08883;

struct Tables {
    std::array<std::array<DitherPoint, 256>, 3> channel{}; // by channel, then value
    std::array<std::array<std::int32_t, 256>, 3> luminance{};
    std::array<std::int32_t, LuminanceSteps> weight{};
};

// The linearised CIELAB axes of primary c: lightness, red-green, yellow-blue.
std::array<double, 3> AxesOf(int c) {
    const double x = ToXyz[0][c] / WhiteX;
    const double y = ToXyz[1][c];
    const double z = ToXyz[2][c] / WhiteZ;
    return {116 * y, ChromaWeight * 500 * (x - y), ChromaWeight * 200 * (y - z)};
}

// (3 f'(Y))^2 of CIELAB's curve f, which is 1 at white.
double RelativeSlopeSquared(double y) {
    constexpr double knee = 216.0 / 24389.0;
    const double t = std::max(y, knee);
    return std::pow(t, -4.0 / 3.0);
}

Tables BuildTables() {
    Tables t;
    const auto& linear = LinearTable();
    for (int c = 0; c < 3; ++c) {
        const std::array<double, 3> axes = AxesOf(c);
        for (int v = 0; v < 256; ++v) {
            const double light = linear[std::size_t(v)];
            for (int k = 0; k < 3; ++k)
                t.channel[std::size_t(c)][std::size_t(v)][std::size_t(k)] =
                    std::int32_t(std::lround(Scale * axes[std::size_t(k)] * light));
            t.luminance[std::size_t(c)][std::size_t(v)] =
                std::int32_t(std::lround((LuminanceSteps - 1) * ToXyz[1][c] * light));
        }
    }
    for (int i = 0; i < LuminanceSteps; ++i)
        t.weight[std::size_t(i)] = std::int32_t(
            std::lround(16 * RelativeSlopeSquared(double(i) / (LuminanceSteps - 1))));
    return t;
}

const Tables& TheTables() {
    static const Tables tables = BuildTables();
    return tables;
}

} // namespace

DitherPoint DitherPointOf(const ColorRec& rgb) {
    const Tables& t = TheTables();
    const DitherPoint& r = t.channel[0][std::size_t(rgb.R)];
    const DitherPoint& g = t.channel[1][std::size_t(rgb.G)];
    const DitherPoint& b = t.channel[2][std::size_t(rgb.B)];
    return {r[0] + g[0] + b[0], r[1] + g[1] + b[1], r[2] + g[2] + b[2]};
}

std::int32_t DitherWeightOf(const ColorRec& rgb) {
    const Tables& t = TheTables();
    const std::int32_t y = t.luminance[0][std::size_t(rgb.R)] +
                           t.luminance[1][std::size_t(rgb.G)] +
                           t.luminance[2][std::size_t(rgb.B)];
    return t.weight[std::size_t(std::min(y, LuminanceSteps - 1))];
}

} // namespace murelo
