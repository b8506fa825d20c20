#include "core/dialogs/ProtectedColors.h"

#include "core/palette/Palettes.h"

namespace murelo {

bool IsProtectedIndex(ProtectedColorSet set, int index) {
    return index >= 0 && index < PaletteEntries && (set >> index & 1u) != 0;
}

ProtectedColorSet ToggleProtection(ProtectedColorSet set, int index) {
    if (index < 0 || index >= PaletteEntries)
        return set;
    return static_cast<ProtectedColorSet>(set ^ (1u << index));
}

} // namespace murelo
