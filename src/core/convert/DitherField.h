#pragma once

#include "core/convert/DitherSpace.h"
#include "core/convert/DitherWork.h"

#include <array>
#include <cstddef>

namespace murelo {

// The filtered error F of DitherWork and what changes cost against it (see FieldRadius).

// The colour a pixel shows now: its palette colour, or its target while it has none.
inline LinearColor ValueOf(const DitherWork& work, std::size_t p) {
    const int k = work.index[p];
    return k == NoIndex ? work.target[p] : work.colour[std::size_t(k)];
}

inline LinearColor Minus(const LinearColor& a, const LinearColor& b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}

inline float Dot(const LinearColor& a, const LinearColor& b) {
    return a.r * b.r + a.g * b.g + a.b * b.b;
}

// A(0), the weight of a pixel's own change.
inline float SelfReach(const DitherWork& work) {
    return work.reach[0] * work.reach[0];
}

// What changing pixel p by d does to the score: 2 d.F_p + A(0) d' M_p d.
inline float ChangeCost(const DitherWork& work, std::size_t p, const LinearColor& d) {
    return 2 * Dot(d, work.field[p]) + SelfReach(work) * Weighed(work.metric[p], d.r, d.g, d.b);
}

// What turning each pixel of a run to each palette colour costs, by palette index, then by
// pixel: a colour's costs over the run lie side by side, for loops over the run's pixels.
using RunCosts = std::array<std::array<float, 8>, 16>;

// The costs of turning the `count` pixels from p0 on from `now` to each palette colour
// (only the usable range means anything; pixels past the run cost 0): ChangeCost expanded
// so that the colours' squares are shared, 2 c.(F - A(0) M v) + A(0) c'Mc + (A(0) v'Mv -
// 2 v.F).
void RunColourCosts(const DitherWork& work, std::size_t p0, int count, const LinearColor* now,
                    RunCosts& cost);

// Adds A(q - p) u to F_q around pixel (x, y), u = M_p d for the change d made there, as
// much of it as the work's share says.
void SpreadChange(DitherWork& work, int x, int y, const LinearColor& u);

// SpreadChange for the changes u[0..count-1] of a run's pixels (x0, y) onward, at once:
// across the row first, then down the rows (the kernel is separable).
void SpreadRunChanges(DitherWork& work, int x0, int y, int count, const LinearColor* u);

} // namespace murelo
