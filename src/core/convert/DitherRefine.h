#pragma once

#include "core/convert/DitherWork.h"

namespace murelo {

// The first pass over a band: every run, left to right and row by row, takes its best pair
// against what the runs drawn before it left in the field (the runs not drawn yet stand at
// their targets, so they add nothing).
void SettleBand(DitherWork& work, int band);

// A later pass over a band, moving dots wherever that lowers the score: each run may take
// another pair, each pixel the other colour of its run's pair, and each pixel may trade
// colours with the next two pixels of its run or the one below it (in the band) where both
// runs keep to two colours. Trades move a dot without changing how much of each colour there is,
// which is how a grain is evened out rather than thinned.
void RefineBand(DitherWork& work, int band);

} // namespace murelo
