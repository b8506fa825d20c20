#include "gui/dialogs/TForm6.h"

#include "gui/app/TForm1.h"
#include "gui/dialogs/WindowPlacement.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace murelo::gui {

TForm6::TForm6(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form6");
    setWindowTitle("Color Check Progress");
    PrepareSecondaryWindow(this, true);

    Label1 = new QLabel("Now Color Checking...", this);
    Label1->setObjectName("Label1");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setMinimumWidth(220);
    Button1 = new QPushButton("Cancel", this);
    Button1->setObjectName("Button1");

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnWindow(this, form1_);
    CancelRequested = false;
}

void TForm6::Button1Click() {
    CancelRequested = true;
    hide();
}

void TForm6::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Closing or hiding the window in any way stops a running check.
    CancelRequested = true;
}

} // namespace murelo::gui
