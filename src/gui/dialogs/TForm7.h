#pragma once

#include <QDialog>

namespace murelo::gui {

class TForm1;

// "New" window; its controls come with the work on this window.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
