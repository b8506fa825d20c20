#pragma once

#include "core/convert/ConversionState.h"

#include <memory>

namespace murelo {

// One running conversion of one mode: the mode's own working state (errors waiting for the
// next row, a chosen palette, search tables), its time-sliced passes and its finish. The
// state it works on holds what every mode shares: source, result, parameters, converter
// palette, screen bytes, quantizer palette and the pass budget. A result never depends on
// where passes end: whatever a unit needs from the units before it lives in the object.
class ModeConversion {
  public:
    virtual ~ModeConversion() = default;

    // The unit index at which the mode is complete.
    virtual int end() const = 0;
    // Converts units from `start` while the state's budget lasts (RunUnits, RunPixelUnits);
    // returns the index of the next unconverted unit.
    virtual int pass(ConversionState& state, int start) = 0;
    // Runs once, when the passes have reached end() (the palette modes' reduction).
    virtual void finish(ConversionState& /*state*/) {}
};

// A mode whose units need nothing of their own beyond the shared state: a pass function,
// the end and an optional finish.
class PassMode : public ModeConversion {
  public:
    using Pass = int (*)(ConversionState& state, int start);
    using Finish = void (*)(ConversionState& state);
    PassMode(Pass pass, int end, Finish finish = nullptr)
        : pass_(pass), end_(end), finish_(finish) {}
    int end() const override { return end_; }
    int pass(ConversionState& state, int start) override { return pass_(state, start); }
    void finish(ConversionState& state) override {
        if (finish_)
            finish_(state);
    }

  private:
    Pass pass_;
    int end_;
    Finish finish_;
};

// Makes a mode's conversion once the common start is done: the result is a copy of the
// source, the converter palette holds the state's palette kind and the coarse preview is
// drawn where the mode has one. The mode's own set-up happens here.
using ModeFactory = std::unique_ptr<ModeConversion> (*)(ConversionState& state);

} // namespace murelo
