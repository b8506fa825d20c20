#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "Set Color Depth" window; its controls come with the work on this window.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
