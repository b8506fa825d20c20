#include "gui/dialogs/EditModeActions.h"

#include "core/app/EditorSession.h"
#include "core/dialogs/EditModeModel.h"
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
    EditorSession& session = w.Form1->session();
    session.setEditMode(w.Form9->modeGroup->mode());
    if (resetPalette) {
        const PaletteFamilyReset family = EditModeModel::FamilyOf(session.document().EditMode);
        if (!ConverterVisible())
            session.setRecolorOnPaletteChange(family.recolorOnPaletteChange);
        w.Form2->CheckPaletteButton(family.checkedRadioKind);
        w.Form2->SwitchPalette(family.kind, false, false);
    }
    w.Form2->ApplyEditModeToPalette();
}

void SelectPaletteControls(PaletteKindId paletteKind) {
    const auto choice = EditModeModel::ChoiceOfKind(KindNumber(paletteKind));
    if (!choice)
        return;
    Windows& w = AllWindows();
    w.Form9->modeGroup->setMode(*choice);
    w.Form2->CheckPaletteButton(paletteKind);
}

} // namespace murelo::gui
