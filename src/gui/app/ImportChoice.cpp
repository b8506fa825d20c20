#include "gui/app/ImportChoice.h"

#include "core/dialogs/NewPictureModel.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace murelo::gui {

namespace {

ImportChoiceHandler& Handler() {
    static ImportChoiceHandler handler;
    return handler;
}

QSpinBox* SizeBox(QWidget* parent, const char* name, int value, int step) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(8, MaxPictureSize);
    box->setSingleStep(step);
    box->setValue(value);
    return box;
}

} // namespace

void SetImportChoiceHandler(ImportChoiceHandler handler) {
    Handler() = std::move(handler);
}

std::optional<ImportChoice> RunImportChoice(QWidget* parent) {
    if (Handler())
        return Handler()();
    QDialog dialog(parent);
    dialog.setObjectName("ImportDialog");
    dialog.setWindowTitle("Import Picture");
    auto* form = new QFormLayout(&dialog);
    QSpinBox* width = SizeBox(&dialog, "ImportWidth", 256, 8);
    QSpinBox* height = SizeBox(&dialog, "ImportHeight", 192, 4);
    auto* fit = new QComboBox(&dialog);
    fit->setObjectName("ImportFit");
    fit->addItems({"Letterbox", "Crop", "Stretch"});
    form->addRow("Width", width);
    form->addRow("Height", height);
    form->addRow("Fit", fit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    ImportChoice choice;
    choice.width = NewPictureModel::ValidateCustomWidth(width->value(), EditModeId::Tms99x8);
    choice.height = NewPictureModel::ValidateCustomHeight(height->value(), EditModeId::Tms99x8);
    choice.fit = static_cast<PictureFitMode>(fit->currentIndex());
    return choice;
}

} // namespace murelo::gui
