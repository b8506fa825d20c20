#include "gui/dialogs/TForm3.h"

#include "core/app/Document.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/AppIcon.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/palette/TForm2.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace murelo::gui {

TForm3::TForm3(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form3");
    setWindowTitle("About Murelo 9918");
    PrepareSecondaryWindow(this, true);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(48, 48);
    Image1->setPixmap(AppIconPixmap(48));
    Label1 = new QLabel(VersionString, this);
    Label1->setObjectName("Label1");
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    Label1->setFont(big);
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(Image1);
    top->addWidget(Label1);
    top->addStretch(1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnWindow(this, form1_);
    disabled_.disable({form1_, AllWindows().Form2});
}

void TForm3::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    disabled_.restore();
}

} // namespace murelo::gui
