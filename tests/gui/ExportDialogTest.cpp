// File > Export and the export dialog: enabling rules, the Export button's sequence.
#include "core/export/ExportJob.h"
#include "core/palette/Palettes.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/export/TForm4.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace murelo;
using namespace murelo::gui;

class ExportDialogTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    QStringList boxes;
    int pathQueries = 0;
    std::filesystem::path target;
    Document& doc() { return w->Form1->session().mutableDocument(); }
    TForm4* dialog() { return w->Form4; }

  private slots:
    void initTestCase() {
        SetBoxHandler([this](BoxKind, const QString& text, const QString& caption) {
            boxes << text + "|" + caption;
            return true;
        });
        w = &CreateWindows();
        w->Form1->show();
        dialog()->chooseSavePath = [this](ExportSaveDialog) {
            ++pathQueries;
            return std::optional<std::filesystem::path>(target);
        };
    }
    void init() {
        boxes.clear();
        pathQueries = 0;
        doc().picture.fill(PaletteColor(doc().PaletteKind, 15));
    }

    void exportOfferedOnlyForScreen2Size() {
        QVERIFY(w->Form1->Export1->isEnabled());
        w->Form1->newPicture(128, 96, 0xFFFFFF);
        QVERIFY(!w->Form1->Export1->isEnabled());
        w->Form1->newPicture(256, 192, 0xFFFFFF);
        QVERIFY(w->Form1->Export1->isEnabled());
    }

    void controlsKeepTheirDesignNames() {
        TForm4* d = dialog();
        const std::pair<QWidget*, const char*> controls[] = {
            {d->dataTypeGroup, "RadioGroup2"},      {d->binaryGroup, "GroupBox1"},
            {d->normalButton, "RadioButton2"},      {d->compressButton, "RadioButton1"},
            {d->divideNameTableBox, "CheckBox1"},   {d->oneBankBox, "CheckBox3"},
            {d->msxHeaderBox, "CheckBox2"},         {d->tapeGroup, "GroupBox2"},
            {d->startAddressBox, "ComboBox1"},      {d->tapeNameEdit, "Edit1"},
            {d->volumeSlider, "TrackBar1"},         {d->volumeValueLabel, "Label3"},
            {d->baudGroup, "RadioGroup3"},          {d->exportButton, "Button1"},
            {d->cancelButton, "Button2"},           {d->dataTypeButtons[2], "RadioGroup2Item2"},
            {d->baudButtons[1], "RadioGroup3Item1"}};
        for (const auto& [widget, name] : controls) {
            QVERIFY2(widget, name);
            QCOMPARE(widget->objectName(), QString(name));
            QCOMPARE(d->findChild<QWidget*>(name), widget);
        }
    }

    void initialStateAndEnablingRules() {
        TForm4* d = dialog();
        QVERIFY(d->dataTypeButtons[0]->isChecked());
        QVERIFY(d->normalButton->isChecked());
        QVERIFY(d->msxHeaderBox->isChecked());
        QVERIFY(!d->divideNameTableBox->isEnabled());
        QVERIFY(!d->oneBankBox->isEnabled());
        QVERIFY(!d->startAddressBox->isEnabled());
        QVERIFY(!d->volumeSlider->isEnabled());
        QCOMPARE(d->volumeSlider->value(), 64);
        QCOMPARE(d->startAddressBox->currentText(), QString("C800H (16KB-32KB)"));
        d->compressButton->click();
        QVERIFY(d->oneBankBox->isEnabled());
        d->oneBankBox->setChecked(true);
        d->normalButton->click();
        QVERIFY(!d->oneBankBox->isEnabled());
        QVERIFY(d->oneBankBox->isChecked());
        d->dataTypeButtons[1]->click();
        QVERIFY(d->startAddressBox->isEnabled());
        QVERIFY(d->tapeNameEdit->isEnabled());
        QVERIFY(!d->volumeSlider->isEnabled());
        QVERIFY(!d->msxHeaderBox->isEnabled());
        d->dataTypeButtons[2]->click();
        QVERIFY(d->volumeSlider->isEnabled());
        d->volumeSlider->setValue(1);
        QCOMPARE(d->volumeValueLabel->text(), QString("1"));
        QCOMPARE(d->options().wavVolume, 1);
        d->volumeSlider->setValue(64);
        d->dataTypeButtons[0]->click();
        QVERIFY(d->normalButton->isEnabled());
        d->oneBankBox->setChecked(false);
    }

    void oneOffenceWritesNothingAndClosesTheDialog() {
        doc().picture.setPixel(3, 3, 0x123456);
        w->Form1->Export1->trigger();
        QVERIFY(dialog()->isVisible());
        QVERIFY(!w->Form1->isEnabled());
        QVERIFY(!w->Form2->isEnabled());
        dialog()->exportButton->click();
        QCOMPARE(boxes, QStringList{"Some errors were found!|Color Check"});
        QCOMPARE(pathQueries, 0);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!w->Form1->Image4->isVisible());
        QVERIFY(w->Form1->isEnabled());
        QVERIFY(w->Form2->isEnabled());
        QVERIFY(dialog()->exportButton->isEnabled());
    }

    void normalBinaryExportWritesThePlainTables() {
        QTemporaryDir dir;
        target = std::filesystem::path(dir.path().toStdString()) / "pic";
        dialog()->msxHeaderBox->setChecked(false); // no header: plain table sizes
        w->Form1->Export1->trigger();
        dialog()->exportButton->click();
        dialog()->msxHeaderBox->setChecked(true);
        QCOMPARE(pathQueries, 1);
        const QString base = QDir(dir.path()).filePath("PIC");
        QCOMPARE(boxes, QStringList{"OK!\n\nWritten:\n  " + base + ".GEN\n  " + base + ".NAM\n  " +
                                    base + ".COL|Export"});
        QCOMPARE(QFileInfo(base + ".GEN").size(), 6144);
        QCOMPARE(QFileInfo(base + ".NAM").size(), 768);
        QCOMPARE(QFileInfo(base + ".COL").size(), 6144);
    }

    void aTapeThatDoesNotFitKeepsTheDialogAndShowsTheWholeExplanation() {
        // Two random colours in every run: the packed screen ends past F380h from C800H.
        std::uint32_t x = 99;
        for (int y = 0; y < 192; ++y)
            for (int c = 0; c < 32; ++c) {
                x = x * 1103515245u + 12345u;
                const int fg = 2 + int(x >> 16) % 14, bg = 2 + (fg - 1 + int(x >> 24) % 13) % 14;
                for (int p = 0; p < 8; ++p)
                    doc().picture.setPixel(8 * c + p, y,
                                           PaletteColor(KindTms9918, (x >> (4 + p)) & 1 ? fg : bg));
            }
        w->Form1->Export1->trigger();
        dialog()->dataTypeButtons[1]->click();
        dialog()->exportButton->click();
        QCOMPARE(boxes, QStringList{"Data Over Flow Error!\n\nC800h - F9F4h\n\nThe highest Start "
                                    "Address that fits: C000H (16KB-32KB)|Export"});
        QCOMPARE(pathQueries, 0);
        // The dialog stays up with its choices, and the message window shows every line whole.
        QVERIFY(dialog()->isVisible() && dialog()->dataTypeButtons[1]->isChecked());
        QPlainTextEdit* memo = w->Form5->Memo1;
        const int room = memo->viewport()->width() - 2 * int(memo->document()->documentMargin());
        for (const QString& line : QString::fromStdString(w->Form5->text()).split('\n'))
            QVERIFY2(memo->fontMetrics().horizontalAdvance(line) <= room, qPrintable(line));
        dialog()->cancelButton->click();
        dialog()->dataTypeButtons[0]->click();
    }

    void theCheckIsOverBeforeTheSaveDialogOpens() {
        // While the user chooses the file, the progress window is gone and the message window
        // holds the finished report (the check's total; for tapes the load-address report).
        const auto keep = dialog()->chooseSavePath;
        for (int type = 0; type < 3; ++type) {
            bool progressShown = true;
            std::string textThen;
            dialog()->chooseSavePath = [&](ExportSaveDialog) {
                progressShown = w->Form6->isVisible();
                textThen = w->Form5->text();
                return std::optional<std::filesystem::path>(); // cancelled: nothing written
            };
            w->Form1->Export1->trigger();
            dialog()->dataTypeButtons[type]->click();
            dialog()->exportButton->click();
            QVERIFY2(!progressShown, qPrintable(QString::number(type)));
            QCOMPARE(QString::fromStdString(textThen), QString::fromStdString(w->Form5->text()));
            QVERIFY2(textThen.find(type == 0 ? "Error Total: 0" : "Address Check") !=
                         std::string::npos,
                     textThen.c_str());
            QCOMPARE(boxes, QStringList());
        }
        dialog()->dataTypeButtons[0]->click();
        dialog()->chooseSavePath = keep;
    }
};

QTEST_MAIN(ExportDialogTest)
#include "ExportDialogTest.moc"
