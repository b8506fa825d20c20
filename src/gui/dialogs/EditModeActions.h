#pragma once

#include "core/palette/Palettes.h"

namespace murelo::gui {

// EditMode = the Set Edit Mode dialog's choice; with resetPalette the palette returns to
// the family's first kind (without recolouring); then the tool palette is fitted to it.
void SetEditMode(bool resetPalette);

// Marks a palette kind in the Set Edit Mode dialog's choice and in the tool palette's
// radio buttons, without running their handlers.
void SelectPaletteControls(PaletteKindId paletteKind);

// Whether the Pixel Converter window is shown (from the start of its opening steps to the
// start of its closing steps).
bool ConverterVisible();

} // namespace murelo::gui
