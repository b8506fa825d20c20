#include "core/convert/RunPairSearch.h"

#include <algorithm>
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
template <bool Record>
std::int64_t Trace(const RunTargets& run, const PairCandidate& pair, const RunLimits& limits,
                   std::int64_t bound, RunDrawing* out) {
    DitherPoint carry = run.carryIn;
    std::int64_t cost = 0;
    for (int i = 0; i < run.count; ++i) {
        DitherPoint v = run.target[std::size_t(i)];
        if (!run.exact[std::size_t(i)])
            for (int k = 0; k < 3; ++k)
                v[std::size_t(k)] = std::clamp(v[std::size_t(k)] + carry[std::size_t(k)],
                                               limits.low[std::size_t(k)], limits.high[std::size_t(k)]);
        const DitherPoint da = {v[0] - pair.a[0], v[1] - pair.a[1], v[2] - pair.a[2]};
        const DitherPoint db = {v[0] - pair.b[0], v[1] - pair.b[1], v[2] - pair.b[2]};
        const std::int64_t sa = Squared(da);
        const std::int64_t sb = Squared(db);
        const bool second = sb < sa;
        const DitherPoint& e = second ? db : da;
        cost += (second ? sb : sa) * run.weight[std::size_t(i)];
        if (cost > bound)
            return cost;
        for (int k = 0; k < 3; ++k)
            carry[std::size_t(k)] = Share(e[std::size_t(k)], limits.ahead);
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

RunDrawing DrawRun(const RunTargets& run, const PairCandidate& pair, const RunLimits& limits) {
    RunDrawing drawing;
    Trace<true>(run, pair, limits, INT64_MAX, &drawing);
    return drawing;
}

int SearchRunPlain(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                   const RunLimits& limits) {
    int best = 0;
    std::int64_t bestCost = INT64_MAX;
    for (int c = 0; c < int(candidates.size()); ++c) {
        const std::int64_t cost =
            Trace<false>(run, candidates[std::size_t(c)], limits, INT64_MAX, nullptr);
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
    if (hint < 0 || hint >= count)
        hint = 0;
    int best = hint;
    std::int64_t bestCost = Trace<false>(run, candidates[std::size_t(hint)], limits, INT64_MAX, nullptr);
    for (int c = 0; c < count; ++c) {
        // Nothing beats no error; only an earlier candidate can still tie it.
        if (bestCost == 0 && c > best)
            break;
        if (c == hint)
            continue;
        // Costs only grow pixel by pixel, so a partial cost above the best is final.
        const std::int64_t cost = Trace<false>(run, candidates[std::size_t(c)], limits, bestCost, nullptr);
        if (cost < bestCost || (cost == bestCost && c < best)) {
            bestCost = cost;
            best = c;
        }
    }
    return best;
}

} // namespace murelo
