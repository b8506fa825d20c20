// The dithered YJK modes as a slider drag previews them (whole conversions from the factory
// to the last unit, one core), and how close their chroma search comes to the exhaustive
// one: the counters give the share of groups where both find the same least cost and the
// mean excess cost. MURELO_YJK_PICTURES, a folder of 24-bit bitmaps (tools/picture-set.sh),
// adds those pictures to the measure.
#include "BenchPictures.h"

#include "core/convert/PerceptualPoint.h"
#include "core/convert/YjkDither.h"
#include "core/convert/YjkSearch.h"
#include "core/editor/BitmapCodec.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using namespace murelo;

void Convert(benchmark::State& bench, ModeFactory factory, int width, int height) {
    auto state = std::make_unique<ConversionState>();
    state->source = bench::PhotographLike(width, height);
    state->budget = PassBudget(600000);
    for (auto _ : bench) {
        state->result = state->source;
        const std::unique_ptr<ModeConversion> mode = factory(*state);
        int i = 0;
        while (i < mode->end())
            i = mode->pass(*state, i);
        mode->finish(*state);
        benchmark::DoNotOptimize(state->result.pixels().data());
    }
}

void Yjk10Dithered256x212(benchmark::State& s) {
    Convert(s, StartYjk10Dithered, 256, 212);
}
void Yjk12Dithered256x212(benchmark::State& s) {
    Convert(s, StartYjk12Dithered, 256, 212);
}
void Yjk10Dithered512x424(benchmark::State& s) {
    Convert(s, StartYjk10Dithered, 512, 424);
}
void Yjk12Dithered512x424(benchmark::State& s) {
    Convert(s, StartYjk12Dithered, 512, 424);
}

std::vector<Picture> LossPictures() {
    std::vector<Picture> pictures = {bench::PhotographLike(256, 192)};
    const char* folder = std::getenv("MURELO_YJK_PICTURES");
    if (!folder)
        return pictures;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".bmp")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        DecodedBitmap decoded = DecodeBitmap(bytes);
        if (decoded.ok())
            pictures.push_back(std::move(decoded.picture));
    }
    return pictures;
}

// Each group of each picture as the search meets it before any error reaches it.
void SearchLoss(benchmark::State& bench, YjkScreen screen) {
    const std::vector<Picture> pictures = LossPictures();
    for (auto _ : bench) {
        ChromaSearchWork work;
        double groups = 0;
        double same = 0;
        double excess = 0;
        for (const Picture& picture : pictures)
            for (int y = 0; y < picture.height(); y += 16)
                for (int x0 = 0; x0 + YjkGroupSize <= picture.width(); x0 += YjkGroupSize) {
                    YjkGroupProblem problem;
                    problem.screen = screen;
                    std::int64_t j8 = 0;
                    std::int64_t k8 = 0;
                    for (int i = 0; i < YjkGroupSize; ++i) {
                        const ColorRec rgb = ColorRecFromColorYjk(picture.pixel(x0 + i, y));
                        j8 += rgb.J8;
                        k8 += rgb.K8;
                        problem.pixel[std::size_t(i)] = {DitherPointOf(rgb), DitherWeightOf(rgb),
                                                         DitherChromaWeightOf(rgb)};
                    }
                    const Chroma start{int(j8 * 31 / (4 * 2040)), int(k8 * 31 / (4 * 2040))};
                    const ChromaChoice fast = SearchChroma(problem, std::span(&start, 1), work);
                    const ChromaChoice full = SearchChromaExhaustive(problem);
                    groups += 1;
                    same += fast.cost == full.cost ? 1 : 0;
                    excess += full.cost > 0 ? double(fast.cost - full.cost) / double(full.cost)
                                            : (fast.cost > 0 ? 1 : 0);
                }
        bench.counters["groups"] = groups;
        bench.counters["optimal"] = same / groups;
        bench.counters["meanExcess"] = excess / groups;
    }
}

void YjkSearchLoss10(benchmark::State& s) {
    SearchLoss(s, YjkScreen::Screen10);
}
void YjkSearchLoss12(benchmark::State& s) {
    SearchLoss(s, YjkScreen::Screen12);
}

} // namespace

BENCHMARK(Yjk10Dithered256x212)->Unit(benchmark::kMillisecond);
BENCHMARK(Yjk12Dithered256x212)->Unit(benchmark::kMillisecond);
BENCHMARK(Yjk10Dithered512x424)->Unit(benchmark::kMillisecond);
BENCHMARK(Yjk12Dithered512x424)->Unit(benchmark::kMillisecond);
BENCHMARK(YjkSearchLoss10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(YjkSearchLoss12)->Unit(benchmark::kMillisecond)->Iterations(1);
