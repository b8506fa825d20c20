#include "gui/export/TForm4.h"

#include "core/app/EditorSession.h"
#include "core/editor/ColorCheckRunner.h"
#include "core/export/ExportJob.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/editor/FileDialogs.h"
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
    chooseSavePath = [this](ExportSaveDialog dialog) { return runSaveDialog(dialog); };

    for (QRadioButton* b : dataTypeButtons)
        connect(b, &QRadioButton::clicked, this, &TForm4::applyEnabling); // RadioGroup2Click
    for (QRadioButton* b : {compressButton, normalButton})
        connect(b, &QRadioButton::clicked, this, [this] {
            // The compress options follow; their check marks stay.
            const ExportEnabling e = model_.chooseCompress(compressButton->isChecked());
            divideNameTableBox->setEnabled(e.compressOptions);
            oneBankBox->setEnabled(e.compressOptions);
        });
    connect(volumeSlider, &QSlider::valueChanged, this,
            [this](int v) { volumeValueLabel->setText(QString::number(v)); });
    connect(exportButton, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);
    applyEnabling();
}

void TForm4::createControls() {
    dataTypeGroup = new QGroupBox("Data Type", this);
    dataTypeGroup->setObjectName("RadioGroup2");
    auto* typeLayout = new QVBoxLayout(dataTypeGroup);
    const char* types[] = {"Binary Data", "CAS Data", "WAV Data", "SCREEN 2 IMAGE (*.SC2)"};
    for (int i = 0; i < DataTypeCount; ++i) {
        dataTypeButtons[i] = new QRadioButton(types[i], dataTypeGroup);
        dataTypeButtons[i]->setObjectName(QString("RadioGroup2Item%1").arg(i));
        typeLayout->addWidget(dataTypeButtons[i]);
    }
    dataTypeButtons[0]->setChecked(true);

    binaryGroup = new QGroupBox("Binary Option", this);
    binaryGroup->setObjectName("GroupBox1");
    normalButton = new QRadioButton("Normal", binaryGroup);
    normalButton->setObjectName("RadioButton2");
    normalButton->setChecked(true);
    compressButton = new QRadioButton("Compress", binaryGroup);
    compressButton->setObjectName("RadioButton1");
    divideNameTableBox = new QCheckBox("Divide NAM Table", binaryGroup);
    divideNameTableBox->setObjectName("CheckBox1");
    oneBankBox = new QCheckBox("Store 1 BANK if possible", binaryGroup);
    oneBankBox->setObjectName("CheckBox3");
    msxHeaderBox = new QCheckBox("Add MSX Header", binaryGroup);
    msxHeaderBox->setObjectName("CheckBox2");
    msxHeaderBox->setChecked(true);
    auto* binary = new QGridLayout(binaryGroup);
    binary->addWidget(normalButton, 0, 0);
    binary->addWidget(compressButton, 1, 0);
    binary->addWidget(divideNameTableBox, 2, 0);
    binary->addWidget(oneBankBox, 3, 0);
    binary->addWidget(msxHeaderBox, 4, 0);
    binary->setColumnMinimumWidth(0, 0);
    divideNameTableBox->setContentsMargins(18, 0, 0, 0);
    oneBankBox->setContentsMargins(18, 0, 0, 0);

    tapeGroup = new QGroupBox("CassetteTape Option", this);
    tapeGroup->setObjectName("GroupBox2");
    startAddressLabel = new QLabel("Start Address", tapeGroup);
    startAddressLabel->setObjectName("Label2");
    startAddressBox = new QComboBox(tapeGroup);
    startAddressBox->setObjectName("ComboBox1");
    startAddressBox->addItems(
        {"C800H (16KB-32KB)", "C000H (16KB-32KB)", "B000H (32KB)", "A000H (32KB)", "9000H (32KB)"});
    tapeNameLabel = new QLabel("FileName", tapeGroup);
    tapeNameLabel->setObjectName("Label4");
    tapeNameEdit = new QLineEdit(tapeGroup);
    tapeNameEdit->setObjectName("Edit1");
    tapeNameEdit->setMaxLength(int(TapeNameEditLimit));
    tapeNameEdit->setToolTip(
        "The name the tape carries (6 characters); empty takes the file's name");
    volumeLabel = new QLabel("WAV Volume", tapeGroup);
    volumeLabel->setObjectName("Label1");
    volumeSlider = new QSlider(Qt::Horizontal, tapeGroup);
    volumeSlider->setObjectName("TrackBar1");
    volumeSlider->setRange(MinWavVolume, MaxWavVolume);
    volumeSlider->setTickInterval(32);
    volumeSlider->setTickPosition(QSlider::TicksBelow);
    volumeSlider->setValue(64);
    volumeValueLabel = new QLabel("64", tapeGroup);
    volumeValueLabel->setObjectName("Label3");
    volumeValueLabel->setMinimumWidth(volumeValueLabel->fontMetrics().horizontalAdvance("888") + 4);
    baudGroup = new QGroupBox("Baud Rate", tapeGroup);
    baudGroup->setObjectName("RadioGroup3");
    auto* baud = new QHBoxLayout(baudGroup);
    const char* bauds[] = {"1200 baud", "2400 baud"};
    for (int i = 0; i < 2; ++i) {
        baudButtons[i] = new QRadioButton(bauds[i], baudGroup);
        baudButtons[i]->setObjectName(QString("RadioGroup3Item%1").arg(i));
        baud->addWidget(baudButtons[i]);
    }
    baudButtons[0]->setChecked(true);
    auto* tape = new QGridLayout(tapeGroup);
    tape->addWidget(startAddressLabel, 0, 0);
    tape->addWidget(startAddressBox, 0, 1, 1, 2);
    tape->addWidget(tapeNameLabel, 1, 0);
    tape->addWidget(tapeNameEdit, 1, 1, 1, 2);
    tape->addWidget(volumeLabel, 2, 0);
    tape->addWidget(volumeSlider, 2, 1);
    tape->addWidget(volumeValueLabel, 2, 2);
    tape->addWidget(baudGroup, 3, 0, 1, 3);

    exportButton = new QPushButton("Export", this);
    exportButton->setObjectName("Button1");
    exportButton->setDefault(true);
    cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("Button2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(cancelButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(dataTypeGroup, 0, 0);
    grid->addWidget(binaryGroup, 1, 0);
    grid->addWidget(tapeGroup, 0, 1, 2, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

ExportDataType TForm4::dataType() const {
    for (int i = 0; i < DataTypeCount; ++i)
        if (dataTypeButtons[i]->isChecked())
            return static_cast<ExportDataType>(i);
    return ExportBinaryData;
}

void TForm4::applyEnabling() {
    model_.chooseCompress(compressButton->isChecked());
    const ExportEnabling e = model_.chooseDataType(dataType());
    for (QWidget* c : std::initializer_list<QWidget*>{normalButton, compressButton, msxHeaderBox})
        c->setEnabled(e.binaryOptions);
    divideNameTableBox->setEnabled(e.compressOptions);
    oneBankBox->setEnabled(e.compressOptions);
    for (QWidget* c : std::initializer_list<QWidget*>{startAddressLabel, startAddressBox,
                                                      tapeNameLabel, tapeNameEdit})
        c->setEnabled(e.tapeOptions);
    for (QWidget* c :
         std::initializer_list<QWidget*>{volumeLabel, volumeSlider, volumeValueLabel, baudGroup})
        c->setEnabled(e.wavOptions);
}

ExportOptions TForm4::options() const {
    ExportOptions o;
    o.dataType = dataType();
    o.binary.compress = compressButton->isChecked();
    o.binary.divideNameTable = divideNameTableBox->isChecked();
    o.binary.oneBank = oneBankBox->isChecked();
    o.binary.addHeader = msxHeaderBox->isChecked();
    o.startAddress = startAddressBox->currentIndex();
    o.tapeName = tapeNameEdit->text().toStdString();
    o.wavVolume = volumeSlider->value();
    o.baudRate = baudButtons[1]->isChecked() ? Baud2400 : Baud1200;
    return o;
}

std::optional<std::filesystem::path> TForm4::runSaveDialog(ExportSaveDialog dialog) {
    QFileDialog d(this, "Save");
    d.setObjectName(QString("SaveDialog%1").arg(SaveDialogNumber(dialog)));
    d.setAcceptMode(QFileDialog::AcceptSave);
    // Machine files are replaced without a question.
    d.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Qt's own dialog, so the filter's letter case can be switched off (tapes named
    // game.cas must show too).
    d.setOption(QFileDialog::DontUseNativeDialog, true);
    d.setFilter(d.filter() & ~QDir::CaseSensitive);
    const std::string_view filter = ExportDialogModel::NameFilter(dialog);
    if (!filter.empty())
        d.setNameFilter(QString::fromLatin1(filter.data(), int(filter.size())));
    PrepareFileDialog(d);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(d.selectedFiles().first().toStdString());
}

void TForm4::Button1Click() {
    Windows& w = AllWindows();
    EditorSession& session = form1_->session();
    exportButton->setEnabled(false); // while the export's colour check runs
    cancelButton->setEnabled(false);
    TForm6* progress = w.Form6;
    ColorCheckRunner runner({.progress =
                                 [progress](int p) {
                                     if (!progress->isVisible())
                                         progress->show();
                                     progress->ProgressBar1->setValue(p);
                                 },
                             .processEvents = [] { QCoreApplication::processEvents(); },
                             .cancelRequested = [progress] { return progress->CancelRequested; }});
    ExportJobHooks hooks;
    hooks.check = runner.hooks();
    hooks.binaryPath = [this] { return chooseSavePath(ExportSaveDialog::Binary); };
    hooks.casPath = [this] { return chooseSavePath(ExportSaveDialog::Cas); };
    hooks.wavPath = [this] { return chooseSavePath(ExportSaveDialog::Wav); };
    hooks.sc2Path = [this] { return chooseSavePath(ExportSaveDialog::Sc2); };
    // The file is chosen beside the finished report, not beside a check still on the screen.
    hooks.beforeSaveDialog = [&w, progress](const std::string& text) {
        progress->hide();
        w.Form5->setText(text);
    };
    w.Form5->setText("Error(s):\n\n");
    w.Form5->show();
    progress->ProgressBar1->setValue(0);
    progress->show();
    ExportJobResult result;
    session.exportPicture(options(), SharedScreenBuffer().vramImage(), hooks, result);
    progress->hide();
    if (!result.messageText.empty())
        w.Form5->setText(result.messageText);
    exportButton->setEnabled(true);
    cancelButton->setEnabled(true);
    if (!result.boxText.empty())
        ShowReport(this, QString::fromStdString(result.boxText),
                   QString::fromStdString(result.boxCaption));
    session.disarmInput(); // the click that closed a dialog over the picture does not paint
    // A tape that does not fit is tried again at another start address: the dialog stays,
    // with every choice as it was.
    if (result.outcome != ExportOutcome::DataOverflow)
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
