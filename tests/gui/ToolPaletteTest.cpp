// The tool palette: colour strip and brush strip mouse rules, palette switch, scale, Free Draw.
#include "core/palette/Palettes.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/palette/PixelImage.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

using namespace murelo;
using namespace murelo::gui;

namespace {

void Send(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button,
          Qt::MouseButtons held) {
    const QPointF local(x + 0.5, y + 0.5);
    QMouseEvent event(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Press at (x, y0), move to (x, y1), release there, with one button.
void Drag(QWidget* w, int x, int y0, int y1, Qt::MouseButton button = Qt::LeftButton) {
    Send(w, QEvent::MouseButtonPress, x, y0, button, button);
    Send(w, QEvent::MouseMove, x, y1, Qt::NoButton, button);
    Send(w, QEvent::MouseButtonRelease, x, y1, button, Qt::NoButton);
}

} // namespace

class ToolPaletteTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    TForm2* palette() { return w->Form2; }
    Document& doc() { return w->Form1->session().mutableDocument(); }
    ToolState& tool() { return w->Form1->session().tool(); }

  private slots:
    void initTestCase() {
        w = &CreateWindows();
        w->Form1->show();
        palette()->show();
    }

    void controlsKeepTheirDesignNames() {
        TForm2* p = w->Form2;
        const std::pair<QWidget*, const char*> controls[] = {
            {p->stripImage, "Image1"},         {p->foregroundSwatch, "Image2"},
            {p->cellBufferPreview, "Image3"},  {p->colorNumberLabel, "Label4"},
            {p->scaleSlider, "TrackBar1"},     {p->scaleLabel, "Label2"},
            {p->paintModeGroup, "GroupBox1"},  {p->penButton, "RadioButton1"},
            {p->block4Button, "RadioButton3"}, {p->block8Button, "RadioButton4"},
            {p->lineButton, "RadioButton2"},   {p->fillButton, "RadioButton19"},
            {p->oddLineBox, "CheckBox1"},      {p->freeDrawBox, "CheckBox2"},
            {p->positionLabel, "Label5"},      {p->aspectLabel, "Label3"},
            {p->depthLabel, "Label6"},         {p->chipPanel, "Panel2"},
            {p->colorModePanel, "Panel3"}};
        for (const auto& [widget, name] : controls) {
            QVERIFY2(widget, name);
            QCOMPARE(widget->objectName(), QString(name));
            QCOMPARE(p->findChild<QWidget*>(name), widget);
        }
    }

    void init() {
        palette()->paletteButton(KindTms9918)->click();
        tool().ProtectedColors = 0;
        tool().ForegroundIndex = 1;
        tool().BackgroundIndex = 15;
        palette()->RefreshPaletteView(PaletteKindId::Tms9918);
        tool().BrushPattern = 0;
        w->Form1->setEnabled(true);
        w->Form1->Image1->setEnabled(true);
    }

    void switchingToColour41ClampsTheIndices() {
        palette()->ApplyEditModeToPalette();
        tool().ForegroundIndex = 12;
        tool().BackgroundIndex = 9;
        palette()->RefreshPaletteView(PaletteKindId::Tms9918);
        QRadioButton* b = palette()->paletteButton(KindColor4_1);
        QCOMPARE(b->objectName(), QString("RadioButton13"));
        QCOMPARE(b->text(), QString("Color 4-1"));
        b->click();
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindColor4_1));
        QCOMPARE(tool().ForegroundIndex, 3);
        QCOMPARE(tool().BackgroundIndex, 0);
        QCOMPARE(tool().ForegroundColor, FromRrggbb(0xFF00FF));
        QCOMPARE(tool().BackgroundColor, FromRrggbb(0x000000));
        QCOMPARE(palette()->colorNumberLabel->text(), QString("3"));
    }

    void eightPixelDragSelectsNinePixelDragProtects() {
        Drag(palette()->stripImage, 5 * 16 + 4, 2, 10);
        QCOMPARE(tool().ForegroundIndex, 5);
        QCOMPARE(tool().ProtectedColors, std::uint16_t(0));
        QCOMPARE(palette()->colorNumberLabel->text(), QString("5"));

        Drag(palette()->stripImage, 7 * 16 + 4, 2, 11);
        QCOMPARE(tool().ProtectedColors, std::uint16_t(1u << 7));
        QCOMPARE(tool().ForegroundIndex, 5); // nothing selected
        QVERIFY(palette()->IsProtectedIndex(7));
        // The swatch now shows the hatch around its colour.
        QCOMPARE(palette()->stripImage->picture().pixel(7 * 16 + 7, 0), ColorValue(0xFFFFFF));
        QCOMPARE(palette()->stripImage->picture().pixel(7 * 16 + 6, 10),
                 PaletteColor(KindTms9918, 7));
    }

    void dragOutOfTheStripTogglesNothing() {
        Send(palette()->stripImage, QEvent::MouseButtonPress, 40, 16, Qt::LeftButton,
             Qt::LeftButton);
        Send(palette()->stripImage, QEvent::MouseMove, -30, 40, Qt::NoButton, Qt::LeftButton);
        Send(palette()->stripImage, QEvent::MouseMove, 400, -20, Qt::NoButton, Qt::LeftButton);
        Send(palette()->stripImage, QEvent::MouseButtonRelease, 400, -20, Qt::LeftButton,
             Qt::NoButton);
        QCOMPARE(tool().ProtectedColors, std::uint16_t(0));
        QCOMPARE(tool().ForegroundIndex, 1);
    }

    void brushStripRightEdgeChangesNothing() {
        tool().BrushPattern = 3;
        palette()->DrawBrushStrip();
        const Picture before = palette()->stripImage->picture();
        for (int x = 252; x <= 256; ++x) {
            Send(palette()->stripImage, QEvent::MouseButtonPress, x, 48, Qt::LeftButton,
                 Qt::LeftButton);
            Send(palette()->stripImage, QEvent::MouseButtonRelease, x, 48, Qt::LeftButton,
                 Qt::NoButton);
        }
        QCOMPARE(tool().BrushPattern, 3);
        QVERIFY(palette()->stripImage->picture() == before);
        // A sample itself is chosen by a press.
        Send(palette()->stripImage, QEvent::MouseButtonPress, 8 * 28 + 3, 48, Qt::LeftButton,
             Qt::LeftButton);
        QCOMPARE(tool().BrushPattern, 8);
    }

    void rightClickSetsOnlyTheSecondColour() {
        const Picture swatchBefore = palette()->foregroundSwatch->picture();
        Drag(palette()->stripImage, 9 * 16 + 2, 10, 10, Qt::RightButton);
        QCOMPARE(tool().BackgroundIndex, 9);
        QCOMPARE(tool().BackgroundColor, PaletteColor(KindTms9918, 9));
        QCOMPARE(tool().ForegroundIndex, 1);
        QCOMPARE(tool().ForegroundColor, PaletteColor(KindTms9918, 1));
        QCOMPARE(palette()->colorNumberLabel->text(), QString("1"));
        QVERIFY(palette()->foregroundSwatch->picture() == swatchBefore);
    }

    void scalePositionFiveIsX32() {
        palette()->scaleSlider->setValue(5);
        QCOMPARE(palette()->scaleLabel->text(), QString("x32"));
        QCOMPARE(w->Form1->session().view().Scale, 32);
        QCOMPARE(w->Form1->Image1->size(), QSize(8192, 6144));
        palette()->scaleSlider->setValue(0);
        QCOMPARE(palette()->scaleLabel->text(), QString("x1"));
        QCOMPARE(w->Form1->Image1->size(), QSize(256, 192));
    }

    void paletteClickKeepsTheEditorDisabledUnderADialog() {
        w->Form1->setEnabled(false);
        palette()->paletteButton(KindTms9928)->click();
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9928));
        QVERIFY(!w->Form1->isEnabled());
        w->Form1->setEnabled(true);
        w->Form1->Image1->setEnabled(false);
        palette()->paletteButton(KindTms9918)->click();
        QVERIFY(!w->Form1->Image1->isEnabled());
        QVERIFY(w->Form1->isEnabled());
    }

    void paletteClickRecoloursIndexForIndex() {
        doc().RecolorOnPaletteChange = true;
        doc().picture.setPixel(0, 0, FromRrggbb(0x7CCF6C)); // index 3 of TMS9918
        palette()->paletteButton(Kind315_5124)->click();
        QCOMPARE(doc().picture.pixel(0, 0), FromRrggbb(0x01FF01));
        palette()->paletteButton(KindTms9918)->click();
        QCOMPARE(doc().picture.pixel(0, 0), FromRrggbb(0x7CCF6C));
    }

    void markingAPaletteButtonByProgramSwitchesNothing() {
        palette()->CheckPaletteButton(PaletteKindId::Tms9929);
        QVERIFY(palette()->paletteButton(KindTms9929)->isChecked());
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9918));
    }

    void fillIsEnabledExactlyWhileFreeDrawIsChecked() {
        palette()->freeDrawBox->setChecked(true);
        QVERIFY(palette()->fillButton->isEnabled());
        QVERIFY(tool().FreeDraw);
        palette()->fillButton->setChecked(true);
        QCOMPARE(tool().Mode, PaintMode::Fill);
        palette()->freeDrawBox->setChecked(false);
        QVERIFY(!palette()->fillButton->isEnabled());
        QVERIFY(palette()->penButton->isChecked());
        QCOMPARE(tool().Mode, PaintMode::Pen);
        QVERIFY(!tool().FreeDraw);
    }

    void hidingUnchecksTheMenuItem() {
        QVERIFY(w->Form1->Palet1->isChecked());
        palette()->close(); // the window manager's close
        QVERIFY(!palette()->isVisible());
        QVERIFY(!w->Form1->Palet1->isChecked());
        w->Form1->Palet1->trigger();
        QVERIFY(palette()->isVisible());
        QVERIFY(w->Form1->Palet1->isChecked());
        w->Form1->Palet1->trigger();
        QVERIFY(!palette()->isVisible());
        QVERIFY(!w->Form1->Palet1->isChecked());
        palette()->show();
    }

    void depthLabelFollowsSaveDepth() {
        doc().SaveDepth = static_cast<PixelFormat>(3);
        palette()->ShowDepthLabel();
        QCOMPARE(palette()->depthLabel->text(), QString("[ 8bit]"));
        doc().SaveDepth = static_cast<PixelFormat>(2);
        palette()->ShowDepthLabel();
        QCOMPARE(palette()->depthLabel->text(), QString("[ 4bit]"));
    }
};

QTEST_MAIN(ToolPaletteTest)
#include "ToolPaletteTest.moc"
