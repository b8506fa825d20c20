#include "core/convert/PaletteChoice.h"

#include "core/convert/ChipLevels.h"
#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualError.h"
#include "core/convert/PerceptualPoint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace murelo {

namespace {

constexpr int HistogramBits = 5;
constexpr int KMeansRounds = 12;
constexpr int LatticeRounds = 4;
// The pixels of the picture the refinement dithers: about this many.
constexpr int SamplePixels = 3072;
constexpr int RefineSweeps = 2;

struct Lab3 {
    float L = 0, a = 0, b = 0;
};

float Distance2(const Lab3& p, const Lab3& q) {
    const float l = p.L - q.L, a = p.a - q.a, b = p.b - q.b;
    return l * l + a * a + b * b;
}

Lab3 LabOfRgb(double r, double g, double b) {
    const auto& linear = LinearTable();
    auto lin = [&](double v) {
        const int i = std::clamp(int(v), 0, 254);
        const double f = v - i;
        return linear[std::size_t(i)] * (1 - f) + linear[std::size_t(i + 1)] * f;
    };
    const LabColor lab = LabFromLinearRgb(lin(r), lin(g), lin(b));
    return {float(lab.L), float(lab.a), float(lab.b)};
}

const std::array<Lab3, LatticeColors>& LatticeLab() {
    static const std::array<Lab3, LatticeColors> table = [] {
        std::array<Lab3, LatticeColors> t{};
        for (int i = 0; i < LatticeColors; ++i) {
            const ColorValue c = LatticeColor(i);
            t[std::size_t(i)] = LabOfRgb(RedOf(c), GreenOf(c), BlueOf(c));
        }
        return t;
    }();
    return table;
}

struct Bin {
    Lab3 lab;
    double count = 0;
};

std::vector<Bin> Histogram(const DiffusionPicture& picture) {
    constexpr int levels = 1 << HistogramBits;
    constexpr int shift = 8 - HistogramBits;
    struct Sum {
        double r = 0, g = 0, b = 0, n = 0;
    };
    std::vector<Sum> sums(std::size_t(levels * levels * levels));
    for (const ColorRec& c : picture.rgb) {
        Sum& s = sums[std::size_t((((c.R >> shift) << HistogramBits) + (c.G >> shift))
                                  << HistogramBits) +
                      std::size_t(c.B >> shift)];
        s.r += c.R;
        s.g += c.G;
        s.b += c.B;
        s.n += 1;
    }
    std::vector<Bin> bins;
    for (const Sum& s : sums)
        if (s.n > 0)
            bins.push_back({LabOfRgb(s.r / s.n, s.g / s.n, s.b / s.n), s.n});
    return bins;
}

int NearestOf(const Lab3& p, const std::vector<Lab3>& centres) {
    int best = 0;
    float bestDistance = INFINITY;
    for (int k = 0; k < int(centres.size()); ++k) {
        const float d = Distance2(p, centres[std::size_t(k)]);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

// Black and white where at least a quarter of an entry's fair share of the pixels is
// (nearly) pure black or white: those areas then take them without dither.
std::vector<int> ReservedEntries(const DiffusionPicture& picture, int colors) {
    std::size_t black = 0, white = 0;
    for (const ColorRec& c : picture.rgb) {
        black += std::max({c.R, c.G, c.B}) <= 8;
        white += std::min({c.R, c.G, c.B}) >= 247;
    }
    const std::size_t enough =
        std::max<std::size_t>(1, picture.rgb.size() / std::size_t(4 * colors));
    std::vector<int> reserved;
    if (black >= enough)
        reserved.push_back(LatticeIndex(0, 0, 0));
    if (white >= enough && colors > int(reserved.size()))
        reserved.push_back(LatticeIndex(7, 7, 7));
    return reserved;
}

// Weighted k-means with the first `fixed` centres held in place; farthest-point start.
std::vector<Lab3> KMeans(const std::vector<Bin>& bins, std::vector<Lab3> centres, int colors) {
    const std::size_t fixed = centres.size();
    std::vector<float> nearest(bins.size(), INFINITY);
    auto update = [&](const Lab3& c) {
        for (std::size_t i = 0; i < bins.size(); ++i)
            nearest[i] = std::min(nearest[i], Distance2(bins[i].lab, c));
    };
    for (const Lab3& c : centres)
        update(c);
    while (int(centres.size()) < colors) {
        std::size_t pick = 0;
        double best = 0;
        for (std::size_t i = 0; i < bins.size(); ++i) {
            const double score = bins[i].count * (centres.empty() ? 1.0 : nearest[i]);
            if (score > best) {
                best = score;
                pick = i;
            }
        }
        if (best <= 0)
            break;
        centres.push_back(bins[pick].lab);
        update(bins[pick].lab);
    }
    std::vector<int> owner(bins.size(), -1);
    for (int round = 0; round < KMeansRounds; ++round) {
        bool moved = false;
        std::vector<std::array<double, 4>> sums(centres.size(), {0, 0, 0, 0});
        for (std::size_t i = 0; i < bins.size(); ++i) {
            const int k = NearestOf(bins[i].lab, centres);
            moved = moved || k != owner[i];
            owner[i] = k;
            auto& s = sums[std::size_t(k)];
            s[0] += bins[i].lab.L * bins[i].count;
            s[1] += bins[i].lab.a * bins[i].count;
            s[2] += bins[i].lab.b * bins[i].count;
            s[3] += bins[i].count;
        }
        for (std::size_t k = fixed; k < centres.size(); ++k)
            if (sums[k][3] > 0)
                centres[k] = {float(sums[k][0] / sums[k][3]), float(sums[k][1] / sums[k][3]),
                              float(sums[k][2] / sums[k][3])};
        if (!moved)
            break;
    }
    return centres;
}

int NearestFreeLattice(const Lab3& p, const std::vector<int>& taken) {
    const auto& lattice = LatticeLab();
    int best = 0;
    float bestDistance = INFINITY;
    for (int i = 0; i < LatticeColors; ++i) {
        if (std::find(taken.begin(), taken.end(), i) != taken.end())
            continue;
        const float d = Distance2(p, lattice[std::size_t(i)]);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// Centres onto distinct lattice colours, the fixed ones first, then by the pixels they hold.
std::vector<int> Snap(const std::vector<Lab3>& centres, const std::vector<double>& weight,
                      std::size_t fixed, const std::vector<int>& reserved) {
    std::vector<std::size_t> order(centres.size() - fixed);
    std::iota(order.begin(), order.end(), fixed);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t p, std::size_t q) { return weight[p] > weight[q]; });
    std::vector<int> lattice(reserved);
    for (std::size_t k : order)
        lattice.push_back(NearestFreeLattice(centres[k], lattice));
    return lattice;
}

std::vector<int> LatticeKMeans(const std::vector<Bin>& bins, std::vector<Lab3> centres,
                               const std::vector<int>& reserved) {
    const auto& lab = LatticeLab();
    const std::size_t fixed = reserved.size();
    std::vector<double> weight(centres.size(), 0);
    std::vector<int> lattice;
    for (int round = 0; round <= LatticeRounds; ++round) {
        std::fill(weight.begin(), weight.end(), 0);
        std::vector<std::array<double, 3>> sums(centres.size(), {0, 0, 0});
        for (const Bin& bin : bins) {
            const std::size_t k = std::size_t(NearestOf(bin.lab, centres));
            sums[k][0] += bin.lab.L * bin.count;
            sums[k][1] += bin.lab.a * bin.count;
            sums[k][2] += bin.lab.b * bin.count;
            weight[k] += bin.count;
        }
        for (std::size_t k = fixed; k < centres.size(); ++k)
            if (weight[k] > 0)
                centres[k] = {float(sums[k][0] / weight[k]), float(sums[k][1] / weight[k]),
                              float(sums[k][2] / weight[k])};
        lattice = Snap(centres, weight, fixed, reserved);
        for (std::size_t k = 0; k < centres.size(); ++k)
            centres[k] = lab[std::size_t(lattice[k])];
    }
    return lattice;
}

// A reduced copy of the picture and its blurred points: what
// the refinement dithers and compares with.
struct Sample {
    DiffusionPicture picture;
    std::vector<FloatPoint> blurred;
    std::vector<float> weight; // how much an error counts at each pixel (its lightness)
    // Scratch of DitheredError: the indices drawn and the drawing blurred across.
    std::vector<int> chosen;
    std::vector<FloatPoint> across;
};

// The points of a picture blurred with 1 2 1 across and down (edges repeated).
std::vector<FloatPoint> Blurred121(const DiffusionPicture& picture) {
    const int w = picture.width, h = picture.height;
    const std::size_t wide = std::size_t(w);
    std::vector<FloatPoint> across(picture.point.size());
    std::vector<FloatPoint> out(across.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t row = std::size_t(y) * wide;
            const DitherPoint& l = picture.point[row + std::size_t(std::max(x - 1, 0))];
            const DitherPoint& c = picture.point[row + std::size_t(x)];
            const DitherPoint& r = picture.point[row + std::size_t(std::min(x + 1, w - 1))];
            for (std::size_t k = 0; k < 3; ++k)
                across[row + std::size_t(x)][k] = float(l[k] + 2 * c[k] + r[k]) * 0.25f;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const FloatPoint& u = across[std::size_t(std::max(y - 1, 0)) * wide + std::size_t(x)];
            const FloatPoint& c = across[std::size_t(y) * wide + std::size_t(x)];
            const FloatPoint& d =
                across[std::size_t(std::min(y + 1, h - 1)) * wide + std::size_t(x)];
            for (std::size_t k = 0; k < 3; ++k)
                out[std::size_t(y) * wide + std::size_t(x)][k] = (u[k] + 2 * c[k] + d[k]) * 0.25f;
        }
    return out;
}

Sample MakeSample(const DiffusionPicture& picture) {
    const double pixels = double(picture.width) * picture.height;
    const double step = std::max(1.0, std::sqrt(pixels / SamplePixels));
    const int w = std::max(1, int(std::lround(picture.width / step)));
    const int h = std::max(1, int(std::lround(picture.height / step)));
    Sample s;
    s.picture.resize(w, h);
    // A pixel from every step x step block: the picture's own colours, not means that blend
    // its edges into colours it does not have.
    for (int y = 0; y < h; ++y) {
        const int v = std::min(picture.height - 1, int((y + 0.5) * picture.height / h));
        for (int x = 0; x < w; ++x) {
            const int u = std::min(picture.width - 1, int((x + 0.5) * picture.width / w));
            s.picture.set(
                std::size_t(y) * std::size_t(w) + std::size_t(x),
                picture.rgb[std::size_t(v) * std::size_t(picture.width) + std::size_t(u)]);
        }
    }
    s.blurred = Blurred121(s.picture);
    s.weight.resize(s.picture.point.size());
    for (std::size_t i = 0; i < s.weight.size(); ++i)
        s.weight[i] = std::sqrt(float(s.picture.lightness[i]) / 16);
    return s;
}

// The error of row y of the blurred drawing against the blurred picture (rows y - 1 and
// y + 1 of the drawing blurred across must be there).
double RowError(const Sample& s, int y) {
    const int w = s.picture.width, h = s.picture.height;
    const std::size_t wide = std::size_t(w);
    const FloatPoint* up = &s.across[std::size_t(std::max(y - 1, 0)) * wide];
    const FloatPoint* mid = &s.across[std::size_t(y) * wide];
    const FloatPoint* down = &s.across[std::size_t(std::min(y + 1, h - 1)) * wide];
    double total = 0;
    for (int x = 0; x < w; ++x) {
        const std::size_t i = std::size_t(y) * wide + std::size_t(x);
        FloatPoint d;
        for (std::size_t a = 0; a < 3; ++a)
            d[a] = (up[x][a] + 2 * mid[x][a] + down[x][a]) * 0.25f - s.blurred[i][a];
        const float c = float(s.picture.chroma[i]) / 256;
        total += s.weight[i] * std::sqrt(d[0] * d[0] + c * (d[1] * d[1] + d[2] * d[2]));
    }
    return total;
}

// The dithered error of the sample drawn with the palette: the mean over its pixels of the
// weighted distance between the blurred drawing and the blurred picture.
double DitheredError(Sample& s, const std::vector<int>& lattice, int strength,
                     RowDiffusion::Kernel kernel) {
    const PaletteChooser chooser(lattice);
    std::vector<DitherPoint> points(std::size_t(chooser.size()));
    std::vector<FloatPoint> shown(points.size());
    for (int k = 0; k < chooser.size(); ++k) {
        points[std::size_t(k)] = chooser.point(k);
        for (std::size_t a = 0; a < 3; ++a)
            shown[std::size_t(k)][a] = float(points[std::size_t(k)][a]);
    }
    DitherPoint low, high;
    ReachBox(points, low, high);
    const int w = s.picture.width, h = s.picture.height;
    const std::size_t wide = std::size_t(w);
    RowDiffusion diffusion(w, strength, low, high, kernel);
    s.chosen.resize(wide * std::size_t(h));
    s.across.resize(s.chosen.size());
    double total = 0;
    for (int y = 0; y < h; ++y) {
        const std::span<int> row = std::span<int>(s.chosen).subspan(std::size_t(y) * wide, wide);
        diffusion.row(s.picture, y, chooser, row);
        // The drawing blurred across as each row is drawn; the row above is then complete.
        for (int x = 0; x < w; ++x) {
            const FloatPoint& l = shown[std::size_t(row[std::size_t(std::max(x - 1, 0))])];
            const FloatPoint& c = shown[std::size_t(row[std::size_t(x)])];
            const FloatPoint& r = shown[std::size_t(row[std::size_t(std::min(x + 1, w - 1))])];
            FloatPoint& out = s.across[std::size_t(y) * wide + std::size_t(x)];
            for (std::size_t a = 0; a < 3; ++a)
                out[a] = (l[a] + 2 * c[a] + r[a]) * 0.25f;
        }
        if (y > 0)
            total += RowError(s, y - 1);
    }
    total += RowError(s, h - 1);
    return total / double(s.chosen.size());
}

// Moves one entry at a time a level up or down on one channel while the dithered error
// of the sample goes down.
std::vector<int> Refine(const DiffusionPicture& picture, std::vector<int> lattice,
                        std::size_t fixed, int strength, RowDiffusion::Kernel kernel) {
    Sample sample = MakeSample(picture);
    double best = DitheredError(sample, lattice, strength, kernel);
    static constexpr std::array<std::array<int, 3>, 6> Moves = {
        {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}};
    for (int sweep = 0; sweep < RefineSweeps; ++sweep) {
        bool improved = false;
        for (std::size_t k = fixed; k < lattice.size(); ++k)
            for (const auto& m : Moves) {
                const int e = lattice[k];
                const int r = LatticeRed(e) + m[0], g = LatticeGreen(e) + m[1],
                          b = LatticeBlue(e) + m[2];
                if (r < 0 || r > 7 || g < 0 || g > 7 || b < 0 || b > 7)
                    continue;
                const int moved = LatticeIndex(r, g, b);
                if (std::find(lattice.begin(), lattice.end(), moved) != lattice.end())
                    continue;
                lattice[k] = moved;
                const double error = DitheredError(sample, lattice, strength, kernel);
                if (error < best) {
                    best = error;
                    improved = true;
                } else {
                    lattice[k] = e;
                }
            }
        if (!improved)
            break;
    }
    return lattice;
}

} // namespace

std::vector<int> ChooseLatticePalette(const DiffusionPicture& picture, int colors, int strength,
                                      RowDiffusion::Kernel kernel) {
    if (picture.rgb.empty() || colors < 1)
        return {LatticeIndex(0, 0, 0)};
    const std::vector<Bin> bins = Histogram(picture);
    const std::vector<int> reserved = ReservedEntries(picture, colors);
    std::vector<Lab3> start;
    for (int index : reserved)
        start.push_back(LatticeLab()[std::size_t(index)]);
    const std::vector<Lab3> centres = KMeans(bins, start, colors);
    const std::vector<int> lattice = LatticeKMeans(bins, centres, reserved);
    return Refine(picture, lattice, reserved.size(), strength, kernel);
}

} // namespace murelo
