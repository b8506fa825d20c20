#pragma once

#include <chrono>
#include <cstdint>

namespace murelo {

// How long one conversion pass may run before it hands control back to the window.
inline constexpr int PassBudgetMs = 100;

// The time budget of one pass. It is tested before each unit of work; the first test of a
// pass always passes, so every pass makes progress. The clock is read only every few units,
// because reading it per pixel would cost more than converting the pixel.
class PassBudget {
  public:
    // unitsPerPass > 0 ends a pass after that many units whatever the clock says, which
    // lets tests cut conversions at every possible boundary.
    explicit PassBudget(int budgetMs = PassBudgetMs, int unitsPerPass = 0)
        : budgetMs_(budgetMs), unitsPerPass_(unitsPerPass) {}

    void begin() {
        started_ = Clock::now();
        units_ = 0;
        spent_ = false;
    }

    // True once the pass has used its budget: no further unit may start.
    bool spent() {
        if (spent_)
            return true;
        if (unitsPerPass_ > 0) {
            spent_ = units_ >= unitsPerPass_;
        } else if (units_ > 0 && units_ % ClockStride == 0) {
            spent_ = Clock::now() - started_ >= std::chrono::milliseconds(budgetMs_);
        }
        ++units_;
        return spent_;
    }

    int budgetMs() const { return budgetMs_; }
    int unitsPerPass() const { return unitsPerPass_; }

  private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::int64_t ClockStride = 64;

    int budgetMs_;
    int unitsPerPass_;
    Clock::time_point started_{};
    std::int64_t units_ = 0;
    bool spent_ = false;
};

} // namespace murelo
