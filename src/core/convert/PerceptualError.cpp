// The perceptual scores as the converter window needs them after every slider step: the
// same arithmetic as PerceptualErrorPlain.cpp, step for step, but with the blurs' edges
// handled apart from their insides, roots and powers from a few multiplications instead of
// the library's general routines, each hue angle's cosines from one angle, and the rows
// shared among threads. Every sum runs in the plain order, so the blurred planes are the
// plain ones to the bit and the scores differ from the plain ones only by rounding.
#include "core/convert/PerceptualError.h"

#include "core/convert/CieXyz.h"
#include "core/convert/GaussianKernel.h"
#include "core/convert/LinearLight.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace murelo {

namespace {

constexpr double Pi = std::numbers::pi;
// Rows handed to a thread at a time.
constexpr int RowsPerPart = 16;

// The cube root of x > 0 without a division: the reciprocal cube root r = x^(-1/3) by
// Newton's method r <- r (4 - x r^3) / 3 from a first guess out of the exponent bits (4 %
// off; four steps, each squaring the error), then x r^2.
inline double CubeRoot(double x) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    double r = std::bit_cast<double>(0x553EF0FF289DD796ull - bits / 3);
    for (int i = 0; i < 4; ++i)
        r *= (4 - x * r * r * r) * (1.0 / 3);
    return x * r * r;
}

inline double LabCurve(double t) {
    constexpr double delta = 6.0 / 29.0;
    if (t > delta * delta * delta)
        return CubeRoot(t);
    return t / (3 * delta * delta) + 4.0 / 29.0;
}

inline LabColor Lab(double r, double g, double b) {
    return LabOfLinear(r, g, b, LabCurve);
}

inline double Pow7Ratio(double c) {
    const double c2 = c * c;
    const double c7 = c2 * c2 * c2 * c;
    constexpr double p = 25.0 * 25.0 * 25.0 * 25.0 * 25.0 * 25.0 * 25.0;
    return std::sqrt(c7 / (c7 + p));
}

// v^(1/2.4) = v^(5/12) as the fifth power of the twelfth root.
inline double SrgbFromLinearFast(double linear01) {
    const double v = std::clamp(linear01, 0.0, 1.0);
    if (v <= 0.0031308)
        return v * 12.92;
    const double t = std::sqrt(std::sqrt(CubeRoot(v)));
    const double t2 = t * t;
    return 1.055 * (t2 * t2 * t) - 0.055;
}

double HueDegrees(double b, double a) {
    if (a == 0 && b == 0)
        return 0;
    const double h = std::atan2(b, a) * 180.0 / Pi;
    return h < 0 ? h + 360 : h;
}

// Planes of doubles, left uninitialised: every pass writes all of what it later reads.
struct Planes {
    int width = 0;
    int height = 0;
    std::vector<std::unique_ptr<double[]>> plane;
    Planes(int w, int h, int count) : width(w), height(h) {
        for (int p = 0; p < count; ++p)
            plane.emplace_back(new double[std::size_t(w) * std::size_t(h)]);
    }
    double* row(int p, int y) { return plane[std::size_t(p)].get() + std::size_t(y) * width; }
    const double* row(int p, int y) const {
        return plane[std::size_t(p)].get() + std::size_t(y) * width;
    }
};

// Runs rowJob(y) for every row, the rows shared among the threads in bands.
template <class RowJob> void ForRows(int height, int threads, RowJob&& rowJob) {
    const int parts = (height + RowsPerPart - 1) / RowsPerPart;
    RunParts(parts, threads, [&](int part) {
        const int end = std::min(height, (part + 1) * RowsPerPart);
        for (int y = part * RowsPerPart; y < end; ++y)
            rowJob(y);
    });
}

