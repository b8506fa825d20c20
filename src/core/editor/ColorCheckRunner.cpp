#include "core/editor/ColorCheckRunner.h"

#include <utility>

namespace murelo {

ColorCheckRunner::ColorCheckRunner(Callbacks callbacks, Clock clock)
    : callbacks_(std::move(callbacks)), clock_(std::move(clock)) {
    if (!clock_)
        clock_ = [] { return std::chrono::steady_clock::now(); };
}

ColorCheckHooks ColorCheckRunner::hooks() {
    ColorCheckHooks hooks;
    hooks.progress = callbacks_.progress;
    hooks.cancelRequested = callbacks_.cancelRequested;
    if (callbacks_.processEvents)
        hooks.runChecked = [this] { runChecked(); };
    return hooks;
}

void ColorCheckRunner::runChecked() {
    const auto now = clock_();
    if (lastPump_ && now - *lastPump_ < PumpInterval)
        return;
    callbacks_.processEvents();
    ++pumps_;
    // Measured after the events ran, so a slow repaint does not make the next one due at once.
    lastPump_ = clock_();
}

} // namespace murelo
