#include "core/convert/Graphic2Dither.h"

#include "core/convert/BalancedColor.h"
#include "core/convert/DitherRefine.h"
#include "core/convert/DitherSpace.h"
#include "core/convert/RunPairSearch.h"

#include <algorithm>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <utility>
#include <vector>

namespace murelo {

namespace {

// The units after the targets and the weights: two per pass over the picture (even bands,
// then odd bands), then the drawing of the result.
enum Unit : int { Targets = 0, Weights = 1, FirstBandPass = 2 };
constexpr int BandPasses = 2 * (1 + Graphic2DitherSweeps);

int Bands(int height) {
    return (height + BandRows - 1) / BandRows;
}

template <class Job> void ForAllBands(DitherWork& work, Job&& job) {
    RunParts(Bands(work.height), work.threads, job);
}

// The palette colour a source colour is exactly, if any. Most colours of a photograph are
// none; a bit per 16-level cube of sRGB says so before the palette is searched.
class ExactColours {
  public:
    explicit ExactColours(const ConversionState& state)
        : palette_(state.palette), range_(ConversionRange(state.params.PaletteKind)) {
        for (int i = range_.first; i <= range_.last; ++i) {
            const ColorRec& p = palette_[std::size_t(i)];
            cubes_.set(Cube(p));
        }
    }

    int IndexOf(const ColorRec& rgb) const {
        if (!cubes_.test(Cube(rgb)))
            return NoIndex;
        for (int i = range_.first; i <= range_.last; ++i) {
            const ColorRec& p = palette_[std::size_t(i)];
            if (p.R == rgb.R && p.G == rgb.G && p.B == rgb.B)
                return i;
        }
        return NoIndex;
    }

  private:
    static std::size_t Cube(const ColorRec& c) {
        return std::size_t((c.R >> 4) << 8 | (c.G >> 4) << 4 | (c.B >> 4));
    }

