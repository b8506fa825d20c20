// The New, Set Edit Mode, colour depth, message, progress and about windows.
#include "core/palette/Palettes.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/PixelModeGroup.h"
#include "gui/dialogs/TForm3.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/dialogs/TForm7.h"
#include "gui/dialogs/TForm8.h"
#include "gui/dialogs/TForm9.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/palette/TForm2.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace murelo;
using namespace murelo::gui;

class DialogsTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    Document& doc() { return w->Form1->session().mutableDocument(); }
    TForm7* newDialog() { return w->Form7; }

    void clickMode(PixelModeGroup* group, int mode) {
        group->findChild<QAbstractButton*>(group->objectName() + "Item" + QString::number(mode))
            ->click();
    }

    // Shows New, picks "Custom" with the given edits in the mode and confirms.
    void newCustom(int mode, const QString& width, const QString& height) {
        TForm7* f = newDialog();
        f->show();
        clickMode(f->modeGroup, mode);
        f->customButton->click();
        f->widthEdit->setText(width);
        emit f->widthEdit->editingFinished();
        f->heightEdit->setText(height);
        emit f->heightEdit->editingFinished();
        f->okButton->click();
    }

  private slots:
    void initTestCase() {
        SetBoxHandler([](BoxKind, const QString&, const QString&) { return true; });
        w = &CreateWindows();
        w->Form1->show();
    }

    void controlsKeepTheirDesignNames() {
        const struct {
            QWidget* window;
            QWidget* widget;
            const char* name;
        } controls[] = {
            {w->Form7, w->Form7->modeGroup, "RadioGroup3"},
            {w->Form7, w->Form7->sizeGroup, "RadioGroup1"},
            {w->Form7, w->Form7->presetButton, "RadioButton1"},
            {w->Form7, w->Form7->customButton, "RadioButton2"},
            {w->Form7, w->Form7->customSizeBox, "GroupBox1"},
            {w->Form7, w->Form7->widthEdit, "Edit1"},
            {w->Form7, w->Form7->heightEdit, "Edit2"},
            {w->Form7, w->Form7->fillGroup, "RadioGroup2"},
            {w->Form7, w->Form7->whiteButton, "RadioGroup2Item0"},
            {w->Form7, w->Form7->colorButton, "RadioGroup2Item1"},
            {w->Form7, w->Form7->okButton, "Button1"},
            {w->Form8, w->Form8->depthGroup, "GroupBox1"},
            {w->Form8, w->Form8->bits4Button, "RadioButton1"},
            {w->Form8, w->Form8->bits8Button, "RadioButton2"},
            {w->Form8, w->Form8->bits24Button, "RadioButton3"},
            {w->Form8, w->Form8->cancelButton, "Button2"},
            {w->Form9, w->Form9->modeGroup, "RadioGroup1"},
            {w->Form9, w->Form9->okButton, "Button1"},
        };
        for (const auto& c : controls) {
            QVERIFY2(c.widget, c.name);
            QCOMPARE(c.widget->objectName(), QString(c.name));
            QCOMPARE(c.window->findChild<QWidget*>(c.name), c.widget);
        }
    }

    void init() { doc().Modified = false; }

    void customWidthsAreRoundedAndLimited() {
        newCustom(0, "1", "100");
        QCOMPARE(newDialog()->widthEdit->text(), QString("8"));
        QCOMPARE(doc().PictureWidth, 8);
        newCustom(0, "250", "100");
        QCOMPARE(newDialog()->widthEdit->text(), QString("256"));
        QCOMPARE(doc().PictureWidth, 256);
        newCustom(0, "700", "100");
        QCOMPARE(newDialog()->widthEdit->text(), QString("640"));
        newCustom(1, "400", "100");
        QCOMPARE(newDialog()->widthEdit->text(), QString("320"));
        QCOMPARE(doc().PictureWidth, 640);
        QCOMPARE(doc().PictureHeight, 100);
        QCOMPARE(EditModeNumber(doc().EditMode), 1);
    }

    void customHeightsAreRoundedAndLimited() {
        newCustom(0, "64", "3");
        QCOMPARE(newDialog()->heightEdit->text(), QString("8"));
        QCOMPARE(doc().PictureHeight, 8);
        newCustom(0, "64", "5");
        QCOMPARE(newDialog()->heightEdit->text(), QString("8"));
        newCustom(0, "64", "9");
        QCOMPARE(newDialog()->heightEdit->text(), QString("12"));
        QCOMPARE(doc().PictureHeight, 12);
        newCustom(3, "64", "330");
        QCOMPARE(newDialog()->heightEdit->text(), QString("320"));
        QCOMPARE(doc().PictureHeight, 640);
        QCOMPARE(doc().PictureWidth, 64);
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindPc8801));
    }

    void presetOfEachModeAndTheEditorIsDisabledMeanwhile() {
        TForm7* f = newDialog();
        f->presetButton->click();
        f->show();
        QVERIFY(!w->Form1->isEnabled());
        QVERIFY(!f->widthEdit->isEnabled());
        clickMode(f->modeGroup, 3);
        QCOMPARE(f->presetButton->text(), QString("640 x 200"));
        clickMode(f->modeGroup, 1);
        QCOMPARE(f->presetButton->text(), QString("128 x 192"));
        QVERIFY(w->Form2->colorModePanel->isVisibleTo(w->Form2));
        clickMode(f->modeGroup, 0);
        QCOMPARE(f->presetButton->text(), QString("256 x 192"));
        f->okButton->click();
        QVERIFY(w->Form1->isEnabled());
        QCOMPARE(doc().PictureWidth, 256);
        QCOMPARE(doc().PictureHeight, 192);
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9918));
    }

    void whiteChoiceFollowsThePalette() {
        TForm7* f = newDialog();
        // Leave the dialog set to mode 1 and make "Color 4-1" the kind before it opens.
        f->show();
        clickMode(f->modeGroup, 1);
        f->cancelButton->click();
        QCOMPARE(EditModeNumber(doc().EditMode), 0);
        doc().EditMode = EditModeOfNumber(1);
        doc().PaletteKind = PaletteKindId::Color4_1;
        f->whiteButton->setChecked(true);
        f->show();
        // "Color 4-1" has no white: "Color" was chosen; "Color 15" then offers white again.
        QVERIFY(f->colorButton->isChecked());
        QVERIFY(f->whiteButton->isEnabled());
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindColor15));
        w->Form2->paletteButton(KindColor4_1)->click();
        QVERIFY(!f->whiteButton->isEnabled());
        w->Form2->paletteButton(KindColor4_1 + 1)->click();
        QVERIFY(f->whiteButton->isEnabled());
        QVERIFY(f->colorButton->isChecked());
        f->cancelButton->click();
        f->modeGroup->setItemIndex(0);
    }

    void cancellingNewRestoresModeAndKind() {
        doc().EditMode = EditModeOfNumber(0);
        w->Form2->paletteButton(KindTms9929)->click();
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9929));
        TForm7* f = newDialog();
        f->show();
        clickMode(f->modeGroup, 1);
        QCOMPARE(EditModeNumber(doc().EditMode), 1);
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindColor15));
        f->cancelButton->click();
        QCOMPARE(EditModeNumber(doc().EditMode), 0);
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9929));
        QVERIFY(w->Form2->paletteButton(KindTms9929)->isChecked());
        QVERIFY(w->Form2->chipPanel->isVisibleTo(w->Form2));
        QVERIFY(w->Form1->isEnabled());
        f->modeGroup->setItemIndex(0);
    }

    void modifiedPictureAsksFirstAndCancelKeepsIt() {
        QList<QString> asked;
        SetBoxHandler([&](BoxKind, const QString& text, const QString& caption) {
            asked << text + "|" + caption;
            return false;
        });
        doc().picture.setPixel(3, 3, 0x123456);
        doc().Modified = true;
        TForm7* f = newDialog();
        f->presetButton->click();
        f->show();
        f->okButton->click();
        QCOMPARE(asked, QList<QString>{"OK?|New Picture"});
        QCOMPARE(doc().picture.pixel(3, 3), ColorValue(0x123456));
        QVERIFY(!f->isVisible());
        SetBoxHandler([](BoxKind, const QString&, const QString&) { return true; });
    }

    void setEditModeReturnsToTheFamilysFirstKindWithoutRecolouring() {
        TForm7* f = newDialog();
        f->presetButton->click();
        f->show();
        f->okButton->click();
        w->Form2->paletteButton(KindTms9929)->click();
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9929));
        const ColorValue tms9929Green = PaletteColor(KindTms9929, 2);
        doc().picture.setPixel(5, 5, tms9929Green);
        const Picture before = doc().picture;
        TForm9* d = w->Form9;
        d->show();
        QVERIFY(!w->Form1->isEnabled());
        clickMode(d->modeGroup, 0);
        d->okButton->click();
        QCOMPARE(KindNumber(doc().PaletteKind), int(KindTms9918));
        QVERIFY(doc().picture == before);
        QVERIFY(w->Form2->paletteButton(KindTms9918)->isChecked());
        QVERIFY(w->Form1->isEnabled());
    }

    void editModeDialogCancelChangesNothing() {
        TForm9* d = w->Form9;
        d->show();
        clickMode(d->modeGroup, 3);
        d->cancelButton->click();
        QCOMPARE(EditModeNumber(doc().EditMode), 0);
        d->show();
        QCOMPARE(d->modeGroup->itemIndex(), 0); // the remembered choice
        d->cancelButton->click();
    }

    void colourDepthOffersOnlyTwentyFourBitsOutsideThePalette() {
        doc().picture.setPixel(0, 0, 0x123456);
        TForm8* d = w->Form8;
        w->Form1->Settings1->trigger();
        QVERIFY(d->isVisible());
        QVERIFY(!w->Form1->isEnabled());
        QVERIFY(!d->bits4Button->isEnabled());
        QVERIFY(!d->bits8Button->isEnabled());
        QVERIFY(d->bits24Button->isEnabled());
        QVERIFY(d->bits24Button->isChecked());
        d->cancelButton->click();
        QVERIFY(w->Form1->isEnabled());
    }

    void colourDepthOkSetsTheDepthWithoutWriting() {
        doc().picture.fill(PaletteColor(doc().PaletteKind, 15));
        doc().SaveDepth = static_cast<PixelFormat>(2);
        TForm8* d = w->Form8;
        int writes = 0;
        auto c = connect(d, &TForm8::writePictureRequested, this, [&] { ++writes; });
        w->Form1->Settings1->trigger();
        QVERIFY(d->bits4Button->isEnabled());
        QVERIFY(d->bits4Button->isChecked());
        d->bits8Button->click();
        d->okButton->click();
        QCOMPARE(PixelFormatCode(doc().SaveDepth), std::uint8_t(3));
        QCOMPARE(writes, 0);
        QCOMPARE(w->Form2->depthLabel->text(), QString("[ 8bit]"));
        QVERIFY(d->SaveAfterOk);
        disconnect(c);
    }

    void messageWindowTextAndCheckMark() {
        TForm5* m = w->Form5;
        m->setText("Error(s):\n");
        m->append("\n");
        m->append("Error Total: 0\n");
        QCOMPARE(m->text(), std::string("Error(s):\n\nError Total: 0\n"));
        QCOMPARE(m->Memo1->toPlainText(), QString("Error(s):\n\nError Total: 0\n"));
        w->Form1->Message1->trigger();
        QVERIFY(m->isVisible());
        QVERIFY(w->Form1->Message1->isChecked());
        m->close();
        QVERIFY(!w->Form1->Message1->isChecked());
    }

    void progressWindowRequestsCancelWheneverItHides() {
        TForm6* p = w->Form6;
        p->show();
        QVERIFY(!p->CancelRequested);
        p->close(); // the title-bar button
        QVERIFY(p->CancelRequested);
        p->show();
        QVERIFY(!p->CancelRequested);
        p->Button1->click();
        QVERIFY(p->CancelRequested);
        QVERIFY(!p->isVisible());
        QCOMPARE(p->windowTitle(), QString("Color Check Progress"));
    }

    void aboutDisablesEditorAndPaletteWhileShown() {
        TForm3* a = w->Form3;
        w->Form1->About1->trigger();
        QVERIFY(a->isVisible());
        QCOMPARE(a->Label1->text(), QString("Murelo 9918 ver.1.20"));
        QVERIFY(!w->Form1->isEnabled());
        QVERIFY(!w->Form2->isEnabled());
        a->Button1->click();
        QVERIFY(w->Form1->isEnabled());
        QVERIFY(w->Form2->isEnabled());
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
