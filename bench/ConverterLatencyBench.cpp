// Time from a track-bar change to the finished result in the converter window model, for
// every mode of every page, on a 640 x 400 photograph-like picture.
#include "BenchPictures.h"

#include "core/app/ConverterWindowModel.h"
#include "core/convert/Conversion.h"
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

void TrackBarToResult(benchmark::State& bench, const ModeDescriptor& mode) {
    auto rig = std::make_unique<Rig>();
    rig->session.applyPicture(bench::PhotographLike(640, 400));
    rig->model.open();
    rig->model.choosePage(mode.page);
    rig->model.chooseMode(mode.id);
    rig->model.runToFinish();
    // The red bar of each page; the V9958 page has its Y element instead.
    const Parameter bar = mode.page == ConverterPage::V9958 ? Parameter::YElement : Parameter::Red;
    int step = 0;
    for (auto _ : bench) {
        step = (step + 1) % 40;
        rig->model.setParameter(bar, step - 20);
        rig->model.runToFinish();
        benchmark::DoNotOptimize(rig->model.result().pixels().data());
    }
}

// The window's readout of a finished conversion, which it measures apart from the finish.
void ReadoutOfTheFinishedResult(benchmark::State& bench) {
    auto rig = std::make_unique<Rig>();
    rig->session.applyPicture(bench::PhotographLike(640, 400));
    rig->model.open();
    rig->model.runToFinish();
    for (auto _ : bench)
        benchmark::DoNotOptimize(ConversionReadout(rig->model.conversion()));
}
BENCHMARK(ReadoutOfTheFinishedResult)->Unit(benchmark::kMillisecond);

void RegisterAll() {
    for (const ModeDescriptor& mode : AllModes())
        benchmark::RegisterBenchmark((std::string("ConverterTrackBarToResult/") +
                                      std::string(Describe(mode.page).name) + "/" +
                                      std::to_string(IndexInPage(mode.id)))
                                         .c_str(),
                                     [&mode](benchmark::State& s) { TrackBarToResult(s, mode); })
            ->Unit(benchmark::kMillisecond);
}

const bool registered = (RegisterAll(), true);

} // namespace
