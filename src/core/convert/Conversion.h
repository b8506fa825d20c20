#pragma once

#include "core/convert/ConversionModes.h"
#include "core/convert/ConversionState.h"

#include <memory>

namespace murelo {

// Prepares a new conversion of `mode` over the state's source and parameters: the result
// becomes a copy of the source (pixels a mode never reaches show the picture, not an
// earlier result), the converter palette is loaded, the coarse preview drawn where the mode
// has one, and the mode makes its working state. Nothing is converted yet.
void PrepareConversion(ConversionState& state, ModeId mode);

// One more pass of the running conversion from its progress; when the passes reach the
// mode's end its finish runs. True when complete. Results never depend on where passes end.
bool ContinueConversion(ConversionState& state);

// PrepareConversion and the first pass. True when the conversion is already complete.
bool StartConversion(ConversionState& state, ModeId mode);

// Start and every further pass until complete.
void RunConversion(ConversionState& state, ModeId mode);

// One conversion as the window and the command line ask for it: the picture, the mode and
// every parameter (the palette kind and the drawing colours among them).
struct ConversionRequest {
    Picture source;
    ModeId mode{};
    ConversionParameters params;
};

// Converts the request whole: its result, screen bytes and quantizer palette are in the
// returned state. The one call the command line makes; the window runs the same steps pass
// by pass.
std::unique_ptr<ConversionState> Convert(ConversionRequest request,
                                         const PassBudget& budget = PassBudget());

} // namespace murelo
