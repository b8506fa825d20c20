#include "core/convert/YjkPaletteChoice.h"

#include "core/convert/ColorMath.h"
#include "core/convert/PerceptualPoint.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace murelo {

namespace {

constexpr int Cells = 512;
constexpr int Chosen = 16;
constexpr int Rounds = 8;

int CellOf(const PaletteLevels& p) {
    return (p.r << 6) | (p.g << 3) | p.b;
}

PaletteLevels LevelsOfCell(int cell) {
    return {cell >> 6, (cell >> 3) & 7, cell & 7};
}

// The 3-bit level whose shown value lies nearest to a channel value.
int NearestLevel(int value) {
    int best = 0;
    for (int l = 1; l < 8; ++l)
        if (std::abs(V9958PaletteValue(l) - value) < std::abs(V9958PaletteValue(best) - value))
            best = l;
    return best;
}

struct Lattice {
    std::array<DitherPoint, Cells> point{};
    std::array<int, 256> nearest{};
};

const Lattice& TheLattice() {
    static const Lattice lattice = [] {
        Lattice l;
        for (int c = 0; c < Cells; ++c) {
            const PaletteLevels p = LevelsOfCell(c);
            l.point[std::size_t(c)] = DitherPointOf(
                RgbRec(V9958PaletteValue(p.r), V9958PaletteValue(p.g), V9958PaletteValue(p.b)));
        }
        for (int v = 0; v < 256; ++v)
            l.nearest[std::size_t(v)] = NearestLevel(v);
        return l;
    }();
    return lattice;
}

std::int64_t Distance(const DitherPoint& a, const DitherPoint& b) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::int64_t d = a[i] - b[i];
        sum += d * d;
    }
    return sum;
}

// How much each palette colour's neighbourhood is wanted: the chroma spread of the pixels
// nearest to it. Pictures with no spread (greys) fall back to plain pixel counts.
std::array<double, Cells> CellWeights(std::span<const ColorValue> pixels, int width) {
    const Lattice& lattice = TheLattice();
    std::array<double, Cells> weight{};
    std::array<double, Cells> count{};
    const int height = width > 0 ? int(pixels.size()) / width : 0;
    for (int y = 0; y < height; ++y)
        for (int x0 = 0; x0 < width; x0 += YjkGroupSize) {
            const int n = std::min(YjkGroupSize, width - x0);
            std::array<ColorRec, YjkGroupSize> rec{};
            std::int64_t sumJ = 0;
            std::int64_t sumK = 0;
            for (int i = 0; i < n; ++i) {
                rec[std::size_t(i)] = ColorRecFromColorYjk(pixels[std::size_t(y) * width + x0 + i]);
                sumJ += rec[std::size_t(i)].J8;
                sumK += rec[std::size_t(i)].K8;
            }
            for (int i = 0; i < n; ++i) {
                const ColorRec& r = rec[std::size_t(i)];
                const double d = std::abs(double(r.J8) - double(sumJ) / n) +
                                 std::abs(double(r.K8) - double(sumK) / n);
                const int cell =
                    CellOf({lattice.nearest[std::size_t(r.R)], lattice.nearest[std::size_t(r.G)],
                            lattice.nearest[std::size_t(r.B)]});
                weight[std::size_t(cell)] += d * d;
                count[std::size_t(cell)] += 1;
            }
        }
    if (std::all_of(weight.begin(), weight.end(), [](double w) { return w == 0; }))
        return count;
    return weight;
}

// Farthest-point seeding, weighted: the heaviest cell, then each time the cell whose weight
// times its distance to the nearest seed is largest.
std::vector<int> Seeds(const std::array<double, Cells>& weight) {
    const Lattice& lattice = TheLattice();
    std::vector<int> seeds;
    std::array<double, Cells> gap{};
    gap.fill(1e30); // no seed yet: the weight alone decides
    while (int(seeds.size()) < Chosen) {
        int pick = -1;
        double score = 0;
        for (int c = 0; c < Cells; ++c) {
            const double s = weight[std::size_t(c)] * gap[std::size_t(c)];
            if (s > score) {
                score = s;
                pick = c;
            }
        }
        if (pick < 0)
            break;
        seeds.push_back(pick);
        for (int c = 0; c < Cells; ++c)
            gap[std::size_t(c)] = std::min(
                gap[std::size_t(c)],
                double(Distance(lattice.point[std::size_t(c)], lattice.point[std::size_t(pick)])));
    }
    return seeds;
}

