// Tool > Color Check: the progress window, the message window text and the result boxes.
#include "core/palette/Palettes.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace murelo;
using namespace murelo::gui;

class ColorCheckWindowTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    QStringList boxes;
    bool runningDuringBox = false;
    Document& doc() { return w->Form1->session().mutableDocument(); }

  private slots:
    void initTestCase() {
        SetBoxHandler([this](BoxKind, const QString& text, const QString& caption) {
            boxes << text + "|" + caption;
            runningDuringBox = TForm1::colorCheckRunning();
            return true;
        });
        w = &CreateWindows();
        w->Form1->show();
    }
    void init() {
        boxes.clear();
        doc().picture.fill(PaletteColor(doc().PaletteKind, 15));
    }

    void blankPictureIsOk() {
        w->Form1->ColorCheck1->trigger();
        QCOMPARE(boxes, QStringList{"OK!|Color Check"});
        QCOMPARE(w->Form5->text(), std::string("Error(s):\n\n\nError Total: 0\n"));
        QVERIFY(w->Form5->isVisible());
        QVERIFY(!w->Form6->isVisible());
        QVERIFY(!doc().ErrorsShown);
        QVERIFY(!runningDuringBox);
    }

    void oneOffenceIsReportedAndMarked() {
        doc().picture.setPixel(9, 2, 0x123456);
        w->Form1->ColorCheck1->trigger();
        QCOMPARE(boxes, QStringList{"Some errors were found!|Color Check"});
        QVERIFY(doc().ErrorsShown);
        QCOMPARE(doc().errorOverlay.pixel(9, 2), ColorValue(0xFF00FF));
        QVERIFY(w->Form5->text().find("Color: (   9,   2 )\n") != std::string::npos);
        QVERIFY(!w->Form1->Image4->isVisible()); // hidden again after the box
    }

    void cancelStopsTheCheck() {
        doc().picture.setPixel(0, 180, 0x123456); // in the last cell row, never reached
        QTimer::singleShot(0, w->Form6->Button1, &QPushButton::click);
        w->Form1->ColorCheck1->trigger();
        QCOMPARE(boxes, QStringList{"Canceled..|Color Check"});
        QVERIFY(w->Form5->text().find("Color Check was Canceled..") != std::string::npos);
        QVERIFY(!doc().ErrorsShown);
    }

    // Runs last: it ends with the editor closed.
    void commandsWaitForARunningCheck() {
        Document& d = doc();
        const ColorValue before = d.picture.pixel(3, 3);
        w->Form1->session().quickSave();
        d.picture.setPixel(3, 3, PaletteColor(d.PaletteKind, 1)); // would be undone by a quick load
        bool ranDuringCheck = false;
        bool openDuring = false;
        QTimer::singleShot(0, w->Form1, [&] {
            QVERIFY(TForm1::colorCheckRunning());
            ranDuringCheck = true;
            w->Form1->QuickLoad1Click(); // the OK question is answered yes by the box handler
            w->Form1->Undo1Click();
            w->Form1->close();
            openDuring = w->Form1->isVisible();
        });
        w->Form1->ColorCheck1->trigger();
        QVERIFY(ranDuringCheck);
        QVERIFY(openDuring);
        QCOMPARE(d.picture.pixel(3, 3), PaletteColor(d.PaletteKind, 1));
        QVERIFY(d.picture.pixel(3, 3) != before);
        QTRY_VERIFY(!w->Form1->isVisible()); // the close happens once the check has ended
    }
};

QTEST_MAIN(ColorCheckWindowTest)
#include "ColorCheckWindowTest.moc"
