#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "Set Edit Mode" window; its controls come with the work on this window.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
