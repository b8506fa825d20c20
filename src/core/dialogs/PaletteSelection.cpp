#include "core/dialogs/PaletteSelection.h"

#include "core/palette/Palettes.h"

namespace murelo {

PaletteSelection ClampSelection(int foregroundIndex, int backgroundIndex, int paletteKind) {
    const IndexRange& r = PaletteRange(paletteKind);
    PaletteSelection s;
    s.foregroundIndex = foregroundIndex > r.last ? r.last : foregroundIndex;
    s.backgroundIndex = backgroundIndex > r.last ? r.first : backgroundIndex;
    s.foreground = PaletteColor(paletteKind, s.foregroundIndex);
    s.background = PaletteColor(paletteKind, s.backgroundIndex);
    return s;
}

} // namespace murelo
