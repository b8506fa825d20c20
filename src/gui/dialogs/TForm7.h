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

    PixelModeGroup* modeGroup = nullptr;  // RadioGroup3
    QGroupBox* sizeGroup = nullptr;       // RadioGroup1: "Image Size"
    QRadioButton* presetButton = nullptr; // RadioButton1: the preset size
    QRadioButton* customButton = nullptr; // RadioButton2: "Custom"
    QGroupBox* customSizeBox = nullptr;   // GroupBox1
    QLineEdit* widthEdit = nullptr;       // Edit1: W:
    QLineEdit* heightEdit = nullptr;      // Edit2: H:
    QGroupBox* fillGroup = nullptr;       // RadioGroup2: "Color"
    QRadioButton* whiteButton = nullptr;  // objectName RadioGroup2Item0
    QRadioButton* colorButton = nullptr;  // objectName RadioGroup2Item1
    QPushButton* okButton = nullptr;      // Button1: OK
    QPushButton* cancelButton = nullptr;  // Button2: Cancel

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
