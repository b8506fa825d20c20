#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace murelo;

// Two palette colours per run in a pattern that changes from run to run, so every pixel
// takes the comparison paths a real picture does.
Picture TwoColourPicture(int width, int height) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int run = x / 8 + y;
            const int index = ((x * 7 + y) & 3) ? 2 + run % 14 : 1;
            picture.setPixel(x, y, PaletteColor(KindTms9918, index));
        }
    return picture;
}

void ColorCheckWithTables(benchmark::State& state) {
    const int size = int(state.range(0));
    const Picture picture = size == 256 ? TwoColourPicture(256, 192) : TwoColourPicture(size, size);
    Picture overlay;
    ScreenBuffer buffer;
    for (auto _ : state) {
        ColorCheckResult result = ColorCheck(picture, KindTms9918, true, overlay, buffer.bytes);
        benchmark::DoNotOptimize(result);
        if (result.result != 0)
            state.SkipWithError("the benchmark picture should pass the check");
    }
}
BENCHMARK(ColorCheckWithTables)->Arg(256)->Arg(640)->Unit(benchmark::kMillisecond);

} // namespace
