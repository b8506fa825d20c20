#include "gui/dialogs/EditModeActions.h"

#include "core/dialogs/EditModeRules.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/PixelModeGroup.h"
#include "gui/dialogs/TForm9.h"
#include "gui/palette/TForm2.h"

namespace murelo::gui {

bool ConverterVisible() {
    const Windows& w = AllWindows();
    return w.Form10 && w.Form10->model().shown();
}

void SetEditMode(bool resetPalette) {
    Windows& w = AllWindows();
    Document& doc = w.Form1->document();
    doc.EditMode = w.Form9->RadioGroup1->itemIndex();
    if (resetPalette) {
        const PaletteFamilyReset family = PaletteFamilyOf(doc.EditMode);
        if (!ConverterVisible())
            doc.RecolorOnPaletteChange = family.recolorOnPaletteChange;
        w.Form2->CheckPaletteButton(family.checkedRadioKind);
        w.Form2->SwitchPalette(family.kind, false, false);
    }
    w.Form2->ApplyEditModeToPalette();
}

void SelectPaletteControls(int paletteKind) {
    const auto choice = EditModeChoiceOfKind(paletteKind);
    if (!choice)
        return;
    Windows& w = AllWindows();
    w.Form9->RadioGroup1->setItemIndex(*choice);
    w.Form2->CheckPaletteButton(paletteKind);
}

} // namespace murelo::gui
