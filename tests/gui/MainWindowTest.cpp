// The editor window: its menu, title, close question, keys, zoom and cell frame.
#include "gui/app/TForm1.h"
#include "gui/editor/CellFrame.h"
#include "gui/editor/MessageBoxes.h"

#include "core/editor/BitmapCodec.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace murelo;
using namespace murelo::gui;

namespace {

struct Box {
    BoxKind kind;
    QString text;
    QString caption;
};

// Answers every message box with `answer` and remembers what was asked.
struct BoxRecorder {
    QList<Box> boxes;
    bool answer = true;
    BoxRecorder() {
        SetBoxHandler([this](BoxKind kind, const QString& text, const QString& caption) {
            boxes.append({kind, text, caption});
            return answer;
        });
    }
    ~BoxRecorder() { SetBoxHandler({}); }
};

// "name|caption|shortcut" rows, "-name" for a separator, as the menu must read.
QStringList MenuRows(QMenu* menu) {
    QStringList rows;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            rows << "-" + a->objectName();
        else
            rows << a->objectName() + "|" + a->text() + "|" +
                        a->shortcut().toString(QKeySequence::PortableText);
    }
    return rows;
}

QMenu* TopMenu(TForm1& w, const char* name) {
    return w.findChild<QMenu*>(name);
}

void ShowActive(TForm1& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void menuBarHoldsTheFiveMenusInOrder();
    void menuItemsCaptionsShortcutsAndSeparators();
    void startStateOfChecksAndPendingItems();
    void disabledItemIgnoresItsShortcut();
    void titleOfFreshDocumentAndAfterChange();
    void closeAsksOnlyWhenModified();
    void pageKeysZoomWithinLimits();
    void pageKeysZoomEvenWhenTheScrollAreaHasThem();
    void onlyKeypadPlusAndMinusZoomWithCtrl();
    void viewMenuZoomsByTheScaleStepsAndToFit();
    void ctrlWheelZoomsAroundThePointer();
    void windowShowsTheWholePictureAfterNewAndOpen();
    void gridItemTogglesCellFrame();
    void tabShowsErrorOverlayOnlyAfterCheck();
    void f1ShowsQuickSlotOnlyWhenFilled();
    void mirrorTwiceRestoresAndMarksModified();
    void pictureIsDrawnMagnifiedInItsOwnColours();
    void pixelsAreShownFromThePictureBufferItself();
    void cellFrameIsDottedSilverWithSeeThroughCorner();
};

void MainWindowTest::menuBarHoldsTheFiveMenusInOrder() {
    TForm1 w;
    QStringList tops;
    for (QAction* a : w.menuBar()->actions())
        tops << a->objectName() + "|" + a->text();
    QCOMPARE(tops, (QStringList{"File1|&File", "Edit1|&Edit", "View1|&View", "Tool1|&Tool",
                                "Help1|&Help"}));
}

