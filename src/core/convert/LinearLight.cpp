#include "core/convert/LinearLight.h"

#include <algorithm>
#include <cmath>

namespace murelo {

double LinearFromSrgb(double encoded01) {
    if (encoded01 <= 0.04045)
        return encoded01 / 12.92;
    return std::pow((encoded01 + 0.055) / 1.055, 2.4);
}

double SrgbFromLinear(double linear01) {
    const double v = std::clamp(linear01, 0.0, 1.0);
    if (v <= 0.0031308)
        return v * 12.92;
    return 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int v = 0; v < 256; ++v)
            t[std::size_t(v)] = LinearFromSrgb(v / 255.0);
        return t;
    }();
    return table;
}

} // namespace murelo
