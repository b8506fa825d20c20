#include "core/convert/RunPairSearch.h"

#include "core/palette/Palettes.h"

#include <algorithm>
#include <array>
#include <climits>

namespace murelo {

namespace {

inline std::int64_t OpponentSquared(const DitherPoint& d) {
    return std::int64_t(d[1]) * d[1] + std::int64_t(d[2]) * d[2];
}

// A squared distance with the opponent axes counted `chroma`/256 against lightness.
inline std::int64_t Weighed(std::int64_t light, std::int64_t opponent, std::int32_t chroma) {
    return light * 256 + opponent * chroma;
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
    const DitherPoint d = Sum(error, taken);
    return Weighed(std::int64_t(d[0]) * d[0], OpponentSquared(d), run.chroma[std::size_t(i)]) *
           run.weight[std::size_t(i)];
}

// The cost of the candidate over the run, or a value above `bound` as soon as it is clear
// that the candidate cannot come in under it. `out`, when given, gets the whole drawing.
// Exact is false only for runs without a pixel already in the palette (most runs of a
// photograph), which then need no masks.
// The trace may start further along (`start`) with the carry and cost reached there.
template <bool Record, bool Exact = true>
std::int64_t Trace(const RunTargets& run, const PairCandidate& pair, std::int32_t ahead,
                   std::int64_t bound, RunDrawing* out, int start = 0,
                   DitherPoint carry = {INT32_MIN, 0, 0}, std::int64_t cost = 0) {
    if (start == 0)
        carry = run.carryIn;
    for (int i = start; i < run.count; ++i) {
        const DitherPoint taken = Exact ? Taken(run, i, carry) : carry;
        const DitherPoint v = Sum(run.target[std::size_t(i)], taken);
        // The choice aims past the value by the carry it took, so that the colour chosen
        // is also the one of least cost (see PixelCost).
        const DitherPoint aim = Sum(v, taken);
        const std::int32_t chroma = run.chroma[std::size_t(i)];
        const std::int64_t dot =
            Weighed(std::int64_t(aim[0]) * pair.towardB[0],
                    std::int64_t(aim[1]) * pair.towardB[1] + std::int64_t(aim[2]) * pair.towardB[2],
                    chroma);
        // ties keep the first colour
        const bool second = 2 * dot > Weighed(pair.splitLight, pair.splitChroma, chroma);
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
    return {first,
            second,
            a,
            b,
            {b[0] - a[0], b[1] - a[1], b[2] - a[2]},
            std::int64_t(b[0]) * b[0] - std::int64_t(a[0]) * a[0],
            OpponentSquared(b) - OpponentSquared(a)};
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

namespace {

// What every candidate meets at the first pixel, by palette index: the carry into it is
// the same for all, so each colour's weighed distance, cost and the carry it hands on
// are worked out once per run instead of once per pair.
struct FirstPixel {
    std::array<std::int64_t, PaletteEntries> distance{}; // weighed |aim - colour|^2
    std::array<std::int64_t, PaletteEntries> cost{};
    std::array<DitherPoint, PaletteEntries> carry{};
    std::array<bool, PaletteEntries> known{};
};

void Learn(FirstPixel& first, const RunTargets& run, std::int32_t ahead, int index,
           const DitherPoint& colour) {
    if (first.known[std::size_t(index)])
        return;
    first.known[std::size_t(index)] = true;
    const DitherPoint taken = Taken(run, 0, run.carryIn);
    const DitherPoint v = Sum(run.target[0], taken);
    const DitherPoint e = {v[0] - colour[0], v[1] - colour[1], v[2] - colour[2]};
    const DitherPoint d = Sum(e, taken);
    first.distance[std::size_t(index)] =
        Weighed(std::int64_t(d[0]) * d[0], OpponentSquared(d), run.chroma[0]);
    first.cost[std::size_t(index)] = first.distance[std::size_t(index)] * run.weight[0];
    first.carry[std::size_t(index)] = {Share(e[0], ahead), Share(e[1], ahead), Share(e[2], ahead)};
}

// The candidate's cost as Trace gives it, its first pixel taken from the table. The pair's
// choice there (2 aim.(b - a) > |b|^2 - |a|^2, weighed) is the same integer comparison as
// |aim - a|^2 > |aim - b|^2, weighed.
template <bool Exact>
std::int64_t TraceAfterFirst(const RunTargets& run, const PairCandidate& pair,
                             const FirstPixel& first, std::int32_t ahead, std::int64_t bound) {
    const bool second =
        first.distance[std::size_t(pair.first)] > first.distance[std::size_t(pair.second)];
    const std::size_t chosen = std::size_t(second ? pair.second : pair.first);
    const std::int64_t cost = first.cost[chosen];
    if (cost > bound || run.count == 1)
        return cost;
    return Trace<false, Exact>(run, pair, ahead, bound, nullptr, 1, first.carry[chosen], cost);
}

// One pixel of a candidate's trace (see Trace), for the side-by-side search.
template <bool Exact>
inline void Step(const RunTargets& run, const PairCandidate& pair, int i, std::int32_t ahead,
                 DitherPoint& carry, std::int64_t& cost) {
    const DitherPoint taken = Exact ? Taken(run, i, carry) : carry;
    const DitherPoint v = Sum(run.target[std::size_t(i)], taken);
    const DitherPoint aim = Sum(v, taken);
    const std::int32_t chroma = run.chroma[std::size_t(i)];
    const std::int64_t dot = Weighed(
        std::int64_t(aim[0]) * pair.towardB[0],
        std::int64_t(aim[1]) * pair.towardB[1] + std::int64_t(aim[2]) * pair.towardB[2], chroma);
    const bool second = 2 * dot > Weighed(pair.splitLight, pair.splitChroma, chroma);
    const DitherPoint& c = second ? pair.b : pair.a;
    const DitherPoint e = {v[0] - c[0], v[1] - c[1], v[2] - c[2]};
    cost += PixelCost(run, i, e, taken);
    carry = {Share(e[0], ahead), Share(e[1], ahead), Share(e[2], ahead)};
}

// Two candidates' costs as Trace gives them against one bound. A lane past the bound goes
// on until both are (its cost only grows, so it stays above the bound).
template <bool Exact>
void TraceTwo(const RunTargets& run, const PairCandidate& p, const PairCandidate& q,
              const FirstPixel& first, std::int32_t ahead, std::int64_t bound,
              std::array<std::int64_t, 2>& cost) {
    auto chosen = [&](const PairCandidate& pair) {
        const bool second =
            first.distance[std::size_t(pair.first)] > first.distance[std::size_t(pair.second)];
        return std::size_t(second ? pair.second : pair.first);
    };
    const std::size_t cp = chosen(p);
    const std::size_t cq = chosen(q);
    cost = {first.cost[cp], first.cost[cq]};
    DitherPoint carryP = first.carry[cp];
    DitherPoint carryQ = first.carry[cq];
    for (int i = 1; i < run.count; ++i) {
        if (cost[0] > bound && cost[1] > bound)
            return;
        Step<Exact>(run, p, i, ahead, carryP, cost[0]);
        Step<Exact>(run, q, i, ahead, carryQ, cost[1]);
    }
}

} // namespace

int SearchRunPruned(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                    const RunLimits& limits, int hint) {
    const int count = int(candidates.size());
    if (count == 0)
        return 0;
    if (hint < 0 || hint >= count)
        hint = 0;
    FirstPixel first;
    for (const PairCandidate& pair : candidates) {
        Learn(first, run, limits.ahead, pair.first, pair.a);
        Learn(first, run, limits.ahead, pair.second, pair.b);
    }
    const bool anyExact =
        std::any_of(run.exact.begin(), run.exact.begin() + run.count, [](bool e) { return e; });
    auto trace = [&](const PairCandidate& pair, std::int64_t bound) {
        return anyExact ? TraceAfterFirst<true>(run, pair, first, limits.ahead, bound)
                        : TraceAfterFirst<false>(run, pair, first, limits.ahead, bound);
    };
    int best = hint;
    std::int64_t bestCost = trace(candidates[std::size_t(hint)], INT64_MAX);
    auto offer = [&](int c, std::int64_t cost) {
        if (cost < bestCost || (cost == bestCost && c < best)) {
            bestCost = cost;
            best = c;
        }
    };
    int c = 0;
    while (c < count) {
        // Nothing beats no error; only an earlier candidate can still tie it.
        if (bestCost == 0 && c > best)
            break;
        if (c == hint) {
            ++c;
            continue;
        }
        const int next = c + 1 == hint ? c + 2 : c + 1;
        if (next >= count) {
            offer(c, trace(candidates[std::size_t(c)], bestCost));
            break;
        }
        // Two candidates side by side against the same bound: each one's chain of carries is
        // serial, so a pair of them keeps the processor busy. The bound may be looser than
        // the first one's result would make it, which only lets the second run longer.
        std::array<std::int64_t, 2> cost{};
        if (anyExact)
            TraceTwo<true>(run, candidates[std::size_t(c)], candidates[std::size_t(next)], first,
                           limits.ahead, bestCost, cost);
        else
            TraceTwo<false>(run, candidates[std::size_t(c)], candidates[std::size_t(next)], first,
                            limits.ahead, bestCost, cost);
        offer(c, cost[0]);
        offer(next, cost[1]);
        c = next + 1;
    }
    return best;
}

} // namespace murelo
