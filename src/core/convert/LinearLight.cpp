#include "core/convert/LinearLight.h"

#include <cmath>

namespace murelo {

double LinearFromSrgb(double encoded01) {
    if (encoded01 <= 0.04045)
        return encoded01 / 12.92;
    return std::pow((encoded01 + 0.055) / 1.055, 2.4);
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
