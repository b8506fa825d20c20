#pragma once

#include "core/convert/ColorMath.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

namespace murelo {

// The plain nearest-colour search of in-range colours over a fixed palette and range, laid
// out channel by channel so all sixteen squares are formed together. Gives exactly what
// NearestPaletteIndex gives: the first entry of the smallest truncated distance.
class PaletteSearch {
  public:
    PaletteSearch(const ConverterPalette& palette, int first, int last) : first_(first) {
        for (int i = 0; i < PaletteEntries; ++i) {
            r_[std::size_t(i)] = palette[std::size_t(i)].R;
            g_[std::size_t(i)] = palette[std::size_t(i)].G;
            b_[std::size_t(i)] = palette[std::size_t(i)].B;
            // Entries outside the range sit far enough away never to be chosen.
            const bool inside = i >= first && i <= last;
            excluded_[std::size_t(i)] = inside ? 0 : INT32_MAX / 2;
            usable_ = usable_ && (!inside || (unsigned(r_[std::size_t(i)]) <= 255 &&
                                              unsigned(g_[std::size_t(i)]) <= 255 &&
                                              unsigned(b_[std::size_t(i)]) <= 255));
        }
        usable_ = usable_ && first >= 0 && last < PaletteEntries && first <= last;
    }

    // False when the palette or range needs the general search.
    bool usable() const { return usable_; }

    // The nearest entry of a colour with channels 0..255.
    int nearest(const ColorRec& rec) const {
        std::array<std::int32_t, PaletteEntries> squares;
        for (int i = 0; i < PaletteEntries; ++i) {
            const std::int32_t dR = rec.R - r_[std::size_t(i)];
            const std::int32_t dG = rec.G - g_[std::size_t(i)];
            const std::int32_t dB = rec.B - b_[std::size_t(i)];
            squares[std::size_t(i)] = dR * dR + dG * dG + dB * dB + excluded_[std::size_t(i)];
        }
        std::int32_t smallest = INT32_MAX;
        for (int i = 0; i < PaletteEntries; ++i)
            smallest = std::min(smallest, squares[std::size_t(i)]);
        const std::int32_t root = std::int32_t(std::sqrt(double(smallest)));
        const std::int64_t bound = std::int64_t(root + 1) * (root + 1);
        for (int i = first_; i < PaletteEntries; ++i)
            if (squares[std::size_t(i)] < bound)
                return i;
        return first_;
    }

  private:
    alignas(64) std::array<std::int32_t, PaletteEntries> r_{};
    alignas(64) std::array<std::int32_t, PaletteEntries> g_{};
    alignas(64) std::array<std::int32_t, PaletteEntries> b_{};
    alignas(64) std::array<std::int32_t, PaletteEntries> excluded_{};
    int first_;
    bool usable_ = true;
};

} // namespace murelo
