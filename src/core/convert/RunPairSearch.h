#pragma once

#include "core/convert/DitherWork.h"

#include <array>

namespace murelo {

inline constexpr int DitherRunLength = 8;

// Where a run lies: `count` pixels (1..8) of row y from column x0.
struct RunSpot {
    int x0 = 0;
    int y = 0;
    int count = DitherRunLength;
};

// A pair of palette colours (equal for a single colour) and the colour each pixel takes.
struct RunChoice {
    int first = 0;
    int second = 0;
    std::array<int, DitherRunLength> pick{};
    float cost = 0; // the change of the score it makes
};

// The run's best pair and pixels against the filtered error, as the cheapest change of the
// score. The colours tried are the two cheapest of each pixel on its own (and, with
// `current`, those the run holds now); each pair of them is first scored as if its pixels
// chose alone, and the few best are drawn pixel by pixel, each pixel feeling the changes
// its run neighbours made before it. Pixels fixed to their colour change only when the
// rule leaves no other way.
RunChoice ChooseRun(const DitherWork& work, const RunSpot& run, bool current);

// Draws the choice into the work: indices and field.
void DrawRunChoice(DitherWork& work, const RunSpot& run, const RunChoice& choice);

// Gives every pixel of a run a colour (the first pass, where they have none yet).
void SettleRun(DitherWork& work, const RunSpot& run);

// Redraws a run when some choice lowers the score; true when it changed.
bool ImproveRun(DitherWork& work, const RunSpot& run);

} // namespace murelo
