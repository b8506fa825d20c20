#include "core/convert/PerceptualPoint.h"

#include "core/convert/CieXyz.h"
#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualError.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace murelo {

namespace {

// Units per CIELAB unit of the working space.
constexpr double Scale = 256.0;
// The opponent axes against lightness. CIELAB's own proportion scored best on photographs;
// weighing chroma down everywhere made hues drift. The search weighs it down only at
// saturated colours (DitherChromaWeightOf), as CIEDE2000 does.
constexpr double ChromaWeight = 1.0;
constexpr int LuminanceSteps = 4096;

struct Tables {
    std::array<std::array<DitherPoint, 256>, 3> channel{}; // by channel, then value
    std::array<std::array<std::int32_t, 256>, 3> luminance{};
    std::array<std::int32_t, LuminanceSteps> weight{};
};

// The linearised CIELAB axes of primary c: lightness, red-green, yellow-blue.
std::array<double, 3> AxesOf(int c) {
    const double x = SrgbToXyz[0][c] / D65White[0];
    const double y = SrgbToXyz[1][c];
    const double z = SrgbToXyz[2][c] / D65White[2];
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
                std::int32_t(std::lround((LuminanceSteps - 1) * SrgbToXyz[1][c] * light));
        }
    }
    for (int i = 0; i < LuminanceSteps; ++i)
        t.weight[std::size_t(i)] =
            std::int32_t(std::lround(16 * RelativeSlopeSquared(double(i) / (LuminanceSteps - 1))));
    return t;
}

const Tables& TheTables() {
    static const Tables tables = BuildTables();
    return tables;
}

// CIEDE2000 divides hue differences by 1 + 0.015 C and chroma differences by 1 + 0.045 C.
// One weight serves both axes here; the hue's keeps hues true where the chroma's let them
// drift (on the wallpaper set: mean 4.41 with the hue's, 4.62 with the chroma's).
constexpr double ChromaSlope = 0.015;

std::vector<double> BuildChromaWeightGrid() {
    constexpr int levels = 1 << ChromaWeightBits;
    std::vector<double> grid(std::size_t(levels * levels * levels));
    const auto& linear = LinearTable();
    auto level = [&](int v) { return linear[std::size_t((v << (8 - ChromaWeightBits)) + 4)]; };
    for (int r = 0; r < levels; ++r)
        for (int g = 0; g < levels; ++g)
            for (int b = 0; b < levels; ++b) {
                const LabColor lab = LabFromLinearRgb(level(r), level(g), level(b));
                const double s = 1 + ChromaSlope * std::hypot(lab.a, lab.b);
                grid[std::size_t((r * levels + g) * levels + b)] = 1 / (s * s);
            }
    return grid;
}

std::vector<std::int32_t> BuildChromaWeights() {
    const std::vector<double>& grid = ChromaWeightGrid();
    std::vector<std::int32_t> weights(grid.size());
    for (std::size_t i = 0; i < grid.size(); ++i)
        weights[i] = std::int32_t(std::lround(256 * grid[i]));
    return weights;
}

} // namespace

const std::vector<double>& ChromaWeightGrid() {
    static const std::vector<double> grid = BuildChromaWeightGrid();
    return grid;
}

std::int32_t DitherChromaWeightOf(const ColorRec& rgb) {
    static const std::vector<std::int32_t> weights = BuildChromaWeights();
    constexpr int bits = ChromaWeightBits, shift = 8 - bits;
    return weights[std::size_t((((rgb.R >> shift) << bits) + (rgb.G >> shift)) << bits) +
                   std::size_t(rgb.B >> shift)];
}

DitherPoint DitherPointOf(const ColorRec& rgb) {
    const Tables& t = TheTables();
    const DitherPoint& r = t.channel[0][std::size_t(rgb.R)];
    const DitherPoint& g = t.channel[1][std::size_t(rgb.G)];
    const DitherPoint& b = t.channel[2][std::size_t(rgb.B)];
    return {r[0] + g[0] + b[0], r[1] + g[1] + b[1], r[2] + g[2] + b[2]};
}

std::int32_t DitherWeightOf(const ColorRec& rgb) {
    const Tables& t = TheTables();
    const std::int32_t y = t.luminance[0][std::size_t(rgb.R)] + t.luminance[1][std::size_t(rgb.G)] +
                           t.luminance[2][std::size_t(rgb.B)];
    return t.weight[std::size_t(std::min(y, LuminanceSteps - 1))];
}

} // namespace murelo
