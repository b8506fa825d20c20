#include "core/convert/GamutMap.h"

#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualError.h"
#include "core/convert/WorkerThreads.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace murelo {

namespace {

// Steps along each edge of a face when its mixtures are sampled for the search.
constexpr int FaceSteps = 10;
// Samples nearest in CIELAB that the search weighs by CIEDE2000.
constexpr int Nearest = 24;
constexpr double Tolerance = 1e-7;
// Holds' allowance for rounding, and how far a face's plane must stay from a grid cell to
// be left out of the cell's tests (far beyond the rounding of Holds' sums).
constexpr float HoldsAllowance = 1e-6f;
constexpr double CellMargin = 1e-4;
constexpr int Cells = GamutMap::GridLevels - 1;

int CellOf(const ColorRec& rgb) {
    return ((rgb.R >> 4) * Cells + (rgb.G >> 4)) * Cells + (rgb.B >> 4);
}

LinearColor LinearOf(const ColorRec& rgb) {
    const auto& linear = LinearTable();
    return {float(linear[std::size_t(rgb.R)]), float(linear[std::size_t(rgb.G)]),
            float(linear[std::size_t(rgb.B)])};
}

double Level(int q) {
    return LinearFromSrgb(std::min(255, q * 16) / 255.0);
}

} // namespace

bool GamutMap::MadeFor(const std::vector<ColorRec>& colours) const {
    return std::equal(colours_.begin(), colours_.end(), colours.begin(), colours.end(),
                      [](const ColorRec& x, const ColorRec& y) {
                          return x.R == y.R && x.G == y.G && x.B == y.B;
                      });
}

std::shared_ptr<const GamutMap> SharedGamutMap(const std::vector<ColorRec>& colours, int threads) {
    // Most recently asked for first. A palette not kept is built under the lock, so that
    // jobs starting together with one new palette build it once.
    constexpr std::size_t Kept = 4;
    static std::mutex lock;
    static std::vector<std::shared_ptr<const GamutMap>> kept;
    const std::lock_guard<std::mutex> guard(lock);
    auto found = std::find_if(kept.begin(), kept.end(),
                              [&](const auto& map) { return map->MadeFor(colours); });
    if (found == kept.end()) {
        if (kept.size() == Kept)
            kept.pop_back();
        kept.insert(kept.begin(), std::make_shared<const GamutMap>(colours, threads));
    } else {
        std::rotate(kept.begin(), found, found + 1);
    }
    return kept.front();
}

GamutMap::GamutMap(const std::vector<ColorRec>& colours, int threads) : colours_(colours) {
    std::vector<LinearColor> points;
    for (const ColorRec& c : colours) {
        const LinearColor p = LinearOf(c);
        if (std::find(points.begin(), points.end(), p) == points.end())
            points.push_back(p);
    }
    BuildHull(points);
    if (faces_.empty())
        return; // flat or smaller: no hull to aim into; colours are taken as they are
    BuildSamples(points);
    const int n = GridLevels;
    shift_.assign(std::size_t(n * n * n), LinearColor{});
    std::vector<std::uint8_t> inside(std::size_t(n * n * n));
    RunParts(n, threads, [&](int r) {
        for (int g = 0; g < n; ++g)
            for (int b = 0; b < n; ++b) {
                const LinearColor c{float(Level(r)), float(Level(g)), float(Level(b))};
                const std::size_t at = std::size_t((r * n + g) * n + b);
                inside[at] = Holds(c);
                if (inside[at])
                    continue;
                const LinearColor m = Closest(c);
                shift_[at] = {m.r - c.r, m.g - c.g, m.b - c.b};
            }
    });
    const int cells = n - 1;
    cellInside_.assign(std::size_t(cells * cells * cells), 0);
    for (int r = 0; r < cells; ++r)
        for (int g = 0; g < cells; ++g)
            for (int b = 0; b < cells; ++b) {
                bool all = true;
                for (int corner = 0; corner < 8; ++corner)
                    all = all &&
                          inside[std::size_t(((r + (corner & 1)) * n + g + (corner >> 1 & 1)) * n +
                                             b + (corner >> 2))];
                cellInside_[std::size_t((r * cells + g) * cells + b)] = all;
            }
    BuildCellFaces();
}

