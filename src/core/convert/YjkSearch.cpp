#include "core/convert/YjkSearch.h"

#include "core/convert/DitherSpace.h"

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
    for (int v = 0; v < YjkLevelCount; ++v) {
        const int value = YjkChannelValue(v);
        level_[0][std::size_t(v)] = DitherPointOf(RgbRec(value, 0, 0));
        level_[1][std::size_t(v)] = DitherPointOf(RgbRec(0, value, 0));
        level_[2][std::size_t(v)] = DitherPointOf(RgbRec(0, 0, value));
    }
}

const YjkSpace& TheYjkSpace() {
    static const YjkSpace space;
    return space;
}

LumaChoice BestLuma(const YjkPixelTarget& target, int j, int k, YjkScreen screen, int hint) {
    const YjkSpace& space = TheYjkSpace();
    const int step = YjkLumaStep(screen);
    const int top = YjkMaxLevel / step; // luminance index n stands for Y = n * step
    const std::int32_t wanted = target.point[0];
    int n = std::clamp(hint / step, 0, top);
    DitherPoint p = space.point(n * step, j, k);
    // Walk to the first index whose lightness reaches the target's (or an end).
    if (p[0] < wanted) {
        while (n < top) {
            ++n;
            p = space.point(n * step, j, k);
            if (p[0] >= wanted)
                break;
        }
    } else {
        while (n > 0) {
            const DitherPoint q = space.point((n - 1) * step, j, k);
            if (q[0] < wanted)
                break;
            --n;
            p = q;
        }
    }
    LumaChoice best{n * step, YjkCost(target, p)};
    for (int m = n + 1; m <= top; ++m) {
        const DitherPoint q = space.point(m * step, j, k);
        if (LightnessBound(target, q[0]) >= best.cost)
            break;
        const std::int64_t c = YjkCost(target, q);
        if (c < best.cost)
            best = {m * step, c};
    }
    for (int m = n - 1; m >= 0; --m) {
        const DitherPoint q = space.point(m * step, j, k);
        if (LightnessBound(target, q[0]) >= best.cost)
            break;
        const std::int64_t c = YjkCost(target, q);
        if (c < best.cost)
            best = {m * step, c};
    }
    return best;
}

std::int64_t GroupCost(const YjkGroupProblem& problem, int j, int k, std::int64_t bound,
                       std::array<int, YjkGroupSize>& hints) {
    std::int64_t sum = 0;
    for (int i = 0; i < problem.count; ++i) {
        const LumaChoice luma =
            BestLuma(problem.pixel[std::size_t(i)], j, k, problem.screen, hints[std::size_t(i)]);
        hints[std::size_t(i)] = luma.y;
        sum += std::min(luma.cost, problem.paletteCost[std::size_t(i)]);
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
