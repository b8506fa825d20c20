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

    GroupBox1 = new QGroupBox("Color Depth", this);
    GroupBox1->setObjectName("GroupBox1");
    RadioButton1 = new QRadioButton("4bit", GroupBox1);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton("8bit", GroupBox1);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton3 = new QRadioButton("24bit", GroupBox1);
    RadioButton3->setObjectName("RadioButton3");
    auto* group = new QVBoxLayout(GroupBox1);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3})
        group->addWidget(b);

    QDialogButtonBox* buttons = AddOkCancelButtons(this, Button1, Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnWindow(this, form1_);
    disabled_.disable({form1_});
    const Document& doc = form1_->document();
    model_.open(PictureFitsPalette(doc.picture, KindNumber(doc.PaletteKind)), doc.SaveDepth);
    RadioButton3->setEnabled(true);
    RadioButton1->setEnabled(model_.indexedEnabled());
    RadioButton2->setEnabled(model_.indexedEnabled());
    QRadioButton* const byChoice[] = {RadioButton1, RadioButton2, RadioButton3};
    byChoice[static_cast<int>(model_.chosen())]->setChecked(true);
}

DepthChoice TForm8::checkedChoice() const {
    if (RadioButton1->isChecked())
        return DepthChoice::Bits4;
    if (RadioButton2->isChecked())
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
