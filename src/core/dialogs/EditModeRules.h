#pragma once

#include <optional>

namespace murelo {

// How the tool palette is laid out for a pixel mode (the apply step that ends both the
// "New" and the "Set Edit Mode" dialog).
struct PaletteLayout {
    bool chipPanelShown;      // Panel2, kinds 0..5
    bool colorModePanelShown; // Panel3, kinds 7..14
    bool freeDrawChecked;
    bool freeDrawShown;
    bool oddLineShown;
    bool oddLineUnchecked;           // the tall-pixel mode also clears "Odd Line"
    int depthLabelLeft;              // x of Label6
    bool recolorOnPaletteChange;     // applied only while the Pixel Converter is hidden
    std::optional<int> switchToKind; // a palette switch (without recolouring) the mode forces
};

PaletteLayout ApplyEditModeToPalette(int editMode);

// The palette family a confirmed edit mode returns to: its first kind, and the palette
// radio button to check (the tall-pixel mode has none of its own and checks "TMS9918").
struct PaletteFamilyReset {
    int kind;
    int checkedRadioKind;
    bool recolorOnPaletteChange;
};

PaletteFamilyReset PaletteFamilyOf(int editMode);

// The edit mode dialog's choice that goes with a palette kind: 0 for the chip palettes,
// 3 for the PC-8801 colours, 2 for the PC-6x01 colour modes; none for other values.
std::optional<int> EditModeChoiceOfKind(int paletteKind);

// "Pixel 2:1", "Pixel 1:2" or "Pixel 1:1".
const char* PixelAspectText(int editMode);

} // namespace murelo
