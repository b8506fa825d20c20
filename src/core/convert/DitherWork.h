#pragma once

#include "core/convert/GamutMap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace murelo {

// A symmetric 3 x 3 matrix over linear red, green and blue: xx, yy, zz, xy, xz, yz.
using Metric = std::array<float, 6>;

// How far a dot's light reaches once the eye blurs it. The score of a result is the blurred
// difference from the source, weighed per pixel by a metric M:
//   E = sum over p of e_p' M_p e_p,  e = G * (result - target),
// with G the Gaussian of sigma 1 that compare blurs with. Changing pixel q by d changes E by
//   2 d.F_q + A(0) d' M_q d,  F = G * (M e),
// where A = G * G is the blur's autocorrelation (a Gaussian of sigma sqrt 2, separable;
// FieldRadius keeps its taps above 1/60 of the centre). F, the filtered error, is what
// each pixel "feels" of the errors around it; a change at q adds A(p - q) M_q d to F_p.
inline constexpr int FieldRadius = 4;

// Rows of a band: bands are worked on by one thread each, every second band at a time, so
// that no two running bands reach the same field cells (FieldRadius rows each side).
inline constexpr int BandRows = 16;

// Palette indices fit a byte; a pixel not yet given one holds NoIndex.
inline constexpr std::int8_t NoIndex = -1;

// What the dithered Graphic 2 mode keeps between its passes.
struct DitherWork {
    int width = 0;
    int height = 0;
    int threads = 1;
    float share = 1; // the "Dither" strength: how much of a change its neighbours feel

    // The palette's usable colours (converter range) in linear light, by palette index; the
    // same by channel, and the products r^2, g^2, b^2, 2rg, 2rb, 2gb of each for the
    // quadratic forms, laid out so that a loop over the 16 entries runs in vector registers.
    int first = 1;
    int last = 15;
    std::array<LinearColor, 16> colour{};
    std::array<std::array<float, 16>, 3> channel{};
    std::array<std::array<float, 16>, 6> squares{};
    // 1-D autocorrelation of the blur, a[0..FieldRadius]; A(dx, dy) = a[|dx|] a[|dy|].
    std::array<float, FieldRadius + 1> reach{};
    // By run length n: the sum of A(i - j) over a run's pixel pairs, as felt (the share).
    std::array<float, 9> groupReach{};

    // Where colours outside the palette's mixtures aim, for the palette last prepared.
    std::shared_ptr<const GamutMap> gamut;

    // Per pixel, row by row.
    std::vector<LinearColor> target; // the balanced source as it is aimed at
    std::vector<Metric> metric;      // M_p
    std::vector<LinearColor> field;  // F
    std::vector<std::int8_t> index;  // the palette index drawn, or NoIndex
    // Source pixels already in the palette keep their colour: drawn areas and pure black
    // and white stay clean, and errors that reach them end there.
    std::vector<std::uint8_t> fixed;

    // The weights' working planes (the targets and the luma moments blurred, the luma, a
    // blur's rows blurred across), kept between conversions so that a preview neither
    // allocates them again nor has their pages cleared by the system each time.
    std::vector<float> seen;
    std::vector<float> luma;
    std::vector<float> moments;
    std::vector<float> blurAcross;
};

} // namespace murelo
