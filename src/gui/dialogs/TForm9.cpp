#include "gui/dialogs/TForm9.h"

#include "gui/app/TForm1.h"
#include "gui/dialogs/EditModeActions.h"
#include "gui/dialogs/PixelModeGroup.h"
#include "gui/dialogs/WindowPlacement.h"

#include <QDialogButtonBox>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace murelo::gui {

TForm9::TForm9(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form9");
    setWindowTitle("Set Edit Mode");
    PrepareSecondaryWindow(this, true);

    modeGroup = new PixelModeGroup(this, "RadioGroup1");
    QDialogButtonBox* buttons = AddOkCancelButtons(this, okButton, cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeGroup);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &TForm9::Button1Click);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm9::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnWindow(this, form1_);
    disabled_.disable({form1_});
    modeGroup->setMode(model.remembered());
}

void TForm9::Button1Click() {
    SetEditMode(true);
    model.remember(modeGroup->mode());
    hide();
}

void TForm9::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    disabled_.restore();
}

} // namespace murelo::gui
