#pragma once

#include "gui/dialogs/WindowPlacement.h"
#include <QDialog>

class QLabel;
class QPushButton;

namespace murelo::gui {

class TForm1;

// "About Murelo 9918".
class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(TForm1* mainWindow);

    QLabel* Image1 = nullptr; // the program icon
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr; // OK

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    TForm1* form1_;
    DisabledWhileShown disabled_;
};

} // namespace murelo::gui
