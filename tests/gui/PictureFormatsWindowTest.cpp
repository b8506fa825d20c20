// The editor's ways in and out for other picture kinds: Import, PNG saves, a file named on the
// command line, and the export dialog's SCREEN 2 image.
#include "core/editor/PngEncode.h"
#include "core/palette/Palettes.h"
#include "gui/app/ImportChoice.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm8.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/export/TForm4.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace murelo;
using namespace murelo::gui;

namespace {

void WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class PictureFormatsWindowTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    QStringList boxes;
    std::optional<QString> fileChoice;
    std::optional<ImportChoice> importChoice;
    QList<FileDialogKind> dialogKinds;
    QTemporaryDir dir;
    TForm1& form() { return *w->Form1; }
    Document& doc() { return w->Form1->session().mutableDocument(); }
    QString path(const char* name) const { return dir.filePath(name); }

  private slots:
    void initTestCase() {
        SetBoxHandler([this](BoxKind, const QString& text, const QString& caption) {
            boxes << text + "|" + caption;
            return true;
        });
        SetFileDialogHandler([this](FileDialogKind kind, const QString&) {
            dialogKinds << kind;
            return fileChoice;
        });
        SetImportChoiceHandler([this] { return importChoice; });
        w = &CreateWindows();
        w->Form1->show();
    }
    void init() {
        boxes.clear();
        dialogKinds.clear();
        form().newPicture(256, 192, 0xFFFFFF);
        doc().Modified = false;
        doc().PaletteKind = PaletteKindId::Tms9918; // an opened picture may have switched it
    }

    void importScalesAPhotoIntoANewUnnamedModifiedPicture() {
        Picture photo(800, 600, RgbColor(10, 200, 30));
        WriteFile(path("photo.png"), EncodePng(photo, KindTms9918));
        fileChoice = path("photo.png");
        importChoice = ImportChoice{128, 96, PictureFitMode::Stretch};
        QVERIFY(form().Import1->isEnabled());
        form().Import1->trigger();
        QCOMPARE(boxes, QStringList{});
        QCOMPARE(dialogKinds, QList<FileDialogKind>{FileDialogKind::Import});
        QCOMPARE(doc().PictureWidth, 128);
        QCOMPARE(doc().PictureHeight, 96);
        QCOMPARE(doc().picture.pixel(64, 48), RgbColor(10, 200, 30));
        QCOMPARE(QString::fromStdString(doc().FileName), QString());
        QVERIFY(doc().Modified);
        QVERIFY(!form().Undo1->isEnabled());
        QVERIFY(!form().Export1->isEnabled()); // 128 x 96 is not a SCREEN 2 picture
    }