void GamutMap::BuildCellFaces() {
    cellStart_.assign(std::size_t(Cells * Cells * Cells + 1), 0);
    cellOutside_.assign(std::size_t(Cells * Cells * Cells), 0);
    cellFaces_.clear();
    for (int r = 0; r < Cells; ++r)
        for (int g = 0; g < Cells; ++g)
            for (int b = 0; b < Cells; ++b) {
                const std::size_t cell = std::size_t((r * Cells + g) * Cells + b);
                const std::size_t start = cellFaces_.size();
                for (std::size_t i = 0; i < faces_.size() && !cellOutside_[cell]; ++i) {
                    // A plane's side over a box: least and most at its corners.
                    const Face& f = faces_[i];
                    double low = 0, high = 0;
                    for (int k = 0; k < 3; ++k) {
                        const int level = (k == 0 ? r : k == 1 ? g : b);
                        const double n = k == 0 ? f.nx : k == 1 ? f.ny : f.nz;
                        const double a = n * Level(level), z = n * Level(level + 1);
                        low += std::min(a, z);
                        high += std::max(a, z);
                    }
                    low -= f.d;
                    high -= f.d;
                    if (low > HoldsAllowance + CellMargin)
                        cellOutside_[cell] = 1;
                    else if (high >= HoldsAllowance - CellMargin)
                        cellFaces_.push_back(std::uint16_t(i));
                }
                if (cellOutside_[cell])
                    cellFaces_.resize(start);
                cellStart_[cell + 1] = std::uint32_t(cellFaces_.size());
            }
}

void GamutMap::BuildHull(const std::vector<LinearColor>& points) {
    const int n = int(points.size());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            for (int k = j + 1; k < n; ++k) {
                const double u[3] = {double(points[j].r) - points[i].r,
                                     double(points[j].g) - points[i].g,
                                     double(points[j].b) - points[i].b};
                const double v[3] = {double(points[k].r) - points[i].r,
                                     double(points[k].g) - points[i].g,
                                     double(points[k].b) - points[i].b};
                double normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                    u[0] * v[1] - u[1] * v[0]};
                const double length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] +
                                                normal[2] * normal[2]);
                if (length < 1e-9)
                    continue;
                for (double& c : normal)
                    c /= length;
                const double d =
                    normal[0] * points[i].r + normal[1] * points[i].g + normal[2] * points[i].b;
                int above = 0, below = 0;
                for (const LinearColor& p : points) {
                    const double side = normal[0] * p.r + normal[1] * p.g + normal[2] * p.b - d;
                    above += side > Tolerance;
                    below += side < -Tolerance;
                }
                if ((above > 0) == (below > 0))
                    continue; // points on both sides, or all in the plane (a flat palette)
                const double sign = above > 0 ? -1 : 1;
                faces_.push_back({float(sign * normal[0]), float(sign * normal[1]),
                                  float(sign * normal[2]), float(sign * d)});
                faceCorners_.push_back({i, j, k});
            }
}

void GamutMap::BuildSamples(const std::vector<LinearColor>& points) {
    for (const auto& corners : faceCorners_) {
        const LinearColor& p = points[std::size_t(corners[0])];
        const LinearColor& q = points[std::size_t(corners[1])];
        const LinearColor& s = points[std::size_t(corners[2])];
        for (int i = 0; i <= FaceSteps; ++i)
            for (int j = 0; i + j <= FaceSteps; ++j) {
                const double a = double(i) / FaceSteps, b = double(j) / FaceSteps, c = 1 - a - b;
                const LinearColor m{float(a * p.r + b * q.r + c * s.r),
                                    float(a * p.g + b * q.g + c * s.g),
                                    float(a * p.b + b * q.b + c * s.b)};
                const LabColor lab = LabFromLinearRgb(m.r, m.g, m.b);
                samples_.push_back(m);
                sampleL_.push_back(float(lab.L));
                sampleA_.push_back(float(lab.a));
                sampleB_.push_back(float(lab.b));
            }
    }
}

