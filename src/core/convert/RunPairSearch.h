#pragma once

#include "core/convert/DitherWork.h"

#include <cstdint>
#include <vector>

namespace murelo {

inline constexpr int DitherRunLength = 8;

// One run's pixels in the order the diffusion visits them.
struct RunTargets {
    int count = 0; // 1..8
    // Source plus the error from above, held inside the box of DitherWork.
    std::array<DitherPoint, DitherRunLength> target{};
    std::array<std::int32_t, DitherRunLength> weight{};
    // A source pixel already in the palette takes no error: drawn areas and pure black
    // and white keep their colours, and errors that reach them end there.
    std::array<bool, DitherRunLength> exact{};
    DitherPoint carryIn{}; // pushed in by the run before
};

// How the search carries the error along the run.
struct RunLimits {
    std::int32_t ahead = 0; // the share passed to the next pixel, in 1/65536
};

// A candidate pair drawn over a run: which of the two colours each pixel took, the error
// each pixel left and what goes on into the next run.
struct RunDrawing {
    std::int64_t cost = 0;
    std::array<bool, DitherRunLength> second{};
    std::array<DitherPoint, DitherRunLength> error{};
    DitherPoint carryOut{};
};

// The candidate drawn over the run with the error carried along inside it: each pixel takes
// the one of the pair's two colours that costs less there, the cost being its weighted
// squared error together with the carry it took; the run's cost is the sum.
RunDrawing DrawRun(const RunTargets& run, const PairCandidate& pair, const RunLimits& limits);

// The candidate of least cost, the earliest in the list among equal costs. The plain
// search tries every candidate to the end; the pruned one tries `hint` first and drops a
// candidate as soon as its partial cost exceeds the best. Both give the same index.
int SearchRunPlain(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                   const RunLimits& limits);
int SearchRunPruned(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                    const RunLimits& limits, int hint);

} // namespace murelo
