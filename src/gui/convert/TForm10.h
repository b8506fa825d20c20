#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "Pixel Converter" window; its controls come with the work on this window.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