    void aRefusedImportLeavesThePictureAsItWas() {
        doc().picture.setPixel(1, 1, 0x123456);
        const Picture before = doc().picture;
        WriteFile(path("junk.gif"), {'G', 'I', 'F', '8', '9', 'a', 1, 2});
        fileChoice = path("junk.gif");
        importChoice = ImportChoice{};
        form().Import1->trigger();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith("ReadError : GIF: "), qPrintable(boxes[0]));
        QCOMPARE(doc().picture, before);
        // Cancelling the size question imports nothing either.
        boxes.clear();
        WriteFile(path("good.png"), EncodePng(Picture(300, 300, 0), KindTms9918));
        fileChoice = path("good.png");
        importChoice.reset();
        form().Import1->trigger();
        QCOMPARE(boxes, QStringList{});
        QCOMPARE(doc().picture, before);
    }

    void saveAsPngWritesAPngAndSaveKeepsTheName() {
        doc().picture.fill(PaletteColor(KindTms9918, 6));
        form().markModified();
        fileChoice = path("art.png");
        form().SaveAs1->trigger();
        QVERIFY(!w->Form8->isVisible()); // no depth to choose for a PNG
        QCOMPARE(ReadAll(path("art.png")).mid(1, 3), QByteArray("PNG"));
        QVERIFY(!QFile::exists(path("art.bmp")));
        QCOMPARE(QString::fromStdString(doc().FileName), path("art.png"));
        QVERIFY(!doc().Modified);
        doc().picture.setPixel(0, 0, PaletteColor(KindTms9918, 7));
        form().markModified();
        form().Save1->trigger(); // "File Exists.\nOverwrite?" answered OK
        QVERIFY(!QFile::exists(path("art.bmp")));
        QVERIFY(form().openFile(path("art.png")));
        QCOMPARE(doc().picture.pixel(0, 0), PaletteColor(KindTms9918, 7));
    }

    void aFileFromTheCommandLineOpensOrShowsTheUsualMessage() {
        WriteFile(path("text.bmp"), {'h', 'i'});
        QVERIFY(!form().openFile(path("text.bmp")));
        QCOMPARE(boxes,
                 QStringList{"Not BMP File!\n  ->File : text.bmp (not a BMP, PNG, JPEG, GIF or "
                             "SCREEN 2 image)|Open Error"});
        QCOMPARE(doc().picture, Picture(256, 192, 0xFFFFFF));
        std::vector<std::uint8_t> vram(0x3800, 0);
        std::fill(vram.begin() + 0x2000, vram.end(), std::uint8_t(0x40)); // blue on transparent
        std::fill(vram.begin(), vram.begin() + 0x1800, std::uint8_t(0xF0));
        WriteFile(path("dump.sc2"), vram);
        QVERIFY(form().openFile(path("dump.sc2")));
        QCOMPARE(doc().picture.pixel(0, 0), PaletteColor(KindTms9918, 4));
        QCOMPARE(doc().picture.pixel(7, 191), PaletteColor(KindTms9918, 0));
        QCOMPARE(QString::fromStdString(doc().FileName), path("dump.sc2"));
    }

    void aDroppedGifOpensLikeABitmap() {
        // GIF87a, 2 x 1, global table black and red, pixels 1 and 0 (LZW minimum code size 2).
        const std::vector<std::uint8_t> gif = {
            'G', 'I', 'F', '8', '7', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0,    0,    0, 255, 0,
            0,   ',', 0,   0,   0,   0,   2, 0, 1, 0, 0,    2, 2, 0x0C, 0x0A, 0, ';'};
        WriteFile(path("drop.gif"), gif);
        form().dropFiles({path("drop.gif")});
        QCOMPARE(boxes, QStringList{});
        QCOMPARE(doc().PictureWidth, 2);
        QCOMPARE(doc().picture.pixel(0, 0), RgbColor(255, 0, 0));
        QCOMPARE(doc().picture.pixel(1, 0), RgbColor(0, 0, 0));
        QCOMPARE(QString::fromStdString(doc().FileName), path("drop.gif"));
    }

    void theExportDialogWritesAScreen2Image() {
        TForm4* d = w->Form4;
        std::optional<ExportSaveDialog> asked;
        const auto target = std::filesystem::path(dir.path().toStdString()) / "title";
        d->chooseSavePath = [&](ExportSaveDialog dialog) {
            asked = dialog;
            return std::optional<std::filesystem::path>(target);
        };
        doc().picture.fill(PaletteColor(KindTms9918, 15));
        form().Export1->trigger();
        QCOMPARE(d->dataTypeButtons[3]->text(), QString("SCREEN 2 IMAGE (*.SC2)"));
        QCOMPARE(d->dataTypeButtons[3]->objectName(), QString("RadioGroup2Item3"));
        d->dataTypeButtons[3]->click();
        QVERIFY(!d->msxHeaderBox->isEnabled());
        QVERIFY(!d->tapeNameEdit->isEnabled());
        QVERIFY(!d->volumeSlider->isEnabled());
        d->exportButton->click();
        d->dataTypeButtons[0]->click();
        QVERIFY(asked == ExportSaveDialog::Sc2);
        QCOMPARE(boxes, QStringList{"OK!\n\nWritten:\n  " + path("title.SC2") + "|Export"});
        const QByteArray file = ReadAll(path("title.SC2"));
        QCOMPARE(file.size(), 7 + 0x3800);
        QCOMPARE(quint8(file[0]), quint8(0xFE));
        QCOMPARE(quint8(file[7 + 0x2000]), quint8(0xF0));
    }
};

QTEST_MAIN(PictureFormatsWindowTest)
#include "PictureFormatsWindowTest.moc"
