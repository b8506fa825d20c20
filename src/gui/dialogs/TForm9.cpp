#include "gui/dialogs/TForm9.h"

namespace murelo::gui {

TForm9::TForm9(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form9");
    setWindowTitle("Set Edit Mode");
}

} // namespace murelo::gui
