// The TMS9918 and V9938 converter modes on a 640 x 640 photograph-like picture.
#include "BenchPictures.h"

#include "core/convert/Conversion.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

using namespace murelo;
using bench::PhotographLike;

void RunMode(benchmark::State& bench, ConverterPage page, int mode,
             std::function<void(ConversionParameters&)> set = {}) {
    auto state = std::make_unique<ConversionState>();
    state->source = PhotographLike(640, 640);
    if (set)
        set(state->params);
    state->budget = PassBudget(60000);
    for (auto _ : bench) {
        RunConversion(*state, ModeAt(page, mode).value());
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

void Graphic2Rules(benchmark::State& s) {
    RunMode(s, ConverterPage::Tms9918, 0);
}
void Graphic2NoRules(benchmark::State& s) {
    RunMode(s, ConverterPage::Tms9918, 0, [](ConversionParameters& p) { p.Rules9918 = false; });
}
void Graphic2RulesNtscBalanced(benchmark::State& s) {
    RunMode(s, ConverterPage::Tms9918, 0, [](ConversionParameters& p) {
        p.NtscWeighting = true;
        p.Balance = {10, -20, 5, 15, 140};
    });
}
void MultiColor(benchmark::State& s) {
    RunMode(s, ConverterPage::Tms9918, 1);
}
void HalfTone(benchmark::State& s) {
    RunMode(s, ConverterPage::Tms9918, 2);
}
void Screen5(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 0);
}
void Screen5Interlace(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 0, [](ConversionParameters& p) { p.Interlace = true; });
}
void Screen6(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 1);
}
void Screen7OddLine(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 2, [](ConversionParameters& p) { p.OddLine = true; });
}
void Screen8(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 3);
}
void Screen8Diffusion1D(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 4);
}
void Screen8Diffusion2D(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 5);
}
void Screen8FloydSteinberg(benchmark::State& s) {
    RunMode(s, ConverterPage::V9938, 6);
}

} // namespace

BENCHMARK(Graphic2Rules)->Unit(benchmark::kMillisecond);
BENCHMARK(Graphic2NoRules)->Unit(benchmark::kMillisecond);
BENCHMARK(Graphic2RulesNtscBalanced)->Unit(benchmark::kMillisecond);
BENCHMARK(MultiColor)->Unit(benchmark::kMillisecond);
BENCHMARK(HalfTone)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen5)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen5Interlace)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen6)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen7OddLine)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen8)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen8Diffusion1D)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen8Diffusion2D)->Unit(benchmark::kMillisecond);
BENCHMARK(Screen8FloydSteinberg)->Unit(benchmark::kMillisecond);
