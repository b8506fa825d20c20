#pragma once

#include "core/convert/V9938Diffusion.h"

#include <vector>

namespace murelo {

// Chooses at most `colors` distinct colours of the V9938's 512 (lattice indices, see
// ChipLevels) for the picture as the dithered modes will draw it:
// 1. a weighted k-means over the picture's colours in CIELAB (from linear light), with pure
//    black and white kept as entries where they cover a fair part of the picture;
// 2. the centres taken onto the lattice and refined there as k-means on lattice points;
// 3. a local search on the lattice that moves one entry a level at a time while the
//    dithered error of every few pixels of the picture (blurred a little, as the eye merges
//    dots) goes down: the palette that dithers best, not the one that matches best undithered.
// Deterministic; fewer entries when the picture has fewer colours.
// `strength` and `kernel` are the diffusion's, which the refinement dithers with.
std::vector<int> ChooseLatticePalette(const DiffusionPicture& picture, int colors, int strength,
                                      RowDiffusion::Kernel kernel = RowDiffusion::Kernel::Square);

} // namespace murelo
