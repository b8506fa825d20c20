#include "core/convert/RunPairSearch.h"

#include "core/palette/Palettes.h"

#include <algorithm>
#include <array>
#include <climits>

namespace murelo {

namespace {

inline std::int64_t Squared(const DitherPoint& d) {
    return std::int64_t(d[0]) * d[0] + std::int64_t(d[1]) * d[1] + std::int64_t(d[2]) * d[2];
}

inline std::int32_t Share(std::int32_t error, std::int32_t share) {
    return std::int32_t((std::int64_t(error) * share + 32768) >> 16);
}

// The cost of the candidate over the run, or a value above `bound` as soon as it is clear
// that the candidate cannot come in under it. `out`, when given, gets the whole drawing.
// The part of the carry a pixel takes: pixels already in the palette take none.
inline DitherPoint Taken(const RunTargets& run, int i, const DitherPoint& carry) {
    const std::int32_t keep = run.exact[std::size_t(i)] ? 0 : -1;
    return {carry[0] & keep, carry[1] & keep, carry[2] & keep};
}

inline DitherPoint Sum(const DitherPoint& p, const DitherPoint& q) {
    return {p[0] + q[0], p[1] + q[1], p[2] + q[2]};
}

// What a pixel's choice costs: its error together with the carry it took, weighted. The
// sum is the error seen across the pixel and the one before it, which is what remains
// once the eye (or a blur) merges neighbours; the plain error alone would also punish
// the mixing that makes the colour.
inline std::int64_t PixelCost(const RunTargets& run, int i, const DitherPoint& error,
                              const DitherPoint& taken) {
    return Squared(Sum(error, taken)) * run.weight[std::size_t(i)];
}

// The cost of the candidate over the run, or a value above `bound` as soon as it is clear
// that the candidate cannot come in under it. `out`, when given, gets the whole drawing.
// Exact is false only for runs without a pixel already in the palette (most runs of a
// photograph), which then need no masks.
template <bool Record, bool Exact = true>
std::int64_t Trace(const RunTargets& run, const PairCandidate& pair, std::int32_t ahead,
                   std::int64_t bound, RunDrawing* out) {
    DitherPoint carry = run.carryIn;
    std::int64_t cost = 0;
    for (int i = 0; i < run.count; ++i) {
        const DitherPoint taken = Exact ? Taken(run, i, carry) : carry;
        const DitherPoint v = Sum(run.target[std::size_t(i)], taken);
        // The choice aims past the value by the carry it took, so that the colour chosen
        // is also the one of least cost (see PixelCost).
        const DitherPoint aim = Sum(v, taken);
        const std::int64_t dot = std::int64_t(aim[0]) * pair.towardB[0] +
                                 std::int64_t(aim[1]) * pair.towardB[1] +
                                 std::int64_t(aim[2]) * pair.towardB[2];
        const bool second = 2 * dot > pair.split; // ties keep the first colour
        const DitherPoint& c = second ? pair.b : pair.a;
        const DitherPoint e = {v[0] - c[0], v[1] - c[1], v[2] - c[2]};
        cost += PixelCost(run, i, e, taken);
        if (cost > bound)
            return cost;
        carry = {Share(e[0], ahead), Share(e[1], ahead), Share(e[2], ahead)};
        if constexpr (Record) {
            out->second[std::size_t(i)] = second;
            out->error[std::size_t(i)] = e;
        }
    }
    if constexpr (Record) {
        out->cost = cost;
        out->carryOut = carry;
    }
    return cost;
}

} // namespace

PairCandidate MakePairCandidate(int first, int second, const DitherPoint& a, const DitherPoint& b) {
    return {first, second, a, b, {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, Squared(b) - Squared(a)};
}

RunDrawing DrawRun(const RunTargets& run, const PairCandidate& pair, const RunLimits& limits) {
    RunDrawing drawing;
    Trace<true>(run, pair, limits.ahead, INT64_MAX, &drawing);
    return drawing;
}

int SearchRunPlain(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                   const RunLimits& limits) {
    int best = 0;
    std::int64_t bestCost = INT64_MAX;
    for (int c = 0; c < int(candidates.size()); ++c) {
        const std::int64_t cost =
            Trace<false>(run, candidates[std::size_t(c)], limits.ahead, INT64_MAX, nullptr);
        if (cost < bestCost) {
            bestCost = cost;
            best = c;
        }
    }
    return best;
}

int SearchRunPruned(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                    const RunLimits& limits, int hint) {
    const int count = int(candidates.size());
    if (count == 0)
        return 0;
    if (hint < 0 || hint >= count)
        hint = 0;
    // Every candidate sees the same first pixel, so its cost there is known per colour.
    std::array<std::int64_t, PaletteEntries> firstCost{};
    const DitherPoint taken = Taken(run, 0, run.carryIn);
    const DitherPoint v0 = Sum(run.target[0], taken);
    for (const PairCandidate& pair : candidates)
        if (pair.first == pair.second) {
            const DitherPoint e = {v0[0] - pair.a[0], v0[1] - pair.a[1], v0[2] - pair.a[2]};
            firstCost[std::size_t(pair.first)] = PixelCost(run, 0, e, taken);
        }
    const bool anyExact =
        std::any_of(run.exact.begin(), run.exact.begin() + run.count, [](bool e) { return e; });
    int best = hint;
    std::int64_t bestCost =
        Trace<false>(run, candidates[std::size_t(hint)], limits.ahead, INT64_MAX, nullptr);
    for (int c = 0; c < count; ++c) {
        // Nothing beats no error; only an earlier candidate can still tie it.
        if (bestCost == 0 && c > best)
            break;
        const PairCandidate& pair = candidates[std::size_t(c)];
        if (c == hint || std::min(firstCost[std::size_t(pair.first)],
                                  firstCost[std::size_t(pair.second)]) > bestCost)
            continue;
        // Costs only grow pixel by pixel, so a partial cost above the best is final.
        const std::int64_t cost =
            anyExact ? Trace<false, true>(run, pair, limits.ahead, bestCost, nullptr)
                     : Trace<false, false>(run, pair, limits.ahead, bestCost, nullptr);
        if (cost < bestCost || (cost == bestCost && c < best)) {
            bestCost = cost;
            best = c;
        }
    }
    return best;
}

} // namespace murelo
