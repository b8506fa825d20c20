#include "core/convert/V9938Diffusion.h"

#include "core/convert/ChipLevels.h"
#include "core/convert/ColorMath.h"
#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualPoint.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace murelo {

namespace {

// The eye resolves chroma far more coarsely than lightness: a dot's chroma error is merged
// with its neighbours' and the diffusion carries it on, while a wrong lightness stays
// visible as grain. So the choice weighs the opponent axes at 1/8 of what they count in the
// tolerance, plus 1/64 so that strongly saturated colours keep their hue. On the picture
// set (256 x 192) full weight gave delta E 1.13 and SSIM 0.956 in SCREEN 8, 1.44 and 0.953
// in SCREEN 5; this weight gives 1.27 and 0.976, 1.75 and 0.966.
inline std::int32_t ChoiceChroma(std::int32_t chroma) {
    return chroma / 8 + 4;
}

// Dither-space units per CIELAB lightness unit at white (the space's lightness axis is
// 256 * 116 * Y, CIELAB's slope there is 116 / 3).
constexpr double UnitsPerDeltaE = 3 * 256;

float Share(int sixteenths, int strength) {
    return float(sixteenths * strength) / 1600;
}

inline void AddPart(FloatPoint& slot, const FloatPoint& e, float share) {
    for (std::size_t k = 0; k < 3; ++k)
        slot[k] += e[k] * share;
}

// Four float lanes (the SSE2 registers every x86-64 has; other targets split them).
using Lanes = float __attribute__((vector_size(16)));

using IntLanes = std::int32_t __attribute__((vector_size(16)));

inline Lanes Load(const float* p) {
    Lanes v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

DitherPoint PointOfColor(ColorValue c) {
    return DitherPointOf(RgbRec(RedOf(c), GreenOf(c), BlueOf(c)));
}

// The linear light of each shown level, to find the two levels around a target.
template <std::size_t N> std::array<double, N> LinearLevels(const std::array<int, N>& levels) {
    std::array<double, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = LinearTable()[std::size_t(levels[i])];
    return out;
}

// The lower of the two levels around v (the last but one at the top).
template <std::size_t N> int LowerLevel(const std::array<double, N>& linear, double v) {
    int i = 0;
    while (i + 2 < int(N) && linear[std::size_t(i + 1)] <= v)
        ++i;
    return i;
}

} // namespace

namespace {

// The lattice colour within the clean tolerance of a colour, or -1. Levels lie far more
// than the tolerance apart, so only the nearest level on each channel can be that near.
std::int16_t CleanLattice(const ColorRec& rgb, const DitherPoint& point, std::int32_t chroma,
                          std::int32_t lightness) {
    auto level = [](int v) {
        int best = 0;
        for (int l = 1; l < 8; ++l)
            if (std::abs(ChipLevel3[std::size_t(l)] - v) <
                std::abs(ChipLevel3[std::size_t(best)] - v))
                best = l;
        return best;
    };
    const int index = LatticeIndex(level(rgb.R), level(rgb.G), level(rgb.B));
    const DitherPoint& p = LatticePointTable()[std::size_t(index)];
    return WithinCleanTolerance(SearchDistance(point, p, chroma), lightness) ? std::int16_t(index)
                                                                             : std::int16_t(-1);
}

} // namespace

const std::array<DitherPoint, 512>& LatticePointTable() {
    static const std::array<DitherPoint, 512> table = [] {
        std::array<DitherPoint, 512> t{};
        for (int i = 0; i < LatticeColors; ++i)
            t[std::size_t(i)] = PointOfColor(LatticeColor(i));
        return t;
    }();
    return table;
}

void DiffusionPicture::resize(int w, int h) {
    width = w;
    height = h;
    const std::size_t n = std::size_t(w) * std::size_t(h);
    point.assign(n, {});
    chroma.assign(n, 0);
    lightness.assign(n, 0);
    rgb.assign(n, {});
    clean.assign(n, -1);
}

void DiffusionPicture::set(std::size_t i, const ColorRec& balanced) {
    point[i] = DitherPointOf(balanced);
    chroma[i] = DitherChromaWeightOf(balanced);
    lightness[i] = DitherWeightOf(balanced);
    rgb[i] = balanced;
    clean[i] = CleanLattice(balanced, point[i], chroma[i], lightness[i]);
}

void DiffusionPicture::setMean(std::size_t i, const ColorRec& first, const ColorRec& second) {
    const DitherPoint p = DitherPointOf(first);
    const DitherPoint q = DitherPointOf(second);
    const auto& linear = LinearTable();
    auto mean = [&](std::int32_t a, std::int32_t b) {
        const double v = (linear[std::size_t(a)] + linear[std::size_t(b)]) / 2;
        return std::int32_t(std::lround(255 * SrgbFromLinear(v)));
    };
    const ColorRec m =
        RgbRec(mean(first.R, second.R), mean(first.G, second.G), mean(first.B, second.B));
    point[i] = {(p[0] + q[0]) / 2, (p[1] + q[1]) / 2, (p[2] + q[2]) / 2};
    chroma[i] = DitherChromaWeightOf(m);
    lightness[i] = DitherWeightOf(m);
    rgb[i] = m;
    clean[i] = CleanLattice(m, point[i], chroma[i], lightness[i]);
}

PaletteChooser::PaletteChooser(const std::vector<int>& lattice) {
    slots_.fill(-1);
    lightness_.fill(1e9f);
    for (int index : lattice) {
        if (points_.size() == MaxColors)
            break;
        slots_[std::size_t(index)] = std::int16_t(points_.size());
        const DitherPoint& p = LatticePointTable()[std::size_t(index)];
        lightness_[points_.size()] = float(p[0]);
        red_[points_.size()] = float(p[1]);
        yellow_[points_.size()] = float(p[2]);
        points_.push_back(p);
    }
}

int PaletteChooser::nearest(const FloatPoint& t, std::int32_t chroma) const {
    const Lanes l = {t[0], t[0], t[0], t[0]};
    const Lanes a = {t[1], t[1], t[1], t[1]};
    const Lanes b = {t[2], t[2], t[2], t[2]};
    const float cf = float(chroma) / 256;
    const Lanes c = {cf, cf, cf, cf};
    // Each lane keeps its least distance and the entry that has it; a later entry must be
    // strictly nearer, so ties go to the lower index as in a plain scan.
    Lanes best = {INFINITY, INFINITY, INFINITY, INFINITY};
    IntLanes index = {0, 1, 2, 3};
    IntLanes bestIndex = index;
    const IntLanes four = {4, 4, 4, 4};
    for (std::size_t k = 0; k < MaxColors; k += 4, index += four) {
        const Lanes dl = l - Load(&lightness_[k]);
        const Lanes da = a - Load(&red_[k]);
        const Lanes db = b - Load(&yellow_[k]);
        const Lanes d = dl * dl + (da * da + db * db) * c;
        const IntLanes nearer = d < best;
        best = Lanes((IntLanes(d) & nearer) | (IntLanes(best) & ~nearer));
        bestIndex = (index & nearer) | (bestIndex & ~nearer);
    }
    int result = bestIndex[0];
    float least = best[0];
    for (int lane = 1; lane < 4; ++lane)
        if (best[lane] < least || (best[lane] == least && bestIndex[lane] < result)) {
            least = best[lane];
            result = bestIndex[lane];
        }
    return result;
}

Screen8Chooser::Screen8Chooser() : points_(256) {
    for (int byte = 0; byte < 256; ++byte)
        points_[std::size_t(byte)] = PointOfColor(Screen8ChipColor(std::uint8_t(byte)));
    // The space is linear in linear light: its columns are the points of the primaries.
    double m[3][3];
    const DitherPoint axes[3] = {DitherPointOf(RgbRec(255, 0, 0)), DitherPointOf(RgbRec(0, 255, 0)),
                                 DitherPointOf(RgbRec(0, 0, 255))};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m[r][c] = axes[c][std::size_t(r)];
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            toLinear_[std::size_t(r)][std::size_t(c)] =
                (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
        }
}

int Screen8Chooser::slotOf(int lattice) const {
    const int blue = ChipBlue2LevelOf(ChipLevel3[std::size_t(LatticeBlue(lattice))]);
    if (blue < 0)
        return -1;
    return LatticeGreen(lattice) << 5 | LatticeRed(lattice) << 2 | blue;
}

int Screen8Chooser::nearest(const FloatPoint& t, std::int32_t chroma) const {
    static const std::array<double, 8> level3 = LinearLevels(ChipLevel3);
    static const std::array<double, 4> blue2 = LinearLevels(ChipBlue2);
    std::array<double, 3> v{};
    for (std::size_t r = 0; r < 3; ++r)
        v[r] = toLinear_[r][0] * t[0] + toLinear_[r][1] * t[1] + toLinear_[r][2] * t[2];
    const int red = LowerLevel(level3, v[0]);
    const int green = LowerLevel(level3, v[1]);
    const int blue = LowerLevel(blue2, v[2]);
    const float c = float(chroma) / 256;
    int best = 0;
    float bestDistance = INFINITY;
    for (int dg = 0; dg < 2; ++dg)
        for (int dr = 0; dr < 2; ++dr)
            for (int db = 0; db < 2; ++db) {
                const int byte = (green + dg) << 5 | (red + dr) << 2 | (blue + db);
                const DitherPoint& p = points_[std::size_t(byte)];
                const float dl = t[0] - float(p[0]), da = t[1] - float(p[1]),
                            dy = t[2] - float(p[2]);
                const float d = dl * dl + (da * da + dy * dy) * c;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = byte;
                }
            }
    return best;
}

