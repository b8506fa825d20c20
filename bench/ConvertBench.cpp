// The TMS9918 and V9938 converter modes on a 640 x 640 photograph-like picture.
#include "core/convert/ConversionDriver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using namespace murelo;

// Smooth gradients, a soft highlight, noise and hard-edged shapes: many distinct colours,
// as in a scanned photograph, generated the same way every run.
Picture PhotographLike(int width, int height) {
    Picture picture(width, height);
    unsigned s = 0x9E3779B9u;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            const int noise = int((s >> 24) % 25) - 12;
            const int dx = x - width / 3;
            const int dy = y - height / 2;
            const int glow = std::max(0, 120 - (dx * dx + dy * dy) / 900);
            int r = x * 200 / width + glow + noise;
            int g = y * 180 / height + glow / 2 - noise;
            int b = (x + 2 * y) * 255 / (3 * width) + noise / 2;
            if ((x / 40 + y / 56) % 7 == 0) { // flat, hard-edged areas
                r = 30 + (x / 40) * 17 % 200;
                g = 200 - (y / 56) * 13 % 150;
                b = 90;
            }
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    }
    return picture;
}

void RunMode(benchmark::State& bench, ConverterPage page, int mode,
             std::function<void(ConversionParameters&)> set = {}) {
    auto state = std::make_unique<ConversionState>();
    state->source = PhotographLike(640, 640);
    if (set)
        set(state->params);
    state->budget = PassBudget(60000);
    for (auto _ : bench) {
        RunConversion(*state, page, mode);
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
