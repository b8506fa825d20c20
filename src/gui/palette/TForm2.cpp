#include "gui/palette/TForm2.h"

namespace murelo::gui {

TForm2::TForm2(TForm1* mainWindow) : QWidget(nullptr), form1_(mainWindow) {
    setObjectName("Form2");
    setWindowTitle("Tool Palette");
}

} // namespace murelo::gui
