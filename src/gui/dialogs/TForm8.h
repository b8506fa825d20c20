#pragma once

#include "core/dialogs/ColorDepthModel.h"
#include "gui/dialogs/WindowPlacement.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace murelo::gui {

class TForm1;

// "Set Color Depth": the bit depth of saved bitmaps.
class TForm8 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm8(TForm1* mainWindow);

    QGroupBox* depthGroup = nullptr;      // GroupBox1
    QRadioButton* bits4Button = nullptr;  // RadioButton1: 4bit
    QRadioButton* bits8Button = nullptr;  // RadioButton2: 8bit
    QRadioButton* bits24Button = nullptr; // RadioButton3: 24bit
    QPushButton* okButton = nullptr;      // Button1: OK
    QPushButton* cancelButton = nullptr;  // Button2: Cancel

    // When set, OK also writes the picture (Save As); the Color Depth menu item clears it.
    bool SaveAfterOk = true;

  signals:
    // OK with SaveAfterOk: the picture is to be written at the new SaveDepth.
    void writePictureRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Button1Click();
    DepthChoice checkedChoice() const;

    TForm1* form1_;
    ColorDepthModel model_;
    DisabledWhileShown disabled_;
};

} // namespace murelo::gui
