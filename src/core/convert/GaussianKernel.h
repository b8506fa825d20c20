#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace murelo {

// The normalised Gaussian that compare blurs with. The fast scores, their plain reference
// and the dithers that aim at what compare sees all take their taps from here, so the taps
// agree to the bit wherever they are used.
inline std::vector<double> GaussianKernel(double sigma, int radius) {
    std::vector<double> kernel(std::size_t(2 * radius + 1));
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        kernel[std::size_t(i + radius)] = std::exp(-(i * i) / (2 * sigma * sigma));
        sum += kernel[std::size_t(i + radius)];
    }
    for (double& k : kernel)
        k /= sum;
    return kernel;
}

// What a blur reads beyond the picture's edge.
enum class Edge {
    Repeated,  // the edge pixel, repeated outward
    Reflected, // the picture mirrored at its edge, the edge pixel included (d c b a | a b c d)
};

inline int EdgeIndex(int i, int n, Edge edge) {
    if (edge == Edge::Repeated)
        return std::clamp(i, 0, n - 1);
    // A window wider than the picture reflects more than once.
    const int period = 2 * n;
    i %= period;
    if (i < 0)
        i += period;
    return i < n ? i : period - 1 - i;
}

} // namespace murelo
