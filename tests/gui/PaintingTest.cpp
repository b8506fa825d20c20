// Painting through the editor window: mouse on the picture and on the cell frame,
// undo and redo, the quick slot, and the fill's lock of the window.
#include "gui/app/TForm1.h"
#include "gui/editor/CellFrame.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace murelo;
using namespace murelo::gui;

namespace {

constexpr ColorValue White = 0xFFFFFF;
constexpr ColorValue Black = 0x000000;
constexpr ColorValue Red = 0x0000FF; // 0x00BBGGRR

struct BoxRecorder {
    QStringList asked; // "text|caption"
    bool answer = true;
    BoxRecorder() {
        SetBoxHandler([this](BoxKind, const QString& text, const QString& caption) {
            asked << text + "|" + caption;
            return answer;
        });
    }
    ~BoxRecorder() { SetBoxHandler({}); }
};

void ShowActive(TForm1& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

int CountColor(const Picture& p, ColorValue c) {
    return int(std::count(p.pixels().begin(), p.pixels().end(), c));
}

} // namespace

class PaintingTest : public QObject {
    Q_OBJECT
  private slots:
    void pressDragReleasePaintsAndRecordsOneSnapshot();
    void freeDrawDragJoinsThePoints();
    void quickDragsAtX4AreJoined();
    void zoomedPictureMapsDisplayToPicturePixels();
    void cellFrameFollowsPointerAndForwardsItsClicks();
    void rightClickPicksTheForegroundColour();
    void fillLocksWindowAndMenusWhileItRuns();
    void quickSaveAndLoadAskFirst();
};

void PaintingTest::pressDragReleasePaintsAndRecordsOneSnapshot() {
    TForm1 w;
    ShowActive(w);
    const Picture& pic = w.document().picture;
    QVERIFY(!w.Undo1->isEnabled());
    QTest::mousePress(w.Image1, Qt::LeftButton, {}, QPoint(3, 5));
    QCOMPARE(pic.pixel(3, 5), Black);
    QCOMPARE(w.windowTitle(), QString("Murelo 9918 ver.1.20 : *"));
    QTest::mouseMove(w.Image1, QPoint(20, 5));
    QTest::mouseRelease(w.Image1, Qt::LeftButton, {}, QPoint(20, 5));
    for (int x = 3; x <= 20; ++x) // the stroke is joined from the press to the move
        QCOMPARE(pic.pixel(x, 5), Black);
    QCOMPARE(CountColor(pic, Black), 18);
    QVERIFY(w.Undo1->isEnabled());
    QVERIFY(!w.Redo1->isEnabled());

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(CountColor(pic, Black), 0);
    QVERIFY(!w.Undo1->isEnabled()); // one stroke, one step
    QVERIFY(w.Redo1->isEnabled());
    QVERIFY(w.windowTitle().endsWith(" : *"));
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(CountColor(pic, Black), 18);
    QVERIFY(!w.Redo1->isEnabled());
}

void PaintingTest::freeDrawDragJoinsThePoints() {
    TForm1 w;
    ShowActive(w);
    w.session().tool().FreeDraw = true;
    QTest::mousePress(w.Image1, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(w.Image1, QPoint(12, 2));
    QTest::mouseRelease(w.Image1, Qt::LeftButton, {}, QPoint(12, 2));
    const Picture& pic = w.document().picture;
    for (int x = 2; x <= 12; ++x)
        QCOMPARE(pic.pixel(x, 2), Black);
    QCOMPARE(CountColor(pic, Black), 11);
}

void PaintingTest::quickDragsAtX4AreJoined() {
    // The pointer jumps many picture pixels between two moves at x4: the pen paints every
    // pixel of the diagonal between them, Block8 every 8 x 8 cell on it.
    for (const auto& [mode, painted] : {std::pair{PaintMode::Pen, 21}, {PaintMode::Block8, 192}}) {
        TForm1 w;
        w.resize(1200, 900);
        ShowActive(w);
        w.stepScale(+2);
        w.session().tool().Mode = mode;
        QTest::mousePress(w.Image1, Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseMove(w.Image1, QPoint(86, 86));
        QTest::mouseRelease(w.Image1, Qt::LeftButton, {}, QPoint(86, 86));
        const Picture& pic = w.document().picture;
        QCOMPARE(CountColor(pic, Black), painted);
        for (int i = 1; i <= 21; ++i)
            QCOMPARE(pic.pixel(i, i), Black);
    }
}

void PaintingTest::zoomedPictureMapsDisplayToPicturePixels() {
    TForm1 w;
    w.resize(900, 700); // room for the x2 picture, so the zoom does not scroll it away
    ShowActive(w);
    QSignalSpy changes(&w, &TForm1::sessionChanged);
    QTest::keyClick(&w, Qt::Key_PageDown); // x2
    QTest::mouseMove(w.Image1, QPoint(15, 7));
    QCOMPARE(QString::fromStdString(w.session().positionText()), QString("X : 7\nY : 3"));
    QVERIFY(!changes.isEmpty());
    QVERIFY(changes.last().at(0).value<SessionChange>().position);
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(15, 7));
    QCOMPARE(w.document().picture.pixel(7, 3), Black);
    QCOMPARE(CountColor(w.document().picture, Black), 1);
}

void PaintingTest::cellFrameFollowsPointerAndForwardsItsClicks() {
    TForm1 w;
    ShowActive(w);
    QTest::mouseMove(w.Image1, QPoint(19, 13));
    QVERIFY(w.Image8->isVisible());
    QCOMPARE(w.Image8->pos(), QPoint(16, 8));
    // A click on the frame lands on the picture under it.
    QTest::mouseClick(w.Image8, Qt::LeftButton, {}, QPoint(2, 3));
    QCOMPARE(w.document().picture.pixel(18, 11), Black);
    QCOMPARE(CountColor(w.document().picture, Black), 1);
    QVERIFY(w.Undo1->isEnabled());
    // With Grid off the frame stays hidden wherever the pointer goes.
    w.Grid1->trigger();
    QTest::mouseMove(w.Image1, QPoint(40, 40));
    QVERIFY(!w.Image8->isVisible());
}

void PaintingTest::rightClickPicksTheForegroundColour() {
    TForm1 w;
    ShowActive(w);
    w.session().mutableDocument().picture.setPixel(4, 4, Red);
    QTest::mouseClick(w.Image1, Qt::RightButton, {}, QPoint(4, 4));
    QCOMPARE(w.session().tool().ForegroundColor, Red);
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(w.document().picture.pixel(30, 30), Red);
}

void PaintingTest::fillLocksWindowAndMenusWhileItRuns() {
    TForm1 w;
    ShowActive(w);
    w.session().tool().FreeDraw = true;
    w.session().tool().Mode = PaintMode::Fill;
    bool windowOn = true, fileOn = true, editOn = true, toolOn = true;
    int fills = 0;
    connect(&w, &TForm1::fillRunning, &w, [&](bool running) {
        if (!running)
            return;
        ++fills;
        windowOn = w.isEnabled();
        fileOn = w.File1->menuAction()->isEnabled();
        editOn = w.Edit1->menuAction()->isEnabled();
        toolOn = w.Tool1->menuAction()->isEnabled();
    });
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(fills, 1);
    QVERIFY(!windowOn && !fileOn && !editOn && !toolOn);
    QVERIFY(w.isEnabled() && w.File1->menuAction()->isEnabled() &&
            w.Edit1->menuAction()->isEnabled() && w.Tool1->menuAction()->isEnabled());
    QCOMPARE(CountColor(w.document().picture, Black), 256 * 192);
    QVERIFY(w.Undo1->isEnabled());
    // The release of the fill click recorded nothing more; the next stroke records one.
    w.session().tool().Mode = PaintMode::Pen;
    w.session().tool().ForegroundColor = Red;
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w.document().picture.pixel(5, 5), Red);
    w.Undo1->trigger();
    QCOMPARE(w.document().picture.pixel(5, 5), Black);
    w.Undo1->trigger();
    QCOMPARE(CountColor(w.document().picture, White), 256 * 192);
    QVERIFY(!w.Undo1->isEnabled());
}

void PaintingTest::quickSaveAndLoadAskFirst() {
    BoxRecorder boxes;
    TForm1 w;
    ShowActive(w);
    QVERIFY(w.QuickSave1->isEnabled() && w.QuickLoad1->isEnabled());
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(1, 1));
    boxes.answer = false;
    QTest::keyClick(&w, Qt::Key_F4);
    QCOMPARE(boxes.asked, QStringList{"OK?|Quick Save"});
    QVERIFY(!w.document().QuickSlotFilled);
    boxes.answer = true;
    QTest::keyClick(&w, Qt::Key_F4);
    QVERIFY(w.document().QuickSlotFilled);
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(CountColor(w.document().picture, Black), 2);

    boxes.answer = false;
    QTest::keyClick(&w, Qt::Key_F3);
    QCOMPARE(CountColor(w.document().picture, Black), 2);
    boxes.answer = true;
    QTest::keyClick(&w, Qt::Key_F3);
    QCOMPARE(boxes.asked.last(), QString("OK?|Quick Load"));
    QCOMPARE(w.document().picture.pixel(1, 1), Black);
    QCOMPARE(w.document().picture.pixel(50, 50), White);
    QVERIFY(w.windowTitle().endsWith(" : *"));
    // F1 now shows the slot over the picture while held.
    QTest::keyPress(&w, Qt::Key_F1);
    QVERIFY(w.Image7->isVisible());
    QTest::keyRelease(&w, Qt::Key_F1);
    QVERIFY(!w.Image7->isVisible());
}

QTEST_MAIN(PaintingTest)
#include "PaintingTest.moc"
