#include "gui/dialogs/TForm6.h"

namespace murelo::gui {

TForm6::TForm6(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form6");
    setWindowTitle("Color Check Progress");
}

} // namespace murelo::gui
