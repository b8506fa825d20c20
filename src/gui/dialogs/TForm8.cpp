#include "gui/dialogs/TForm8.h"

#include "core/app/EditorSession.h"
#include "core/editor/IndexedCopy.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/palette/TForm2.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace murelo::gui {

TForm8::TForm8(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form8");
    setWindowTitle("Set Color Depth");
    PrepareSecondaryWindow(this, true);

    depthGroup = new QGroupBox("Color Depth", this);
    depthGroup->setObjectName("GroupBox1");
    bits4Button = new QRadioButton("4bit", depthGroup);
    bits4Button->setObjectName("RadioButton1");
    bits4Button->setChecked(true);
    bits8Button = new QRadioButton("8bit", depthGroup);
    bits8Button->setObjectName("RadioButton2");
    bits24Button = new QRadioButton("24bit", depthGroup);
    bits24Button->setObjectName("RadioButton3");
    auto* group = new QVBoxLayout(depthGroup);
    for (QRadioButton* b : {bits4Button, bits8Button, bits24Button})
        group->addWidget(b);

    QDialogButtonBox* buttons = AddOkCancelButtons(this, okButton, cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(depthGroup);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnWindow(this, form1_);
    disabled_.disable({form1_});
    const Document& doc = form1_->document();
    model_.open(PictureFitsPalette(doc.picture, KindNumber(doc.PaletteKind)), doc.SaveDepth);
    bits24Button->setEnabled(true);
    bits4Button->setEnabled(model_.indexedEnabled());
    bits8Button->setEnabled(model_.indexedEnabled());
    QRadioButton* const byChoice[] = {bits4Button, bits8Button, bits24Button};
    byChoice[static_cast<int>(model_.chosen())]->setChecked(true);
}

DepthChoice TForm8::checkedChoice() const {
    if (bits4Button->isChecked())
        return DepthChoice::Bits4;
    if (bits8Button->isChecked())
        return DepthChoice::Bits8;
    return DepthChoice::Bits24;
}

void TForm8::Button1Click() {
    model_.choose(checkedChoice());
    form1_->session().setSaveDepth(model_.depth());
    if (SaveAfterOk)
        emit writePictureRequested();
    if (TForm2* form2 = AllWindows().Form2)
        form2->ShowDepthLabel();
    SaveAfterOk = true;
    hide();
}

void TForm8::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    disabled_.restore();
}

} // namespace murelo::gui
