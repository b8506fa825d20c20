#pragma once

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
    bool reenableEditor_ = false;
    bool reenablePalette_ = false;
};

} // namespace murelo::gui
