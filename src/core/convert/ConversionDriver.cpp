#include "core/convert/ConversionDriver.h"

#include "core/convert/CoarsePreview.h"
#include "core/convert/Graphic2Dither.h"
#include "core/convert/Pc6001Conversion.h"
#include "core/convert/Pc8801Conversion.h"
#include "core/convert/Tms9918Conversion.h"
#include "core/convert/V9938Conversion.h"
#include "core/convert/YjkConversion.h"

#include <array>
#include <stdexcept>
#include <string>

namespace murelo {

namespace {

constexpr std::array<int, ConverterPageCount> ModeCounts = {4, 7, 2, 7, 7};

int PixelTotal(const ConversionState& state) {
    return state.source.width() * state.source.height();
}

ConversionPlan PlanTms9918(ConversionState& state, int mode) {
    switch (mode) {
    case 0:
        if (state.params.Rules9918) {
            state.runHistogram.fill(0);
            const int w = state.source.width();
            const int h = state.source.height();
            return {Graphic2RulesPass, w * h == 0 ? 0 : Graphic2RulesEnd(w, h), nullptr};
        }
        return {Graphic2Pass, PixelTotal(state), nullptr};
    case 1:
        return {MultiColorConversion, 1, nullptr};
    case 2:
        return {HalfTonePass, PixelTotal(state), nullptr};
    default:
        PrepareGraphic2Dither(state);
        return {Graphic2DitherPass, Graphic2DitherEnd(state.source.width(), state.source.height()),
                nullptr};
    }
}

ConversionPlan PlanV9938(ConversionState& state, int mode) {
    switch (mode) {
    case 0:
        return {Screen5Pass, Screen5End(state), QuantizeResultTo16};
    case 1:
        return {Screen67Pass, PixelTotal(state), QuantizeResultTo4};
    case 2:
        return {Screen67Pass, PixelTotal(state), QuantizeResultTo16};
    case 3:
        return {Screen8Pass, PixelTotal(state), nullptr};
    default:
        break;
    }
    ClearDiffusionErrors(state);
    static constexpr std::array<ConversionPass, 3> Diffusions = {
        Screen8Diffusion1DPass, Screen8Diffusion2DPass, Screen8FloydSteinbergPass};
    return {Diffusions[std::size_t(mode - 4)], PixelTotal(state), nullptr};
}

ConversionPlan PlanMode(ConversionState& state, ConverterPage page, int mode) {
    switch (page) {
    case ConverterPage::Tms9918:
        return PlanTms9918(state, mode);
    case ConverterPage::V9938:
        return PlanV9938(state, mode);
    case ConverterPage::V9958:
        return PlanYjk(state, mode);
    case ConverterPage::Pc6001:
        return PlanPc6001(state, mode);
    case ConverterPage::Pc8801:
        return PlanPc8801(state, mode);
    }
    return {};
}

void CheckMode(ConverterPage page, int mode) {
    if (mode < 0 || mode >= ModeCount(page))
        throw std::out_of_range("mode " + std::to_string(mode) + " is not in the page's list (0.." +
                                std::to_string(ModeCount(page) - 1) + ")");
}

} // namespace

int ModeCount(ConverterPage page) {
    return ModeCounts[std::size_t(page)];
}

ModeStart ModeStartOf(ConverterPage page, int mode) {
    CheckMode(page, mode);
    switch (page) {
    case ConverterPage::Tms9918:
        return {0, mode == 0 || mode == Graphic2DitheredMode, mode == 1};
    case ConverterPage::V9938:
    case ConverterPage::V9958:
        return {0, false, false};
    case ConverterPage::Pc6001: {
        static constexpr std::array<ModeStart, 7> Starts = {{{2, true, false},
                                                             {1, true, false},
                                                             {2, true, false},
                                                             {1, false, true},
                                                             {1, false, true},
                                                             {2, false, false},
                                                             {1, false, false}}};
        return Starts[std::size_t(mode)];
    }
    case ConverterPage::Pc8801:
        return {3, mode <= 3, false};
    }
    return {};
}

ConversionPlan PrepareConversion(ConversionState& state, ConverterPage page, int mode) {
    const ModeStart start = ModeStartOf(page, mode);
    state.page = page;
    state.ConversionMode = mode;
    state.ConversionProgress = 0;
    state.complete = false;
    state.EditMode = start.editMode;
    LoadConverterPalette(state.palette, state.params.PaletteKind);
    // Every mode starts from the source, so pixels a mode never reaches show the picture
    // rather than what an earlier conversion left there.
    state.result = state.source;
    if (start.coarsePreview)
        DrawCoarsePreview(state);
    state.plan = PlanMode(state, page, mode);
    return state.plan;
}

bool ContinueConversion(ConversionState& state) {
    if (state.complete)
        return true;
    const ConversionPlan& plan = state.plan;
    if (state.ConversionProgress < plan.end)
        state.ConversionProgress = plan.pass(state, state.ConversionProgress);
    if (state.ConversionProgress >= plan.end) {
        if (plan.finish)
            plan.finish(state);
        state.complete = true;
    }
    return state.complete;
}

bool StartConversion(ConversionState& state, ConverterPage page, int mode) {
    PrepareConversion(state, page, mode);
    return ContinueConversion(state);
}

void RunConversion(ConversionState& state, ConverterPage page, int mode) {
    if (StartConversion(state, page, mode))
        return;
    while (!ContinueConversion(state)) {
    }
}

} // namespace murelo
