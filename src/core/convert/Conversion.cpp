#include "core/convert/Conversion.h"

#include "core/convert/CoarsePreview.h"

#include <algorithm>

namespace murelo {

ConversionState::ConversionState() = default;
ConversionState::~ConversionState() = default;

void PrepareConversion(ConversionState& state, ModeId mode) {
    const ModeDescriptor& d = Describe(mode);
    state.work.reset();
    state.mode = mode;
    state.progress = 0;
    state.complete = false;
    LoadConverterPalette(state.palette, state.params.PaletteKind);
    state.result = state.source;
    // Nothing of an earlier conversion reaches this one's files.
    std::fill(state.screenBytes.begin(), state.screenBytes.end(), std::uint8_t(0));
    state.quantizerPalette = {};
    if (d.coarsePreview)
        DrawCoarsePreview(state);
    state.work = d.start(state);
}

bool ContinueConversion(ConversionState& state) {
    if (state.complete || !state.work)
        return state.complete;
    ModeConversion& work = *state.work;
    if (state.progress < work.end())
        state.progress = work.pass(state, state.progress);
    if (state.progress >= work.end()) {
        work.finish(state);
        state.complete = true;
    }
    return state.complete;
}

bool StartConversion(ConversionState& state, ModeId mode) {
    PrepareConversion(state, mode);
    return ContinueConversion(state);
}

void RunConversion(ConversionState& state, ModeId mode) {
    if (StartConversion(state, mode))
        return;
    while (!ContinueConversion(state)) {
    }
}

std::unique_ptr<ConversionState> Convert(ConversionRequest request, const PassBudget& budget) {
    auto state = std::make_unique<ConversionState>();
    state->source = std::move(request.source);
    state->params = request.params;
    state->budget = budget;
    RunConversion(*state, request.mode);
    return state;
}

} // namespace murelo