void MainWindowTest::menuItemsCaptionsShortcutsAndSeparators() {
    TForm1 w;
    QCOMPARE(MenuRows(TopMenu(w, "File1")),
             (QStringList{"New1|&New|Ctrl+N", "Open1|&Open|Ctrl+O",
                          "Import1|&Import Picture...|Ctrl+I", "Save1|&Save|Ctrl+S",
                          "SaveAs1|Save &As|Ctrl+Shift+S", "SaveCons1|Save &Consecutive|Ctrl+Alt+S",
                          "-N1", "QuickSave1|&Quick Save|F4", "QuickLoad1|Quick &Load|F3", "-N5",
                          "Export1|&Export|", "-N2", "Exit1|E&xit|"}));
    QCOMPARE(MenuRows(TopMenu(w, "Edit1")),
             (QStringList{"Undo1|&Undo|Ctrl+Z", "Redo1|&Redo|Ctrl+Y", "-N3", "Copy1|&Copy|Ctrl+C",
                          "-N6", "Settings1|Color &Depth|", "EditMode1|&Edit Mode|"}));
    QCOMPARE(
        MenuRows(TopMenu(w, "View1")),
        (QStringList{"Palet1|Tool &Palette|Ctrl+T", "Message1|&Message|Ctrl+M",
                     "Grid1|&Grid|Ctrl+G", "-N7", "ZoomIn1|Zoom &In\tPage Down, Ctrl+Num +|PgDown",
                     "ZoomOut1|Zoom &Out\tPage Up, Ctrl+Num -|PgUp", "ZoomFit1|Zoom to &Fit|"}));
    QCOMPARE(MenuRows(TopMenu(w, "Tool1")),
             (QStringList{"ColorCheck1|&Color Check|", "-N4", "SC1Converter1|&Pixel Converter|"}));
    QCOMPARE(MenuRows(TopMenu(w, "Help1")), (QStringList{"About1|&About...|", "Help2|&Help|"}));
    // Other windows find the items by their object names.
    QCOMPARE(w.findChild<QAction*>("SaveCons1"), w.SaveCons1);
    QCOMPARE(w.findChild<QAction*>("Grid1"), w.Grid1);
}

void MainWindowTest::startStateOfChecksAndPendingItems() {
    TForm1 w;
    QVERIFY(w.Palet1->isCheckable() && w.Palet1->isChecked());
    QVERIFY(w.Grid1->isCheckable() && w.Grid1->isChecked());
    QVERIFY(w.Message1->isCheckable() && !w.Message1->isChecked());
    QVERIFY(!w.Undo1->isEnabled());
    QVERIFY(!w.Redo1->isEnabled());
    // Without its export dialog wired, Export is greyed even for 256 x 192.
    QVERIFY(!w.Export1->isEnabled());
    // Windows of other subsystems not wired in this test: their items stay greyed.
    for (QAction* a : {w.New1, w.Settings1, w.EditMode1, w.ColorCheck1, w.SC1Converter1, w.About1})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(w.Exit1->isEnabled());
    QVERIFY(w.Grid1->isEnabled());
    QVERIFY(w.Help2->isEnabled());
}

void MainWindowTest::disabledItemIgnoresItsShortcut() {
    TForm1 w;
    ShowActive(w);
    QSignalSpy undo(w.Undo1, &QAction::triggered);
    QSignalSpy grid(w.Grid1, &QAction::triggered);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(undo.count(), 0);
    QCOMPARE(grid.count(), 1); // the same route works for an enabled item
}

void MainWindowTest::titleOfFreshDocumentAndAfterChange() {
    TForm1 w;
    QCOMPARE(w.windowTitle(), QString("Murelo 9918 ver.1.20"));
    QVERIFY(!w.document().Modified);
    ShowActive(w);
    QTest::keyClick(&w, Qt::Key_R);
    QCOMPARE(w.windowTitle(), QString("Murelo 9918 ver.1.20 : *"));
    w.session().mutableDocument().FileName = "C:/pics/a.bmp";
    w.updateTitle();
    QCOMPARE(w.windowTitle(), QString("Murelo 9918 ver.1.20 : *C:/pics/a.bmp"));
    NewDocument(w.session().mutableDocument(), 100, 50, 0xFFFFFF, false);
    w.updateTitle();
    QCOMPARE(w.windowTitle(), QString("Murelo 9918 ver.1.20"));
}

void MainWindowTest::closeAsksOnlyWhenModified() {
    BoxRecorder boxes;
    {
        TForm1 w;
        w.show();
        QVERIFY(w.close());
        QCOMPARE(boxes.boxes.size(), 0);
    }
    TForm1 w;
    w.show();
    w.markModified();
    boxes.answer = false;
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].kind, BoxKind::Question);
    QCOMPARE(boxes.boxes[0].text, QString("Data has been Modified.\nQuit?"));
    QCOMPARE(boxes.boxes[0].caption, QString("Exit"));
    boxes.answer = true;
    w.Exit1->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(boxes.boxes.size(), 2);
}

