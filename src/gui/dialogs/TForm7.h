#pragma once

#include "core/dialogs/NewPictureModel.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace murelo::gui {

class PixelModeGroup;
class TForm1;

// "New": makes a fresh picture of a preset or custom size in a pixel mode.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(TForm1* mainWindow);

    // Only while the dialog is shown: "White" is offered when the palette has white,
    // otherwise "Color" is chosen.
    void UpdateWhiteChoice();

    PixelModeGroup* RadioGroup3 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;   // "Image Size"
    QRadioButton* RadioButton1 = nullptr; // the preset size
    QRadioButton* RadioButton2 = nullptr; // "Custom"
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr; // W:
    QLineEdit* Edit2 = nullptr; // H:
    QGroupBox* RadioGroup2 = nullptr; // "Color"
    QRadioButton* WhiteButton = nullptr;
    QRadioButton* ColorButton = nullptr;
    QPushButton* Button1 = nullptr; // OK
    QPushButton* Button2 = nullptr; // Cancel

    // The dialog's rules and what Cancel returns to (the Pixel Converter fills the same
    // slots when it opens: model.remember).
    NewPictureModel model;

    int presetWidth() const { return model.preset().width; }
    int presetHeight() const { return model.preset().height; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void FormShow();
    void FormHide();
    void Button1Click();
    void RadioGroup3Click(int mode);
    void Edit1Exit();
    void Edit2Exit();
    void validateCustomSize();
    void switchMode(bool fromShow);
    void setEditorEnabled(bool enabled);

    TForm1* form1_;
    struct {
        bool window, picture, file, edit, tool;
    } wasEnabled_{};
};

} // namespace murelo::gui
