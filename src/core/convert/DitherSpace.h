#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/DitherWork.h"

#include <vector>

namespace murelo {

// How the dithered mode weighs errors, per pixel, from the targets blurred as the eye
// blurs them (the local colour a dot is seen against):
// - colour: lightness and the two opponent axes of CIELAB, linearised at that colour. The
//   eye tells dark shades apart far better than bright ones, but a dot on a dark ground
//   is judged against what its blurred light reaches, not against the dark alone, so
//   lightness counts with the square root of CIELAB's slope there. Off the lightness axis,
//   errors count less the more saturated the colour, as CIEDE2000's hue term has it.
// - shape: the luma (Y' of the blurred sRGB) error, weighed by 1 / (local variance + .03^2)
//   of the source's luma: a grain that a flat or dark area shows at once is lost in
//   texture. This is what keeps edges and faint shapes in the dark standing out from the
//   dither instead of dissolving into sparse dots.
// - darkness: where the source's local luma is below `darkLuma`, far below the palette's
//   first step above black, any dot is a lone grain on the black ground and the mean
//   luma counts most (SSIM's C1 is small against it), so the luma term counts up to
//   1 + darkBoost times as much, falling off linearly up to `darkLuma`. Faint glows on a
//   night sky then stay a soft few dots instead of a scatter of them.
struct DitherWeights {
    float shape = 40; // the luma term against the colour term
    float darkBoost = 3;
    float darkLuma = 0.06f;
};

// The palette's usable colours, their squares, the blur's reach and (when the palette
// changed) the map of what its mixtures can show.
void PrepareDitherPalette(DitherWork& work, const ConverterPalette& palette, int first, int last);

// The metric of every pixel from the targets (rows shared among the work's threads).
void ComputeDitherMetrics(DitherWork& work, const DitherWeights& weights = {});

// e' M e for an error e.
inline float Weighed(const Metric& m, float x, float y, float z) {
    return m[0] * x * x + m[1] * y * y + m[2] * z * z +
           2 * (m[3] * x * y + m[4] * x * z + m[5] * y * z);
}

// M e.
inline LinearColor Times(const Metric& m, float x, float y, float z) {
    return {m[0] * x + m[3] * y + m[4] * z, m[3] * x + m[1] * y + m[5] * z,
            m[4] * x + m[5] * y + m[2] * z};
}

} // namespace murelo