// One row of a separable blur across: the inside without edge tests, tap after tap over the
// whole row (so the loop runs along the row in vector registers, each sum still adding its
// taps in the plain order).
void BlurAcross(const double* in, double* out, int width, const std::vector<double>& kernel,
                Edge edge) {
    const int radius = int(kernel.size() / 2);
    const double* k = kernel.data();
    const int first = std::min(radius, width);
    const int last = std::max(first, width - radius);
    for (int x = first; x < last; ++x)
        out[x] = 0;
    for (int i = 0; i <= 2 * radius; ++i) {
        const double ki = k[i];
        const double* v = in + i - radius;
        for (int x = first; x < last; ++x)
            out[x] += ki * v[x];
    }
    auto edgeSum = [&](int x) {
        double sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += k[i + radius] * in[EdgeIndex(x + i, width, edge)];
        out[x] = sum;
    };
    for (int x = 0; x < first; ++x)
        edgeSum(x);
    for (int x = last; x < width; ++x)
        edgeSum(x);
}

// Row y of plane p of `in` blurred down, into `out`.
void BlurDown(const Planes& in, int p, double* out, int y, const std::vector<double>& kernel,
              Edge edge) {
    const int radius = int(kernel.size() / 2);
    const int w = in.width;
    for (int x = 0; x < w; ++x)
        out[x] = 0;
    for (int i = -radius; i <= radius; ++i) {
        const double ki = kernel[std::size_t(i + radius)];
        const double* r = in.row(p, EdgeIndex(y + i, in.height, edge));
        for (int x = 0; x < w; ++x)
            out[x] += ki * r[x];
    }
}

const std::vector<double>& EyeBlur() {
    static const std::vector<double> kernel = GaussianKernel(1.0, 3);
    return kernel;
}

// Planes 0..2 the source's red, green and blue, 3..5 the result's: linear, blurred across
// with a Gaussian of sigma 1 (repeated edges). BlurredRow finishes the blur of a row.
Planes BlurredAcross(const Picture& source, const Picture& result, int threads) {
    const int w = source.width();
    const int h = source.height();
    const auto& linear = LinearTable();
    Planes across(w, h, 6);
    ForRows(h, threads, [&](int y) {
        auto values = std::vector<double>(std::size_t(w));
        for (int picture = 0; picture < 2; ++picture) {
            const ColorValue* row = (picture == 0 ? source : result).row(y);
            for (int c = 0; c < 3; ++c) {
                for (int x = 0; x < w; ++x) {
                    const ColorValue v = row[x];
                    const int channel = c == 0 ? RedOf(v) : c == 1 ? GreenOf(v) : BlueOf(v);
                    values[std::size_t(x)] = linear[std::size_t(channel)];
                }
                BlurAcross(values.data(), across.row(picture * 3 + c, y), w, EyeBlur(),
                           Edge::Repeated);
            }
        }
    });
    return across;
}

// Row y of the six blurred planes, one after the other in `out` (6 x width values).
void BlurredRow(const Planes& across, int y, double* out) {
    for (int p = 0; p < 6; ++p)
        BlurDown(across, p, out + std::size_t(p) * across.width, y, EyeBlur(), Edge::Repeated);
}

void CheckSizes(const Picture& source, const Picture& result) {
    if (source.empty() || source.width() != result.width() || source.height() != result.height())
        throw std::invalid_argument(
            "the pictures differ in size (" + std::to_string(source.width()) + " x " +
            std::to_string(source.height()) + " and " + std::to_string(result.width()) + " x " +
            std::to_string(result.height()) + ")");
}

// Sums per row, added in row order: the same total whatever the threads.
double SumOfRows(const std::vector<double>& rowSums) {
    double sum = 0;
    for (double s : rowSums)
        sum += s;
    return sum;
}

double MeanDeltaE(const Planes& across, int threads) {
    const int w = across.width;
    auto rowSums = std::vector<double>(std::size_t(across.height));
    ForRows(across.height, threads, [&](int y) {
        auto row = std::vector<double>(std::size_t(w) * 6);
        BlurredRow(across, y, row.data());
        const double* p[6];
        for (int i = 0; i < 6; ++i)
            p[i] = row.data() + std::size_t(i) * w;
        double sum = 0;
        for (int x = 0; x < w; ++x)
            sum += Ciede2000Fast(Lab(p[0][x], p[1][x], p[2][x]), Lab(p[3][x], p[4][x], p[5][x]));
        rowSums[std::size_t(y)] = sum;
    });
    return SumOfRows(rowSums) / (double(w) * double(across.height));
}

