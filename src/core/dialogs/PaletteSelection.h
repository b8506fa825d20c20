#pragma once

#include "core/palette/ColorValue.h"

namespace murelo {

// The two drawing colours as the tool palette selects them: indices into the current
// palette and the entries they stand for.
struct PaletteSelection {
    int foregroundIndex = 1;
    int backgroundIndex = 15;
    ColorValue foreground = 0;
    ColorValue background = 0;
};

// Keeps both indices inside the kind's usable range (a first colour past the end moves to
// the last usable index, a second colour to the first) and takes their entries.
PaletteSelection ClampSelection(int foregroundIndex, int backgroundIndex, int paletteKind);

} // namespace murelo
