#include "gui/dialogs/TForm8.h"

namespace murelo::gui {

TForm8::TForm8(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form8");
    setWindowTitle("Set Color Depth");
}

} // namespace murelo::gui
