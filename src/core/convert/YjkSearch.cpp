#include "core/convert/YjkSearch.h"

#include "core/convert/PerceptualPoint.h"

#include <algorithm>

namespace murelo {

namespace {

std::int64_t LightnessBound(const YjkPixelTarget& t, std::int32_t lightness) {
    const std::int64_t dl = t.point[0] - lightness;
    return dl * dl * 256 * t.weight;
}

bool InChromaRange(int v) {
    return v >= YjkChromaMin && v <= YjkChromaMax;
}

std::size_t SeenIndex(int j, int k) {
    return std::size_t((j - YjkChromaMin) * 64 + (k - YjkChromaMin));
}

} // namespace

YjkSpace::YjkSpace() {
    for (int v = -Reach; v < Reach; ++v) {
        const int value = ChipValue5(ClampLevel(v));
        level_[0][Slot(v)] = DitherPointOf(RgbRec(value, 0, 0));
        level_[1][Slot(v)] = DitherPointOf(RgbRec(0, value, 0));
        level_[2][Slot(v)] = DitherPointOf(RgbRec(0, 0, value));
    }
    lightness_.reserve(std::size_t(64 * 64 * YjkLevelCount));
    for (int j = YjkChromaMin; j <= YjkChromaMax; ++j)
        for (int k = YjkChromaMin; k <= YjkChromaMax; ++k)
            for (int y = 0; y < YjkLevelCount; ++y)
                lightness_.push_back(point(y, j, k)[0]);
}

const YjkSpace& TheYjkSpace() {
    static const YjkSpace space;
    return space;
}

LumaChoice BestLuma(const YjkPixelTarget& target, int j, int k, YjkScreen screen, int hint,
                    std::int64_t limit) {
    const YjkSpace& space = TheYjkSpace();
    const int step = YjkLumaStep(screen);
    const int top = YjkMaxLevel / step; // luminance index n stands for Y = n * step
    const std::int32_t wanted = target.point[0];
    const std::int32_t* lightness = space.lightness(j, k);
    auto light = [&](int n) { return lightness[n * step]; };
    // Walk to the first index whose lightness reaches the target's (or an end), keeping the
    // lightness of the index below it.
    int n = std::clamp(hint / step, 0, top);
    std::int32_t ln = light(n);
    std::int32_t below = 0;
    if (ln < wanted) {
        while (n < top) {
            below = ln;
            ln = light(++n);
            if (ln >= wanted)
                break;
        }
    } else {
        while (n > 0) {
            below = light(n - 1);
            if (below < wanted)
                break;
            --n;
            ln = below;
        }
    }
    if (n > 0)
        below = light(n - 1);
    LumaChoice best{-1, limit};
    auto consider = [&](int m, std::int32_t lm) {
        if (LightnessBound(target, lm) >= best.cost)
            return false;
        const std::int64_t c = YjkCost(target, space.point(m * step, j, k));
        if (c < best.cost)
            best = {m * step, c};
        return true;
    };
    // The nearer of the two around the crossing first: its cost bounds the other's.
    if (n > 0 && wanted - below < ln - wanted) {
        consider(n - 1, below);
        consider(n, ln);
    } else {
        consider(n, ln);
        if (n > 0)
            consider(n - 1, below);
    }
    for (int m = n + 1; m <= top && consider(m, light(m)); ++m) {
    }
    for (int m = n - 2; m >= 0 && consider(m, light(m)); --m) {
    }
    if (best.y < 0)
        best.y = n * step;
    return best;
}

std::int64_t GroupCost(const YjkGroupProblem& problem, int j, int k, std::int64_t bound,
                       std::array<int, YjkGroupSize>& hints) {
    std::int64_t sum = 0;
    for (int i = 0; i < problem.count; ++i) {
        // Past what is left under the bound, a pixel's cost only needs to show it is too much.
        const std::int64_t left = bound == YjkCostUnreached ? bound : bound - sum + 1;
        const std::int64_t limit = std::min(problem.paletteCost[std::size_t(i)], left);
        const LumaChoice luma = BestLuma(problem.pixel[std::size_t(i)], j, k, problem.screen,
                                         hints[std::size_t(i)], limit);
        hints[std::size_t(i)] = luma.y;
        sum += luma.cost;
        if (sum > bound)
            return sum;
    }
    return sum;
}

ChromaChoice SearchChromaExhaustive(const YjkGroupProblem& problem) {
    ChromaChoice best;
    std::array<int, YjkGroupSize> hints{16, 16, 16, 16};
    for (int j = YjkChromaMin; j <= YjkChromaMax; ++j)
        for (int k = YjkChromaMin; k <= YjkChromaMax; ++k) {
            const std::int64_t c = GroupCost(problem, j, k, best.cost, hints);
            if (c < best.cost)
                best = {{j, k}, c};
        }
    return best;
}

ChromaChoice SearchChroma(const YjkGroupProblem& problem, std::span<const Chroma> starts,
                          ChromaSearchWork& work) {
    if (++work.stamp == 0) {
        std::fill(work.seen.begin(), work.seen.end(), 0u);
        work.stamp = 1;
    }
    std::array<int, YjkGroupSize> hints{16, 16, 16, 16};
    ChromaChoice best;
    auto tryChroma = [&](int j, int k) {
        if (!InChromaRange(j) || !InChromaRange(k))
            return false;
        std::uint32_t& seen = work.seen[SeenIndex(j, k)];
        if (seen == work.stamp)
            return false;
        seen = work.stamp;
        const std::int64_t c = GroupCost(problem, j, k, best.cost, hints);
        if (c >= best.cost)
            return false;
        best = {{j, k}, c};
        return true;
    };
    for (const Chroma& s : starts)
        tryChroma(std::clamp(s.j, YjkChromaMin, YjkChromaMax),
                  std::clamp(s.k, YjkChromaMin, YjkChromaMax));
    for (int reach = 1; reach <= 2; ++reach) {
        for (;;) {
            const Chroma centre = best.chroma;
            for (int dj = -reach; dj <= reach; ++dj)
                for (int dk = -reach; dk <= reach; ++dk)
                    tryChroma(centre.j + dj, centre.k + dk);
            if (best.chroma == centre)
                break;
            reach = 1; // a move starts the close look again
        }
    }
    return best;
}

} // namespace murelo
