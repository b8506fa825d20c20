// Palette lookups, palette detection and bitmap decoding on the largest picture.
#include "core/app/Document.h"
#include "core/editor/BitmapCodec.h"
#include "core/palette/Palettes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace murelo;

// Every pixel a different TMS9918 entry, so lookups end at varying depths.
Picture TmsPicture640() {
    Picture p(640, 640);
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 640; ++x)
            p.setPixel(x, y, PaletteColor(KindTms9918, (x + y * 3) % 16));
    return p;
}

void PaletteIndexOf640x640(benchmark::State& state) {
    const Picture p = TmsPicture640();
    for (auto _ : state) {
        int sum = 0;
        for (ColorValue c : p.pixels())
            sum += PaletteIndexOf(c, KindTms9918);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 640 * 640);
}
BENCHMARK(PaletteIndexOf640x640)->Unit(benchmark::kMillisecond);

// The worst case: white is an entry of every kind 0..7 and only the very last pixel is in
// no palette, so each of the eight kinds scans the whole picture and none wins outright.
void DetectPaletteWorstCase(benchmark::State& state) {
    Picture p(640, 640, FromRrggbb(0xFFFFFF));
    p.setPixel(639, 639, FromRrggbb(0x123456));
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectPalette(p));
}
BENCHMARK(DetectPaletteWorstCase)->Unit(benchmark::kMillisecond);

void Decode640x640Bitmap24(benchmark::State& state) {
    const std::vector<std::uint8_t> file = EncodeBitmap24(TmsPicture640());
    for (auto _ : state) {
        DecodedBitmap d = DecodeBitmap(file);
        benchmark::DoNotOptimize(d.picture.pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}
BENCHMARK(Decode640x640Bitmap24)->Unit(benchmark::kMillisecond);

void Encode640x640Bitmap24(benchmark::State& state) {
    const Picture p = TmsPicture640();
    for (auto _ : state) {
        std::vector<std::uint8_t> file = EncodeBitmap24(p);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(Encode640x640Bitmap24)->Unit(benchmark::kMillisecond);

} // namespace