bool GamutMap::Holds(const LinearColor& c) const {
    for (const Face& f : faces_)
        if (f.nx * c.r + f.ny * c.g + f.nz * c.b - f.d > HoldsAllowance)
            return false;
    return true;
}

bool GamutMap::Shows(const ColorRec& rgb) const {
    if (cellStart_.empty())
        return Holds(LinearOf(rgb));
    const std::size_t cell = std::size_t(CellOf(rgb));
    if (cellOutside_[cell])
        return false;
    const LinearColor c = LinearOf(rgb);
    for (std::uint32_t i = cellStart_[cell]; i < cellStart_[cell + 1]; ++i) {
        const Face& f = faces_[cellFaces_[i]];
        if (f.nx * c.r + f.ny * c.g + f.nz * c.b - f.d > HoldsAllowance)
            return false;
    }
    return true;
}

LinearColor GamutMap::Closest(const LinearColor& c) const {
    if (samples_.empty())
        return c;
    const LabColor lab = LabFromLinearRgb(c.r, c.g, c.b);
    const std::size_t count = samples_.size();
    std::vector<float> distance(count);
    const float L = float(lab.L), A = float(lab.a), B = float(lab.b);
    for (std::size_t i = 0; i < count; ++i) {
        const float dl = sampleL_[i] - L, da = sampleA_[i] - A, db = sampleB_[i] - B;
        distance[i] = dl * dl + da * da + db * db;
    }
    // The nearest in CIELAB, kept in a heap whose top is the farthest of them.
    std::vector<std::pair<float, int>> near;
    near.reserve(Nearest + 1);
    for (std::size_t i = 0; i < count; ++i) {
        if (int(near.size()) == Nearest && !(distance[i] < near.front().first))
            continue;
        near.push_back({distance[i], int(i)});
        std::push_heap(near.begin(), near.end());
        if (int(near.size()) > Nearest) {
            std::pop_heap(near.begin(), near.end());
            near.pop_back();
        }
    }
    std::sort(near.begin(), near.end());
    double best = 0;
    int chosen = -1;
    for (const auto& [d, i] : near) {
        const LabColor s{sampleL_[std::size_t(i)], sampleA_[std::size_t(i)],
                         sampleB_[std::size_t(i)]};
        const double e = Ciede2000(lab, s);
        if (chosen < 0 || e < best) {
            best = e;
            chosen = i;
        }
    }
    return samples_[std::size_t(chosen)];
}

LinearColor GamutMap::Map(const ColorRec& rgb) const {
    const LinearColor c = LinearOf(rgb);
    if (shift_.empty())
        return c;
    if (cellInside_[std::size_t(CellOf(rgb))] || Shows(rgb))
        return c;
    // Trilinear interpolation of the shift between the grid levels around the colour.
    const int q[3] = {rgb.R, rgb.G, rgb.B};
    int low[3];
    double weight[3][2]; // of the lower and the upper level
    for (int k = 0; k < 3; ++k) {
        low[k] = std::min(q[k] / 16, GridLevels - 2);
        const int lo = low[k] * 16;
        const int hi = std::min(255, lo + 16);
        const double t = double(q[k] - lo) / (hi - lo);
        weight[k][0] = 1 - t;
        weight[k][1] = t;
    }
    const LinearColor* base =
        shift_.data() + std::size_t((low[0] * GridLevels + low[1]) * GridLevels + low[2]);
    double shift[3] = {0, 0, 0};
#pragma GCC unroll 8
    for (int corner = 0; corner < 8; ++corner) {
        const int i = corner & 1, j = corner >> 1 & 1, k = corner >> 2;
        const double w = weight[0][i] * weight[1][j] * weight[2][k];
        const LinearColor& s = base[(i * GridLevels + j) * GridLevels + k];
        shift[0] += w * s.r;
        shift[1] += w * s.g;
        shift[2] += w * s.b;
    }
    return {std::clamp(float(c.r + shift[0]), 0.0f, 1.0f),
            std::clamp(float(c.g + shift[1]), 0.0f, 1.0f),
            std::clamp(float(c.b + shift[2]), 0.0f, 1.0f)};
}

} // namespace murelo
