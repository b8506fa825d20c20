#include "core/convert/Graphic2Dither.h"

#include "core/convert/BalancedColor.h"
#include "core/convert/DitherRefine.h"
#include "core/convert/DitherSpace.h"
#include "core/convert/RunPairSearch.h"

#include <algorithm>
#include <bitset>

namespace murelo {

namespace {

// The units after the targets and the weights: two per pass over the picture (even bands,
// then odd bands), then the drawing of the result.
enum Unit : int { Targets = 0, Weights = 1, FirstBandPass = 2 };
constexpr int BandPasses = 2 * (1 + Graphic2DitherSweeps);

int Bands(int height) {
    return (height + BandRows - 1) / BandRows;
}

// Runs job(band) for every band of one parity, on the work's threads.
template <class Job> void ForBandsOfParity(DitherWork& work, int parity, Job&& job) {
    const int bands = (Bands(work.height) - parity + 1) / 2;
    RunParts(bands, work.threads, [&](int i) { job(2 * i + parity); });
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

void RunUnit(ConversionState& state, int unit) {
    DitherWork& work = state.dither;
    if (unit == Targets) {
        // The balance table is filled on first use; fill it before the threads share it.
        BalancedColor(state, 0);
        const ExactColours exactColours(state);
        ForAllBands(work, [&](int band) { PrepareTargets(state, exactColours, band); });
    } else if (unit == Weights) {
        ComputeDitherMetrics(work);
    } else if (unit < FirstBandPass + BandPasses) {
        const int pass = (unit - FirstBandPass) / 2;
        const int parity = (unit - FirstBandPass) % 2;
        if (pass == 0)
            ForBandsOfParity(work, parity, [&](int band) { SettleBand(work, band); });
        else
            ForBandsOfParity(work, parity, [&](int band) { RefineBand(work, band); });
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
    return RunUnits(state, start, end, [&](int unit) { RunUnit(state, unit); });
}

} // namespace murelo
