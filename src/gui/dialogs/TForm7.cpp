#include "gui/dialogs/TForm7.h"

namespace murelo::gui {

TForm7::TForm7(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form7");
    setWindowTitle("New");
}

} // namespace murelo::gui
