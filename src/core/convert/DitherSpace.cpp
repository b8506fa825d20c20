#include "core/convert/DitherSpace.h"

#include "core/convert/CieXyz.h"
#include "core/convert/GaussianKernel.h"
#include "core/convert/LinearLight.h"
#include "core/convert/PerceptualError.h"
#include "core/convert/PerceptualPoint.h"
#include "core/convert/WorkerThreads.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace murelo {

namespace {

constexpr double LumaWeights[3] = {0.2126, 0.7152, 0.0722};
constexpr double Knee = 216.0 / 24389.0; // where CIELAB's curve turns linear
constexpr double Stability = 0.03 * 0.03;

constexpr int LinearSteps = 4096; // table steps over linear light 0..1

struct Tables {
    std::array<float, LinearSteps + 1> srgb{};      // sRGB 0..1 of linear light
    std::array<float, LinearSteps + 1> srgbSlope{}; // its slope
    std::array<float, LinearSteps + 1> lightness{}; // max(Y, knee)^(-2/3)
    std::vector<float> chroma;                      // 1 / (1 + 0.015 C)^2 by 5-bit sRGB
    Metric lightAxis{};                             // l l' of CIELAB's lightness row
    Metric opponentAxes{};                          // a a' + b b' of the opponent rows
};

Metric Outer(const double v[3]) {
    return {float(v[0] * v[0]), float(v[1] * v[1]), float(v[2] * v[2]),
            float(v[0] * v[1]), float(v[0] * v[2]), float(v[1] * v[2])};
}

Tables BuildTables() {
    Tables t;
    for (int i = 0; i <= LinearSteps; ++i) {
        const double x = double(i) / LinearSteps;
        t.srgb[std::size_t(i)] = float(SrgbFromLinear(x));
        t.srgbSlope[std::size_t(i)] =
            float(x <= 0.0031308 ? 12.92 : 1.055 / 2.4 * std::pow(x, 1 / 2.4 - 1));
        t.lightness[std::size_t(i)] = float(std::pow(std::max(x, Knee), -2.0 / 3.0));
    }
    const std::vector<double>& grid = ChromaWeightGrid();
    t.chroma.assign(grid.begin(), grid.end());
    double light[3], red[3], yellow[3];
    for (int c = 0; c < 3; ++c) {
        const double x = SrgbToXyz[0][c] / D65White[0], y = SrgbToXyz[1][c],
                     z = SrgbToXyz[2][c] / D65White[2];
        light[c] = 116 * y;
        red[c] = 500 * (x - y);
        yellow[c] = 200 * (y - z);
    }
    t.lightAxis = Outer(light);
    const Metric a = Outer(red), b = Outer(yellow);
    for (int k = 0; k < 6; ++k)
        t.opponentAxes[std::size_t(k)] = a[std::size_t(k)] + b[std::size_t(k)];
    return t;
}

const Tables& TheTables() {
    static const Tables tables = BuildTables();
    return tables;
}

inline int Step(float linear) {
    return std::clamp(int(linear * LinearSteps + 0.5f), 0, LinearSteps);
}

std::vector<float> Kernel(double sigma, int radius) {
    const std::vector<double> taps = GaussianKernel(sigma, radius);
    return std::vector<float>(taps.begin(), taps.end());
}

// Planes of floats blurred with a separable kernel, repeated edges; `channels` values per
// pixel, interleaved. Rows are shared among threads in bands; each output is one sum in a
// fixed order, so the thread count never shows.
// `across` holds the rows blurred across; both it and `out` are sized here, their old
// contents never read.
void Blur(const float* in, int width, int height, int channels, const std::vector<float>& kernel,
          int threads, std::vector<float>& across, std::vector<float>& out) {
    const int radius = int(kernel.size() / 2);
    const int stride = width * channels;
    const std::size_t size = std::size_t(height) * std::size_t(stride);
    across.resize(size);
    out.resize(size);
    const int bands = (height + BandRows - 1) / BandRows;
    auto rows = [&](int band, auto&& job) {
        for (int y = band * BandRows; y < std::min(height, (band + 1) * BandRows); ++y)
            job(y);
    };
    RunParts(bands, threads, [&](int band) {
        rows(band, [&](int y) {
            const float* src = in + std::size_t(y) * stride;
            float* dst = across.data() + std::size_t(y) * stride;
            auto edge = [&](int x) {
                for (int c = 0; c < channels; ++c) {
                    float sum = 0;
                    for (int i = -radius; i <= radius; ++i)
                        sum += kernel[std::size_t(i + radius)] *
                               src[std::clamp(x + i, 0, width - 1) * channels + c];
                    dst[x * channels + c] = sum;
                }
            };
            // Inside, tap after tap along the whole row (vector registers).
            const int first = std::min(radius, width);
            const int last = std::max(first, width - radius);
            std::fill(dst + first * channels, dst + last * channels, 0.0f);
            for (int i = -radius; i <= radius; ++i) {
                const float k = kernel[std::size_t(i + radius)];
                const float* from = src + i * channels;
                for (int j = first * channels; j < last * channels; ++j)
                    dst[j] += k * from[j];
            }
            for (int x = 0; x < first; ++x)
                edge(x);
            for (int x = last; x < width; ++x)
                edge(x);
        });
    });
    RunParts(bands, threads, [&](int band) {
        rows(band, [&](int y) {
            float* dst = out.data() + std::size_t(y) * stride;
            std::fill(dst, dst + stride, 0.0f);
            for (int i = -radius; i <= radius; ++i) {
                const float k = kernel[std::size_t(i + radius)];
                const float* src =
                    across.data() + std::size_t(std::clamp(y + i, 0, height - 1)) * stride;
                for (int j = 0; j < stride; ++j)
                    dst[j] += k * src[j];
            }
        });
    });
}

} // namespace

