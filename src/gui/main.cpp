#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Murelo 9918");
    auto& windows = murelo::gui::CreateWindows();
    windows.Form1->show();
    return app.exec();
}
