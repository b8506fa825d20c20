#pragma once

#include "core/editor/Picture.h"

namespace murelo::bench {

// Smooth gradients, a soft highlight, grain and hard-edged flat shapes: many distinct
// colours, as in a scanned photograph, generated the same way every run.
Picture PhotographLike(int width, int height);

} // namespace murelo::bench
