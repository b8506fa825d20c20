#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "Export" window; its controls come with the work on this window.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
