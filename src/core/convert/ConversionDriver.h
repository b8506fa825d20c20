#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// Number of entries in a page's mode list.
int ModeCount(ConverterPage page);

// How a mode starts, by page and mode-list index.
struct ModeStart {
    int editMode = 0;           // the picture's pixel mode the conversion sets
    bool coarsePreview = false; // 8 x 8 blocks drawn over the copied source before the passes
    bool runsWhole = false;     // converted inside the start call, not pass by pass
};
ModeStart ModeStartOf(ConverterPage page, int mode);

// Prepares a new conversion: latches page and mode, sets EditMode, loads the converter
// palette, makes the result a copy of the source, draws the coarse preview where the mode
// does and does the mode's own set-up (errors cleared, ...). Returns the mode's pass and
// the index at which it is complete. Throws std::out_of_range for a mode the page lacks.
ConversionPlan PrepareConversion(ConversionState& state, ConverterPage page, int mode);

// PrepareConversion and the first pass. True when the conversion is already complete.
bool StartConversion(ConversionState& state, ConverterPage page, int mode);

// One more pass of the running conversion from ConversionProgress; when the pass reaches
// the plan's end the finish runs. True when complete.
bool ContinueConversion(ConversionState& state);

// Start and every further pass until complete.
void RunConversion(ConversionState& state, ConverterPage page, int mode);

} // namespace murelo
