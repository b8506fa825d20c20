#include "gui/app/TForm1.h"

namespace murelo::gui {

TForm1::TForm1() {
    setObjectName("Form1");
    NewDocument(doc_, 256, 192, 0xFFFFFF, true);
    setWindowTitle(QString::fromStdString(WindowTitle(doc_)));
}

void TForm1::windowsCreated() {
    connectDialogs();
    connectExport();
}

} // namespace murelo::gui
