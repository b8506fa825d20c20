#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// A "Color Tone" choice: pattern level i (0..8) between palette colours k <= j.
struct ToneChoice {
    int level = 4;
    int first = 0;  // k
    int second = 0; // j
    friend bool operator==(const ToneChoice&, const ToneChoice&) = default;
};

// Builds the state's tone search for its palette, range and weighting (and the channel
// tables it reads) and empties its cache. `descending`: "Color Tone 1" takes j from the last index
// down, "Color Tone 2" up.
void PrepareToneSearch(ConversionState& state, bool descending);

// The first candidate (in search order) with the strictly smallest distance to the target.
ToneChoice ChooseTone(const ConversionState& state, const ColorRec& target);
// As ChooseTone, remembering the choice by target colour.
ToneChoice CachedTone(ConversionState& state, const ColorRec& target);

// The balanced source colour with 50 taken off each channel, clamped to 0..255.
ColorRec ToneTarget(const ColorRec& balanced);

} // namespace murelo
