// The editor's file commands: open, drop, save, save as, save consecutive and copy.
#include "core/editor/PictureFileEncoding.h"
#include "gui/app/TForm1.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <fstream>

using namespace murelo;
using namespace murelo::gui;

namespace {

struct Box {
    BoxKind kind;
    QString text;
    QString caption;
};

// Answers message boxes and file dialogs as a test tells it to, remembering the boxes.
struct Answers {
    QList<Box> boxes;
    bool ok = true;
    std::optional<QString> dialogChoice;
    Answers() {
        SetBoxHandler([this](BoxKind kind, const QString& text, const QString& caption) {
            boxes.append({kind, text, caption});
            return ok;
        });
        SetFileDialogHandler([this](FileDialogKind, const QString&) { return dialogChoice; });
    }
    ~Answers() {
        SetBoxHandler({});
        SetFileDialogHandler({});
    }
};

// A 24-bit bitmap of the given size in one colour.
QString WriteBitmap(const QString& path, int w, int h, ColorValue color) {
    const Picture picture(w, h, color);
    const EncodedPicture file =
        EncodePictureForSave(picture, 0, PixelFormatCode(PixelFormat::Bits24));
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.bytes.data()),
               std::streamsize(file.bytes.size()));
    return path;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Title(const QString& name) {
    return "Murelo 9918 ver.1.20 : " + name;
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void fileItemsAreWired();
    void severalDroppedFilesLoadTheLast();
    void dropEventOnTheWindowLoadsTheLastLocalFile();
    void refusedDropKeepsNameAndPicture();
    void modifiedPictureIsReplacedOnlyAfterOk();
    void openDialogLoadsAndDisarmsTheNextClick();
    void openDialogShowsEveryPictureKindFirst();
    void saveAsWritesBmpNameAndCleansTitle();
    void saveAsOntoExistingFileCancelledKeepsOldNameAndFile();
    void failedSaveReportsAndStaysModified();
    void saveConsecutiveWritesStampedSibling();
    void copyPutsThePictureOnTheClipboard();

  private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
};

void FileCommandsTest::fileItemsAreWired() {
    TForm1 w;
    for (QAction* a : {w.Open1, w.Save1, w.SaveAs1, w.SaveCons1, w.Copy1})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
}

void FileCommandsTest::severalDroppedFilesLoadTheLast() {
    Answers answers;
    const QString a = WriteBitmap(path("first.bmp"), 16, 8, 0x0000FF);
    const QString b = WriteBitmap(path("second.bmp"), 40, 24, 0xFF0000);
    TForm1 w;
    w.show();
    w.dropFiles({a, b});
    QCOMPARE(answers.boxes.size(), 0);
    QCOMPARE(w.document().PictureWidth, 40);
    QCOMPARE(w.document().PictureHeight, 24);
    QCOMPARE(w.document().picture.pixel(39, 23), 0xFF0000);
    QCOMPARE(QString::fromStdString(w.document().FileName), b);
    QCOMPARE(w.saveDialogName, b);
    QCOMPARE(w.windowTitle(), Title(b));
    QCOMPARE(w.Image1->size(), QSize(40, 24));
    QVERIFY(!w.session().view().InputArmed);
    QVERIFY(!w.Undo1->isEnabled());
}

void FileCommandsTest::dropEventOnTheWindowLoadsTheLastLocalFile() {
    Answers answers;
    const QString a = WriteBitmap(path("drop1.bmp"), 8, 8, 0x00FF00);
    const QString b = WriteBitmap(path("drop2.bmp"), 24, 16, 0x00FF00);
    TForm1 w;
    w.show();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QDragEnterEvent enter(QPoint(20, 40), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(20, 40), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&w, &drop);
    QCOMPARE(w.document().PictureWidth, 24);
    QCOMPARE(QString::fromStdString(w.document().FileName), b);
}