int NearestSeed(const std::vector<int>& seeds, const DitherPoint& p) {
    const Lattice& lattice = TheLattice();
    int best = 0;
    std::int64_t bestDistance = -1;
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        const std::int64_t d = Distance(p, lattice.point[std::size_t(seeds[s])]);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = int(s);
        }
    }
    return best;
}

int NearestCell(const std::array<double, 3>& mean, const std::vector<int>& taken) {
    const Lattice& lattice = TheLattice();
    int best = -1;
    double bestDistance = 0;
    for (int c = 0; c < Cells; ++c) {
        if (std::find(taken.begin(), taken.end(), c) != taken.end())
            continue;
        double d = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const double e = mean[i] - lattice.point[std::size_t(c)][i];
            d += e * e;
        }
        if (best < 0 || d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

// Lloyd rounds on the lattice: each colour moves to the cell nearest the weighted mean of
// the cells it serves.
void Refine(std::vector<int>& seeds, const std::array<double, Cells>& weight) {
    const Lattice& lattice = TheLattice();
    for (int round = 0; round < Rounds; ++round) {
        std::vector<std::array<double, 4>> sums(seeds.size(), {0, 0, 0, 0});
        for (int c = 0; c < Cells; ++c) {
            const double w = weight[std::size_t(c)];
            if (w <= 0)
                continue;
            auto& s = sums[std::size_t(NearestSeed(seeds, lattice.point[std::size_t(c)]))];
            for (std::size_t i = 0; i < 3; ++i)
                s[i] += w * lattice.point[std::size_t(c)][i];
            s[3] += w;
        }
        std::vector<int> moved;
        for (std::size_t s = 0; s < seeds.size(); ++s) {
            if (sums[s][3] <= 0) {
                moved.push_back(seeds[s]);
                continue;
            }
            const std::array<double, 3> mean = {sums[s][0] / sums[s][3], sums[s][1] / sums[s][3],
                                                sums[s][2] / sums[s][3]};
            moved.push_back(NearestCell(mean, moved));
        }
        if (moved == seeds)
            break;
        seeds = moved;
    }
}

// Fewer than 16 wanted colours: the rest are greys, then any unused cells, so that the
// table holds 16 distinct colours.
void Complete(std::vector<int>& seeds) {
    for (int l = 0; l < 8 && int(seeds.size()) < Chosen; ++l) {
        const int cell = CellOf({l, l, l});
        if (std::find(seeds.begin(), seeds.end(), cell) == seeds.end())
            seeds.push_back(cell);
    }
    for (int c = 0; c < Cells && int(seeds.size()) < Chosen; ++c)
        if (std::find(seeds.begin(), seeds.end(), c) == seeds.end())
            seeds.push_back(c);
}

} // namespace

YjkPalette ChooseYjkPalette(std::span<const ColorValue> pixels, int width) {
    const std::array<double, Cells> weight = CellWeights(pixels, width);
    std::vector<int> seeds = Seeds(weight);
    Refine(seeds, weight);
    Complete(seeds);
    const Lattice& lattice = TheLattice();
    std::sort(seeds.begin(), seeds.end(), [&](int a, int b) {
        const std::int32_t la = lattice.point[std::size_t(a)][0];
        const std::int32_t lb = lattice.point[std::size_t(b)][0];
        return la != lb ? la < lb : a < b;
    });
    YjkPalette palette{};
    for (int i = 0; i < Chosen; ++i)
        palette[std::size_t(i)] = LevelsOfCell(seeds[std::size_t(i)]);
    return palette;
}

} // namespace murelo
