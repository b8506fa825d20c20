#include "core/convert/DitherRefine.h"

#include "core/convert/DitherField.h"
#include "core/convert/RunPairSearch.h"

#include <algorithm>
#include <cstdint>

namespace murelo {

namespace {

int BandEnd(const DitherWork& work, int band) {
    return std::min(work.height, (band + 1) * BandRows);
}

template <class Job> void ForEachRun(const DitherWork& work, int band, Job&& job) {
    for (int y = band * BandRows; y < BandEnd(work, band); ++y)
        for (int x0 = 0; x0 < work.width; x0 += DitherRunLength)
            job(RunSpot{x0, y, std::min(DitherRunLength, work.width - x0)});
}

std::size_t PixelAt(const DitherWork& work, int x, int y) {
    return std::size_t(y) * std::size_t(work.width) + std::size_t(x);
}

void Recolour(DitherWork& work, int x, int y, int k) {
    const std::size_t p = PixelAt(work, x, y);
    const LinearColor d =
        Minus(work.colour[std::size_t(k)], work.colour[std::size_t(work.index[p])]);
    work.index[p] = std::int8_t(k);
    SpreadChange(work, x, y, Times(work.metric[p], d.r, d.g, d.b));
}

// Whether the run holding (x, y) keeps to two colours once that pixel takes colour k: the
// colours of its other pixels, with k, are at most two.
bool RunAllows(const DitherWork& work, int x, int y, int k) {
    const int x0 = x - x % DitherRunLength;
    const int x1 = std::min(work.width, x0 + DitherRunLength);
    const std::int8_t* row = work.index.data() + std::size_t(y) * std::size_t(work.width);
    std::uint32_t colours = 1u << k;
    for (int xx = x0; xx < x1; ++xx)
        colours |= xx == x ? 0u : 1u << row[xx];
    // At most two bits: clearing the lowest twice leaves none (no popcount instruction
    // is assumed of the processor).
    colours &= colours - 1;
    return (colours & (colours - 1)) == 0;
}

// The other colour of the run's pair, or -1 when the run has one colour.
int OtherColour(const DitherWork& work, const RunSpot& run, int k) {
    for (int x = run.x0; x < run.x0 + run.count; ++x) {
        const int c = work.index[PixelAt(work, x, run.y)];
        if (c != k)
            return c;
    }
    return -1;
}

void FlipPixels(DitherWork& work, const RunSpot& run) {
    for (int x = run.x0; x < run.x0 + run.count; ++x) {
        const std::size_t p = PixelAt(work, x, run.y);
        if (work.fixed[p])
            continue;
        const int now = work.index[p];
        const int other = OtherColour(work, run, now);
        if (other < 0)
            return;
        const LinearColor d = Minus(work.colour[std::size_t(other)], work.colour[std::size_t(now)]);
        if (ChangeCost(work, p, d) < 0)
            Recolour(work, x, run.y, other);
    }
}

// Pixels (x, y) and (x + dx, y + dy) trade colours when that lowers the score.
void TryTrade(DitherWork& work, int x, int y, int dx, int dy) {
    const int x2 = x + dx, y2 = y + dy;
    if (x2 < 0 || x2 >= work.width || y2 >= work.height)
        return;
    const std::size_t p = PixelAt(work, x, y);
    const std::size_t q = PixelAt(work, x2, y2);
    const int kp = work.index[p], kq = work.index[q];
    if (kp == kq || work.fixed[p] || work.fixed[q])
        return;
    if (dy != 0 && (!RunAllows(work, x, y, kq) || !RunAllows(work, x2, y2, kp)))
        return;
    const LinearColor dp = Minus(work.colour[std::size_t(kq)], work.colour[std::size_t(kp)]);
    const LinearColor dq{-dp.r, -dp.g, -dp.b};
    const LinearColor up = Times(work.metric[p], dp.r, dp.g, dp.b);
    const float between =
        work.share * work.reach[std::size_t(std::abs(dx))] * work.reach[std::size_t(std::abs(dy))];
    const float cost =
        ChangeCost(work, p, dp) + ChangeCost(work, q, dq) + 2 * between * Dot(dq, up);
    if (cost < 0) {
        Recolour(work, x, y, kq);
        Recolour(work, x2, y2, kp);
    }
}

void TradePixels(DitherWork& work, const RunSpot& run, int bandEnd) {
    for (int x = run.x0; x < run.x0 + run.count; ++x) {
        if (x + 1 < run.x0 + run.count)
            TryTrade(work, x, run.y, 1, 0);
        if (x + 2 < run.x0 + run.count)
            TryTrade(work, x, run.y, 2, 0);
        if (run.y + 1 < bandEnd) {
            TryTrade(work, x, run.y, 0, 1);
        }
    }
}

} // namespace

void SettleBand(DitherWork& work, int band) {
    ForEachRun(work, band, [&](const RunSpot& run) { SettleRun(work, run); });
}

void RefineBand(DitherWork& work, int band) {
    const int end = BandEnd(work, band);
    ForEachRun(work, band, [&](const RunSpot& run) {
        ImproveRun(work, run);
        FlipPixels(work, run);
        TradePixels(work, run, end);
    });
}

} // namespace murelo
