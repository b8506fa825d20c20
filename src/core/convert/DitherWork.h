#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace murelo {

// A colour in the dithered mode's working space: linear light turned by a fixed matrix into
// a lightness and two opponent axes scaled like CIELAB near a mid grey. Being a linear map of
// linear light, errors add up there as light does on the screen.
using DitherPoint = std::array<std::int32_t, 3>;

// One candidate of the run search: two palette indices (equal for a single colour) and
// their points. A pixel v is nearer to b than to a exactly when 2 v.(b - a) > |b|^2 - |a|^2,
// so the choice costs one dot product.
struct PairCandidate {
    int first = 0;
    int second = 0;
    DitherPoint a{};
    DitherPoint b{};
    DitherPoint towardB{};   // b - a
    std::int64_t split = 0; // |b|^2 - |a|^2
};

// A candidate for palette indices first <= second with points a and b.
PairCandidate MakePairCandidate(int first, int second, const DitherPoint& a, const DitherPoint& b);

// The diffusion shares, in 1/65536, after the strength is applied.
struct DiffusionShares {
    std::int32_t ahead = 0;       // the next pixel of the row (7/16)
    std::int32_t belowBehind = 0; // 3/16
    std::int32_t below = 0;       // 5/16
    std::int32_t belowAhead = 0;  // 1/16
};

// What the dithered Graphic 2 mode keeps between its passes.
struct DitherWork {
    std::vector<PairCandidate> candidates; // in the order of the plain search
    DitherPoint low{};                     // the box around the usable palette colours, with room
    DitherPoint high{};
    DiffusionShares shares;
    // Errors waiting for the current and the next row, by column + 1 (a slot each side).
    std::vector<DitherPoint> rowErrors;
    std::vector<DitherPoint> nextErrors;
    DitherPoint carry{}; // what the last run pushed into the next run of its row
    int lastPair = 0;    // tried first in the next run; only speeds the search up
};

} // namespace murelo
