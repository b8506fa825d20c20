#include "core/convert/Graphic2Dither.h"

#include "core/convert/BalancedColor.h"
#include "core/convert/DitherSpace.h"
#include "core/convert/RunPairSearch.h"

#include <algorithm>

namespace murelo {

namespace {

int RunsPerRow(int width) {
    return (width + DitherRunLength - 1) / DitherRunLength;
}

std::int32_t ShareOf(int sixteenths, int strength) {
    return std::int32_t((std::int64_t(65536) * sixteenths * strength + 800) / 1600);
}

void BuildCandidates(ConversionState& state) {
    DitherWork& work = state.dither;
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    work.candidates.clear();
    work.low = {INT32_MAX, INT32_MAX, INT32_MAX};
    work.high = {INT32_MIN, INT32_MIN, INT32_MIN};
    for (int i = range.first; i <= range.last; ++i) {
        const DitherPoint a = DitherPointOf(state.palette[std::size_t(i)]);
        for (int k = 0; k < 3; ++k) {
            work.low[std::size_t(k)] = std::min(work.low[std::size_t(k)], a[std::size_t(k)]);
            work.high[std::size_t(k)] = std::max(work.high[std::size_t(k)], a[std::size_t(k)]);
        }
        for (int j = i; j <= range.last; ++j)
            work.candidates.push_back(
                MakePairCandidate(i, j, a, DitherPointOf(state.palette[std::size_t(j)])));
    }
    // A little room beyond the palette lets a colour it cannot reach pull its neighbours
    // toward it; without a bound the error of such colours would grow without end.
    const std::int32_t margin = (work.high[0] - work.low[0]) / 4;
    for (int k = 0; k < 3; ++k) {
        work.low[std::size_t(k)] -= margin;
        work.high[std::size_t(k)] += margin;
    }
}

bool InPalette(const ConversionState& state, const ColorRec& rgb) {
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    for (int i = range.first; i <= range.last; ++i) {
        const ColorRec& p = state.palette[std::size_t(i)];
        if (p.R == rgb.R && p.G == rgb.G && p.B == rgb.B)
            return true;
    }
    return false;
}

// Where a run lies and which way its pixels are visited.
struct RunPlace {
    int x0 = 0;
    int count = 0;
    int y = 0;
    int step = 1; // +1 left to right, -1 right to left
    int column(int i) const { return step > 0 ? x0 + i : x0 + count - 1 - i; }
};

RunPlace PlaceOf(int unit, int width) {
    const int runs = RunsPerRow(width);
    RunPlace place;
    place.y = unit / runs;
    const int k = unit % runs;
    place.step = (place.y & 1) ? -1 : 1;
    const int run = place.step > 0 ? k : runs - 1 - k;
    place.x0 = run * DitherRunLength;
    place.count = std::min(DitherRunLength, width - place.x0);
    return place;
}

void StartRow(DitherWork& work) {
    std::swap(work.rowErrors, work.nextErrors);
    std::fill(work.nextErrors.begin(), work.nextErrors.end(), DitherPoint{});
    work.carry = {};
}

RunTargets TargetsOf(const ConversionState& state, const RunPlace& place) {
    RunTargets run;
    run.count = place.count;
    run.carryIn = state.dither.carry;
    const ColorValue* row = state.source.row(place.y);
    for (int i = 0; i < place.count; ++i) {
        const int x = place.column(i);
        const ColorRec rgb = BalancedColor(state, row[x]);
        DitherPoint t = DitherPointOf(rgb);
        const bool exact = InPalette(state, rgb);
        if (!exact) {
            const DitherPoint& above = state.dither.rowErrors[std::size_t(x + 1)];
            const DitherWork& work = state.dither;
            for (int k = 0; k < 3; ++k)
                t[std::size_t(k)] = std::clamp(t[std::size_t(k)] + above[std::size_t(k)],
                                               work.low[std::size_t(k)], work.high[std::size_t(k)]);
        }
        run.target[std::size_t(i)] = t;
        run.weight[std::size_t(i)] = DitherWeightOf(rgb);
        run.exact[std::size_t(i)] = exact;
    }
    return run;
}

void Spread(DitherWork& work, int x, int step, const DitherPoint& e) {
    const DiffusionShares& s = work.shares;
    auto add = [&](int column, std::int32_t share) {
        DitherPoint& slot = work.nextErrors[std::size_t(column + 1)];
        for (int k = 0; k < 3; ++k)
            slot[std::size_t(k)] +=
                std::int32_t((std::int64_t(e[std::size_t(k)]) * share + 32768) >> 16);
    };
    add(x - step, s.belowBehind);
    add(x, s.below);
    add(x + step, s.belowAhead);
}

void ConvertRun(ConversionState& state, int unit) {
    const int width = state.source.width();
    DitherWork& work = state.dither;
    if (unit % RunsPerRow(width) == 0 && unit > 0)
        StartRow(work);
    const RunPlace place = PlaceOf(unit, width);
    const RunTargets run = TargetsOf(state, place);
    const RunLimits limits{work.shares.ahead};
    const int chosen = SearchRunPruned(run, work.candidates, limits, work.lastPair);
    const PairCandidate& pair = work.candidates[std::size_t(chosen)];
    const RunDrawing drawing = DrawRun(run, pair, limits);
    const ColorValue first = ConversionColor(state, pair.first);
    const ColorValue second = ConversionColor(state, pair.second);
    ColorValue* out = state.result.row(place.y);
    for (int i = 0; i < place.count; ++i) {
        const int x = place.column(i);
        out[x] = drawing.second[std::size_t(i)] ? second : first;
        Spread(work, x, place.step, drawing.error[std::size_t(i)]);
    }
    work.carry = drawing.carryOut;
    work.lastPair = chosen;
}

} // namespace

void PrepareGraphic2Dither(ConversionState& state) {
    DitherWork& work = state.dither;
    BuildCandidates(state);
    const int strength =
        std::clamp(state.params.DitherStrength, DitherStrengthMin, DitherStrengthMax);
    work.shares = {ShareOf(7, strength), ShareOf(3, strength), ShareOf(5, strength),
                   ShareOf(1, strength)};
    const std::size_t slots = std::size_t(state.source.width()) + 2;
    work.rowErrors.assign(slots, DitherPoint{});
    work.nextErrors.assign(slots, DitherPoint{});
    work.carry = {};
    work.lastPair = 0;
}

int Graphic2DitherEnd(int width, int height) {
    return RunsPerRow(width) * height;
}

int Graphic2DitherPass(ConversionState& state, int start) {
    const int end = Graphic2DitherEnd(state.source.width(), state.source.height());
    return RunUnits(state, start, end, [&](int unit) { ConvertRun(state, unit); });
}

} // namespace murelo