bool WithinCleanTolerance(std::int64_t distance, std::int32_t lightness) {
    static const double limit =
        CleanToleranceDeltaE * CleanToleranceDeltaE * UnitsPerDeltaE * UnitsPerDeltaE * 256 * 16;
    return double(distance) * lightness <= limit;
}

void ReachBox(std::span<const DitherPoint> points, DitherPoint& low, DitherPoint& high) {
    low = {INT32_MAX, INT32_MAX, INT32_MAX};
    high = {INT32_MIN, INT32_MIN, INT32_MIN};
    for (const DitherPoint& p : points)
        for (std::size_t k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    const std::int32_t margin = (high[0] - low[0]) / 4;
    for (std::size_t k = 0; k < 3; ++k) {
        low[k] -= margin;
        high[k] += margin;
    }
}

RowDiffusion::RowDiffusion(int width, int strength, const DitherPoint& low, const DitherPoint& high,
                           Kernel kernel)
    : width_(width), low_{float(low[0]), float(low[1]), float(low[2])}, high_{float(high[0]),
                                                                              float(high[1]),
                                                                              float(high[2])},
      current_(std::size_t(width) + 2), next_(std::size_t(width) + 2) {
    const int s = std::clamp(strength, 0, 100);
    // On the picture set at 512 x 212, SCREEN 7 without "Interlace": delta E 2.55 and SSIM
    // 0.912 with Floyd-Steinberg's shares, 2.37 and 0.916 with these (square dots lose:
    // SCREEN 5 at 256 x 192 1.70 against 1.73).
    if (kernel == Kernel::RowsShownTwice)
        shares_ = {Share(10, s), Share(1, s), Share(4, s), Share(1, s)};
    else
        shares_ = {Share(7, s), Share(3, s), Share(5, s), Share(1, s)};
}

template <class Chooser>
void RowDiffusion::row(const DiffusionPicture& picture, int y, const Chooser& chooser,
                       std::span<int> out) {
    std::swap(current_, next_);
    std::fill(next_.begin(), next_.end(), FloatPoint{});
    const int step = (y & 1) ? -1 : 1;
    const std::size_t base = std::size_t(y) * std::size_t(width_);
    for (int i = 0; i < width_; ++i) {
        const int x = step > 0 ? i : width_ - 1 - i;
        const std::size_t p = base + std::size_t(x);
        const DitherPoint& source = picture.point[p];
        const std::int32_t chroma = picture.chroma[p];
        if (const int clean = picture.clean[p]; clean >= 0) {
            if (const int own = chooser.slotOf(clean); own >= 0) {
                out[std::size_t(x)] = own;
                continue;
            }
        }
        const FloatPoint& carried = current_[std::size_t(x + 1)];
        FloatPoint t;
        for (std::size_t k = 0; k < 3; ++k)
            t[k] = std::clamp(float(source[k]) + carried[k], low_[k], high_[k]);
        const int k = chooser.nearest(t, ChoiceChroma(chroma));
        out[std::size_t(x)] = k;
        const DitherPoint& c = chooser.point(k);
        const FloatPoint e = {t[0] - float(c[0]), t[1] - float(c[1]), t[2] - float(c[2])};
        AddPart(current_[std::size_t(x + 1 + step)], e, shares_.ahead);
        AddPart(next_[std::size_t(x + 1 - step)], e, shares_.behindBelow);
        AddPart(next_[std::size_t(x + 1)], e, shares_.below);
        AddPart(next_[std::size_t(x + 1 + step)], e, shares_.aheadBelow);
    }
}

template void RowDiffusion::row<PaletteChooser>(const DiffusionPicture&, int, const PaletteChooser&,
                                                std::span<int>);
template void RowDiffusion::row<Screen8Chooser>(const DiffusionPicture&, int, const Screen8Chooser&,
                                                std::span<int>);

} // namespace murelo