void FileCommandsTest::refusedDropKeepsNameAndPicture() {
    Answers answers;
    const QString good = WriteBitmap(path("good.bmp"), 16, 16, 0x0000FF);
    const QString bad = path("bad.bmp");
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("GIF87x this is not a bitmap at all, nor any other picture", 58);
    }
    TForm1 w;
    w.show();
    w.dropFiles({good});
    w.dropFiles({bad});
    QCOMPARE(answers.boxes.size(), 1);
    QCOMPARE(
        answers.boxes[0].text,
        QString("Not BMP File!\n  ->File : bad.bmp (not a BMP, PNG, JPEG, GIF or SCREEN 2 image)"));
    QCOMPARE(answers.boxes[0].caption, QString("Open Error"));
    QCOMPARE(QString::fromStdString(w.document().FileName), good);
    QCOMPARE(w.saveDialogName, good);
    QCOMPARE(w.windowTitle(), Title(good));
    QCOMPARE(w.document().PictureWidth, 16);
    // A folder is no bitmap either, and is reported as a read error.
    w.dropFiles({dir_.path()});
    QCOMPARE(answers.boxes.size(), 2);
    QVERIFY(answers.boxes[1].text.startsWith("ReadError : "));
    QCOMPARE(QString::fromStdString(w.document().FileName), good);
}

void FileCommandsTest::modifiedPictureIsReplacedOnlyAfterOk() {
    Answers answers;
    const QString file = WriteBitmap(path("replace.bmp"), 32, 32, 0x0000FF);
    TForm1 w;
    w.show();
    w.session().mutableDocument().picture.setPixel(0, 0, 0x000000);
    w.markModified();
    answers.ok = false;
    w.dropFiles({file});
    QCOMPARE(answers.boxes.size(), 1);
    QCOMPARE(answers.boxes[0].text, QString("OK?"));
    QCOMPARE(answers.boxes[0].caption, QString("Open"));
    QCOMPARE(w.document().PictureWidth, 256);
    QCOMPARE(w.document().picture.pixel(0, 0), 0x000000);
    answers.ok = true;
    w.dropFiles({file});
    QCOMPARE(w.document().PictureWidth, 32);
    QVERIFY(!w.document().Modified);
}

void FileCommandsTest::openDialogLoadsAndDisarmsTheNextClick() {
    Answers answers;
    const QString file = WriteBitmap(path("opened.bmp"), 64, 48, 0xFFFFFF);
    TForm1 w;
    w.show();
    answers.dialogChoice = std::nullopt;
    w.Open1->trigger();
    QCOMPARE(w.document().PictureWidth, 256);
    answers.dialogChoice = file;
    w.Open1->trigger();
    QCOMPARE(w.document().PictureWidth, 64);
    QCOMPARE(w.windowTitle(), Title(file));
    // The click that closed the dialog over the picture does not paint.
    QTest::mousePress(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w.document().picture.pixel(5, 5), 0xFFFFFF);
    QTest::mouseRelease(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w.document().picture.pixel(5, 5), 0x000000);
}

void FileCommandsTest::openDialogShowsEveryPictureKindFirst() {
    TForm1 w;
    QStringList filters;
    QString selected;
    QTimer::singleShot(0, &w, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            filters = dialog->nameFilters();
            selected = dialog->selectedNameFilter();
            dialog->reject();
        }
    });
    RunPictureDialog(&w, FileDialogKind::Open, QString());
    QCOMPARE(filters, (QStringList{"Pictures (*.bmp *.png *.jpg *.jpeg *.gif *.sc2)",
                                   "BITMAP IMAGE (*.bmp)", "ALL FILES (*)"}));
    QCOMPARE(selected, filters.value(0));
}

void FileCommandsTest::saveAsWritesBmpNameAndCleansTitle() {
    Answers answers;
    TForm1 w;
    w.show();
    w.markModified();
    answers.dialogChoice = path("picture.jpg");
    w.SaveAs1->trigger();
    const QString written = path("picture.bmp");
    QVERIFY(QFile::exists(written));
    QVERIFY(!QFile::exists(path("picture.jpg")));
    QCOMPARE(ReadAll(written).left(2), QByteArray("BM"));
    QCOMPARE(QString::fromStdString(w.document().FileName), written);
    QVERIFY(!w.document().Modified);
    QCOMPARE(w.windowTitle(), Title(written));
    QVERIFY(answers.boxes.isEmpty()); // a new file needs no overwrite question
}

