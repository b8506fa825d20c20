#pragma once

#include "core/editor/Picture.h"

#include <string>

namespace murelo {

// A colour in CIELAB (D65 white).
struct LabColor {
    double L = 0;
    double a = 0;
    double b = 0;
};

// CIELAB of a linear-light sRGB colour (each channel 0..1).
LabColor LabFromLinearRgb(double r, double g, double b);

// The CIEDE2000 colour difference (weights kL = kC = kH = 1).
double Ciede2000(const LabColor& first, const LabColor& second);

// How far a converted picture is from its source, as the eye sees it from a little away.
struct PerceptualScore {
    // Both pictures in linear light, blurred with a Gaussian of sigma 1 pixel, then the mean
    // CIEDE2000 over all pixels: 0 for identical pictures.
    double meanDeltaE = 0;
    // Mean structural similarity of the lightness of the same blurred pictures (11 x 11
    // Gaussian window, sigma 1.5, lightness 0..100 scaled to 0..255): 1 for identical
    // pictures. Taken after the blur, a fine dither is judged by what it looks like rather
    // than by its dots.
    double ssim = 1;
};

// Throws std::invalid_argument unless both pictures have the same, non-zero size.
PerceptualScore ComparePictures(const Picture& source, const Picture& result);

// The converter window's readout of a finished conversion: "ΔE 5.3".
std::string DeltaEText(double meanDeltaE);

} // namespace murelo
