#include "core/convert/Tms9918Conversion.h"

#include "core/convert/CoarsePreview.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/HalfTone.h"

#include <algorithm>

namespace murelo {

namespace {

constexpr int RunLength = 8;

int PixelCount(const ConversionState& state) {
    return state.source.width() * state.source.height();
}

int ConvertPixel(ConversionState& state, int x, int y, PassSearch& search) {
    const int index = search.nearest(state, x, y);
    state.result.setPixel(x, y, ConversionColor(state, index));
    return index;
}

struct RunColors {
    int first;  // most frequent
    int second; // second most frequent, or `first` when the run has one colour
};

RunColors TwoMostFrequent(const std::array<int, PaletteEntries>& histogram) {
    int c1 = 1;
    int c2 = -1;
    int count2 = 0;
    for (int index = 2; index < PaletteEntries; ++index) {
        if (histogram[index] > histogram[c1]) {
            c2 = c1;
            count2 = histogram[c1];
            c1 = index;
        } else if (histogram[index] > count2) {
            c2 = index;
            count2 = histogram[index];
        }
    }
    return {c1, count2 == 0 ? c1 : c2};
}

// The run handling that precedes the pixel step at (x, y).
void HandleRunBoundary(ConversionState& state, RunHistogram& histogram, int x, int y) {
    const int width = state.source.width();
    if (x == 0) {
        if (y > 0)
            SettleRun(state, histogram, width - RunLength, y - 1);
        histogram.fill(0);
    } else if ((x & (RunLength - 1)) == 0) {
        SettleRun(state, histogram, x - RunLength, y);
        histogram.fill(0);
    }
}

class Graphic2Mode : public ModeConversion {
  public:
    explicit Graphic2Mode(const ConversionState& state)
        : rules_(state.params.Rules9918),
          end_(PixelCount(state) == 0 ? 0
               : rules_ ? Graphic2RulesEnd(state.source.width(), state.source.height())
                        : PixelCount(state)) {}
    int end() const override { return end_; }
    int pass(ConversionState& state, int start) override {
        return rules_ ? rulesPass(state, start) : plainPass(state, start);
    }

  private:
    int plainPass(ConversionState& state, int start) {
        PassSearch search(state);
        return RunPixelUnits(state, start, end_, state.source.width(),
                             [&](int, int x, int y) { ConvertPixel(state, x, y, search); });
    }
    int rulesPass(ConversionState& state, int start) {
        const int pixels = PixelCount(state);
        PassSearch search(state);
        return RunPixelUnits(state, start, end_, state.source.width(), [&](int i, int x, int y) {
            HandleRunBoundary(state, histogram_, x, y);
            if (i < pixels)
                ++histogram_[std::size_t(ConvertPixel(state, x, y, search))];
        });
    }

    bool rules_;
    int end_;
    RunHistogram histogram_{};
};

int MultiColorPass(ConversionState& state, int) {
    FillSampledBlocks(state, 4, 4);
    return 1;
}

int HalfTonePass(ConversionState& state, int start) {
    const int width = state.source.width();
    return RunPixelUnits(state, start, PixelCount(state), width,
                         [&](int, int x, int y) { DrawHalfTonePixel(state, x, y, x, y); });
}

int Graphic2DitheredPass(ConversionState& state, int start) {
    return Graphic2DitherPass(state, start);
}

} // namespace

int Graphic2RulesEnd(int width, int height) {
    return width * height + 1;
}

std::unique_ptr<ModeConversion> StartGraphic2(ConversionState& state) {
    return std::make_unique<Graphic2Mode>(state);
}

std::unique_ptr<ModeConversion> StartMultiColor(ConversionState&) {
    return std::make_unique<PassMode>(MultiColorPass, 1);
}

std::unique_ptr<ModeConversion> StartHalfTone(ConversionState& state) {
    return std::make_unique<PassMode>(HalfTonePass, PixelCount(state));
}

std::unique_ptr<ModeConversion> StartGraphic2Dithered(ConversionState& state) {
    PrepareGraphic2Dither(state);
    return std::make_unique<PassMode>(
        Graphic2DitheredPass, Graphic2DitherEnd(state.source.width(), state.source.height()));
}

void SettleRun(ConversionState& state, const RunHistogram& histogram, int x0, int y) {
    const RunColors colors = TwoMostFrequent(histogram);
    const ColorValue keep = ConversionColor(state, colors.second);
    const ColorValue major = ConversionColor(state, colors.first);
    // A picture narrower than a run settles the pixels it has.
    const int from = std::max(x0, 0);
    const int to = std::min(x0 + RunLength, state.result.width());
    ColorValue* row = state.result.row(y);
    for (int x = from; x < to; ++x) {
        if (row[x] != keep)
            row[x] = major;
    }
}

} // namespace murelo
