// The dithered V9938 modes as a slider drag previews them: a whole conversion (palette
// choice, diffusion, finish) on one core, at 256 x 212 and at 512 x 424.
#include "BenchPictures.h"

#include "core/convert/V9938Dither.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace murelo;

void Dithered(benchmark::State& bench, ModeFactory factory, int width, int height, bool interlace) {
    auto state = std::make_unique<ConversionState>();
    state->source = murelo::bench::PhotographLike(width, height);
    state->params.Interlace = interlace;
    state->params.DitherStrength =
        factory == StartScreen8Dithered ? Screen8DitherDefault : PaletteDitherDefault;
    state->budget = PassBudget(60000);
    for (auto _ : bench) {
        state->result = state->source;
        auto mode = factory(*state);
        int i = 0;
        while (i < mode->end())
            i = mode->pass(*state, i);
        mode->finish(*state);
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

// 512 x 424 is interlaced SCREEN 5, 6 and 7 (every row kept), and SCREEN 8 at that size.
#define DITHERED(NAME, FACTORY)                                                                    \
    void NAME##256x212(benchmark::State & s) {                                                     \
        Dithered(s, FACTORY, 256, 212, false);                                                     \
    }                                                                                              \
    void NAME##512x424(benchmark::State & s) {                                                     \
        Dithered(s, FACTORY, 512, 424, true);                                                      \
    }                                                                                              \
    BENCHMARK(NAME##256x212)->Unit(benchmark::kMillisecond);                                       \
    BENCHMARK(NAME##512x424)->Unit(benchmark::kMillisecond);

DITHERED(Screen5Dithered, StartScreen5Dithered)
DITHERED(Screen6Dithered, StartScreen6Dithered)
DITHERED(Screen7Dithered, StartScreen7Dithered)
DITHERED(Screen8Dithered, StartScreen8Dithered)

} // namespace
