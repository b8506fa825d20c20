#pragma once

#include <QWidget>

namespace murelo::gui {

class TForm1;

// "Tool Palette" window; its controls come with the work on this window.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
