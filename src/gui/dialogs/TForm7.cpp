#include "gui/dialogs/TForm7.h"

#include "core/app/EditorSession.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/EditModeActions.h"
#include "gui/dialogs/PixelModeGroup.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm9.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/palette/TForm2.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

namespace murelo::gui {
namespace {

QLineEdit* MakeSizeEdit(QWidget* parent, const char* name, const char* value) {
    auto* edit = new QLineEdit(value, parent);
    edit->setObjectName(name);
    edit->setMaxLength(3);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), edit));
    edit->setInputMethodHints(Qt::ImhDigitsOnly);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("8888") + 12);
    edit->setEnabled(false);
    return edit;
}

} // namespace

TForm7::TForm7(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form7");
    setWindowTitle("New");
    PrepareSecondaryWindow(this, true);
    createControls();

    connect(modeGroup, &PixelModeGroup::itemClicked, this, &TForm7::RadioGroup3Click);
    connect(presetButton, &QRadioButton::clicked, this, [this] {
        widthEdit->setEnabled(false);
        heightEdit->setEnabled(false);
    });
    connect(customButton, &QRadioButton::clicked, this, [this] {
        widthEdit->setEnabled(true);
        heightEdit->setEnabled(true);
    });
    connect(widthEdit, &QLineEdit::editingFinished, this, &TForm7::Edit1Exit);
    connect(heightEdit, &QLineEdit::editingFinished, this, &TForm7::Edit2Exit);
    connect(okButton, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm7::createControls() {
    modeGroup = new PixelModeGroup(this, "RadioGroup3");

    sizeGroup = new QGroupBox("Image Size", this);
    sizeGroup->setObjectName("RadioGroup1");
    presetButton = new QRadioButton("256 x 192", sizeGroup);
    presetButton->setObjectName("RadioButton1");
    presetButton->setChecked(true);
    customButton = new QRadioButton("Custom", sizeGroup);
    customButton->setObjectName("RadioButton2");
    customSizeBox = new QGroupBox(sizeGroup);
    customSizeBox->setObjectName("GroupBox1");
    widthEdit = MakeSizeEdit(customSizeBox, "Edit1", "256");
    heightEdit = MakeSizeEdit(customSizeBox, "Edit2", "212");
    auto* sizeRow = new QHBoxLayout(customSizeBox);
    sizeRow->addWidget(new QLabel("W:", customSizeBox));
    sizeRow->addWidget(widthEdit);
    sizeRow->addSpacing(8);
    sizeRow->addWidget(new QLabel("H:", customSizeBox));
    sizeRow->addWidget(heightEdit);
    sizeRow->addStretch(1);
    auto* sizeLayout = new QVBoxLayout(sizeGroup);
    sizeLayout->addWidget(presetButton);
    sizeLayout->addWidget(customButton);
    sizeLayout->addWidget(customSizeBox);

    fillGroup = new QGroupBox("Color", this);
    fillGroup->setObjectName("RadioGroup2");
    whiteButton = new QRadioButton("White", fillGroup);
    whiteButton->setObjectName("RadioGroup2Item0");
    whiteButton->setChecked(true);
    colorButton = new QRadioButton("Color", fillGroup);
    colorButton->setObjectName("RadioGroup2Item1");
    colorButton->setToolTip("Fill the new picture with the first drawing colour");
    auto* colorLayout = new QVBoxLayout(fillGroup);
    colorLayout->addWidget(whiteButton);
    colorLayout->addWidget(colorButton);
    colorLayout->addStretch(1);

    QDialogButtonBox* buttons = AddOkCancelButtons(this, okButton, cancelButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(modeGroup, 0, 0, 2, 1);
    grid->addWidget(sizeGroup, 0, 1);
    grid->addWidget(fillGroup, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm7::UpdateWhiteChoice() {
    if (!isVisible())
        return;
    const WhiteChoice choice = NewPictureModel::WhiteChoiceFor(form1_->document().PaletteKind);
    if (choice.selectColor)
        colorButton->setChecked(true);
    whiteButton->setEnabled(choice.whiteEnabled);
}

void TForm7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm7::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm7::setEditorEnabled(bool enabled) {
    TForm1& f = *form1_;
    if (!enabled) {
        wasEnabled_ = {OwnEnabledState(&f), OwnEnabledState(f.Image1),
                       f.File1->menuAction()->isEnabled(), f.Edit1->menuAction()->isEnabled(),
                       f.Tool1->menuAction()->isEnabled()};
    }
    // Enabling puts back only what the dialog itself turned off.
    f.File1->menuAction()->setEnabled(enabled && wasEnabled_.file);
    f.Edit1->menuAction()->setEnabled(enabled && wasEnabled_.edit);
    f.Tool1->menuAction()->setEnabled(enabled && wasEnabled_.tool);
    f.Image1->setEnabled(enabled && wasEnabled_.picture);
    f.setEnabled(enabled && wasEnabled_.window);
}

void TForm7::FormShow() {
    CentreOnWindow(this, form1_);
    EditorSession& session = form1_->session();
    const Document& doc = session.document();
    session.setRecolorOnPaletteChange(false);
    model.open({doc.EditMode, doc.PaletteKind});
    setEditorEnabled(false);
    widthEdit->setEnabled(customButton->isChecked());
    heightEdit->setEnabled(customButton->isChecked());
    UpdateWhiteChoice();
    session.setEditMode(modeGroup->mode());
    switchMode(true);
}

void TForm7::RadioGroup3Click(int mode) {
    form1_->session().setEditMode(EditModeOfNumber(mode));
    validateCustomSize();
    switchMode(false);
}

void TForm7::switchMode(bool fromShow) {
    const EditModeId mode = form1_->document().EditMode;
    const NewPicturePreset& preset = model.chooseMode(mode);
    presetButton->setText(preset.caption);
    TForm2* form2 = AllWindows().Form2;
    if (mode != EditModeId::Pc8801Tall) {
        form2->SwitchPalette(preset.paletteKind, false, false);
        if (fromShow)
            SelectPaletteControls(preset.paletteKind);
        else
            form2->CheckPaletteButton(preset.paletteKind); // keep the buttons truthful
    }
    form2->ApplyEditModeToPalette();
}

void TForm7::validateCustomSize() {
    const EditModeId mode = modeGroup->mode();
    const int w = NewPictureModel::ValidateCustomWidth(
        NewPictureModel::ParseSizeEdit(widthEdit->text().toStdString()), mode);
    const int h = NewPictureModel::ValidateCustomHeight(
        NewPictureModel::ParseSizeEdit(heightEdit->text().toStdString()), mode);
    widthEdit->setText(QString::number(w));
    heightEdit->setText(QString::number(h));
}

void TForm7::Edit1Exit() {
    validateCustomSize();
}
void TForm7::Edit2Exit() {
    validateCustomSize();
}

void TForm7::Button1Click() {
    EditorSession& session = form1_->session();
    const Document& doc = session.document();
    const EditModeId mode = modeGroup->mode();
    if (!doc.Modified || AskOkCancel(this, "OK?", "New Picture")) {
        validateCustomSize();
        const PictureSize size = model.sizeToMake(
            customButton->isChecked(), widthEdit->text().toInt(), heightEdit->text().toInt(), mode);
        const ColorValue fill =
            whiteButton->isChecked() ? 0xFFFFFF : AllWindows().Form2->tool().ForegroundColor;
        form1_->newPicture(size.width, size.height, fill);
        if (TForm5* form5 = AllWindows().Form5)
            form5->setText("");
    }
    // Also after a refused question: the pixel mode applies to the kept picture.
    session.setEditMode(mode);
    TForm9* form9 = AllWindows().Form9;
    form9->model.remember(mode);
    form9->modeGroup->setMode(mode);
    SetEditMode(true);
    AllWindows().Form2->ShowDepthLabel();
    SelectPaletteControls(doc.PaletteKind);
    model.confirm();
    hide();
}

void TForm7::FormHide() {
    EditorSession& session = form1_->session();
    const Document& doc = session.document();
    if (const std::optional<ModeAndPalette> back = model.close())
        session.restoreModeAndPalette(back->editMode, back->paletteKind);
    TForm2* form2 = AllWindows().Form2;
    if (doc.EditMode != EditModeId::Pc8801Tall) {
        SelectPaletteControls(doc.PaletteKind);
        form2->SwitchPalette(doc.PaletteKind, true, false);
        if (doc.EditMode != EditModeId::Tms99x8)
            AllWindows().Form9->modeGroup->setMode(doc.EditMode);
    }
    form2->ApplyEditModeToPalette();
    setEditorEnabled(true);
    session.setRecolorOnPaletteChange(true);
}

} // namespace murelo::gui
