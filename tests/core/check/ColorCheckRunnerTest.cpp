#include "core/editor/ColorCheckRunner.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace murelo {
namespace {

using std::chrono::milliseconds;
using TimePoint = std::chrono::steady_clock::time_point;

// A clock that moves on by a fixed step each time it is read.
struct SteppingClock {
    milliseconds step;
    TimePoint now{};
    ColorCheckRunner::Clock clock() {
        return [this] {
            now += step;
            return now;
        };
    }
};

struct CheckedRun {
    ColorCheckResult result;
    std::vector<TimePoint> pumpTimes;
    std::vector<int> progress;
    int runs = 0; // 8-pixel runs of the picture
};

CheckedRun CheckWith(SteppingClock& clock, int width, int height, int cancelAfterRows = -1) {
    CheckedRun run;
    run.runs = width / 8 * height;
    int rowsAsked = 0;
    ColorCheckRunner runner(
        {.progress = [&](int p) { run.progress.push_back(p); },
         .processEvents = [&] { run.pumpTimes.push_back(clock.now); },
         .cancelRequested = [&] { return cancelAfterRows >= 0 && ++rowsAsked > cancelAfterRows; }},
        clock.clock());
    Picture overlay;
    std::vector<std::uint8_t> vram(VramImageSize);
    const Picture picture(width, height, PaletteColor(KindTms9918, 15));
    run.result = ColorCheck(picture, KindTms9918, false, overlay, vram, runner.hooks());
    EXPECT_EQ(runner.pumps(), int(run.pumpTimes.size()));
    return run;
}

TEST(ColorCheckRunner, EventsGoOutAtTheFirstRunThenAtMostEverySixteenMilliseconds) {
    const struct {
        int stepMs;
        bool everyRun; // the clock moves so fast that each run is due
    } clocks[] = {{0, false}, {1, false}, {5, false}, {16, true}, {40, true}};
    for (const auto& c : clocks) {
        SteppingClock clock{milliseconds(c.stepMs)};
        const CheckedRun run = CheckWith(clock, 64, 64);
        ASSERT_FALSE(run.pumpTimes.empty()) << c.stepMs;
        for (std::size_t i = 1; i < run.pumpTimes.size(); ++i)
            EXPECT_GE(run.pumpTimes[i] - run.pumpTimes[i - 1], ColorCheckRunner::PumpInterval)
                << c.stepMs << " pump " << i;
        if (c.everyRun)
            EXPECT_EQ(int(run.pumpTimes.size()), run.runs) << c.stepMs;
        else
            EXPECT_LE(int(run.pumpTimes.size()), run.runs / 4) << c.stepMs;
    }
}

TEST(ColorCheckRunner, AStoppedClockLetsEventsThroughOnlyOnce) {
    SteppingClock clock{milliseconds(0)};
    EXPECT_EQ(CheckWith(clock, 256, 192).pumpTimes.size(), 1u);
}

TEST(ColorCheckRunner, ProgressAndCancelReachTheCheck) {
    SteppingClock clock{milliseconds(1)};
    const CheckedRun whole = CheckWith(clock, 32, 64);
    EXPECT_EQ(whole.result.result, 0);
    ASSERT_EQ(whole.progress.size(), 8u); // one per cell row
    EXPECT_EQ(whole.progress.front(), 0);
    EXPECT_EQ(whole.progress.back(), 7 * 100 / 8);

    const CheckedRun stopped = CheckWith(clock, 32, 64, 2);
    EXPECT_EQ(stopped.result.result, ColorCheckCanceled);
    EXPECT_LT(stopped.progress.size(), 8u);
}

TEST(ColorCheckRunner, WithoutAnEventCallbackNothingIsPumped) {
    ColorCheckRunner runner({.progress = {}, .processEvents = {}, .cancelRequested = {}});
    EXPECT_FALSE(runner.hooks().runChecked);
    EXPECT_EQ(runner.pumps(), 0);
}

} // namespace
} // namespace murelo
