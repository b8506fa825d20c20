#include "gui/convert/TForm10.h"

namespace murelo::gui {

TForm10::TForm10(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form10");
    setWindowTitle("Pixel Converter");
}

} // namespace murelo::gui
