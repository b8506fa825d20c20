// A file named on the editor's command line opens only once the tool palette has come up, so
// that a refusal's message lies above the palette.
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/palette/TForm2.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace murelo::gui;

class StartFileTest : public QObject {
    Q_OBJECT

  private slots:
    void aRefusedStartFileIsReportedAfterThePaletteShows() {
        QTemporaryDir dir;
        const QString bad = dir.filePath("text.bmp");
        std::ofstream(bad.toStdString()) << "hi";
        Windows& w = CreateWindows();
        QStringList boxes;
        bool paletteUpAtTheBox = false;
        SetBoxHandler([&](BoxKind, const QString& text, const QString& caption) {
            boxes << text + "|" + caption;
            paletteUpAtTheBox = w.Form2->isVisible();
            return true;
        });
        w.Form1->openAtStart(bad);
        QVERIFY(boxes.isEmpty()); // nothing before the editor and its palette are up
        w.Form1->show();
        QTRY_COMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().startsWith("Not BMP File!\n  ->File : "), qPrintable(boxes.first()));
        QVERIFY(boxes.first().endsWith("|Open Error"));
        QVERIFY(paletteUpAtTheBox);
        // Later calls open at once.
        w.Form1->openAtStart(bad);
        QCOMPARE(boxes.size(), 2);
    }
};

QTEST_MAIN(StartFileTest)
#include "StartFileTest.moc"
