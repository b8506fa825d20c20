#pragma once

#include "core/app/Document.h"

#include <optional>

namespace murelo {

// How the tool palette is laid out for a pixel mode (the apply step that ends both the
// "New" and the "Set Edit Mode" dialog).
struct PaletteLayout {
    bool chipPanelShown = false;      // Panel2, kinds 0..5
    bool colorModePanelShown = false; // Panel3, kinds 7..14
    bool freeDrawChecked = false;
    bool freeDrawShown = false;
    bool oddLineShown = false;
    bool oddLineUnchecked = false;             // the tall-pixel mode also clears "Odd Line"
    int depthLabelLeft = 16;                   // x of Label6
    bool recolorOnPaletteChange = false;       // applied only while the Pixel Converter is hidden
    std::optional<PaletteKindId> switchToKind; // a switch (no recolouring) the mode forces
};

// The palette family a confirmed edit mode returns to: its first kind, and the palette
// radio button to check (the tall-pixel mode has none of its own and checks "TMS9918").
struct PaletteFamilyReset {
    PaletteKindId kind;
    PaletteKindId checkedRadioKind;
    bool recolorOnPaletteChange;
};

// The "Set Edit Mode" dialog and the pixel-mode rules the New dialog shares with it: the
// choice the dialog opens with, and what a mode does to the tool palette.
class EditModeModel {
  public:
    // The dialog opens with the last confirmed choice.
    EditModeId remembered() const { return remembered_; }
    void remember(EditModeId mode) { remembered_ = mode; }

    static PaletteLayout LayoutFor(EditModeId mode);
    static PaletteFamilyReset FamilyOf(EditModeId mode);
    // The dialog's choice that goes with a palette kind number: the square mode for the
    // chip palettes, the tall mode for the PC-8801 colours, the PC-6x01 1:1 mode for its
    // colour modes; none for numbers that are no kind.
    static std::optional<EditModeId> ChoiceOfKind(int kindNumber);
    // "Pixel 2:1", "Pixel 1:2" or "Pixel 1:1".
    static const char* PixelAspectText(EditModeId mode);

  private:
    EditModeId remembered_ = EditModeId::Tms99x8;
};

} // namespace murelo
