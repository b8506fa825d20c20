#include "core/dialogs/WhiteChoice.h"

#include "core/palette/Palettes.h"

namespace murelo {

WhiteChoice UpdateWhiteChoice(int paletteKind) {
    const bool hasWhite = PaletteRange(paletteKind).hasWhite;
    return {hasWhite, !hasWhite};
}

} // namespace murelo
