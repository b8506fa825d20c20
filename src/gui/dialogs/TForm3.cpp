#include "gui/dialogs/TForm3.h"

namespace murelo::gui {

TForm3::TForm3(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form3");
    setWindowTitle("About Murelo 9918");
}

} // namespace murelo::gui
