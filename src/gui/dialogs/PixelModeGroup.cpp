#include "gui/dialogs/PixelModeGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace murelo::gui {

PixelModeGroup::PixelModeGroup(QWidget* parent, const char* objectName)
    : QGroupBox("Pixel Mode (Aspect Ratio)", parent), buttons_(new QButtonGroup(this)) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    const char* captions[] = {"99x8 (1:1)", "PC-6x01 (2:1)", "PC-6x01 (1:1)", "PC-8801 (1:2)"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(captions[i], this);
        button->setObjectName(QString("%1Item%2").arg(objectName).arg(i));
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this, &PixelModeGroup::itemClicked);
}

int PixelModeGroup::itemIndex() const {
    return buttons_->checkedId();
}

void PixelModeGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

} // namespace murelo::gui
