#include "gui/export/TForm4.h"

namespace murelo::gui {

TForm4::TForm4(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form4");
    setWindowTitle("Export");
}

} // namespace murelo::gui