void MainWindowTest::pageKeysZoomWithinLimits() {
    TForm1 w;
    ShowActive(w);
    QTest::keyClick(&w, Qt::Key_PageUp); // already at x1
    QCOMPARE(w.session().view().Scale, 1);
    QTest::keyClick(&w, Qt::Key_PageDown);
    QCOMPARE(w.session().view().Scale, 2);
    QCOMPARE(w.Image1->size(), QSize(512, 384));
    QCOMPARE(w.Image8->size(), QSize(16, 16));
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(&w, Qt::Key_PageDown);
    QCOMPARE(w.session().view().ScalePosition, 5);
    QCOMPARE(w.Image1->size(), QSize(8192, 6144));
    QTest::keyClick(&w, Qt::Key_PageUp);
    QCOMPARE(w.session().view().Scale, 16);
    QCOMPARE(w.Image1->size(), QSize(4096, 3072));
}

void MainWindowTest::pageKeysZoomEvenWhenTheScrollAreaHasThem() {
    TForm1 w;
    ShowActive(w);
    QWidget* viewport = w.scrollArea()->viewport();
    QTest::keyClick(viewport, Qt::Key_PageDown);
    QTest::keyClick(w.scrollArea(), Qt::Key_PageDown);
    QCOMPARE(w.session().view().Scale, 4);
    QTest::keyClick(viewport, Qt::Key_PageUp);
    QCOMPARE(w.session().view().Scale, 2);
}

void MainWindowTest::onlyKeypadPlusAndMinusZoomWithCtrl() {
    TForm1 w;
    ShowActive(w);
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier); // the main keyboard's +
    QCOMPARE(w.session().view().Scale, 1);
    QTest::keyClick(&w, Qt::Key_Plus, Qt::KeypadModifier); // keypad + without Ctrl
    QCOMPARE(w.session().view().Scale, 1);
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.session().view().Scale, 2);
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.session().view().Scale, 2);
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.session().view().Scale, 1);
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.session().view().Scale, 1);
}

void MainWindowTest::viewMenuZoomsByTheScaleStepsAndToFit() {
    TForm1 w;
    ShowActive(w);
    QVERIFY(!w.ZoomOut1->isEnabled()); // x1 is the smallest step
    for (int i = 0; i < 5; ++i)
        w.ZoomIn1->trigger();
    QVERIFY(w.session().view().Scale == 32 && !w.ZoomIn1->isEnabled());
    // Zoom to Fit: the largest step that shows the whole picture on the offscreen screen of
    // 800 x 800 pixels: x2.
    w.ZoomFit1->trigger();
    QCOMPARE(w.session().view().Scale, 2);
    QCOMPARE(w.scrollArea()->viewport()->size(), QSize(512, 384));
}

