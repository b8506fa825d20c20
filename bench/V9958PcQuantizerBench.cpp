// Whole conversions of the V9958, PC-6x01 and PC-8801 pages and the colour quantizer on a
// photograph-like picture.
#include "BenchPictures.h"

#include "core/convert/Conversion.h"
#include "core/convert/Quantizer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

using namespace murelo;

namespace {

const Picture& Photograph640() {
    static const Picture p = bench::PhotographLike(640, 640);
    return p;
}
const Picture& Photograph640x400() {
    static const Picture p = bench::PhotographLike(640, 400);
    return p;
}

struct Setup {
    ConverterPage page;
    int mode;
    int kind;
    bool p6Rules = false;
    bool analog = false;
    int convertType = 0;
    bool ntsc = false;
};

void RunMode(benchmark::State& bench, const Picture& source, const Setup& s) {
    auto state = std::make_unique<ConversionState>();
    state->source = source;
    state->params.PaletteKind = s.kind;
    state->params.P6Rules = s.p6Rules;
    state->params.AnalogPalette = s.analog;
    state->params.ConvertType = s.convertType;
    state->params.NtscWeighting = s.ntsc;
    state->budget = PassBudget(1000000);
    for (auto _ : bench) {
        RunConversion(*state, ModeAt(s.page, s.mode).value());
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

void BM_Yjk10Normal(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::V9958, 0, 0});
}
void BM_Yjk12Normal(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::V9958, 1, 0});
}
void BM_Yjk12GrayNtsc(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::V9958, 1, 0, false, false, 2});
}

void BM_Pc6001(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::Pc6001, int(b.range(0)), KindColor15});
}
void BM_Pc6001P6Rules(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::Pc6001, 1, KindColor8, true});
}
void BM_Pc6001NtscSquare(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::Pc6001, 0, KindColor15, false, false, 0, true});
}

void BM_Pc8801(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::Pc8801, int(b.range(0)), KindPc8801});
}
void BM_Pc8801ColorTone640x400(benchmark::State& b) {
    RunMode(b, Photograph640x400(), {ConverterPage::Pc8801, int(b.range(0)), KindPc8801});
}
void BM_Pc8801ColorToneNtsc640x400(benchmark::State& b) {
    RunMode(b, Photograph640x400(), {ConverterPage::Pc8801, 4, KindPc8801, false, false, 0, true});
}
void BM_Pc8801AnalogPalette(benchmark::State& b) {
    RunMode(b, Photograph640(), {ConverterPage::Pc8801, 0, KindPc8801, false, true});
}

// The quantizer alone on the picture snapped to the 512-colour grid.
void BM_QuantizeImage16(benchmark::State& b) {
    Picture grid = Photograph640();
    for (ColorValue& c : grid.pixels()) {
        const int r = RedOf(c) >> 5, g = GreenOf(c) >> 5, bl = BlueOf(c) >> 5;
        c = RgbColor(Level3Table[r], Level3Table[g], Level3Table[bl]);
    }
    QuantizerPalette palette{};
    for (auto _ : b) {
        Picture work = grid;
        QuantizeImage(work, int(b.range(0)), palette);
        SortPalette(int(b.range(0)), palette);
        benchmark::DoNotOptimize(work.pixels().data());
    }
}

} // namespace

BENCHMARK(BM_Yjk10Normal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Yjk12Normal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Yjk12GrayNtsc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc6001)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc6001P6Rules)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc6001NtscSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc8801)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc8801ColorTone640x400)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc8801ColorToneNtsc640x400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pc8801AnalogPalette)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuantizeImage16)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
