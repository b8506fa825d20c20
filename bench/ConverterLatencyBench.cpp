// Time from a track-bar change to the finished result in the converter window model, for
// every mode of every page, on a 640 x 400 photograph-like picture.
#include "core/app/ConverterWindowModel.h"
#include "core/convert/ConversionDriver.h"
#include "core/convert/ConversionReadout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

using namespace murelo;

Picture Photograph(int width, int height) {
    Picture picture(width, height);
    unsigned s = 0x9E3779B9u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            const int noise = int((s >> 24) % 25) - 12;
            const int dx = x - width / 3;
            const int dy = y - height / 2;
            const int glow = std::max(0, 120 - (dx * dx + dy * dy) / 900);
            int r = x * 200 / width + glow + noise;
            int g = y * 180 / height + glow / 2 - noise;
            int b = (x + 2 * y) * 255 / (3 * width) + noise / 2;
            if ((x / 40 + y / 56) % 7 == 0) {
                r = 30 + (x / 40) * 17 % 200;
                g = 200 - (y / 56) * 13 % 150;
                b = 90;
            }
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    return picture;
}

struct Rig {
    EditorSession session;
    HeadlessConverterHost host;
    ConverterWindowModel model{session, host};
};

constexpr int Combos[] = {1, 3, 2, 4, 5};
// The red track bar of each page (the V9958 page: its Y element).
constexpr int RedBars[] = {1, 9, 8, 14, 21};

void TrackBarToResult(benchmark::State& bench, int page, int mode) {
    auto rig = std::make_unique<Rig>();
    rig->session.applyPicture(Photograph(640, 400));
    rig->model.FormShow();
    rig->model.PageControl1Change(page);
    rig->model.chooseMode(Combos[page], mode);
    rig->model.runToFinish();
    int step = 0;
    for (auto _ : bench) {
        step = (step + 1) % 40;
        rig->model.setTrackBar(RedBars[page], step - 20);
        rig->model.runToFinish();
        benchmark::DoNotOptimize(rig->model.result().pixels().data());
    }
}

// The window's readout of a finished conversion, which it measures apart from the finish.
void ReadoutOfTheFinishedResult(benchmark::State& bench) {
    auto rig = std::make_unique<Rig>();
    rig->session.applyPicture(Photograph(640, 400));
    rig->model.FormShow();
    rig->model.runToFinish();
    for (auto _ : bench)
        benchmark::DoNotOptimize(ConversionReadout(rig->model.conversion()));
}
BENCHMARK(ReadoutOfTheFinishedResult)->Unit(benchmark::kMillisecond);

void RegisterAll() {
    static const char* Pages[] = {"Tms9918", "V9938", "V9958", "Pc6001", "Pc8801"};
    for (int page = 0; page < ConverterPageCount; ++page)
        for (int mode = 0; mode < ModeCount(ConverterPage(page)); ++mode)
            benchmark::RegisterBenchmark(
                (std::string("ConverterTrackBarToResult/") + Pages[page] + "/" +
                 std::to_string(mode))
                    .c_str(),
                [page, mode](benchmark::State& s) { TrackBarToResult(s, page, mode); })
                ->Unit(benchmark::kMillisecond);
}

const bool registered = (RegisterAll(), true);

} // namespace
