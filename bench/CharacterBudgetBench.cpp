// The "Characters" budget: whole Graphic 2 conversions of a photograph-like picture with and
// without a budget, one core; the difference is what the budget's own units cost.
#include "BenchPictures.h"

#include "core/convert/Conversion.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace murelo;

void Budgeted(benchmark::State& bench, ModeId mode, int characters) {
    auto state = std::make_unique<ConversionState>();
    state->source = murelo::bench::PhotographLike(256, 192);
    state->params.Characters = characters;
    state->budget = PassBudget(60000);
    for (auto _ : bench) {
        RunConversion(*state, mode);
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

void DitheredNoLimit(benchmark::State& s) {
    Budgeted(s, ModeId::Graphic2Dithered, 768);
}
void Dithered256Characters(benchmark::State& s) {
    Budgeted(s, ModeId::Graphic2Dithered, 256);
}
void Dithered64Characters(benchmark::State& s) {
    Budgeted(s, ModeId::Graphic2Dithered, 64);
}
void Plain256Characters(benchmark::State& s) {
    Budgeted(s, ModeId::Graphic2, 256);
}

} // namespace

BENCHMARK(DitheredNoLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(Dithered256Characters)->Unit(benchmark::kMillisecond);
BENCHMARK(Dithered64Characters)->Unit(benchmark::kMillisecond);
BENCHMARK(Plain256Characters)->Unit(benchmark::kMillisecond);
