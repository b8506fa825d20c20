#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace murelo::gui {

class TForm1;

// "Color Check Progress": the running colour check's progress and its Cancel button.
class TForm6 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm6(TForm1* mainWindow);

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr; // Cancel

    // Set by Cancel and whenever the window hides, however that happens; cleared on showing.
    // The check reads it after every cell row.
    bool CancelRequested = false;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Button1Click();

    TForm1* form1_;
};

} // namespace murelo::gui
