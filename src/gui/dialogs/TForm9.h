#pragma once

#include "core/dialogs/EditModeModel.h"
#include "gui/dialogs/WindowPlacement.h"

#include <QDialog>

class QPushButton;

namespace murelo::gui {

class PixelModeGroup;
class TForm1;

// "Set Edit Mode": changes the pixel mode of the current picture.
class TForm9 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm9(TForm1* mainWindow);

    PixelModeGroup* modeGroup = nullptr; // RadioGroup1
    QPushButton* okButton = nullptr;     // Button1: OK
    QPushButton* cancelButton = nullptr; // Button2: Cancel

    // The choice selected when the dialog opens.
    EditModeModel model;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Button1Click();

    TForm1* form1_;
    DisabledWhileShown disabled_;
};

} // namespace murelo::gui
