#include "gui/export/TForm4.h"

#include "core/app/Document.h"
#include "core/dialogs/ExportEnabling.h"
#include "core/export/ExportJob.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/palette/TForm2.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QVBoxLayout>

namespace murelo::gui {

TForm4::TForm4(TForm1* mainWindow) : QDialog(nullptr), form1_(mainWindow) {
    setObjectName("Form4");
    setWindowTitle("Export");
    PrepareSecondaryWindow(this, true);
    createControls();
    chooseSavePath = [this](int dialog) { return runSaveDialog(dialog); };

    for (QRadioButton* b : DataTypeButtons)
        connect(b, &QRadioButton::clicked, this, &TForm4::applyEnabling); // RadioGroup2Click
    connect(RadioButton1, &QRadioButton::clicked, this, [this] {
        CheckBox1->setEnabled(true);
        CheckBox3->setEnabled(true);
    });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] {
        CheckBox1->setEnabled(false); // their check marks stay
        CheckBox3->setEnabled(false);
    });
    connect(TrackBar1, &QSlider::valueChanged, this,
            [this](int v) { Label3->setText(QString::number(v)); });
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QWidget::hide);
    applyEnabling();
}

void TForm4::createControls() {
    RadioGroup2 = new QGroupBox("Data Type", this);
    RadioGroup2->setObjectName("RadioGroup2");
    auto* typeLayout = new QVBoxLayout(RadioGroup2);
    const char* types[] = {"Binary Data", "CAS Data", "WAV Data", "SCREEN 2 IMAGE (*.SC2)"};
    for (int i = 0; i < DataTypeCount; ++i) {
        DataTypeButtons[i] = new QRadioButton(types[i], RadioGroup2);
        DataTypeButtons[i]->setObjectName(QString("RadioGroup2Item%1").arg(i));
        typeLayout->addWidget(DataTypeButtons[i]);
    }
    DataTypeButtons[0]->setChecked(true);

    GroupBox1 = new QGroupBox("Binary Option", this);
    GroupBox1->setObjectName("GroupBox1");
    RadioButton2 = new QRadioButton("Normal", GroupBox1);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton2->setChecked(true);
    RadioButton1 = new QRadioButton("Compress", GroupBox1);
    RadioButton1->setObjectName("RadioButton1");
    CheckBox1 = new QCheckBox("Divide NAM Table", GroupBox1);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox3 = new QCheckBox("Store 1 BANK if possible", GroupBox1);
    CheckBox3->setObjectName("CheckBox3");
    CheckBox2 = new QCheckBox("Add MSX Header", GroupBox1);
    CheckBox2->setObjectName("CheckBox2");
    CheckBox2->setChecked(true);
    auto* binary = new QGridLayout(GroupBox1);
    binary->addWidget(RadioButton2, 0, 0);
    binary->addWidget(RadioButton1, 1, 0);
    binary->addWidget(CheckBox1, 2, 0);
    binary->addWidget(CheckBox3, 3, 0);
    binary->addWidget(CheckBox2, 4, 0);
    binary->setColumnMinimumWidth(0, 0);
    CheckBox1->setContentsMargins(18, 0, 0, 0);
    CheckBox3->setContentsMargins(18, 0, 0, 0);

    GroupBox2 = new QGroupBox("CassetteTape Option", this);
    GroupBox2->setObjectName("GroupBox2");
    Label2 = new QLabel("Start Address", GroupBox2);
    Label2->setObjectName("Label2");
    ComboBox1 = new QComboBox(GroupBox2);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->addItems({"C800H (16KB-32KB)", "C000H (16KB-32KB)", "B000H (32KB)",
                         "A000H (32KB)", "9000H (32KB)"});
    Label4 = new QLabel("FileName", GroupBox2);
    Label4->setObjectName("Label4");
    Edit1 = new QLineEdit(GroupBox2);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(int(TapeNameEditLimit));
    Edit1->setToolTip("The name the tape carries (6 characters); empty takes the file's name");
    Label1 = new QLabel("WAV Volume", GroupBox2);
    Label1->setObjectName("Label1");
    TrackBar1 = new QSlider(Qt::Horizontal, GroupBox2);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(MinWavVolume, MaxWavVolume);
    TrackBar1->setTickInterval(32);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(64);
    Label3 = new QLabel("64", GroupBox2);
    Label3->setObjectName("Label3");
    Label3->setMinimumWidth(Label3->fontMetrics().horizontalAdvance("888") + 4);
    RadioGroup3 = new QGroupBox("Baud Rate", GroupBox2);
    RadioGroup3->setObjectName("RadioGroup3");
    auto* baud = new QHBoxLayout(RadioGroup3);
    const char* bauds[] = {"1200 baud", "2400 baud"};
    for (int i = 0; i < 2; ++i) {
        BaudButtons[i] = new QRadioButton(bauds[i], RadioGroup3);
        BaudButtons[i]->setObjectName(QString("RadioGroup3Item%1").arg(i));
        baud->addWidget(BaudButtons[i]);
    }
    BaudButtons[0]->setChecked(true);
    auto* tape = new QGridLayout(GroupBox2);
    tape->addWidget(Label2, 0, 0);
    tape->addWidget(ComboBox1, 0, 1, 1, 2);
    tape->addWidget(Label4, 1, 0);
    tape->addWidget(Edit1, 1, 1, 1, 2);
    tape->addWidget(Label1, 2, 0);
    tape->addWidget(TrackBar1, 2, 1);
    tape->addWidget(Label3, 2, 2);
    tape->addWidget(RadioGroup3, 3, 0, 1, 3);

    Button1 = new QPushButton("Export", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* grid = new QGridLayout(this);
    grid->addWidget(RadioGroup2, 0, 0);
    grid->addWidget(GroupBox1, 1, 0);
    grid->addWidget(GroupBox2, 0, 1, 2, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

int TForm4::dataType() const {
    for (int i = 0; i < DataTypeCount; ++i)
        if (DataTypeButtons[i]->isChecked())
            return i;
    return 0;
}

void TForm4::applyEnabling() {
    const ExportEnabling e = ExportControlsEnabling(dataType(), RadioButton1->isChecked());
    for (QWidget* c : std::initializer_list<QWidget*>{RadioButton2, RadioButton1, CheckBox2})
        c->setEnabled(e.binaryOptions);
    CheckBox1->setEnabled(e.compressOptions);
    CheckBox3->setEnabled(e.compressOptions);
    for (QWidget* c : std::initializer_list<QWidget*>{Label2, ComboBox1, Label4, Edit1})
        c->setEnabled(e.tapeOptions);
    for (QWidget* c : std::initializer_list<QWidget*>{Label1, TrackBar1, Label3, RadioGroup3})
        c->setEnabled(e.wavOptions);
}

ExportOptions TForm4::options() const {
    ExportOptions o;
    o.dataType = dataType();
    o.binary.compress = RadioButton1->isChecked();
    o.binary.divideNameTable = CheckBox1->isChecked();
    o.binary.oneBank = CheckBox3->isChecked();
    o.binary.addHeader = CheckBox2->isChecked();
    o.startAddress = ComboBox1->currentIndex();
    o.tapeName = Edit1->text().toStdString();
    o.wavVolume = TrackBar1->value();
    o.baudRate = BaudButtons[1]->isChecked() ? Baud2400 : Baud1200;
    return o;
}

std::optional<std::filesystem::path> TForm4::runSaveDialog(int dialog) {
    QFileDialog d(this, "Save");
    d.setObjectName(QString("SaveDialog%1").arg(dialog));
    d.setAcceptMode(QFileDialog::AcceptSave);
    // Machine files are replaced without a question.
    d.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Qt's own dialog, so the filter's letter case can be switched off (tapes named
    // game.cas must show too).
    d.setOption(QFileDialog::DontUseNativeDialog, true);
    d.setFilter(d.filter() & ~QDir::CaseSensitive);
    if (dialog == 2)
        d.setNameFilter("Tape Image (*.CAS)");
    else if (dialog == 3)
        d.setNameFilter("Tape WAV Image (*.WAV)");
    else if (dialog == 4)
        d.setNameFilter("SCREEN 2 IMAGE (*.SC2)");
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(d.selectedFiles().first().toStdString());
}

void TForm4::Button1Click() {
    Windows& w = AllWindows();
    Document& doc = form1_->document();
    Button1->setEnabled(false); // while the export's colour check runs
    Button2->setEnabled(false);
    TForm6* progress = w.Form6;
    ExportJobHooks hooks;
    hooks.check.progress = [progress](int p) {
        if (!progress->isVisible())
            progress->show();
        progress->ProgressBar1->setValue(p);
    };
    hooks.check.runChecked = [] { QCoreApplication::processEvents(); };
    hooks.check.cancelRequested = [progress] { return progress->CancelRequested; };
    hooks.binaryPath = [this] { return chooseSavePath(1); };
    hooks.casPath = [this] { return chooseSavePath(2); };
    hooks.wavPath = [this] { return chooseSavePath(3); };
    hooks.sc2Path = [this] { return chooseSavePath(4); };
    w.Form5->setText("Error(s):\n\n");
    w.Form5->show();
    progress->ProgressBar1->setValue(0);
    progress->show();
    ExportJobResult result;
    try {
        result = RunExportJob(doc.picture, doc.PaletteKind, options(), doc.errorOverlay,
                              SharedScreenBuffer().vramImage(), hooks);
    } catch (const std::exception& e) {
        result.outcome = ExportOutcome::WriteFailed;
        result.boxText = e.what();
        result.boxCaption = "Export";
    }
    progress->hide();
    if (!result.messageText.empty())
        w.Form5->setText(result.messageText);
    doc.ErrorsShown = result.errorsShown;
    Button1->setEnabled(true);
    Button2->setEnabled(true);
    if (!result.boxText.empty())
        ShowReport(this, QString::fromStdString(result.boxText),
                   QString::fromStdString(result.boxCaption));
    doc.InputArmed = false; // the click that closed a dialog over the picture does not paint
    hide();
    form1_->Image4->hide();
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnWindow(this, form1_);
    disabled_.disable({form1_, AllWindows().Form2});
}

void TForm4::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    disabled_.restore();
}

} // namespace murelo::gui
