#pragma once

#include "core/editor/Picture.h"
#include "core/editor/ToolState.h"

namespace murelo {

// What the painting primitives read besides their arguments: the picture (protection is
// always judged on its pixels, whatever image is painted), the tool state and the
// document's pixel and palette modes.
struct PaintContext {
    const Picture& picture;
    const ToolState& tool;
    int editMode = 0;    // EditModeId
    int paletteKind = 0; // PaletteKindId
};

} // namespace murelo
