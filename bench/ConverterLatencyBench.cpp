// Time from a track-bar change to the finished result in the converter window model, for
// every mode of every page, on a 640 x 400 photograph-like picture.
#include "BenchPictures.h"

#include "core/app/ConverterWindowModel.h"
#include "core/convert/ConversionDriver.h"
#include "core/convert/ConversionReadout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

using namespace murelo;

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
    rig->session.applyPicture(bench::PhotographLike(640, 400));
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
    rig->session.applyPicture(bench::PhotographLike(640, 400));
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
