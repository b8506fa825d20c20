#pragma once

#include "core/dialogs/ToolPaletteModel.h"
#include "core/editor/Picture.h"
#include "core/editor/ToolState.h"

namespace murelo {

// The colour strip (y 0..32 of the 257 x 65 strip image): swatch i covers x 16i..16i + 15.
// A protected swatch shows a white back-diagonal hatch on black around a smaller inner
// rectangle (x 16i + 4..16i + 11, y 4..28) of its colour.
void DrawColorStrip(Picture& strip, PaletteKindId kind, ProtectedColorSet set);

// The brush strip (y 33..63): a 28 x 28 sample of each of the nine patterns at x 2 + 28p,
// y 34, painted like the picture would be (pixel mode, Odd Line) but ignoring protection,
// and a white frame around the chosen pattern.
void DrawBrushStrip(Picture& strip, const ToolState& tool, EditModeId mode, PaletteKindId kind);

} // namespace murelo
