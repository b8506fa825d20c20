#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Murelo 9918");
    auto& windows = murelo::gui::CreateWindows();
    windows.Form1->show();
    // murelo9918 FILE: opened as File > Open opens it, once the window and its tool palette
    // show, so that a refusal's message appears over the blank picture.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        windows.Form1->openAtStart(args.at(1));
    return app.exec();
}
