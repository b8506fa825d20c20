// The dithered Graphic 2 mode as a slider drag previews it (whole conversions, one core),
// and the perceptual error the converter window shows when a conversion ends.
#include "core/convert/Conversion.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/PerceptualError.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using namespace murelo;

// Soft colour fields of several hues, fine texture and a few hard-edged shapes, so that
// most runs need a real choice among many pairs, as photographs do.
Picture PaintedScene(int width, int height) {
    Picture picture(width, height);
    unsigned s = 12345u;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            const double u = double(x) / width;
            const double v = double(y) / height;
            const int grain = int((s >> 20) % 21) - 10;
            int r = int(128 + 110 * std::sin(6.0 * u + 2.0 * v)) + grain;
            int g = int(128 + 100 * std::sin(4.0 * v - 3.0 * u + 1.0)) + grain;
            int b = int(110 + 90 * std::cos(5.0 * (u + v))) - grain;
            if (((x / 48) + (y / 36)) % 6 == 1) { // flat shapes with hard edges
                r = 240;
                g = 200 - (x / 48) * 9 % 120;
                b = 40;
            }
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    }
    return picture;
}

void Dithered(benchmark::State& bench, int width, int height) {
    auto state = std::make_unique<ConversionState>();
    state->source = PaintedScene(width, height);
    state->budget = PassBudget(60000);
    for (auto _ : bench) {
        RunConversion(*state, ModeId::Graphic2Dithered);
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

void Graphic2Dithered256x192(benchmark::State& s) {
    Dithered(s, 256, 192);
}
void Graphic2Dithered640x640(benchmark::State& s) {
    Dithered(s, 640, 640);
}

void DeltaEReadout256x192(benchmark::State& bench) {
    auto state = std::make_unique<ConversionState>();
    state->source = PaintedScene(256, 192);
    RunConversion(*state, ModeId::Graphic2Dithered);
    for (auto _ : bench)
        benchmark::DoNotOptimize(ComparePictures(state->source, state->result).meanDeltaE);
}

BENCHMARK(Graphic2Dithered256x192)->Unit(benchmark::kMillisecond);
BENCHMARK(Graphic2Dithered640x640)->Unit(benchmark::kMillisecond);
BENCHMARK(DeltaEReadout256x192)->Unit(benchmark::kMillisecond);

} // namespace
