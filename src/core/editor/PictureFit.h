#pragma once

#include "core/editor/Picture.h"

#include <optional>
#include <string_view>

namespace murelo {

// How a picture of another aspect is brought to the target size.
enum class PictureFitMode {
    Letterbox, // all of it, scaled to fit, with black bars on two sides
    Crop,      // scaled to fill the target, the overhang cut off evenly
    Stretch,   // scaled in each direction on its own
};

std::optional<PictureFitMode> ParsePictureFitMode(std::string_view text);

// The picture resampled to width x height with a windowed filter in linear light (so that
// a fine black-and-white pattern becomes the grey the eye sees, not a darker one); nothing
// when the resampler could not run.
std::optional<Picture> FitPicture(const Picture& source, int width, int height,
                                  PictureFitMode mode);

// A seam for the tests of the failure path: the next resampling finds no working memory.
void FailNextResampling();

} // namespace murelo
