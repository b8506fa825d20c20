// The perceptual scores straight from their definitions: the reference the fast
// computation in PerceptualError.cpp is held to, and the colour difference itself.
#include "core/convert/PerceptualError.h"

#include "core/convert/CieXyz.h"
#include "core/convert/GaussianKernel.h"
#include "core/convert/LinearLight.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace murelo {

namespace {

constexpr double Pi = std::numbers::pi;

double Radians(double degrees) {
    return degrees * Pi / 180.0;
}

double LabCurve(double t) {
    constexpr double delta = 6.0 / 29.0;
    if (t > delta * delta * delta)
        return std::cbrt(t);
    return t / (3 * delta * delta) + 4.0 / 29.0;
}

// Hue angle in degrees 0..360; 0 for a neutral colour.
double HueDegrees(double b, double a) {
    if (a == 0 && b == 0)
        return 0;
    const double h = std::atan2(b, a) * 180.0 / Pi;
    return h < 0 ? h + 360 : h;
}

double Pow7Ratio(double c) {
    const double c7 = std::pow(c, 7);
    return std::sqrt(c7 / (c7 + std::pow(25.0, 7)));
}

double HueDifference(double h1, double h2, double chromaProduct) {
    if (chromaProduct == 0)
        return 0;
    const double dh = h2 - h1;
    if (dh > 180)
        return dh - 360;
    if (dh < -180)
        return dh + 360;
    return dh;
}

double MeanHue(double h1, double h2, double chromaProduct) {
    if (chromaProduct == 0)
        return h1 + h2;
    if (std::abs(h1 - h2) <= 180)
        return (h1 + h2) / 2;
    return h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
}

// One channel plane of a picture.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<double> values;
    double at(int x, int y) const { return values[std::size_t(y) * width + x]; }
};

// Separable blur.
Plane Blurred(const Plane& in, const std::vector<double>& kernel, Edge edge) {
    const int radius = int(kernel.size() / 2);
    Plane across = in;
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            double sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += kernel[std::size_t(i + radius)] * in.at(EdgeIndex(x + i, in.width, edge), y);
            across.values[std::size_t(y) * in.width + x] = sum;
        }
    Plane out = across;
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            double sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += kernel[std::size_t(i + radius)] *
                       across.at(x, EdgeIndex(y + i, in.height, edge));
            out.values[std::size_t(y) * in.width + x] = sum;
        }
    return out;
}

template <class Value> Plane PlaneOf(const Picture& picture, Value value) {
    Plane plane{picture.width(), picture.height(), {}};
    plane.values.reserve(picture.pixels().size());
    for (ColorValue c : picture.pixels())
        plane.values.push_back(value(c));
    return plane;
}

std::array<Plane, 3> BlurredLinear(const Picture& picture) {
    const auto& linear = LinearTable();
    const std::vector<double> kernel = GaussianKernel(1.0, 3);
    const auto plane = [&](auto channel) {
        return Blurred(PlaneOf(picture, [&](ColorValue c) { return linear[channel(c)]; }), kernel,
                       Edge::Repeated);
    };
    return {plane(RedOf), plane(GreenOf), plane(BlueOf)};
}

// Both pictures as the eye sees them from a little away: linear light, blurred.
struct BlurredPair {
    std::array<Plane, 3> source;
    std::array<Plane, 3> result;
};

double MeanDeltaE(const BlurredPair& p) {
    double sum = 0;
    const std::size_t count = p.source[0].values.size();
    for (std::size_t i = 0; i < count; ++i)
        sum += Ciede2000(
            LabFromLinearRgb(p.source[0].values[i], p.source[1].values[i], p.source[2].values[i]),
            LabFromLinearRgb(p.result[0].values[i], p.result[1].values[i], p.result[2].values[i]));
    return sum / double(count);
}

// The luma Y' (0..1) of blurred linear planes taken back to sRGB.
Plane Luma(const std::array<Plane, 3>& rgb) {
    Plane out = rgb[0];
    for (std::size_t i = 0; i < out.values.size(); ++i)
        out.values[i] = 0.2126 * SrgbFromLinear(rgb[0].values[i]) +
                        0.7152 * SrgbFromLinear(rgb[1].values[i]) +
                        0.0722 * SrgbFromLinear(rgb[2].values[i]);
    return out;
}

Plane Product(const Plane& a, const Plane& b) {
    Plane out = a;
    for (std::size_t i = 0; i < a.values.size(); ++i)
        out.values[i] = a.values[i] * b.values[i];
    return out;
}

