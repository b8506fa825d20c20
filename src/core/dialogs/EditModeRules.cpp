#include "core/dialogs/EditModeRules.h"

#include "core/app/Document.h"
#include "core/palette/Palettes.h"

namespace murelo {

PaletteLayout ApplyEditModeToPalette(int editMode) {
    switch (editMode) {
    case EditMode99x8:
        return {true, false, false, true, true, false, 192, true, std::nullopt};
    case EditModePc6001Wide:
    case EditModePc6001:
        return {false, true, true, false, true, false, 16, false, std::nullopt};
    default:
        return {false, false, true, false, false, true, 16, false, KindPc8801};
    }
}

PaletteFamilyReset PaletteFamilyOf(int editMode) {
    switch (editMode) {
    case EditModePc6001Wide:
    case EditModePc6001:
        return {KindColor15, KindColor15, false};
    case EditModePc8801Tall:
        return {KindPc8801, KindTms9918, false};
    default:
        return {KindTms9918, KindTms9918, true};
    }
}

std::optional<int> EditModeChoiceOfKind(int paletteKind) {
    if (paletteKind >= KindTms9918 && paletteKind <= KindV9938)
        return EditMode99x8;
    if (paletteKind == KindPc8801)
        return EditModePc8801Tall;
    if (paletteKind >= KindColor15 && paletteKind <= KindColor4_6)
        return EditModePc6001;
    return std::nullopt;
}

const char* PixelAspectText(int editMode) {
    if (editMode == EditModePc6001Wide)
        return "Pixel 2:1";
    if (editMode == EditModePc8801Tall)
        return "Pixel 1:2";
    return "Pixel 1:1";
}

} // namespace murelo
