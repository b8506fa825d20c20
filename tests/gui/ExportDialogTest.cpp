// File > Export and the export dialog: enabling rules, the Export button's sequence.
#include "core/export/ExportJob.h"
#include "core/palette/Palettes.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/export/TForm4.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

    void initialStateAndEnablingRules() {
        TForm4* d = dialog();
        QVERIFY(d->DataTypeButtons[0]->isChecked());
        QVERIFY(d->RadioButton2->isChecked());
        QVERIFY(d->CheckBox2->isChecked());
        QVERIFY(!d->CheckBox1->isEnabled());
        QVERIFY(!d->CheckBox3->isEnabled());
        QVERIFY(!d->ComboBox1->isEnabled());
        QVERIFY(!d->TrackBar1->isEnabled());
        QCOMPARE(d->TrackBar1->value(), 64);
        QCOMPARE(d->ComboBox1->currentText(), QString("C800H (16KB-32KB)"));
        d->RadioButton1->click();
        QVERIFY(d->CheckBox3->isEnabled());
        d->CheckBox3->setChecked(true);
        d->RadioButton2->click();
        QVERIFY(!d->CheckBox3->isEnabled());
        QVERIFY(d->CheckBox3->isChecked());
        d->DataTypeButtons[1]->click();
        QVERIFY(d->ComboBox1->isEnabled());
        QVERIFY(d->Edit1->isEnabled());
        QVERIFY(!d->TrackBar1->isEnabled());
        QVERIFY(!d->CheckBox2->isEnabled());
        d->DataTypeButtons[2]->click();
        QVERIFY(d->TrackBar1->isEnabled());
        d->TrackBar1->setValue(1);
        QCOMPARE(d->Label3->text(), QString("1"));
        QCOMPARE(d->options().wavVolume, 1);
        d->TrackBar1->setValue(64);
        d->DataTypeButtons[0]->click();
        QVERIFY(d->RadioButton2->isEnabled());
        d->CheckBox3->setChecked(false);
    }

    void oneOffenceWritesNothingAndClosesTheDialog() {
        doc().picture.setPixel(3, 3, 0x123456);
        w->Form1->Export1->trigger();
        QVERIFY(dialog()->isVisible());
        QVERIFY(!w->Form1->isEnabled());
        QVERIFY(!w->Form2->isEnabled());
        dialog()->Button1->click();
        QCOMPARE(boxes, QStringList{"Some errors were found!|Color Check"});
        QCOMPARE(pathQueries, 0);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!w->Form1->Image4->isVisible());
        QVERIFY(w->Form1->isEnabled());
        QVERIFY(w->Form2->isEnabled());
        QVERIFY(dialog()->Button1->isEnabled());
    }

    void normalBinaryExportWritesThePlainTables() {
        QTemporaryDir dir;
        target = std::filesystem::path(dir.path().toStdString()) / "pic";
        dialog()->CheckBox2->setChecked(false); // no header: plain table sizes
        w->Form1->Export1->trigger();
        dialog()->Button1->click();
        dialog()->CheckBox2->setChecked(true);
        QCOMPARE(pathQueries, 1);
        QCOMPARE(boxes, QStringList{"OK!|Export"});
        const auto base = std::filesystem::path(dir.path().toStdString()) / "PIC";
        QCOMPARE(std::filesystem::file_size(base.string() + ".GEN"), std::uintmax_t(6144));
        QCOMPARE(std::filesystem::file_size(base.string() + ".NAM"), std::uintmax_t(768));
        QCOMPARE(std::filesystem::file_size(base.string() + ".COL"), std::uintmax_t(6144));
    }
};

QTEST_MAIN(ExportDialogTest)
#include "ExportDialogTest.moc"
