#include "core/app/EditorSession.h"
#include "core/editor/UndoRing.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <sys/resource.h>

using namespace murelo;

namespace {

// Peak resident memory of the process in kilobytes. Where the kernel allows it, the peak
// is first reset to the current size, so earlier benchmarks do not hide the growth.
void ResetPeakKb() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

long PeakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Recording after a stroke of 20 pixels on a 640 x 640 picture.
void BM_UndoRecordAfterSmallStroke640(benchmark::State& state) {
    UndoRing ring;
    Picture picture(640, 640, 0xFFFFFF);
    ring.record(picture);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int x = 0; x < 20; ++x)
            picture.setPixel((n * 31 + x) % 640, (n * 17) % 640, n & 0xFFFFFF);
        ++n;
        state.ResumeTiming();
        ring.record(picture);
    }
}
BENCHMARK(BM_UndoRecordAfterSmallStroke640)->Unit(benchmark::kMicrosecond);

// Recording after a change of every second pixel (a dithered fill of the whole picture).
void BM_UndoRecordAfterDitheredFill640(benchmark::State& state) {
    UndoRing ring;
    Picture picture(640, 640, 0xFFFFFF);
    ring.record(picture);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int y = 0; y < 640; ++y)
            for (int x = (y + n) & 1; x < 640; x += 2)
                picture.setPixel(x, y, n & 0xFFFFFF);
        ++n;
        state.ResumeTiming();
        ring.record(picture);
    }
}
BENCHMARK(BM_UndoRecordAfterDitheredFill640)->Unit(benchmark::kMillisecond);

// One undo and one redo of small strokes on 640 x 640.
void BM_UndoRedoStep640(benchmark::State& state) {
    UndoRing ring;
    Picture picture(640, 640, 0xFFFFFF);
    ring.record(picture);
    for (int n = 0; n < 10; ++n) {
        picture.setPixel(n, n, n);
        ring.record(picture);
    }
    for (auto _ : state) {
        ring.undo(picture);
        ring.redo(picture);
    }
}
BENCHMARK(BM_UndoRedoStep640)->Unit(benchmark::kMicrosecond);

// 300 free-hand strokes on a new 640 x 640 picture through the session, as a user makes
// them; the counter is what they add to the process's peak memory.
void BM_Undo300StrokesPeakMemory640(benchmark::State& state) {
    for (auto _ : state) {
        ResetPeakKb();
        const long atStart = PeakKb();
        EditorSession session;
        session.newDocument(640, 640, 0xFFFFFF, false);
        session.tool().FreeDraw = true;
        ResetPeakKb();
        const long before = PeakKb();
        for (int n = 0; n < 300; ++n) {
            PointerEvent e;
            e.left = true;
            e.x = (n * 37) % 560;
            e.y = (n * 23) % 560;
            session.press(e);
            for (int i = 0; i < 8; ++i) {
                e.x += 9;
                e.y += 4;
                session.move(e);
            }
            session.release(e);
        }
        const long after = PeakKb();
        state.counters["PeakAddedMB"] = double(after - before) / 1024.0;
        // With the session's own pictures (picture, overlay, scratch, quick slot, ring copy).
        state.counters["PeakWithSessionMB"] = double(after - atStart) / 1024.0;
        state.counters["RingStoredKB"] = double(session.undoRing().storedBytes()) / 1024.0;
        benchmark::DoNotOptimize(session.canUndo());
    }
}
BENCHMARK(BM_Undo300StrokesPeakMemory640)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The heavy case: 300 snapshots after each of which every second pixel of a 640 x 640
// picture changed (a half-tone fill of everything).
void BM_Undo300DitheredFillsPeakMemory640(benchmark::State& state) {
    for (auto _ : state) {
        UndoRing ring;
        Picture picture(640, 640, 0xFFFFFF);
        ring.record(picture);
        ResetPeakKb();
        const long before = PeakKb();
        for (int n = 1; n <= 300; ++n) {
            for (int y = 0; y < 640; ++y)
                for (int x = (y + n) & 1; x < 640; x += 2)
                    picture.setPixel(x, y, (n * 0x010101) & 0xFFFFFF);
            ring.record(picture);
        }
        state.counters["PeakAddedMB"] = double(PeakKb() - before) / 1024.0;
        state.counters["RingStoredKB"] = double(ring.storedBytes()) / 1024.0;
    }
}
BENCHMARK(BM_Undo300DitheredFillsPeakMemory640)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
