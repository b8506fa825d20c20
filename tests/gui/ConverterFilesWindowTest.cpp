// The Pixel Converter's Save and Export buttons: the dialog each mode shows, the files it
// writes, the buttons held off where the picture does not fit, the one overwrite question,
// the failure box, and the remembered names that New, Open and drops forget.
#include "core/editor/BitmapCodec.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/ScreenFileDialog.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/TForm7.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <fstream>

using namespace murelo;
using namespace murelo::gui;

namespace {

Picture Photo(int width, int height) {
    Picture picture(width, height);
    unsigned s = 777u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            const int noise = int((s >> 24) % 31) - 15;
            picture.setPixel(x, y,
                             RgbColor(std::clamp(x * 255 / width + noise, 0, 255),
                                      std::clamp(y * 255 / height - noise, 0, 255),
                                      std::clamp(200 - (x + y) * 100 / (width + height), 0, 255)));
        }
    return picture;
}

struct Box {
    BoxKind kind;
    QString text;
    QString caption;
};

struct ShownDialog {
    QString objectName;
    QString proposed;
};

// One conversion set up through the window's controls.
struct Setup {
    int page;
    int mode;
    int width;
    int height;
    bool interlace = false;
    bool connectPalette = false;
    bool analogPalette = false;
};

struct FileCase {
    const char* name;
    Setup setup;
    int button;
    const char* typed;     // the name answered in the dialog
    const char* dialog;    // its object name
    const char* suffix;    // its default suffix
    QStringList files;     // what lands in the folder, sorted
    qint64 firstSize = -1; // bytes of files[0] when checked
};

constexpr int ComboOfPage[] = {1, 3, 2, 4, 5};

} // namespace

class ConverterFilesWindowTest : public QObject {
    Q_OBJECT
    Windows* w = nullptr;
    std::vector<Box> boxes;
    bool boxAnswer = true;
    std::vector<ShownDialog> dialogs;
    QString dialogAnswer;
    std::unique_ptr<QTemporaryDir> dir;

    TForm10* form() { return w->Form10; }

    void load(const Picture& picture) {
        SessionChange change = w->Form1->session().applyPicture(picture);
        change |= w->Form1->session().restartUndo();
        w->Form1->applyChange(change);
        w->Form1->session().mutableDocument().Modified = false;
    }
    // Opens the window and makes the conversion as a user would, to its finish.
    void convert(const Setup& s) {
        load(Photo(s.width, s.height));
        w->Form1->SC1Converter1->trigger();
        QVERIFY(form()->isVisible());
        form()->PageControl1->setCurrentIndex(s.page);
        form()->CheckBox[11]->setChecked(s.interlace);      // "Interlace"
        form()->CheckBox[16]->setChecked(s.connectPalette); // "Connect Palette"
        form()->CheckBox[17]->setChecked(s.analogPalette);  // "Analog Palette"
        QComboBox* modes = form()->ComboBox[std::size_t(ComboOfPage[s.page])];
        modes->setCurrentIndex(s.mode);
        emit modes->activated(s.mode);
        QTRY_VERIFY_WITH_TIMEOUT(!form()->Timer1->isActive(), 20000);
    }
    QString at(const QString& name) const { return dir->filePath(name); }
    QStringList filesWritten() const {
        QStringList names = QDir(dir->path()).entryList(QDir::Files);
        names.sort();
        return names;
    }

