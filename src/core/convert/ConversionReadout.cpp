#include "core/convert/ConversionReadout.h"

#include "core/convert/PerceptualError.h"

namespace murelo {

std::string ConversionReadout(const ConversionState& state) {
    if (!state.complete || state.source.empty() || state.result.width() != state.source.width() ||
        state.result.height() != state.source.height())
        return {};
    return DeltaEText(MeanBlurredDeltaE(state.source, state.result));
}

} // namespace murelo
