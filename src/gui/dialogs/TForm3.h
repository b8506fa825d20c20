#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "About Murelo 9918" window; its controls come with the work on this window.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