  private slots:
    void initTestCase() {
        w = &CreateWindows();
        w->Form1->show();
        SetBoxHandler([this](BoxKind kind, const QString& text, const QString& caption) {
            boxes.push_back({kind, text, caption});
            return boxAnswer;
        });
        SetScreenFileDialogHandler([this](QFileDialog& dialog, const QString& proposed) {
            dialogs.push_back({dialog.objectName(), proposed});
            // Every dialog leaves the replacing of files to the writers.
            if (!dialog.testOption(QFileDialog::DontConfirmOverwrite))
                return std::optional<QString>();
            return dialogAnswer.isEmpty() ? std::optional<QString>() : std::optional(dialogAnswer);
        });
    }

    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        boxes.clear();
        dialogs.clear();
        boxAnswer = true;
    }

    void cleanup() {
        if (form()->isVisible())
            form()->Button[2]->click();
        // Options survive between openings; the next case sets its own.
        form()->model().setParameter(Parameter::Interlace, 0);
        form()->model().setConnectPalette(false);
        form()->model().setParameter(Parameter::AnalogPalette, 0);
    }

    void everyDialogIsBuiltFromItsDescription() {
        struct Expected {
            const char* name;
            QStringList filters;
            const char* suffix;
        };
        const Expected expected[] = {
            {"SaveDialog1", {"SCREEN 12 IMAGE (*.S12)", "SCREEN 12 IMAGE (*.SCC)"}, "S12"},
            {"SaveDialog2", {"SCREEN 8 IMAGE (*.SC8)"}, "SC8"},
            {"SaveDialog3", {"SCREEN 7 IMAGE (*.SC7)"}, "SC7"},
            {"SaveDialog4", {"SCREEN 5 IMAGE (*.SC5)"}, "SC5"},
            {"SaveDialog5", {"SCREEN 3 IMAGE (*.SC3)"}, "SC3"},
            {"SaveDialog6", {"SCREEN 6 IMAGE (*.SC6)"}, "SC6"},
            {"SaveDialog7", {"SCREEN 10 IMAGE (*.S10)", "SCREEN 10 IMAGE (*.SCA)"}, "S10"},
            {"SaveDialog8", {"Interlace SCREEN 7 IMAGE (*.S07)"}, "S07"},
            {"SaveDialog9", {"Interlace SCREEN 6 IMAGE (*.S06)"}, "S06"},
            {"SaveDialog10", {"Color Plane Data (*.R *.G *.B)"}, ""},
            {"SaveDialog11", {"Interlace SCREEN 5 IMAGE (*.S05)"}, "S05"},
            {"SavePictureDialog1", {"BITMAP IMAGE (*.bmp)"}, "bmp"},
        };
        for (const Expected& e : expected) {
            auto* dialog = form()->findChild<QFileDialog*>(e.name);
            QVERIFY2(dialog, e.name);
            QCOMPARE(dialog->nameFilters(), e.filters);
            QCOMPARE(dialog->defaultSuffix(), QString(e.suffix));
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        }
    }

    void eachButtonWritesTheFilesOfItsMode_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(FileCases())); ++i)
            QTest::newRow(FileCases()[std::size_t(i)].name) << i;
    }
    void eachButtonWritesTheFilesOfItsMode() {
        QFETCH(int, index);
        const FileCase& c = FileCases()[std::size_t(index)];
        convert(c.setup);
        QPushButton* button = form()->Button[std::size_t(c.button)];
        QVERIFY(button->isEnabled());
        dialogAnswer = at(c.typed);
        button->click();
        QCOMPARE(dialogs.size(), std::size_t(1));
        QCOMPARE(dialogs[0].objectName, QString(c.dialog));
        QCOMPARE(form()->findChild<QFileDialog*>(c.dialog)->defaultSuffix(), QString(c.suffix));
        QCOMPARE(filesWritten(), c.files);
        if (c.firstSize >= 0)
            QCOMPARE(QFileInfo(at(c.files.first())).size(), c.firstSize);
        QVERIFY2(boxes.empty(), "nothing asked, nothing failed");
        // The writers leave the conversion and its buttons as they were.
        QVERIFY(button->isEnabled());
        QVERIFY(form()->isVisible());
    }

    void buttonIsOffWhereThePictureDoesNotFit_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("interlace");
        QTest::addColumn<int>("button");
        QTest::newRow("SCREEN 3 not 256 x 192") << 0 << 1 << 256 << 200 << false << 16;
        QTest::newRow("SCREEN 5 of 512 wide") << 1 << 0 << 512 << 212 << false << 11;
        QTest::newRow("interlaced SCREEN 5 of 256 wide") << 1 << 0 << 256 << 212 << true << 11;
        QTest::newRow("interlaced SCREEN 5 of one row") << 1 << 0 << 512 << 1 << true << 11;
        QTest::newRow("SCREEN 6 of 256 wide") << 1 << 1 << 256 << 192 << false << 11;
        QTest::newRow("SCREEN 7 too high") << 1 << 2 << 512 << 430 << false << 11;
        QTest::newRow("SCREEN 8 too high") << 1 << 3 << 256 << 240 << false << 11;
        QTest::newRow("SCREEN 12 of 320 wide") << 2 << 1 << 320 << 200 << false << 5;
        QTest::newRow("PC-6x01 1:2 small") << 3 << 2 << 256 << 192 << false << 15;
        QTest::newRow("PC-6x01 4:4") << 3 << 3 << 256 << 192 << false << 15;
        QTest::newRow("PC-8801 not 640 wide") << 4 << 0 << 320 << 200 << false << 20;
    }
    void buttonIsOffWhereThePictureDoesNotFit() {
        QFETCH(int, page);
        QFETCH(int, mode);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, interlace);
        QFETCH(int, button);
        Setup s{page, mode, width, height};
        s.interlace = interlace;
        convert(s);
        QVERIFY(!form()->Button[std::size_t(button)]->isEnabled());
        dialogAnswer = at("pic");
        form()->Button[std::size_t(button)]->click();
        QVERIFY(dialogs.empty());
        QVERIFY(filesWritten().isEmpty());
        // The companion bitmaps have no size of their own.
        if (page == 1 || page == 2)
            QVERIFY(form()->Button[std::size_t(page == 1 ? 8 : 1)]->isEnabled());
    }

    void bitmapAsksOnceBeforeReplacingScreenFilesDoNot() {
        convert({1, 0, 256, 212});
        QFile existing(at("pic.bmp"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("keep");
        existing.close();
        dialogAnswer = at("pic.bmp");
        boxAnswer = false;
        form()->Button[8]->click(); // Save
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].kind, BoxKind::Question);
        QCOMPARE(boxes[0].text, QString("File Exists.\nOverwrite?"));
        QCOMPARE(boxes[0].caption, QString("Save"));
        QCOMPARE(QFileInfo(at("pic.bmp")).size(), qint64(4));
        boxAnswer = true;
        form()->Button[8]->click();
        QCOMPARE(boxes.size(), std::size_t(2));
        QVERIFY(QFileInfo(at("pic.bmp")).size() > 4);

        dialogAnswer = at("pic.sc5");
        form()->Button[11]->click(); // Export
        form()->Button[11]->click(); // the same files again: replaced without a word
        QCOMPARE(boxes.size(), std::size_t(2));
        QCOMPARE(filesWritten(), (QStringList{"PIC.PAL", "PIC.SC5", "pic.bmp"}));
    }

    void failureIsReportedInOneBox() {
        convert({0, 1, 256, 192});
        dialogAnswer = at("no such folder/pic.sc3");
        form()->Button[16]->click();
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].kind, BoxKind::Report);
        QCOMPARE(boxes[0].caption, QString("Export"));
        QVERIFY2(boxes[0].text.contains("PIC.SC3"), qPrintable(boxes[0].text));
        QVERIFY(filesWritten().isEmpty());
    }

    void newOpenAndDropForgetTheRememberedNames() {
        const QString photo = at("photo.bmp");
        {
            const std::vector<std::uint8_t> bytes = EncodeBitmap24(Photo(64, 32));
            std::ofstream out(photo.toStdString(), std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        const QString proposal = at("photo_S10.bmp");
        // Saves a V9958 bitmap as mine.bmp and returns what Save proposed before it.
        auto saveMine = [&] {
            w->Form1->SC1Converter1->trigger();
            form()->PageControl1->setCurrentIndex(2);
            emit form()->ComboBox[2]->activated(0); // SCREEN 10/11
            QTRY_VERIFY(!form()->Timer1->isActive());
            dialogAnswer = at("mine.bmp");
            boxAnswer = true;
            form()->Button[1]->click();
            form()->Button[2]->click(); // Cancel
            QVERIFY(!form()->isVisible());
        };
        auto lastProposal = [&] { return dialogs.empty() ? QString() : dialogs.back().proposed; };

        w->Form1->dropFiles({photo});
        QCOMPARE(QString::fromStdString(w->Form1->document().FileName), photo);
        saveMine();
        QCOMPARE(lastProposal(), proposal);
        saveMine();
        QCOMPARE(lastProposal(), at("mine.bmp")); // remembered across openings

        w->Form1->dropFiles({photo});
        saveMine();
        QCOMPARE(lastProposal(), proposal);

        SetFileDialogHandler([&](FileDialogKind, const QString&) { return std::optional(photo); });
        w->Form1->Open1->trigger();
        SetFileDialogHandler({});
        saveMine();
        QCOMPARE(lastProposal(), proposal);

        saveMine();
        QCOMPARE(lastProposal(), at("mine.bmp"));
        w->Form1->New1->trigger();
        w->Form7->cancelButton->click();
        saveMine();
        QCOMPARE(lastProposal(), proposal);
    }

  private:
    static const std::vector<FileCase>& FileCases() {
        static const std::vector<FileCase> cases = {
            {"TMS9918 SCREEN 3",
             {0, 1, 256, 192},
             16,
             "pic.sc3",
             "SaveDialog5",
             "SC3",
             {"PIC.NAM", "PIC.SC3"},
             7 + 768},
            {"SCREEN 5",
             {1, 0, 256, 212},
             11,
             "pic",
             "SaveDialog4",
             "SC5",
             {"PIC.PAL", "PIC.SC5"},
             7 + 32},
            {"SCREEN 5 Connect Palette",
             {1, 0, 256, 212, false, true},
             11,
             "pic.SC5",
             "SaveDialog4",
             "SC5",
             {"PIC.SC5"},
             7 + 0x76A0},
            {"SCREEN 5 interlaced",
             {1, 0, 512, 424, true},
             11,
             "pic.s05",
             "SaveDialog11",
             "S05",
             {"PIC.PAL", "PIC.S05", "PIC.S15"},
             7 + 32},
            {"SCREEN 6",
             {1, 1, 512, 424},
             11,
             "pic",
             "SaveDialog6",
             "SC6",
             {"PIC.PAL", "PIC.SC6"},
             7 + 32},
            {"SCREEN 6 interlaced",
             {1, 1, 512, 424, true},
             11,
             "pic",
             "SaveDialog9",
             "S06",
             {"PIC.PAL", "PIC.S06", "PIC.S16"},
             7 + 32},
            {"SCREEN 7",
             {1, 2, 512, 212},
             11,
             "pic",
             "SaveDialog3",
             "SC7",
             {"PIC.PAL", "PIC.SC7"},
             7 + 32},
            {"SCREEN 7 interlaced",
             {1, 2, 512, 424, true},
             11,
             "pic",
             "SaveDialog8",
             "S07",
             {"PIC.PAL", "PIC.S07", "PIC.S17"},
             7 + 32},
            {"SCREEN 8",
             {1, 6, 256, 212},
             11,
             "pic",
             "SaveDialog2",
             "SC8",
             {"PIC.SC8"},
             7 + 212 * 256},
            {"V9938 Save",
             {1, 2, 512, 212},
             8,
             "pic.png",
             "SavePictureDialog1",
             "bmp",
             {"pic.bmp"}},
            {"SCREEN 10/11",
             {2, 0, 256, 212},
             5,
             "pic",
             "SaveDialog7",
             "S10",
             {"PIC.S10"},
             7 + 212 * 256},
            {"SCREEN 12",
             {2, 1, 256, 100},
             5,
             "pic",
             "SaveDialog1",
             "S12",
             {"PIC.S12"},
             7 + 100 * 256},
            {"V9958 Save", {2, 1, 64, 40}, 1, "pic", "SavePictureDialog1", "bmp", {"pic.bmp"}},
            {"PC-6x01 bitmap",
             {3, 1, 256, 192},
             15,
             "pic.bmp",
             "SavePictureDialog1",
             "bmp",
             {"pic.bmp"},
             14 + 40 + 256 * 4 + 128 * 192},
            {"PC-8801 planes",
             {4, 0, 640, 400},
             20,
             "pic",
             "SaveDialog10",
             "",
             {"pic.B", "pic.G", "pic.R"},
             16000},
            {"PC-8801 planes, analog palette",
             {4, 0, 640, 400, false, false, true},
             20,
             "pic.R",
             "SaveDialog10",
             "",
             {"pic.B", "pic.G", "pic.PAL", "pic.R"},
             16000},
        };
        return cases;
    }
};

QTEST_MAIN(ConverterFilesWindowTest)
#include "ConverterFilesWindowTest.moc"
