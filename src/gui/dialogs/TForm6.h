#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "Color Check Progress" window; its controls come with the work on this window.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