void PrepareDitherPalette(DitherWork& work, const ConverterPalette& palette, int first, int last) {
    const auto& linear = LinearTable();
    work.first = first;
    work.last = last;
    std::vector<ColorRec> usable;
    for (int i = 0; i < PaletteEntries; ++i) {
        const ColorRec& p = palette[std::size_t(i)];
        const LinearColor c{float(linear[std::size_t(p.R)]), float(linear[std::size_t(p.G)]),
                            float(linear[std::size_t(p.B)])};
        work.colour[std::size_t(i)] = c;
        const std::array<float, 3> rgb{c.r, c.g, c.b};
        const std::array<float, 6> squares{c.r * c.r,     c.g * c.g,     c.b * c.b,
                                           2 * c.r * c.g, 2 * c.r * c.b, 2 * c.g * c.b};
        for (int k = 0; k < 3; ++k)
            work.channel[std::size_t(k)][std::size_t(i)] = rgb[std::size_t(k)];
        for (int k = 0; k < 6; ++k)
            work.squares[std::size_t(k)][std::size_t(i)] = squares[std::size_t(k)];
        if (i >= first && i <= last)
            usable.push_back(p);
    }
    if (!work.gamut || !work.gamut->MadeFor(usable))
        work.gamut = SharedGamutMap(usable, work.threads);
    // The autocorrelation of the normalised 7-tap Gaussian of sigma 1 that compare blurs with.
    const std::vector<double> g = GaussianKernel(1.0, 3);
    for (int d = 0; d <= FieldRadius; ++d) {
        double a = 0;
        for (int i = -3; i + d <= 3; ++i)
            a += g[std::size_t(i + 3)] * g[std::size_t(i + d + 3)];
        work.reach[std::size_t(d)] = float(a);
    }
    for (int n = 0; n <= 8; ++n) {
        float s = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const int d = std::abs(i - j);
                if (d > FieldRadius)
                    continue;
                const float self = work.reach[0] * work.reach[0];
                s += i == j ? self : work.share * work.reach[0] * work.reach[std::size_t(d)];
            }
        work.groupReach[std::size_t(n)] = s;
    }
}

