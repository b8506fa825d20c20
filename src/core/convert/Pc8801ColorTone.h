#pragma once

#include "core/convert/ConversionState.h"

#include <cstdint>
#include <vector>

namespace murelo {

// A "Color Tone" choice: pattern level i (0..8) between palette colours k <= j.
struct ToneChoice {
    int level = 4;
    int first = 0;  // k
    int second = 0; // j
    friend bool operator==(const ToneChoice&, const ToneChoice&) = default;
};

// The search of one "Color Tone" conversion: the candidates in search order (model red,
// green, blue and the packed choice, four numbers each), and the choices made so far by
// target colour (an exact cache: a hit needs the whole colour).
struct ToneSearch {
    std::vector<std::int32_t> candidates;
    std::vector<std::uint64_t> cache;
};

// Builds the search for the state's palette, range and weighting (and the channel tables it
// reads) with an empty cache. `descending`: "Color Tone 1" takes j from the last index down,
// "Color Tone 2" up.
ToneSearch PrepareToneSearch(ConversionState& state, bool descending);

// The first candidate (in search order) with the strictly smallest distance to the target.
ToneChoice ChooseTone(const ToneSearch& search, const ConversionState& state,
                      const ColorRec& target);
// As ChooseTone, remembering the choice by target colour.
ToneChoice CachedTone(ToneSearch& search, const ConversionState& state, const ColorRec& target);

// The balanced source colour with 50 taken off each channel, clamped to 0..255.
ColorRec ToneTarget(const ColorRec& balanced);

} // namespace murelo
