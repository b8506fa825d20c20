// Keys held on the editor when another window takes over (the dialog Ctrl+N, Ctrl+O or
// Ctrl+Shift+S opens, or a lost focus) count as released: nothing they show stays up.
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm7.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/palette/PixelImage.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace murelo;
using namespace murelo::gui;

class HeldKeysTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;

    bool ctrlLook() const {
        return !w->Form2->cellBufferPreview->isHidden() && w->Form2->colorNumberLabel->isHidden();
    }
    void holdCtrl() {
        QTest::keyPress(w->Form1, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(ctrlLook());
    }
    // Runs a command that opens a modal file dialog; `whileUp` runs while it is shown, then
    // the dialog is cancelled.
    void withFileDialog(QAction* command, const std::function<void()>& whileUp) {
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = true;
            QTest::qWait(50);
            whileUp();
            dialog->reject();
        });
        poll.start(20);
        command->trigger();
        QVERIFY(seen);
    }

  private slots:
    void initTestCase() {
        SetBoxHandler([](BoxKind, const QString&, const QString&) { return true; });
        w = &CreateWindows();
        w->Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->Form1));
        w->Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->Form1));
    }
    void init() {
        w->Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->Form1));
    }

    void ctrlStaysHeldWhileThePaletteHasTheFocus() {
        // Ctrl held, a click on the palette's cell preview flips the cell: the preview must
        // stay up while the palette is active, and the Ctrl key-up there ends it. (First, as
        // the offscreen platform may route a later activation through a window closed before.)
        holdCtrl();
        w->Form2->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->Form2));
        QVERIFY(ctrlLook());
        QTest::mouseClick(w->Form2->cellBufferPreview, Qt::LeftButton);
        QVERIFY(ctrlLook());
        QTest::keyRelease(w->Form2, Qt::Key_Control);
        QVERIFY(!ctrlLook());
    }

    void ctrlLetGoWhenTheNewDialogOpens() {
        holdCtrl();
        w->Form1->New1->trigger(); // Ctrl+N
        QTRY_VERIFY(!ctrlLook());
        w->Form7->hide();
    }

    void ctrlLetGoWhileTheOpenAndSaveDialogsAreUp() {
        for (QAction* command : {w->Form1->Open1, w->Form1->SaveAs1}) {
            init();
            holdCtrl();
            bool lookWhileUp = true;
            withFileDialog(command, [&] { lookWhileUp = ctrlLook(); });
            QVERIFY2(!lookWhileUp, qPrintable(command->objectName()));
            QVERIFY(!ctrlLook());
        }
    }

    void aLostFocusLetsGoOfCtrl() {
        holdCtrl();
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(w->Form1, &out);
        QVERIFY(!ctrlLook());
    }

    void heldTabAndF1LetGoOfTheMarksAndTheQuickSlot() {
        Document& doc = w->Form1->session().mutableDocument();
        doc.ErrorsShown = true;
        doc.QuickSlotFilled = true;
        QTest::keyPress(w->Form1, Qt::Key_Tab);
        QTest::keyPress(w->Form1, Qt::Key_F1);
        QVERIFY(!w->Form1->Image4->isHidden());
        QVERIFY(!w->Form1->Image7->isHidden());
        w->Form1->New1->trigger();
        QTRY_VERIFY(w->Form1->Image4->isHidden());
        QVERIFY(w->Form1->Image7->isHidden());
        w->Form7->hide();
        doc.ErrorsShown = false;
    }

    void aKeyUpThatDidArriveStillActs() {
        // The ordinary way: the release on the editor ends the look, and a window change
        // afterwards has nothing left to let go of.
        holdCtrl();
        QTest::keyRelease(w->Form1, Qt::Key_Control);
        QVERIFY(!ctrlLook());
        QTest::keyPress(w->Form1, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(ctrlLook());
        QTest::keyRelease(w->Form1, Qt::Key_Control);
        QVERIFY(!ctrlLook());
    }
};

QTEST_MAIN(HeldKeysTest)
#include "HeldKeysTest.moc"
