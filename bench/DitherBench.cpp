// The dithered Graphic 2 mode as a slider drag previews it (whole conversions, on one thread
// and on two; the palette's gamut table is built before timing, as a drag reuses it), and
// the perceptual scores the converter window and compare give of a finished result.
#include "BenchPictures.h"

#include "core/convert/Conversion.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/PerceptualError.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace murelo;

void Dithered(benchmark::State& bench, int width, int height, int threads) {
    auto state = std::make_unique<ConversionState>();
    state->source = bench::PhotographLike(width, height);
    state->budget = PassBudget(60000);
    auto convert = [&] {
        PrepareConversion(*state, ModeId::Graphic2Dithered);
        PrepareGraphic2Dither(*state, threads); // again, on the threads asked for
        while (!ContinueConversion(*state)) {
        }
    };
    convert();
    for (auto _ : bench) {
        convert();
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

void Graphic2Dithered256x192(benchmark::State& s) {
    Dithered(s, 256, 192, int(s.range(0)));
}
void Graphic2Dithered640x400(benchmark::State& s) {
    Dithered(s, 640, 400, int(s.range(0)));
}
void Graphic2Dithered640x640(benchmark::State& s) {
    Dithered(s, 640, 640, int(s.range(0)));
}

std::unique_ptr<ConversionState> FinishedResult(int width, int height) {
    auto state = std::make_unique<ConversionState>();
    state->source = bench::PhotographLike(width, height);
    RunConversion(*state, ModeId::Graphic2Dithered);
    return state;
}

// The window's readout: delta E alone.
void DeltaEReadout640x400(benchmark::State& bench) {
    const auto state = FinishedResult(640, 400);
    for (auto _ : bench)
        benchmark::DoNotOptimize(
            MeanBlurredDeltaE(state->source, state->result, int(bench.range(0))));
}

// compare: delta E and SSIM.
void ComparePictures640x400(benchmark::State& bench) {
    const auto state = FinishedResult(640, 400);
    for (auto _ : bench)
        benchmark::DoNotOptimize(
            ComparePictures(state->source, state->result, int(bench.range(0))).ssim);
}

BENCHMARK(Graphic2Dithered256x192)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Graphic2Dithered640x400)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Graphic2Dithered640x640)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DeltaEReadout640x400)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ComparePictures640x400)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
