#pragma once

#include <QWidget>

namespace murelo::gui {

class TForm1;

// "Message" window; its controls come with the work on this window.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(TForm1* mainWindow);

private:
    TForm1* form1_;
};

} // namespace murelo::gui