// Wang et al.'s SSIM of two planes of values 0..1: Gaussian window of sigma 1.5 (radius 5,
// reflected edges), population variances, averaged over every pixel but a border of the
// window's radius (over all of them when the picture is too small to have an inside).
double MeanSsim(const Plane& x, const Plane& y) {
    constexpr double C1 = 0.01 * 0.01;
    constexpr double C2 = 0.03 * 0.03;
    constexpr int Radius = 5;
    const std::vector<double> window = GaussianKernel(1.5, Radius);
    const Plane mx = Blurred(x, window, Edge::Reflected);
    const Plane my = Blurred(y, window, Edge::Reflected);
    const Plane xx = Blurred(Product(x, x), window, Edge::Reflected);
    const Plane yy = Blurred(Product(y, y), window, Edge::Reflected);
    const Plane xy = Blurred(Product(x, y), window, Edge::Reflected);
    const bool inside = x.width > 2 * Radius && x.height > 2 * Radius;
    const int border = inside ? Radius : 0;
    double sum = 0;
    for (int row = border; row < x.height - border; ++row)
        for (int column = border; column < x.width - border; ++column) {
            const std::size_t i = std::size_t(row) * x.width + column;
            const double ux = mx.values[i];
            const double uy = my.values[i];
            const double vx = xx.values[i] - ux * ux;
            const double vy = yy.values[i] - uy * uy;
            const double cov = xy.values[i] - ux * uy;
            sum +=
                ((2 * ux * uy + C1) * (2 * cov + C2)) / ((ux * ux + uy * uy + C1) * (vx + vy + C2));
        }
    return sum / (double(x.width - 2 * border) * double(x.height - 2 * border));
}

} // namespace

LabColor LabFromLinearRgb(double r, double g, double b) {
    return LabOfLinear(r, g, b, LabCurve);
}

double Ciede2000(const LabColor& first, const LabColor& second) {
    const double c1 = std::hypot(first.a, first.b);
    const double c2 = std::hypot(second.a, second.b);
    const double g = 0.5 * (1 - Pow7Ratio((c1 + c2) / 2));
    const double a1 = (1 + g) * first.a;
    const double a2 = (1 + g) * second.a;
    const double cp1 = std::hypot(a1, first.b);
    const double cp2 = std::hypot(a2, second.b);
    const double h1 = HueDegrees(first.b, a1);
    const double h2 = HueDegrees(second.b, a2);
    const double chromaProduct = cp1 * cp2;

    const double dL = second.L - first.L;
    const double dC = cp2 - cp1;
    const double dH =
        2 * std::sqrt(chromaProduct) * std::sin(Radians(HueDifference(h1, h2, chromaProduct)) / 2);

    const double meanL = (first.L + second.L) / 2;
    const double meanC = (cp1 + cp2) / 2;
    const double meanH = MeanHue(h1, h2, chromaProduct);
    const double t = 1 - 0.17 * std::cos(Radians(meanH - 30)) +
                     0.24 * std::cos(Radians(2 * meanH)) + 0.32 * std::cos(Radians(3 * meanH + 6)) -
                     0.20 * std::cos(Radians(4 * meanH - 63));
    const double dTheta = 30 * std::exp(-((meanH - 275) / 25) * ((meanH - 275) / 25));
    const double rC = 2 * Pow7Ratio(meanC);
    const double l50 = (meanL - 50) * (meanL - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * meanC;
    const double sH = 1 + 0.015 * meanC * t;
    const double rT = -std::sin(Radians(2 * dTheta)) * rC;
    const double tl = dL / sL;
    const double tc = dC / sC;
    const double th = dH / sH;
    return std::sqrt(tl * tl + tc * tc + th * th + rT * tc * th);
}

double LumaSsim(std::span<const double> x, std::span<const double> y, int width, int height) {
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (width <= 0 || height <= 0 || x.size() != count || y.size() != count)
        throw std::invalid_argument("the planes differ from the size given");
    return MeanSsim(Plane{width, height, {x.begin(), x.end()}},
                    Plane{width, height, {y.begin(), y.end()}});
}

PerceptualScore ComparePicturesPlain(const Picture& source, const Picture& result) {
    if (source.empty() || source.width() != result.width() || source.height() != result.height())
        throw std::invalid_argument(
            "the pictures differ in size (" + std::to_string(source.width()) + " x " +
            std::to_string(source.height()) + " and " + std::to_string(result.width()) + " x " +
            std::to_string(result.height()) + ")");
    const BlurredPair blurred{BlurredLinear(source), BlurredLinear(result)};
    return {MeanDeltaE(blurred), MeanSsim(Luma(blurred.source), Luma(blurred.result))};
}

} // namespace murelo
