#include "gui/convert/ConverterGuiHost.h"

#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/PixelModeGroup.h"
#include "gui/dialogs/TForm7.h"
#include "gui/dialogs/TForm9.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/palette/TForm2.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>

namespace murelo::gui {

bool ConverterGuiHost::confirm(const std::string& text, const std::string& caption) {
    // Over the converter, which stays on top of the editor.
    QWidget* parent = AllWindows().Form10 ? static_cast<QWidget*>(AllWindows().Form10) : form1_;
    return AskOkCancel(parent, QString::fromStdString(text), QString::fromStdString(caption));
}

EditModeId ConverterGuiHost::editModeChoice() const {
    return EditModeOfNumber(AllWindows().Form9->modeGroup->itemIndex());
}

void ConverterGuiHost::setEditModeChoice(EditModeId mode) {
    AllWindows().Form9->modeGroup->setItemIndex(EditModeNumber(mode));
}

void ConverterGuiHost::rememberEditModeChoice(EditModeId mode) {
    AllWindows().Form9->model.remember(mode);
}

void ConverterGuiHost::layoutToolPalette() {
    AllWindows().Form2->ApplyEditModeToPalette();
}

void ConverterGuiHost::showPaletteKind(PaletteKindId kind) {
    AllWindows().Form2->CheckPaletteButton(kind);
}

void ConverterGuiHost::redrawToolColours() {
    TForm2* form2 = AllWindows().Form2;
    form2->RefreshPaletteView(form1_->document().PaletteKind);
    if (TForm7* form7 = AllWindows().Form7)
        form7->UpdateWhiteChoice();
}

void ConverterGuiHost::setPositionLabel(const std::string& text) {
    AllWindows().Form2->positionLabel->setText(QString::fromStdString(text));
}

void ConverterGuiHost::setOddLineBox(bool checked, bool enabled) {
    QCheckBox* box = AllWindows().Form2->oddLineBox;
    box->setChecked(checked); // its handler keeps the tool state in step
    box->setEnabled(enabled);
    form1_->session().tool().OddLine = checked;
}

} // namespace murelo::gui