// The SSIM of the lumas of the blurred pair (see MeanSsim in the plain computation).
double MeanLumaSsim(const Planes& blurredAcross, int threads) {
    constexpr double C1 = 0.01 * 0.01;
    constexpr double C2 = 0.03 * 0.03;
    constexpr int Radius = 5;
    const int w = blurredAcross.width;
    const int h = blurredAcross.height;
    const std::vector<double> window = GaussianKernel(1.5, Radius);
    // Planes: x, y, x*x, y*y, x*y, each blurred across.
    Planes across(w, h, 5);
    ForRows(h, threads, [&](int y) {
        auto row = std::vector<double>(std::size_t(w) * 6);
        BlurredRow(blurredAcross, y, row.data());
        auto v = std::vector<double>(std::size_t(w) * 5);
        double* lx = v.data();
        double* ly = lx + w;
        double* xx = ly + w;
        double* yy = xx + w;
        double* xy = yy + w;
        for (int x = 0; x < w; ++x) {
            double luma[2];
            for (int picture = 0; picture < 2; ++picture) {
                const double* p = row.data() + std::size_t(picture) * 3 * w + x;
                luma[picture] = 0.2126 * SrgbFromLinearFast(p[0]) +
                                0.7152 * SrgbFromLinearFast(p[w]) +
                                0.0722 * SrgbFromLinearFast(p[2 * w]);
            }
            lx[x] = luma[0];
            ly[x] = luma[1];
            xx[x] = luma[0] * luma[0];
            yy[x] = luma[1] * luma[1];
            xy[x] = luma[0] * luma[1];
        }
        for (int p = 0; p < 5; ++p)
            BlurAcross(v.data() + std::size_t(p) * w, across.row(p, y), w, window, Edge::Reflected);
    });
    const bool inside = w > 2 * Radius && h > 2 * Radius;
    const int border = inside ? Radius : 0;
    auto rowSums = std::vector<double>(std::size_t(h));
    ForRows(h, threads, [&](int y) {
        if (y < border || y >= h - border)
            return;
        auto down = std::vector<double>(std::size_t(w) * 5);
        double* d[5];
        for (int p = 0; p < 5; ++p) {
            d[p] = down.data() + std::size_t(p) * w;
            BlurDown(across, p, d[p], y, window, Edge::Reflected);
        }
        double sum = 0;
        for (int x = border; x < w - border; ++x) {
            const double ux = d[0][x];
            const double uy = d[1][x];
            const double vx = d[2][x] - ux * ux;
            const double vy = d[3][x] - uy * uy;
            const double cov = d[4][x] - ux * uy;
            sum +=
                ((2 * ux * uy + C1) * (2 * cov + C2)) / ((ux * ux + uy * uy + C1) * (vx + vy + C2));
        }
        rowSums[std::size_t(y)] = sum;
    });
    return SumOfRows(rowSums) / (double(w - 2 * border) * double(h - 2 * border));
}

} // namespace

