#pragma once

#include "core/convert/DitherWork.h"
#include "core/convert/YjkDecode.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

// The choice of one group's chroma and its pixels' luminances against what the V9958
// decodes, in the dithered modes' working space (linear light, CIELAB-scaled axes).
namespace murelo {

// The working-space points of every 5-bit level of each channel; a decoded colour's point
// is the sum of its three channels' points, since the space is linear in linear light.
class YjkSpace {
  public:
    YjkSpace();

    DitherPoint point(const Levels5& l) const {
        const DitherPoint& r = level_[0][std::size_t(l.r)];
        const DitherPoint& g = level_[1][std::size_t(l.g)];
        const DitherPoint& b = level_[2][std::size_t(l.b)];
        return {r[0] + g[0] + b[0], r[1] + g[1] + b[1], r[2] + g[2] + b[2]};
    }
    DitherPoint point(int y, int j, int k) const { return point(DecodeYjkLevels(y, j, k)); }
    DitherPoint point(const PaletteLevels& p) const {
        return point(Levels5{PaletteLevel5(p.r), PaletteLevel5(p.g), PaletteLevel5(p.b)});
    }

  private:
    std::array<std::array<DitherPoint, YjkLevelCount>, 3> level_{};
};

// Built once: the tables depend on nothing but the chip.
const YjkSpace& TheYjkSpace();

// One pixel to match: its point (source plus the error it was given) and how its error
// counts (DitherWeightOf and DitherChromaWeightOf of its source colour).
struct YjkPixelTarget {
    DitherPoint point{};
    std::int32_t weight = 16;
    std::int32_t chroma = 256;
};

// The weighted squared distance that every choice of these modes minimises.
inline std::int64_t YjkCost(const YjkPixelTarget& t, const DitherPoint& shown) {
    const std::int64_t dl = t.point[0] - shown[0];
    const std::int64_t da = t.point[1] - shown[1];
    const std::int64_t db = t.point[2] - shown[2];
    return (dl * dl * 256 + (da * da + db * db) * t.chroma) * t.weight;
}

inline constexpr std::int64_t YjkCostUnreached = std::numeric_limits<std::int64_t>::max();

// The luminances a screen can store: every level in SCREEN 12, the even ones in 10/11.
constexpr int YjkLumaStep(YjkScreen screen) {
    return screen == YjkScreen::Screen12 ? 1 : 2;
}

struct LumaChoice {
    int y = 0; // 5-bit
    std::int64_t cost = YjkCostUnreached;
};

// The luminance of least cost for the pixel in a group of chroma j, k (the lowest among
// equal costs is not promised; the cost is the least). Exact: the decoded lightness grows
// with Y, so once the lightness gap alone costs more than the best, no Y further out can
// win. `hint` (5-bit) only says where to start looking.
LumaChoice BestLuma(const YjkPixelTarget& target, int j, int k, YjkScreen screen, int hint);

// One group's search problem: its pixels and, in SCREEN 10/11, each pixel's cost with its
// best palette colour (YjkCostUnreached where no palette serves).
struct YjkGroupProblem {
    YjkScreen screen = YjkScreen::Screen12;
    int count = YjkGroupSize;
    std::array<YjkPixelTarget, YjkGroupSize> pixel{};
    std::array<std::int64_t, YjkGroupSize> paletteCost{YjkCostUnreached, YjkCostUnreached,
                                                       YjkCostUnreached, YjkCostUnreached};
};

struct Chroma {
    int j = 0;
    int k = 0;
    friend bool operator==(const Chroma&, const Chroma&) = default;
};

struct ChromaChoice {
    Chroma chroma;
    std::int64_t cost = YjkCostUnreached;
};

// The group's cost with chroma j, k: each pixel its best luminance or its palette colour.
// Stops as soon as the sum passes `bound` and returns what it has then. `hints` carry each
// pixel's last luminance from one call to the next.
std::int64_t GroupCost(const YjkGroupProblem& problem, int j, int k, std::int64_t bound,
                       std::array<int, YjkGroupSize>& hints);

// Every one of the 64 x 64 chromas: the least cost (the first in j-major order among
// equals). The reference the search below is measured against.
ChromaChoice SearchChromaExhaustive(const YjkGroupProblem& problem);

// What the search keeps between groups: which chromas it has met in the current group.
struct ChromaSearchWork {
    std::vector<std::uint32_t> seen = std::vector<std::uint32_t>(64 * 64);
    std::uint32_t stamp = 0;
};

// A descent over the chroma grid from the best of `starts`: it moves to the best of the
// eight neighbours while one is cheaper, then looks once more two steps out in every
// direction before it stops. Near-exact: its loss against the exhaustive search is
// measured (tests and the search-loss benchmark), not proved zero.
ChromaChoice SearchChroma(const YjkGroupProblem& problem, std::span<const Chroma> starts,
                          ChromaSearchWork& work);

} // namespace murelo