void ComputeDitherMetrics(DitherWork& work, const DitherWeights& weights) {
    const Tables& t = TheTables();
    const int w = work.width;
    const int h = work.height;
    const std::size_t count = std::size_t(w) * std::size_t(h);
    // The targets' channels lie side by side in memory, as the blur reads them.
    static_assert(sizeof(LinearColor) == 3 * sizeof(float));
    const float* targets = reinterpret_cast<const float*>(work.target.data());
    const std::vector<float> kernel = Kernel(1.0, 3);
    Blur(targets, w, h, 3, kernel, work.threads, work.blurAcross, work.seen);
    const std::vector<float>& seen = work.seen;
    // The source's luma and its square, for the local variance.
    work.luma.resize(count * 2);
    const int bands = (h + BandRows - 1) / BandRows;
    auto bandPixels = [&](int band) {
        const std::size_t begin = std::size_t(band) * BandRows * std::size_t(w);
        return std::pair{begin, std::min(count, begin + std::size_t(BandRows) * std::size_t(w))};
    };
    RunParts(bands, work.threads, [&](int band) {
        const auto [begin, end] = bandPixels(band);
        for (std::size_t p = begin; p < end; ++p) {
            float y = 0;
            for (int c = 0; c < 3; ++c)
                y +=
                    float(LumaWeights[c]) * t.srgb[std::size_t(Step(seen[3 * p + std::size_t(c)]))];
            work.luma[2 * p] = y;
            work.luma[2 * p + 1] = y * y;
        }
    });
    Blur(work.luma.data(), w, h, 2, Kernel(1.5, 5), work.threads, work.blurAcross, work.moments);
    const std::vector<float>& moments = work.moments;
    work.metric.resize(count);
    RunParts(bands, work.threads, [&](int band) {
        const auto [begin, end] = bandPixels(band);
        for (std::size_t p = begin; p < end; ++p) {
            const float r = seen[3 * p], g = seen[3 * p + 1], b = seen[3 * p + 2];
            const float y = float(SrgbToXyz[1][0]) * r + float(SrgbToXyz[1][1]) * g +
                            float(SrgbToXyz[1][2]) * b;
            const float light = t.lightness[std::size_t(Step(y))];
            constexpr int shift = 12 - ChromaWeightBits; // from a 4096-step sRGB value
            auto level = [&](float v) { return int(t.srgb[std::size_t(Step(v))] * 4095) >> shift; };
            const float chroma = t.chroma[std::size_t(((level(r) << ChromaWeightBits) + level(g))
                                                      << ChromaWeightBits) +
                                          std::size_t(level(b))];
            const float mean = moments[2 * p];
            const float variance = std::max(0.0f, moments[2 * p + 1] - mean * mean);
            const float dark = 1 + weights.darkBoost * std::max(0.0f, 1 - mean / weights.darkLuma);
            const float shape = dark * weights.shape / (variance + float(Stability));
            const float slope[3] = {float(LumaWeights[0]) * t.srgbSlope[std::size_t(Step(r))],
                                    float(LumaWeights[1]) * t.srgbSlope[std::size_t(Step(g))],
                                    float(LumaWeights[2]) * t.srgbSlope[std::size_t(Step(b))]};
            const double v[3] = {slope[0], slope[1], slope[2]};
            const Metric lumaAxis = Outer(v);
            Metric& m = work.metric[p];
            for (int k = 0; k < 6; ++k)
                m[std::size_t(k)] = light * (t.lightAxis[std::size_t(k)] +
                                             chroma * t.opponentAxes[std::size_t(k)]) +
                                    shape * lumaAxis[std::size_t(k)];
        }
    });
}

} // namespace murelo
