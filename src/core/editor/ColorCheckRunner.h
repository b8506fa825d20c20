#pragma once

#include "core/editor/ColorCheck.h"

#include <chrono>
#include <functional>
#include <optional>

namespace murelo {

// How every window runs the colour check (Tool > Color Check and the export dialog): it
// follows the progress, stops on Cancel, and lets the user interface process its pending
// events at the first run and then at most every PumpInterval, because dispatching after
// every 8-pixel run would cost more than the check itself on big pictures.
class ColorCheckRunner {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds PumpInterval{16};

    struct Callbacks {
        std::function<void(int percent)> progress; // the progress bar
        std::function<void()> processEvents;       // keeps Cancel and repainting alive
        std::function<bool()> cancelRequested;     // the Cancel button was pressed
    };

    // The clock is the steady clock unless a test gives its own.
    explicit ColorCheckRunner(Callbacks callbacks, Clock clock = {});

    // The hooks to hand to ColorCheck or to the export job; they refer to this runner,
    // which must outlive the check.
    ColorCheckHooks hooks();
    // How often the events were let through (for the window's own bookkeeping and tests).
    int pumps() const { return pumps_; }

  private:
    void runChecked();

    Callbacks callbacks_;
    Clock clock_;
    std::optional<std::chrono::steady_clock::time_point> lastPump_;
    int pumps_ = 0;
};

} // namespace murelo
