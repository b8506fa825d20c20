#include "core/app/EditorSession.h"
#include "core/editor/FloodFill.h"

#include <benchmark/benchmark.h>

using namespace murelo;

namespace {

// The core fill alone: a blank 640 x 640 picture filled with the half-tone brush.
void BM_FloodFillBlank640Pattern4(benchmark::State& state) {
    ToolState tool;
    const Picture blank(640, 640, 0xFFFFFF);
    Picture picture;
    Picture reference;
    for (auto _ : state) {
        state.PauseTiming();
        picture = blank;
        state.ResumeTiming();
        PaintContext context{picture, tool, 0, 0};
        benchmark::DoNotOptimize(
            FloodFill(picture, reference, context, 320, 320, 0x000000, 0x0000FF, 4, 1));
    }
}
BENCHMARK(BM_FloodFillBlank640Pattern4)->Unit(benchmark::kMillisecond);

// The same fill as the window runs it: press with the Fill tool, including the undo snapshot.
void BM_SessionFillClick640Pattern4(benchmark::State& state) {
    EditorSession session;
    session.tool().FreeDraw = true;
    session.tool().Mode = PaintMode::Fill;
    session.tool().BrushPattern = 4;
    session.tool().BackgroundColor = 0x0000FF;
    PointerEvent click;
    click.x = click.y = 320;
    click.left = true;
    for (auto _ : state) {
        state.PauseTiming();
        session.newDocument(640, 640, 0xFFFFFF, false);
        state.ResumeTiming();
        session.press(click);
        session.release(click);
    }
}
BENCHMARK(BM_SessionFillClick640Pattern4)->Unit(benchmark::kMillisecond);

// A free-hand stroke of ten 20-pixel segments, press to release, on a 640 x 640 picture.
void BM_SessionFreeDrawStroke640(benchmark::State& state) {
    EditorSession session;
    session.newDocument(640, 640, 0xFFFFFF, false);
    session.tool().FreeDraw = true;
    int n = 0;
    for (auto _ : state) {
        PointerEvent e;
        e.left = true;
        e.x = (n * 13) % 600;
        e.y = (n * 7) % 600;
        session.press(e);
        for (int i = 0; i < 10; ++i) {
            e.x += 2;
            e.y += 1;
            session.move(e);
        }
        session.release(e);
        ++n;
    }
}
BENCHMARK(BM_SessionFreeDrawStroke640)->Unit(benchmark::kMicrosecond);

} // namespace
