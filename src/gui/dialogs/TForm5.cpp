#include "gui/dialogs/TForm5.h"

namespace murelo::gui {

TForm5::TForm5(TForm1* mainWindow) : QWidget(nullptr), form1_(mainWindow) {
    setObjectName("Form5");
    setWindowTitle("Message");
}

} // namespace murelo::gui
