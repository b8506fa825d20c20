#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/CasImage.h"
#include "core/export/ExportJob.h"
#include "core/export/LoadAddressCheck.h"
#include "core/export/Packer.h"
#include "core/export/VramTables.h"
#include "core/export/WaveTape.h"
#include "core/export/loader/LoaderImage.h"
#include "core/palette/Palettes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace murelo;

// Shapes of two colours that repeat every few cells, the mix a drawn picture gives the packer.
Picture DrawnPicture() {
    Picture picture(256, 192, PaletteColor(KindTms9918, 15));
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            if ((x / 8 + y / 8) % 3 == 0 && ((x ^ y) & 4))
                picture.setPixel(x, y, PaletteColor(KindTms9918, 2 + (x / 24 + y / 16) % 14));
    return picture;
}

std::filesystem::path BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "murelo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

// The tape road of the Export button, in memory: reset, check with tables, pack, address
// check, CAS image.
void CheckPackCas(benchmark::State& state) {
    const Picture picture = DrawnPicture();
    Picture overlay;
    auto buffer = std::make_unique<ScreenBuffer>();
    std::size_t size = 0;
    for (auto _ : state) {
        ResetVramImage(buffer->vramImage());
        const ColorCheckResult check =
            ColorCheck(picture, KindTms9918, true, overlay, buffer->vramImage());
        if (check.result != 0)
            state.SkipWithError("the benchmark picture should pass the check");
        const PackedScreen packed = PackScreen(buffer->vramImage());
        const LoadAddressResult address = CheckLoadAddress(0, packed.size());
        TapeFile tape{TapeName("", "/bench/PIC.CAS"), address.header, LoaderImage(0), packed.bytes};
        const std::vector<std::uint8_t> cas = BuildCasImage(tape);
        size = cas.size();
        benchmark::DoNotOptimize(cas.data());
    }
    state.counters["cas_bytes"] = double(size);
}
BENCHMARK(CheckPackCas)->Unit(benchmark::kMillisecond);

// The whole job as the dialog runs it, CAS file written to disk.
void ExportJobCasFile(benchmark::State& state) {
    const Picture picture = DrawnPicture();
    const std::filesystem::path dir = BenchFolder();
    Picture overlay;
    auto buffer = std::make_unique<ScreenBuffer>();
    ExportOptions options;
    options.dataType = ExportCasData;
    ExportJobHooks hooks;
    hooks.casPath = [&] { return std::optional<std::filesystem::path>(dir / "PIC.CAS"); };
    for (auto _ : state) {
        const ExportJobResult r =
            RunExportJob(picture, KindTms9918, options, overlay, buffer->vramImage(), hooks);
        if (r.outcome != ExportOutcome::Written)
            state.SkipWithError("the CAS image was not written");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(ExportJobCasFile)->Unit(benchmark::kMillisecond);

// A whole WAV tape of the picture, written to disk.
void WavTape(benchmark::State& state) {
    const Picture picture = DrawnPicture();
    Picture overlay;
    auto buffer = std::make_unique<ScreenBuffer>();
    ResetVramImage(buffer->vramImage());
    ColorCheck(picture, KindTms9918, true, overlay, buffer->vramImage());
    const PackedScreen packed = PackScreen(buffer->vramImage());
    const TapeFile tape{TapeName("", "/bench/PIC.WAV"), CheckLoadAddress(0, packed.size()).header,
                        LoaderImage(0), packed.bytes};
    const std::filesystem::path dir = BenchFolder();
    const int multiplier = int(state.range(0)) == 1200 ? 1 : 2;
    for (auto _ : state)
        WriteWavTape(dir / "PIC.wav", tape, multiplier, DefaultWavVolume);
    state.counters["wav_bytes"] = double(std::filesystem::file_size(dir / "PIC.wav"));
    std::filesystem::remove_all(dir);
}
BENCHMARK(WavTape)->Arg(1200)->Arg(2400)->Unit(benchmark::kMillisecond);

} // namespace
