#pragma once

#include "core/convert/DitherWork.h"

#include <cstdint>
#include <vector>

namespace murelo {

inline constexpr int DitherRunLength = 8;

// One run's pixels in the order the diffusion visits them.
struct RunTargets {
    int count = 0; // 1..8
    // Source plus the error from above, held inside the palette's box.
    std::array<DitherPoint, DitherRunLength> target{};
    std::array<std::int32_t, DitherRunLength> weight{};
    // A source pixel already in the palette takes no error: drawn areas and pure black
    // and white keep their colours, and errors that reach them end there.
    std::array<bool, DitherRunLength> exact{};
    DitherPoint carryIn{}; // pushed in by the run before
};

// The box the diffused colours are held in (by whoever fills the targets), and the share
// carried to the next pixel.
struct RunLimits {
    DitherPoint low{};
    DitherPoint high{};
    std::int32_t ahead = 0; // in 1/65536
};

// A candidate pair drawn over a run: which of the two colours each pixel took, the error
// each pixel left and what goes on into the next run.
struct RunDrawing {
    std::int64_t cost = 0;
    std::array<bool, DitherRunLength> second{};
    std::array<DitherPoint, DitherRunLength> error{};
    DitherPoint carryOut{};
};

// The candidate drawn over the run, every pixel taking the nearer of the pair's two colours
// with the error carried along; the cost sums each pixel's weighted squared error together
// with the carry it took.
RunDrawing DrawRun(const RunTargets& run, const PairCandidate& pair, const RunLimits& limits);

// The candidate of least cost, the earliest in the list among equal costs. The plain
// search tries every candidate to the end; the pruned one tries `hint` first and drops a
// candidate as soon as its partial cost exceeds the best. Both give the same index.
int SearchRunPlain(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                   const RunLimits& limits);
int SearchRunPruned(const RunTargets& run, const std::vector<PairCandidate>& candidates,
                    const RunLimits& limits, int hint);

} // namespace murelo
