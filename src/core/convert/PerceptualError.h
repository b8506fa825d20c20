#pragma once

#include "core/convert/WorkerThreads.h"
#include "core/editor/Picture.h"

#include <span>
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
// The same difference with fewer roots, divisions and angles (ComparePictures uses it); it
// equals Ciede2000 but for rounding.
double Ciede2000Fast(const LabColor& first, const LabColor& second);

// How far a converted picture is from its source, as the eye sees it from a little away.
struct PerceptualScore {
    // Both pictures in linear light, blurred with a Gaussian of sigma 1 pixel, then the mean
    // CIEDE2000 over all pixels: 0 for identical pictures.
    double meanDeltaE = 0;
    // SSIM of the blurred luminance: the same blurred pictures back in sRGB, their luma
    // Y' = .2126 R' + .7152 G' + .0722 B' (0..1), compared with Wang et al.'s SSIM (Gaussian
    // window of sigma 1.5, radius 5, reflected edges, C1 = .01^2, C2 = .03^2, population
    // variances), averaged over every pixel but a 5-pixel border: 1 for identical pictures.
    // Taken after the blur, a fine dither is judged by what it looks like rather than by its
    // dots.
    double ssim = 1;
};

// The SSIM of two planes of luma values 0..1, row after row, as PerceptualScore::ssim takes
// it of the blurred pictures.
double LumaSsim(std::span<const double> x, std::span<const double> y, int width, int height);

// Both figures of PerceptualScore, rows shared among `threads` threads; the result does not
// depend on their number. Throws std::invalid_argument unless both pictures have the same,
// non-zero size.
PerceptualScore ComparePictures(const Picture& source, const Picture& result,
                                int threads = DefaultWorkerThreads());

// PerceptualScore::meanDeltaE alone, as ComparePictures gives it.
double MeanBlurredDeltaE(const Picture& source, const Picture& result,
                         int threads = DefaultWorkerThreads());

// The same figures computed straight from their definition, one step after the other and
// with the library's own roots, powers and angles: ComparePictures must come out the same.
PerceptualScore ComparePicturesPlain(const Picture& source, const Picture& result);

// The converter window's readout of a finished conversion: "ΔE 5.3".
std::string DeltaEText(double meanDeltaE);

} // namespace murelo
