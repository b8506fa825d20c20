#pragma once

#include "core/convert/PerceptualPoint.h"
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

    DitherPoint point(const Levels5& l) const { return at(l.r, l.g, l.b); }
    DitherPoint point(int y, int j, int k) const {
        return at(y + j, y + k, (5 * y - 2 * j - k + 2) >> 2);
    }
    DitherPoint point(const PaletteLevels& p) const {
        return point(Levels5{Widen3To5(p.r), Widen3To5(p.g), Widen3To5(p.b)});
    }
    // The lightness of Y = 0..31 in a group of chroma j, k, which is all a search needs to
    // know where to look (one table for all chromas: 512 KiB, built once).
    const std::int32_t* lightness(int j, int k) const {
        return lightness_.data() +
               std::size_t(((j - YjkChromaMin) * 64 + (k - YjkChromaMin)) * YjkLevelCount);
    }

  private:
    // The tables reach from -64 to 63 with the chip's clamp built in, so that a decoded
    // colour costs three look-ups and no comparisons (DecodeYjkLevels' sums stay inside).
    static constexpr int Reach = 64;
    static std::size_t Slot(int level) { return std::size_t(level + Reach); }
    DitherPoint at(int r, int g, int b) const {
        const DitherPoint& pr = level_[0][Slot(r)];
        const DitherPoint& pg = level_[1][Slot(g)];
        const DitherPoint& pb = level_[2][Slot(b)];
        return {pr[0] + pg[0] + pb[0], pr[1] + pg[1] + pb[1], pr[2] + pg[2] + pb[2]};
    }

    std::array<std::array<DitherPoint, 2 * Reach>, 3> level_{};
    std::vector<std::int32_t> lightness_;
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

// The luminance of least cost for the pixel in a group of chroma j, k, and that cost, or
// `limit` when none costs less (then y is where the lightness crosses the target's).
// Exact: the decoded lightness grows with Y, so once the lightness gap alone costs as much as
// the best, no Y further out can win. `hint` (5-bit) only says where to start looking.
LumaChoice BestLuma(const YjkPixelTarget& target, int j, int k, YjkScreen screen, int hint,
                    std::int64_t limit = YjkCostUnreached);

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
