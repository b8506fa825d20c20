// The Pixel Converter window: opening over the picture, the editor locked meanwhile,
// sliders restarting the conversion, Preview, Apply, Cancel and the title bar's close.
#include "core/convert/CharacterCount.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionReadout.h"
#include "core/convert/Graphic2Dither.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/TForm10.h"
#include "gui/editor/CellFrame.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <vector>

using namespace murelo;
using namespace murelo::gui;

namespace {

Picture Photo(int width, int height) {
    Picture picture(width, height);
    unsigned s = 12345u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            const int noise = int((s >> 24) % 21) - 10;
            picture.setPixel(x, y,
                             RgbColor(std::clamp(x * 255 / width + noise, 0, 255),
                                      std::clamp(y * 255 / height - noise, 0, 255),
                                      std::clamp((x + y) * 128 / (width + height) + 60, 0, 255)));
        }
    return picture;
}

QStringList captions;

} // namespace

class ConverterWindowTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    TForm10* form() { return w->Form10; }
    const Document& doc() { return w->Form1->document(); }
    ConverterWindowModel& model() { return w->Form10->model(); }

    void load(const Picture& picture) {
        SessionChange change = w->Form1->session().applyPicture(picture);
        change |= w->Form1->session().restartUndo();
        w->Form1->applyChange(change);
        w->Form1->session().mutableDocument().Modified = false;
        w->Form1->updateTitle();
    }
    void open() {
        w->Form1->SC1Converter1->trigger();
        QVERIFY(form()->isVisible());
        QTRY_VERIFY(!form()->Timer1->isActive());
    }

  private slots:
    void initTestCase() {
        w = &CreateWindows();
        w->Form1->show();
        SetBoxHandler([](BoxKind, const QString&, const QString& caption) {
            captions << caption;
            return true;
        });
    }

    void cleanup() {
        if (form()->isVisible())
            form()->Button[2]->click();
    }

    void openingLocksTheEditorAndShowsTheResultOverThePicture() {
        load(Photo(64, 48));
        QVERIFY(w->Form1->SC1Converter1->isEnabled());
        open();
        QCOMPARE(form()->windowTitle(), QString("Pixel Converter"));
        for (QAction* action : {w->Form1->Open1, w->Form1->Save1, w->Form1->QuickLoad1,
                                w->Form1->Copy1, w->Form1->ColorCheck1, w->Form1->SC1Converter1,
                                w->Form1->File1->menuAction(), w->Form1->Edit1->menuAction()})
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        QVERIFY(!w->Form1->Image1->isEnabled());
        QVERIFY(!w->Form1->Image1->isVisible());
        QVERIFY(form()->Image6->isVisible());
        QCOMPARE(form()->Image6->geometry(), w->Form1->Image1->geometry());
        QVERIFY(!w->Form2->oddLineBox->isEnabled());
        QVERIFY(!w->Form1->Grid1->isChecked());
        QVERIFY(!w->Form1->Image8->isVisible());
        QCOMPARE(form()->Label[10]->text(), QString(" 100"));
        QCOMPARE(form()->PageControl1->currentIndex(), 0);

        form()->Button[2]->click(); // Cancel
        QVERIFY(!form()->isVisible());
        QVERIFY(w->Form1->Open1->isEnabled());
        QVERIFY(w->Form1->SC1Converter1->isEnabled());
        QVERIFY(!w->Form1->Undo1->isEnabled());
        QVERIFY(w->Form1->Image1->isVisible() && w->Form1->Image1->isEnabled());
        QVERIFY(!form()->Image6->isVisible());
        QVERIFY(w->Form1->Grid1->isChecked());
        QVERIFY(w->Form2->oddLineBox->isEnabled());
    }

    void sliderDragRestartsAndPreviewSwapsTheImage() {
        load(Photo(320, 200));
        open();
        const int starts = model().startCount();
        for (int red = 1; red <= 6; ++red)
            form()->TrackBar[1]->setValue(red * 10);
        QCOMPARE(model().startCount(), starts + 6);
        QCOMPARE(form()->Label[5]->text(), QString("  60"));
        QCOMPARE(model().parameters().Balance.RedOffset, 60);
        QTRY_VERIFY(!form()->Timer1->isActive());
        QVERIFY(form()->Button[3]->isEnabled());

        emit form()->ComboBox[1]->activated(2); // Half Tone
        QTRY_VERIFY(!form()->Timer1->isActive());
        form()->CheckBox[1]->click(); // Preview off: the picture itself shows
        QVERIFY(w->Form1->Image1->isVisible());
        QVERIFY(!form()->Image6->isVisible());
        form()->CheckBox[1]->click();
        QVERIFY(!w->Form1->Image1->isVisible());
        QVERIFY(form()->Image6->isVisible());
    }

    void nothingElseChangesThePictureWhileShown() {
        load(Photo(64, 48));
        const Picture before = doc().picture;
        open();
        captions.clear();
        QTest::keyClick(w->Form1, Qt::Key_R);
        QTest::keyClick(w->Form1, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(doc().picture == before);
        QVERIFY2(captions.isEmpty(), "no colour check ran");
        // The cell frame forwards nothing and stays hidden after a grid toggle or a scale
        // change; the result follows the picture's scale.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Form1->Image8, &press);
        QApplication::sendEvent(w->Form1->Image1, &press);
        QVERIFY(doc().picture == before);
        w->Form1->Grid1->trigger();
        QVERIFY(!w->Form1->Image8->isVisible());
        w->Form1->stepScale(1);
        QVERIFY(!w->Form1->Image8->isVisible());
        QCOMPARE(form()->Image6->size(), w->Form1->Image1->size());
        w->Form1->stepScale(-1);
        // A dropped file is refused.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/tmp/any.bmp")});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Form1, &enter);
        QVERIFY(!enter.isAccepted());
        QVERIFY(doc().picture == before);
    }

    void paletteChosenInTheToolPaletteRestartsWithoutRecolouring() {
        load(Photo(64, 48));
        const Picture before = doc().picture;
        open();
        const int starts = model().startCount();
        w->Form2->paletteButton(KindTms9929)->click();
        QVERIFY(model().startCount() > starts);
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9929));
        QCOMPARE(model().conversion().params.PaletteKind, int(KindTms9929));
        QVERIFY(doc().picture == before);
        form()->Button[2]->click();
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9918));
        QVERIFY(w->Form2->paletteButton(KindTms9918)->isChecked());
    }

    void pageChangeRunsThePagesDriverAndTheSelectorFollows() {
        load(Photo(64, 48));
        open();
        form()->PageControl1->setCurrentIndex(1);
        QCOMPARE(int(Describe(model().conversion().mode).page), 1);
        QVERIFY(!w->Form2->chipPanel->isEnabled());
        form()->PageControl1->setCurrentIndex(4);
        QCOMPARE(EditModeNumber(doc().EditMode), 3);
        QVERIFY(w->Form2->chipPanel->isEnabled());
        QTRY_VERIFY(!form()->Timer1->isActive());
        form()->close(); // the title bar: as Cancel
        QVERIFY(!form()->isVisible());
        QCOMPARE(EditModeNumber(doc().EditMode), 0);
        QVERIFY(w->Form1->Open1->isEnabled());
    }

    // Every page leaves the editor's File, Edit and Tool menus greyed, titles included.
    void everyPageKeepsTheEditorsMenusGreyed() {
        load(Photo(64, 48));
        open();
        for (int page : {4, 3, 1, 2, 0, 4}) {
            form()->PageControl1->setCurrentIndex(page);
            QTRY_VERIFY(!form()->Timer1->isActive());
            for (QMenu* menu : {w->Form1->File1, w->Form1->Edit1, w->Form1->Tool1}) {
                QVERIFY2(!menu->menuAction()->isEnabled(), qPrintable(menu->title()));
                for (QAction* action : menu->actions())
                    QVERIFY2(!action->isEnabled() || action->isSeparator(),
                             qPrintable(menu->title() + " " + action->text()));
            }
        }
        form()->Button[18]->click(); // Cancel on the PC-8801 page
        for (QMenu* menu : {w->Form1->File1, w->Form1->Edit1, w->Form1->Tool1})
            QVERIFY(menu->menuAction()->isEnabled());
    }

    // Cancel gives back both drawing colours after the PC pages fitted them to their
    // palettes; Reset sets the colour bars and Dither back.
    void cancelRestoresBothDrawingColoursAndResetTheDither() {
        load(Photo(64, 48));
        ToolState& tool = w->Form1->session().tool();
        tool.ForegroundIndex = 4;
        tool.ForegroundColor = PaletteColor(KindTms9918, 4);
        tool.BackgroundIndex = 15;
        tool.BackgroundColor = PaletteColor(KindTms9918, 15);
        open();
        form()->TrackBar[27]->setValue(20); // Dither
        form()->TrackBar[2]->setValue(-30); // Green
        form()->Button[4]->click();         // Reset
        QCOMPARE(form()->TrackBar[27]->value(), 95);
        QCOMPARE(form()->TrackBar[2]->value(), 0);
        for (int page : {3, 4})
            form()->PageControl1->setCurrentIndex(page);
        QTRY_VERIFY(!form()->Timer1->isActive());
        form()->Button[18]->click(); // Cancel on the PC-8801 page
        QCOMPARE(tool.ForegroundColor, PaletteColor(KindTms9918, 4));
        QCOMPARE(tool.BackgroundColor, PaletteColor(KindTms9918, 15));
        QCOMPARE(tool.BackgroundIndex, 15);
    }

    void minimiseAndRestoreRunNoStepsAndEscapeIsCancel() {
        load(Photo(64, 48));
        open();
        form()->PageControl1->setCurrentIndex(3);
        QCOMPARE(EditModeNumber(doc().EditMode), 2);
        const int starts = model().startCount();
        form()->showMinimized();
        form()->showNormal();
        w->Form1->SC1Converter1->trigger(); // disabled: nothing happens
        QVERIFY(model().shown());
        QCOMPARE(model().startCount(), starts);
        QCOMPARE(EditModeNumber(model().state().SavedEditMode), 0);
        QCOMPARE(EditModeNumber(doc().EditMode), 2);
        QVERIFY(!w->Form1->Open1->isEnabled());
        QTest::keyClick(form(), Qt::Key_Escape);
        QVERIFY(!model().shown());
        QVERIFY(!form()->isVisible());
        QCOMPARE(EditModeNumber(doc().EditMode), 0);
        QVERIFY(w->Form1->Open1->isEnabled());
    }

    void applyMakesTheResultThePicture() {
        load(Photo(64, 48));
        const Picture before = doc().picture;
        open();
        captions.clear();
        const Picture result = model().result();
        form()->Button[3]->click();
        QCOMPARE(captions, QStringList{"Quick Save & Apply"});
        QVERIFY(!form()->isVisible());
        QVERIFY(doc().picture == result);
        QVERIFY(doc().quickSlot == before);
        QVERIFY(w->Form1->windowTitle().contains("*"));
        QVERIFY(w->Form1->Image1->isVisible());
        // Apply is one undo step: Ctrl+Z brings back the picture before it.
        QVERIFY(w->Form1->Undo1->isEnabled());
        w->Form1->Undo1->trigger();
        QVERIFY(doc().picture == before);
    }

    void ditherBarIsTheDitheredModesAndTheReadoutFollowsTheFinish() {
        load(Photo(64, 48));
        open();
        QSlider* dither = form()->TrackBar[27]; // "Dither"
        QCOMPARE(dither->objectName(), QString("TrackBar27"));
        QCOMPARE(dither->minimum(), 0);
        QCOMPARE(dither->maximum(), 100);
        QCOMPARE(dither->value(), 95);
        QCOMPARE(form()->Label[53]->text(), QString("  95"));
        QVERIFY(!dither->isEnabled());
        emit form()->ComboBox[1]->activated(IndexInPage(ModeId::Graphic2Dithered));
        QVERIFY(dither->isEnabled());
        QLabel* readout = form()->Readout[0];
        QCOMPARE(readout->objectName(), QString("Readout1"));
        QTRY_VERIFY(readout->text().startsWith("ΔE "));

        const int starts = model().startCount();
        dither->setValue(30);
        QCOMPARE(model().startCount(), starts + 1);
        QCOMPARE(form()->Label[53]->text(), QString("  30"));
        QCOMPARE(model().parameters().DitherStrength, 30);
        QCOMPARE(readout->text(), QString()); // a start clears it at once
        // While a drag goes on no readout is measured; it comes once the steps stop.
        for (int step = 0; step <= 4; ++step) {
            dither->setValue(step * 25);
            QTest::qWait(40);
            QCOMPARE(readout->text(), QString());
        }
        QTRY_VERIFY(readout->text().startsWith("ΔE "));
        // Of the result now shown.
        QCOMPARE(model().parameters().DitherStrength, 100);
        QCOMPARE(readout->text(), QString::fromStdString(ConversionReadout(model().conversion())));
        // Another page's readout stands beside its own buttons.
        form()->PageControl1->setCurrentIndex(2);
        QCOMPARE(model().controls().readout, std::string());
        QTRY_VERIFY(form()->Readout[2]->text().startsWith("ΔE "));
        QVERIFY(!dither->isEnabled()); // the page change set the TMS9918 list back
    }

    void charactersBarIsTheGraphic2ModesAndTheCountStandsBesideTheReadout() {
        load(Photo(64, 48));
        open();
        QSlider* characters = form()->TrackBar[30];
        QCOMPARE(characters->objectName(), QString("TrackBar30"));
        QCOMPARE(characters->minimum(), 1);
        QCOMPARE(characters->maximum(), 768);
        QCOMPARE(characters->value(), 768);
        QCOMPARE(form()->Label[56]->text(), QString(" 768"));
        QVERIFY(characters->isEnabled()); // mode 0 reads it
        QLabel* count = form()->CharacterCount;
        QCOMPARE(count->objectName(), QString("Characters1"));
        QTRY_VERIFY(count->text().startsWith("Characters "));
        emit form()->ComboBox[1]->activated(IndexInPage(ModeId::MultiColor));
        QVERIFY(!characters->isEnabled());
        QCOMPARE(count->text(), QString());
        emit form()->ComboBox[1]->activated(IndexInPage(ModeId::Graphic2Dithered));
        QVERIFY(characters->isEnabled());
        for (int budget : {9, 3}) {
            characters->setValue(budget);
            QCOMPARE(form()->Label[56]->text(), QString("   %1").arg(budget));
            QTRY_VERIFY(!form()->Timer1->isActive());
            const int counted = CountCharacters(model().result());
            QVERIFY(counted <= budget);
            QCOMPARE(count->text(), QString("Characters %1").arg(counted));
        }
    }

    // Every mode of every page converts to its finish from a slider step and lights its
    // Apply or Save, the result repainted over the picture.
    void everyModeFinishesFromASliderStep() {
        load(Photo(96, 64));
        open();
        for (const PageDescriptor& p : AllPages()) {
            const int page = int(p.page);
            form()->PageControl1->setCurrentIndex(page);
            const int bar = TrackBarsOf(p.page).front();
            for (const ModeDescriptor& mode : ModesOf(p.page)) {
                emit form()->ComboBox[std::size_t(ComboBoxOf(p.page))]->activated(
                    IndexInPage(mode.id));
                QTRY_VERIFY(!form()->Timer1->isActive());
                form()->TrackBar[std::size_t(bar)]->setValue(
                    form()->TrackBar[std::size_t(bar)]->value() + 3);
                QTRY_VERIFY(!form()->Timer1->isActive());
                QCOMPARE(model().conversion().mode, mode.id);
                QVERIFY(model().conversion().complete);
                QVERIFY(form()->Button[std::size_t(ButtonsOf(p.page)[0])]->isEnabled());
                form()->Image6->repaint();
            }
        }
    }
};

QTEST_MAIN(ConverterWindowTest)
#include "ConverterWindowTest.moc"
