#include "core/dialogs/EditModeModel.h"

namespace murelo {

PaletteLayout EditModeModel::LayoutFor(EditModeId mode) {
    switch (mode) {
    case EditModeId::Tms99x8:
        return {.chipPanelShown = true,
                .freeDrawShown = true,
                .oddLineShown = true,
                .depthLabelLeft = 192,
                .recolorOnPaletteChange = true,
                .switchToKind = std::nullopt};
    case EditModeId::Pc6001Wide:
    case EditModeId::Pc6001:
        return {.colorModePanelShown = true,
                .freeDrawChecked = true,
                .oddLineShown = true,
                .depthLabelLeft = 16,
                .switchToKind = std::nullopt};
    case EditModeId::Pc8801Tall:
        break;
    }
    return {.freeDrawChecked = true,
            .oddLineUnchecked = true,
            .depthLabelLeft = 16,
            .switchToKind = PaletteKindId::Pc8801};
}

PaletteFamilyReset EditModeModel::FamilyOf(EditModeId mode) {
    switch (mode) {
    case EditModeId::Pc6001Wide:
    case EditModeId::Pc6001:
        return {PaletteKindId::Color15, PaletteKindId::Color15, false};
    case EditModeId::Pc8801Tall:
        return {PaletteKindId::Pc8801, PaletteKindId::Tms9918, false};
    case EditModeId::Tms99x8:
        break;
    }
    return {PaletteKindId::Tms9918, PaletteKindId::Tms9918, true};
}

std::optional<EditModeId> EditModeModel::ChoiceOfKind(int kindNumber) {
    const std::optional<PaletteKindId> kind = PaletteKindOfNumber(kindNumber);
    if (!kind)
        return std::nullopt;
    if (IsChipPalette(*kind))
        return EditModeId::Tms99x8;
    if (*kind == PaletteKindId::Pc8801)
        return EditModeId::Pc8801Tall;
    return EditModeId::Pc6001;
}

const char* EditModeModel::PixelAspectText(EditModeId mode) {
    if (mode == EditModeId::Pc6001Wide)
        return "Pixel 2:1";
    if (mode == EditModeId::Pc8801Tall)
        return "Pixel 1:2";
    return "Pixel 1:1";
}

} // namespace murelo