void FileCommandsTest::saveAsOntoExistingFileCancelledKeepsOldNameAndFile() {
    Answers answers;
    const QString kept = WriteBitmap(path("keep.bmp"), 8, 8, 0x0000FF);
    const QByteArray before = ReadAll(kept);
    const QString current = WriteBitmap(path("current.bmp"), 16, 16, 0xFF0000);
    TForm1 w;
    w.show();
    w.dropFiles({current});
    w.markModified();
    answers.ok = false;
    answers.dialogChoice = kept;
    w.SaveAs1->trigger();
    QCOMPARE(answers.boxes.size(), 1);
    QCOMPARE(answers.boxes[0].text, QString("File Exists.\nOverwrite?"));
    QCOMPARE(answers.boxes[0].caption, QString("Save"));
    QCOMPARE(ReadAll(kept), before);
    QCOMPARE(QString::fromStdString(w.document().FileName), current);
    QCOMPARE(w.saveDialogName, current);
    // The next Save targets the current file, not the refused one.
    answers.ok = true;
    w.Save1->trigger();
    QCOMPARE(ReadAll(kept), before);
    QVERIFY(!w.document().Modified);
    QCOMPARE(QString::fromStdString(w.document().FileName), current);
}

void FileCommandsTest::failedSaveReportsAndStaysModified() {
    Answers answers;
    const QString name = path("no such folder/lost.bmp");
    TForm1 w;
    w.show();
    w.markModified();
    answers.dialogChoice = name;
    w.SaveAs1->trigger();
    QCOMPARE(answers.boxes.size(), 1);
    QCOMPARE(answers.boxes[0].caption, QString("Save"));
    QVERIFY2(answers.boxes[0].text.contains("lost.bmp"), qPrintable(answers.boxes[0].text));
    QVERIFY(w.document().Modified);
    QVERIFY(w.windowTitle().contains(" : *"));
    QVERIFY(w.document().FileName.empty());
    QVERIFY(!QFile::exists(name));
}

void FileCommandsTest::saveConsecutiveWritesStampedSibling() {
    Answers answers;
    QTemporaryDir own;
    const QString opened = WriteBitmap(own.filePath("girl_20140105_123000.bmp"), 8, 8, 0x0000FF);
    TForm1 w;
    w.show();
    w.dropFiles({opened});
    w.SaveCons1->trigger();
    QVERIFY(answers.boxes.isEmpty()); // no question
    QStringList files = QDir(own.path()).entryList({"*.bmp"}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 2);
    files.removeAll("girl_20140105_123000.bmp");
    const QString stamped = files.value(0);
    // girl_ + yyyymmdd_hhmmss + .bmp, not a doubly stamped name
    QCOMPARE(stamped.size(), int(QString("girl_").size() + 15 + 4));
    QVERIFY2(QRegularExpression("^girl_\\d{8}_\\d{6}\\.bmp$").match(stamped).hasMatch(),
             qPrintable(stamped));
    QCOMPARE(QString::fromStdString(w.document().FileName), opened);
    QCOMPARE(w.windowTitle(), Title(opened));
}

void FileCommandsTest::copyPutsThePictureOnTheClipboard() {
    TForm1 w;
    w.show();
    w.session().mutableDocument().picture.setPixel(3, 2, 0x0000FF);
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    w.Copy1->trigger();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(256, 192));
    QCOMPARE(QColor(copied.pixel(3, 2)), QColor(255, 0, 0));
    QCOMPARE(QColor(copied.pixel(4, 2)), QColor(255, 255, 255));
    // Later edits do not reach the copy.
    w.session().mutableDocument().picture.setPixel(4, 2, 0x000000);
    QCOMPARE(QColor(QApplication::clipboard()->image().pixel(4, 2)), QColor(255, 255, 255));
}

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