// CIEDE2000 as Ciede2000 computes it, with the hue difference and the mean hue's cosines
// taken from the two hue directions: the half-angle sine from their dot and cross products,
// the mean hue as the direction halfway between them on the shorter arc.
double Ciede2000Fast(const LabColor& first, const LabColor& second) {
    const double c1 = std::sqrt(first.a * first.a + first.b * first.b);
    const double c2 = std::sqrt(second.a * second.a + second.b * second.b);
    const double g = 0.5 * (1 - Pow7Ratio((c1 + c2) / 2));
    const double a1 = (1 + g) * first.a;
    const double a2 = (1 + g) * second.a;
    const double cp1 = std::sqrt(a1 * a1 + first.b * first.b);
    const double cp2 = std::sqrt(a2 * a2 + second.b * second.b);
    const double chromaProduct = cp1 * cp2;
    const double dL = second.L - first.L;
    const double dC = cp2 - cp1;
    double dH = 0;
    double meanH = 0;
    double cosH = 1;
    double sinH = 0;
    double ux = 0;
    double uy = 0;
    double u = 0;
    if (chromaProduct != 0) {
        const double inv1 = 1 / cp1;
        const double inv2 = 1 / cp2;
        ux = a1 * inv1 + a2 * inv2;
        uy = first.b * inv1 + second.b * inv2;
        u = std::sqrt(ux * ux + uy * uy);
    }
    if (chromaProduct == 0 || u < 1e-9) {
        // A neutral colour, or hues exactly opposite: the definition's own branches.
        const double h1 = HueDegrees(first.b, a1);
        const double h2 = HueDegrees(second.b, a2);
        double dh = 0;
        if (chromaProduct != 0) {
            dh = h2 - h1;
            dh = dh > 180 ? dh - 360 : (dh < -180 ? dh + 360 : dh);
        }
        dH = 2 * std::sqrt(chromaProduct) * std::sin(dh * Pi / 360);
        meanH = chromaProduct == 0         ? h1 + h2
                : std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2
                : h1 + h2 < 360            ? (h1 + h2 + 360) / 2
                                           : (h1 + h2 - 360) / 2;
        cosH = std::cos(meanH * Pi / 180);
        sinH = std::sin(meanH * Pi / 180);
    } else {
        const double root = std::sqrt(chromaProduct);
        const double invProduct = 1 / (root * root);
        const double cosD = (a1 * a2 + first.b * second.b) * invProduct;
        const double sinD = (a1 * second.b - first.b * a2) * invProduct;
        // sin(d/2), from whichever half-angle form keeps its digits at this angle.
        double half = sinD / (2 * std::sqrt((1 + cosD) / 2));
        if (cosD < 0) {
            half = std::sqrt((1 - cosD) / 2);
            half = sinD < 0 ? -half : half;
        }
        dH = 2 * root * half;
        const double invU = 1 / u;
        cosH = ux * invU;
        sinH = uy * invU;
        meanH = std::atan2(sinH, cosH) * (180.0 / Pi);
        if (meanH < 0)
            meanH += 360;
    }
    const double cos2 = cosH * cosH - sinH * sinH;
    const double sin2 = 2 * sinH * cosH;
    const double cos3 = cos2 * cosH - sin2 * sinH;
    const double sin3 = sin2 * cosH + cos2 * sinH;
    const double cos4 = cos2 * cos2 - sin2 * sin2;
    const double sin4 = 2 * sin2 * cos2;
    // cos and sin of 30, 6 and 63 degrees
    constexpr double c30 = 0.86602540378443864676, s30 = 0.5;
    constexpr double c6 = 0.99452189536827333692, s6 = 0.10452846326765347140;
    constexpr double c63 = 0.45399049973954679156, s63 = 0.89100652418836786236;
    const double t = 1 - 0.17 * (cosH * c30 + sinH * s30) + 0.24 * cos2 +
                     0.32 * (cos3 * c6 - sin3 * s6) - 0.20 * (cos4 * c63 + sin4 * s63);
    const double meanL = (first.L + second.L) / 2;
    const double meanC = (cp1 + cp2) / 2;
    const double l50 = (meanL - 50) * (meanL - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * meanC;
    const double sH = 1 + 0.015 * meanC * t;
    const double tl = dL / sL;
    const double tc = dC / sC;
    const double th = dH / sH;
    // The rotation term: e^-((h - 275) / 25)^2 is below 1e-17 beyond 160 degrees from 275,
    // where the term cannot reach the last digit of the sum (only its sign would).
    double rotation = 0;
    if (meanH > 115) {
        const double dTheta = 30 * std::exp(-((meanH - 275) / 25) * ((meanH - 275) / 25));
        const double rT = -std::sin(2 * dTheta * Pi / 180) * 2 * Pow7Ratio(meanC);
        rotation = rT * tc * th;
    }
    return std::sqrt(tl * tl + tc * tc + th * th + rotation);
}

PerceptualScore ComparePictures(const Picture& source, const Picture& result, int threads) {
    CheckSizes(source, result);
    const Planes across = BlurredAcross(source, result, threads);
    return {MeanDeltaE(across, threads), MeanLumaSsim(across, threads)};
}

double MeanBlurredDeltaE(const Picture& source, const Picture& result, int threads) {
    CheckSizes(source, result);
    return MeanDeltaE(BlurredAcross(source, result, threads), threads);
}

std::string DeltaEText(double meanDeltaE) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.1f", meanDeltaE);
    return std::string("\u0394E ") + digits;
}

} // namespace murelo