void MainWindowTest::ctrlWheelZoomsAroundThePointer() {
    TForm1 w;
    ShowActive(w);
    w.resize(400, 300);
    w.stepScale(+2); // x4: larger than the window, so it scrolls
    w.scrollArea()->horizontalScrollBar()->setValue(300);
    const QPoint at = w.Image1->mapToGlobal(QPoint(430, 330)); // picture pixel (107, 82)
    const auto wheel = [&](QWidget* target, int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent event(target->mapFromGlobal(at), at, {}, {0, delta}, Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    wheel(w.canvas(), 120, Qt::ControlModifier);
    const QPoint now = w.Image1->mapFromGlobal(at); // the same pixel under the pointer
    QCOMPARE(QPoint(now.x() / 8, now.y() / 8), QPoint(107, 82));
    wheel(w.canvas(), -120, Qt::ControlModifier);
    QCOMPARE(w.session().view().Scale, 4);
    const int scrolled = w.scrollArea()->verticalScrollBar()->value();
    wheel(w.scrollArea()->viewport(), -120, Qt::NoModifier); // without Ctrl: scrolls
    QVERIFY(w.session().view().Scale == 4 &&
            w.scrollArea()->verticalScrollBar()->value() > scrolled);
}

void MainWindowTest::windowShowsTheWholePictureAfterNewAndOpen() {
    BoxRecorder boxes;
    TForm1 w;
    ShowActive(w);
    w.stepScale(+1);
    w.newPicture(200, 120, 0xFFFFFF);
    QTRY_COMPARE(w.scrollArea()->viewport()->size(), QSize(400, 240));
    QTemporaryDir dir;
    const std::vector<std::uint8_t> bytes = EncodeBitmap24(Picture(320, 200, 0x0000FF));
    QFile file(dir.filePath("wide.bmp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();
    QVERIFY(w.openFile(file.fileName()));
    QTRY_COMPARE(w.scrollArea()->viewport()->size(), QSize(640, 400));
    w.stepScale(+1); // x4 is larger than the screen: the window takes its height, no more
    w.newPicture(320, 200, 0xFFFFFF);
    QTRY_COMPARE(w.frameGeometry().height(), w.screen()->availableGeometry().height());
}

void MainWindowTest::gridItemTogglesCellFrame() {
    TForm1 w;
    ShowActive(w);
    QVERIFY(w.Image8->isVisible());
    QCOMPARE(w.Image8->pos(), w.Image1->pos());
    w.Grid1->trigger();
    QVERIFY(!w.Grid1->isChecked());
    QVERIFY(!w.Image8->isVisible());
    // A zoom rebuilds the frame but must not bring it back while Grid is off.
    QTest::keyClick(&w, Qt::Key_PageDown);
    QVERIFY(!w.Image8->isVisible());
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(w.Grid1->isChecked());
    QVERIFY(w.Image8->isVisible());
    QCOMPARE(w.Image8->size(), QSize(16, 16));
}

void MainWindowTest::tabShowsErrorOverlayOnlyAfterCheck() {
    TForm1 w;
    ShowActive(w);
    QWidget* focusBefore = QApplication::focusWidget();
    QTest::keyPress(&w, Qt::Key_Tab);
    QVERIFY(!w.Image4->isVisible());
    QTest::keyRelease(&w, Qt::Key_Tab);

    w.session().mutableDocument().ErrorsShown = true;
    QTest::keyPress(&w, Qt::Key_Tab);
    QVERIFY(w.Image4->isVisible());
    QCOMPARE(w.Image4->geometry(), w.Image1->geometry());
    QTest::keyRelease(&w, Qt::Key_Tab);
    QVERIFY(!w.Image4->isVisible());
    // Tab is the overlay's key, not focus navigation.
    QCOMPARE(QApplication::focusWidget(), focusBefore);
}

void MainWindowTest::f1ShowsQuickSlotOnlyWhenFilled() {
    TForm1 w;
    ShowActive(w);
    QTest::keyPress(&w, Qt::Key_F1);
    QVERIFY(!w.Image7->isVisible());
    QTest::keyRelease(&w, Qt::Key_F1);
    w.session().mutableDocument().QuickSlotFilled = true;
    QTest::keyPress(&w, Qt::Key_F1);
    QVERIFY(w.Image7->isVisible());
    QTest::keyRelease(&w, Qt::Key_F1);
    QVERIFY(!w.Image7->isVisible());
}

void MainWindowTest::mirrorTwiceRestoresAndMarksModified() {
    TForm1 w;
    ShowActive(w);
    Picture& pic = w.session().mutableDocument().picture;
    pic.setPixel(0, 5, 0x0000FF);
    pic.setPixel(10, 7, 0x00FF00);
    const Picture before = pic;
    QTest::keyClick(&w, Qt::Key_R);
    QCOMPARE(pic.pixel(255, 5), 0x0000FF);
    QCOMPARE(pic.pixel(245, 7), 0x00FF00);
    QCOMPARE(pic.pixel(0, 5), 0xFFFFFF);
    QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(pic == before);
    QVERIFY(w.document().Modified);
    QVERIFY(w.windowTitle().endsWith(" : *"));
    QVERIFY(!w.Undo1->isEnabled());
}

void MainWindowTest::pictureIsDrawnMagnifiedInItsOwnColours() {
    TForm1 w;
    ShowActive(w);
    w.Grid1->trigger(); // keep the dotted frame out of the grab
    Picture& pic = w.session().mutableDocument().picture;
    pic.setPixel(1, 0, 0x0000FF); // 0x00BBGGRR: pure red
    pic.setPixel(0, 1, 0xFF0000); // pure blue
    pic.setPixel(2, 2, 0x204080); // R 0x80, G 0x40, B 0x20
    QTest::keyClick(&w, Qt::Key_PageDown);
    QTest::keyClick(&w, Qt::Key_PageDown); // x4
    w.refreshPicture();
    const QImage shot = w.Image1->grab(QRect(0, 0, 16, 16)).toImage();
    QCOMPARE(QColor(shot.pixel(4, 0)), QColor(255, 0, 0));
    QCOMPARE(QColor(shot.pixel(7, 3)), QColor(255, 0, 0));
    QCOMPARE(QColor(shot.pixel(8, 0)), QColor(255, 255, 255));
    QCOMPARE(QColor(shot.pixel(3, 4)), QColor(0, 0, 255));
    QCOMPARE(QColor(shot.pixel(9, 9)), QColor(0x80, 0x40, 0x20));
    QCOMPARE(QColor(shot.pixel(11, 11)), QColor(0x80, 0x40, 0x20));
    QCOMPARE(QColor(shot.pixel(12, 11)), QColor(255, 255, 255));
}

void MainWindowTest::pixelsAreShownFromThePictureBufferItself() {
    Picture pic(640, 640, 0x123456);
    const QImage part = PictureView::WrapPixels(pic, QRect(100, 200, 30, 20));
    QCOMPARE(part.size(), QSize(30, 20));
    QCOMPARE(part.constBits(), reinterpret_cast<const uchar*>(pic.row(200) + 100));
    QCOMPARE(QColor(part.pixel(0, 0)), QColor(0x56, 0x34, 0x12));
    // Clipped to the picture.
    QCOMPARE(PictureView::WrapPixels(pic, QRect(630, 630, 50, 50)).size(), QSize(10, 10));
    QVERIFY(PictureView::WrapPixels(pic, QRect(700, 0, 5, 5)).isNull());
    // x32 of 640 x 640: the view is 20480 pixels square and still paints its visible part.
    TForm1 w;
    w.session().mutableDocument().picture = pic;
    for (int i = 0; i < 5; ++i)
        w.stepScale(+1);
    QCOMPARE(w.Image1->size(), QSize(20480, 20480));
    const QImage shot = w.Image1->grab(QRect(20000, 20000, 64, 64)).toImage();
    QCOMPARE(QColor(shot.pixel(63, 63)), QColor(0x56, 0x34, 0x12));
}

void MainWindowTest::cellFrameIsDottedSilverWithSeeThroughCorner() {
    TForm1 w;
    const QImage& frame = w.Image8->image();
    QCOMPARE(frame.size(), QSize(8, 8));
    QCOMPARE(frame.pixel(0, 0), CellFrame::DotColor);
    QCOMPARE(qAlpha(frame.pixel(1, 0)), 0); // dotted, not solid
    QCOMPARE(frame.pixel(2, 0), CellFrame::DotColor);
    QCOMPARE(qAlpha(frame.pixel(3, 3)), 0); // inside is see-through
    QCOMPARE(qAlpha(frame.pixel(0, 7)), 0); // the transparent-colour corner
    int dots = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            dots += qAlpha(frame.pixel(x, y)) != 0;
    QVERIFY(dots >= 10 && dots <= 14); // about half of the 28 outline pixels
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