    const ConverterPalette& palette_;
    const IndexRange& range_;
    std::bitset<4096> cubes_;
};

void PrepareTargets(ConversionState& state, const ExactColours& exactColours, int band) {
    DitherWork& work = state.dither;
    const int end = std::min(work.height, (band + 1) * BandRows);
    for (int y = band * BandRows; y < end; ++y) {
        const ColorValue* row = state.source.row(y);
        for (int x = 0; x < work.width; ++x) {
            const std::size_t p = std::size_t(y) * std::size_t(work.width) + std::size_t(x);
            const ColorRec rgb = BalancedColor(state, row[x]);
            const int exact = exactColours.IndexOf(rgb);
            work.index[p] = std::int8_t(exact);
            work.fixed[p] = exact != NoIndex;
            work.target[p] =
                exact != NoIndex ? work.colour[std::size_t(exact)] : work.gamut->Map(rgb);
            work.field[p] = {};
        }
    }
}

void DrawResult(ConversionState& state, int band) {
    const DitherWork& work = state.dither;
    const int end = std::min(work.height, (band + 1) * BandRows);
    for (int y = band * BandRows; y < end; ++y) {
        ColorValue* out = state.result.row(y);
        for (int x = 0; x < work.width; ++x)
            out[x] = ConversionColor(
                state, work.index[std::size_t(y) * std::size_t(work.width) + std::size_t(x)]);
    }
}

bool IsBandPass(int unit) {
    return unit >= FirstBandPass && unit < FirstBandPass + BandPasses;
}

void RunBand(DitherWork& work, int unit, int band) {
    if ((unit - FirstBandPass) / 2 == 0)
        SettleBand(work, band);
    else
        RefineBand(work, band);
}

// The band passes from unit `first` to `last` at once, without waiting for one pass to end
// before the next starts: a band waits only for the bands whose field cells it shares, the
// neighbours it has in the pass before (the bands of the other parity) and itself two passes
// before. Those are the waits between the passes run one by one too, so every band sees
// the same field, and each field cell takes its sums in the same order.
void RunBandPasses(DitherWork& work, int first, int last) {
    const int bands = Bands(work.height);
    const int units = last - first + 1;
    // Tasks in order: the bands of unit `first`, then those of the next unit, ...
    std::vector<std::pair<int, int>> tasks;
    for (int unit = first; unit <= last; ++unit)
        for (int band = (unit - FirstBandPass) % 2; band < bands; band += 2)
            tasks.push_back({unit, band});
    std::vector<std::atomic<std::uint8_t>> done(std::size_t(units) * std::size_t(bands));
    auto flag = [&](int unit, int band) -> std::atomic<std::uint8_t>& {
        return done[std::size_t(unit - first) * std::size_t(bands) + std::size_t(band)];
    };
    auto await = [&](int unit, int band) {
        if (unit < first || band < 0 || band >= bands)
            return; // done before this call, or no such band
        std::atomic<std::uint8_t>& d = flag(unit, band);
        while (!d.load(std::memory_order_acquire))
            d.wait(0, std::memory_order_acquire);
    };
    // Tasks are taken in order and wait only for tasks taken before them: whichever
    // thread holds the earliest unfinished task can always go on.
    std::atomic<std::size_t> next{0};
    RunParts(work.threads, work.threads, [&](int) {
        for (std::size_t t = next++; t < tasks.size(); t = next++) {
            const auto [unit, band] = tasks[t];
            await(unit - 1, band - 1);
            await(unit - 1, band + 1);
            await(unit - 2, band);
            RunBand(work, unit, band);
            std::atomic<std::uint8_t>& d = flag(unit, band);
            d.store(1, std::memory_order_release);
            d.notify_all();
        }
    });
}

void RunUnit(ConversionState& state, int unit) {
    DitherWork& work = state.dither;
    if (unit == Targets) {
        // The balance table is filled on first use; fill it before the threads share it.
        BalancedColor(state, 0);
        const ExactColours exactColours(state);
        ForAllBands(work, [&](int band) { PrepareTargets(state, exactColours, band); });
    } else if (unit == Weights) {
        ComputeDitherMetrics(work);
    } else if (IsBandPass(unit)) {
        RunBandPasses(work, unit, unit);
    } else {
        ForAllBands(work, [&](int band) { DrawResult(state, band); });
    }
}

} // namespace

void PrepareGraphic2Dither(ConversionState& state, int threads) {
    DitherWork& work = state.dither;
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    work.width = state.source.width();
    work.height = state.source.height();
    work.threads = std::max(1, threads);
    work.share =
        float(std::clamp(state.params.DitherStrength, DitherStrengthMin, DitherStrengthMax)) /
        DitherStrengthMax;
    PrepareDitherPalette(work, state.palette, range.first, range.last);
    const std::size_t count = std::size_t(work.width) * std::size_t(work.height);
    work.target.resize(count);
    work.metric.resize(count);
    work.field.resize(count);
    work.index.resize(count);
    work.fixed.resize(count);
}

int Graphic2DitherEnd(int width, int height) {
    return width <= 0 || height <= 0 ? 0 : FirstBandPass + BandPasses + 1;
}

int Graphic2DitherPass(ConversionState& state, int start) {
    const int end = Graphic2DitherEnd(state.source.width(), state.source.height());
    // As RunUnits, but the band passes the budget lets run in a row run together. The
    // budget is asked before each of them as before; it counts units between looks at
    // the clock, so asking before they start changes nothing.
    state.budget.begin();
    int unit = start;
    while (unit < end && !state.budget.spent()) {
        if (!IsBandPass(unit)) {
            RunUnit(state, unit++);
            continue;
        }
        int last = unit;
        while (last + 1 < end && IsBandPass(last + 1) && !state.budget.spent())
            ++last;
        RunBandPasses(state.dither, unit, last);
        unit = last + 1;
    }
    return unit;
}

} // namespace murelo
