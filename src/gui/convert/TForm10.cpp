#include "gui/convert/TForm10.h"

#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/ConverterGuard.h"
#include "gui/convert/ScreenFileDialog.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace murelo::gui {

namespace {

constexpr const char* PageCaptions[] = {"TMS9918", "V9938", "V9958", "PC-6x01", "PC-8801"};
constexpr int ComboOfPage[] = {1, 3, 2, 4, 5};
// "Save" of the V9938 and V9958 pages and the five "Export" buttons.
constexpr int FileButtons[] = {8, 1, 16, 11, 5, 15, 20};
// A drag finishes many conversions; the readout waits until they stop for this long.
constexpr int ReadoutDelayMs = 250;

const char* ParameterCaption(BalanceParameter p) {
    switch (p) {
    case BalanceParameter::Red:
        return "Red:";
    case BalanceParameter::Green:
        return "Green:";
    case BalanceParameter::Blue:
        return "Blue:";
    case BalanceParameter::Brightness:
        return "Brightness:";
    case BalanceParameter::Contrast:
        return "Contrast:";
    case BalanceParameter::HalfTone:
        return "HalfTone";
    case BalanceParameter::Dither:
        return "Dither";
    case BalanceParameter::Y:
        return "Y element:";
    case BalanceParameter::J:
        return "J element:";
    case BalanceParameter::K:
        break;
    }
    return "K element:";
}

// The track bars of a page in the order they stand.
std::vector<int> BarsOf(int page) {
    if (page == 2)
        return {8, 6, 7};
    std::vector<int> bars;
    for (int bar : ColourTrackBars(page))
        bars.push_back(bar);
    if (const int halfTone = HalfToneTrackBar(page))
        bars.push_back(halfTone);
    if (page == int(ConverterPage::Tms9918))
        bars.push_back(DitherTrackBar);
    return bars;
}

struct BoxInfo {
    int number;
    const char* caption;
};

std::vector<BoxInfo> BoxesOf(int page) {
    switch (page) {
    case 0:
        return {{2, "9918 Rules"},
                {10, "NTSC Coef. method"},
                {1, "Preview"},
                {3, "Quick Save before Applying"}};
    case 1:
        return {{11, "Interlace"}, {12, "Odd Line"}, {16, "Connect Palette"}, {6, "Preview"}};
    case 2:
        return {{4, "Preview"}};
    case 3:
        return {{8, "NTSC Coef. method"},
                {5, "P6 Rules"},
                {7, "Preview"},
                {9, "Quick Save before Applying"}};
    default:
        return {{14, "NTSC Coef. method"},
                {17, "Analog Palette"},
                {13, "Preview"},
                {15, "Quick Save before Applying"}};
    }
}

} // namespace

TForm10::TForm10(TForm1* mainWindow)
    : QDialog(nullptr), form1_(mainWindow), host_(mainWindow),
      model_(std::make_unique<ConverterWindowModel>(mainWindow->session(), host_)) {
    setObjectName("Form10");
    setWindowTitle("Pixel Converter");
    PrepareSecondaryWindow(this, true);
    setModal(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    for (int page = 0; page < ConverterPageCount; ++page)
        PageControl1->addTab(createPage(page), PageCaptions[page]);
    // Five tabs side by side in the narrow window.
    PageControl1->setStyleSheet("QTabBar::tab { padding: 3px 4px; }");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    setFixedSize(289, 553);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1);
    ReadoutTimer = new QTimer(this);
    ReadoutTimer->setObjectName("ReadoutTimer");
    ReadoutTimer->setSingleShot(true);
    ReadoutTimer->setInterval(ReadoutDelayMs);
    for (int d = 0; d < ScreenDialogCount; ++d)
        SaveDialog[std::size_t(d)] = CreateScreenFileDialog(ScreenDialog(d), this);

    Image6 = new PictureView(form1_->canvas(), &model_->result());
    Image6->setObjectName("Image6");
    Image6->hide();
    guard_ = std::make_unique<ConverterGuard>(form1_, this);

    connectControls();
    syncControls();
}

TForm10::~TForm10() = default;

QWidget* TForm10::createPage(int page) {
    auto* widget = new QWidget;
    widget->setObjectName(QString("TabSheet%1").arg(page + 1));
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    QComboBox* combo = new QComboBox(widget);
    const int number = ComboOfPage[page];
    combo->setObjectName(QString("ComboBox%1").arg(number));
    for (const std::string& caption : ModeCaptions(page))
        combo->addItem(QString::fromStdString(caption));
    ComboBox[std::size_t(number)] = combo;
    layout->addWidget(combo);
    layout->addWidget(createBalanceGroup(page, widget));
    if (page == 2) {
        RadioGroup1 = new QGroupBox("Convert Type", widget);
        RadioGroup1->setObjectName("RadioGroup1");
        convertType_ = new QButtonGroup(RadioGroup1);
        auto* radios = new QVBoxLayout(RadioGroup1);
        int id = 0;
        for (const char* caption :
             {"Normal", "GrayScale (Y element Only)", "GrayScale (NTSC Coef. method)"}) {
            auto* radio = new QRadioButton(caption, RadioGroup1);
            convertType_->addButton(radio, id++);
            radios->addWidget(radio);
        }
        layout->addWidget(RadioGroup1);
    }
    for (const BoxInfo& box : BoxesOf(page))
        addCheckBox(layout, box.number, box.caption);
    layout->addStretch(1);
    layout->addWidget(createButtons(page, widget));
    return widget;
}

QGroupBox* TForm10::createBalanceGroup(int page, QWidget* parent) {
    auto* group = new QGroupBox("Color Balance", parent);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    int row = 0;
    for (int bar : BarsOf(page)) {
        const TrackBarInfo& info = TrackBarOf(bar);
        auto* slider = new QSlider(Qt::Horizontal, group);
        slider->setObjectName(QString("TrackBar%1").arg(bar));
        slider->setRange(info.min, info.max);
        slider->setSingleStep(1);
        slider->setPageStep(1);
        if (info.parameter == BalanceParameter::HalfTone)
            slider->setTickPosition(QSlider::TicksBelow);
        auto* value = new QLabel(group);
        value->setObjectName(QString("Label%1").arg(info.label));
        value->setFont(QFont("monospace"));
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance("-100") + 2);
        TrackBar[std::size_t(bar)] = slider;
        Label[std::size_t(info.label)] = value;
        grid->addWidget(new QLabel(ParameterCaption(info.parameter), group), row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
    }
    return group;
}

void TForm10::addCheckBox(QVBoxLayout* layout, int number, const char* caption) {
    auto* box = new QCheckBox(caption, layout->parentWidget());
    box->setObjectName(QString("CheckBox%1").arg(number));
    CheckBox[std::size_t(number)] = box;
    layout->addWidget(box);
}

QWidget* TForm10::createButtons(int page, QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    const bool saves = page == 1 || page == 2;
    const std::pair<int, const char*> buttons[] = {{ApplyButtonOf(page), saves ? "Save" : "Apply"},
                                                   {ExportButtonOf(page), "Export"},
                                                   {ResetButtonOf(page), "Reset"},
                                                   {CancelButtonOf(page), "Cancel"}};
    int i = 0;
    for (const auto& [number, caption] : buttons) {
        auto* button = new QPushButton(caption, panel);
        button->setObjectName(QString("Button%1").arg(number));
        button->setAutoDefault(false);
        Button[std::size_t(number)] = button;
        grid->addWidget(button, i / 2, i % 2);
        ++i;
    }
    auto* readout = new QLabel(panel);
    readout->setObjectName(QString("Readout%1").arg(page + 1));
    readout->setAlignment(Qt::AlignCenter);
    readout->setToolTip("Mean perceptual error (CIEDE2000) of the finished result against "
                        "the picture: the lower, the closer");
    Readout[std::size_t(page)] = readout;
    grid->addWidget(readout, 2, 0, 1, 2);
    return panel;
}

void TForm10::connectControls() {
    connect(form1_->SC1Converter1, &QAction::triggered, this, [this] { SC1Converter1Click(); });
    form1_->SC1Converter1->setEnabled(true);
    connect(Timer1, &QTimer::timeout, this, [this] { showChange(model_->Timer1Timer()); });
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int page) { showChange(model_->PageControl1Change(page)); });
    for (int bar = 1; bar <= TrackBarCount; ++bar)
        connect(TrackBar[std::size_t(bar)], &QSlider::valueChanged, this,
                [this, bar](int value) { showChange(model_->setTrackBar(bar, value)); });
    for (int box = 1; box <= 17; ++box)
        connect(CheckBox[std::size_t(box)], &QCheckBox::toggled, this,
                [this, box](bool checked) { showChange(model_->setCheckBox(box, checked)); });
    for (int combo = 1; combo <= 5; ++combo)
        connect(ComboBox[std::size_t(combo)], &QComboBox::activated, this,
                [this, combo](int item) { showChange(model_->chooseMode(combo, item)); });
    connect(convertType_, &QButtonGroup::idClicked, this,
            [this](int item) { showChange(model_->RadioGroup1Click(item)); });
    for (int button = 1; button <= 20; ++button) {
        const bool files = std::find(std::begin(FileButtons), std::end(FileButtons), button) !=
                           std::end(FileButtons);
        connect(Button[std::size_t(button)], &QPushButton::clicked, this, [this, button, files] {
            if (files)
                runFileButton(button);
            else
                showChange(model_->clickButton(button));
        });
    }
    connect(ReadoutTimer, &QTimer::timeout, this, [this] { showChange(model_->measureReadout()); });
    // Open and a dropped picture; New tells the model itself.
    connect(form1_, &TForm1::pictureLoaded, this, [this] { model_->forgetFileNames(); });
    // A palette or a drawing colour chosen in the tool palette restarts the conversion.
    if (TForm2* form2 = AllWindows().Form2) {
        connect(form2, &TForm2::converterPreviewRequested, this,
                [this] { showChange(model_->redoPreview()); });
        // The result follows the picture's scale (after the editor's own resizing).
        connect(form2->scaleSlider, &QSlider::valueChanged, this, [this] {
            Image6->setScale(form1_->session().view().Scale);
            Image6->move(form1_->Image1->pos());
        });
    }
}

void TForm10::runFileButton(int button) {
    const QString caption = Button[std::size_t(button)]->text();
    ScreenFileHooks hooks;
    hooks.chooseFile = [this](ScreenDialog dialog, const std::string& name) {
        return RunScreenFileDialog(*SaveDialog[std::size_t(dialog)], name);
    };
    hooks.confirmOverwrite = [this](const std::string&) {
        return AskOkCancel(this, QStringLiteral("File Exists.\nOverwrite?"),
                           QStringLiteral("Save"));
    };
    hooks.reportFailure = [this, caption](const std::string& text) {
        ShowReport(this, QString::fromLocal8Bit(text), caption);
    };
    model_->runFileButton(button, hooks);
    // The writers change no control; the window shows what it showed.
    syncControls();
}

void TForm10::scheduleReadout() {
    if (!model_->readoutPending()) {
        ReadoutTimer->stop();
        readoutStart_ = -1;
        return;
    }
    // Each newly finished conversion waits the whole delay again.
    if (readoutStart_ != model_->startCount()) {
        readoutStart_ = model_->startCount();
        ReadoutTimer->start();
    }
}

void TForm10::SC1Converter1Click() {
    if (model_->shown()) {
        raise();
        return;
    }
    CentreOnWindow(this, form1_);
    const ConverterChange change = model_->FormShow();
    QDialog::show();
    showChange(change);
}

void TForm10::closeEvent(QCloseEvent* event) {
    // The title bar's close is Cancel.
    if (model_->shown())
        showChange(model_->Button2Click());
    event->accept();
}

void TForm10::reject() {
    if (model_->shown())
        showChange(model_->Button2Click());
    else
        QDialog::reject();
}

void TForm10::showChange(const ConverterChange& change) {
    syncControls();
    const ConverterControls& k = model_->controls();
    lockEditor(k.editorLocked);
    form1_->applyChange(change.session);
    if (change.grid) {
        form1_->Grid1->setChecked(form1_->session().gridShown);
        form1_->ShowCellFrame(form1_->Grid1->isChecked());
    }
    if (change.result) {
        Image6->setScale(form1_->session().view().Scale);
        Image6->move(form1_->Image1->pos());
        Image6->refresh();
    }
    syncEditor();
    if (k.timerRunning && !Timer1->isActive())
        Timer1->start(1);
    else if (!k.timerRunning && Timer1->isActive())
        Timer1->stop();
    scheduleReadout();
    if (change.closed)
        QDialog::hide();
}

void TForm10::syncEditor() {
    const ConverterControls& k = model_->controls();
    form1_->Image1->setVisible(k.image1Shown);
    Image6->setVisible(k.image6Shown);
    if (k.image6Shown)
        Image6->raise();
    if (TForm2* form2 = AllWindows().Form2) {
        form2->chipPanel->setEnabled(k.paletteSelectorEnabled);
        form2->colorModePanel->setEnabled(k.paletteSelectorEnabled);
    }
}

void TForm10::lockEditor(bool locked) {
    if (locked == editorLocked_)
        return;
    editorLocked_ = locked;
    if (locked) {
        // The actions themselves, so their shortcuts are off too.
        for (QMenu* menu : {form1_->File1, form1_->Edit1, form1_->Tool1}) {
            lockedActions_.emplace_back(menu->menuAction(), menu->menuAction()->isEnabled());
            for (QAction* action : menu->actions())
                lockedActions_.emplace_back(action, action->isEnabled());
        }
        for (auto& [action, wasEnabled] : lockedActions_)
            action->setEnabled(false);
        form1_->Image1->setEnabled(false);
        return;
    }
    for (auto& [action, wasEnabled] : lockedActions_)
        action->setEnabled(wasEnabled);
    lockedActions_.clear();
    form1_->Image1->setEnabled(true);
}

void TForm10::syncControls() {
    const ConverterControls& k = model_->controls();
    {
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentIndex(k.page);
    }
    for (int combo = 1; combo <= 5; ++combo) {
        const QSignalBlocker block(ComboBox[std::size_t(combo)]);
        ComboBox[std::size_t(combo)]->setCurrentIndex(k.comboBox[std::size_t(combo)]);
    }
    for (int bar = 1; bar <= TrackBarCount; ++bar) {
        const QSignalBlocker block(TrackBar[std::size_t(bar)]);
        TrackBar[std::size_t(bar)]->setValue(k.trackBar[std::size_t(bar)]);
        TrackBar[std::size_t(bar)]->setEnabled(k.trackBarEnabled[std::size_t(bar)]);
        const int label = TrackBarOf(bar).label;
        Label[std::size_t(label)]->setText(QString::fromStdString(model_->labelText(label)));
    }
    for (int box = 1; box <= 17; ++box) {
        QCheckBox* check = CheckBox[std::size_t(box)];
        const QSignalBlocker block(check);
        check->setChecked(k.checkBox[std::size_t(box)]);
        check->setEnabled(k.checkBoxEnabled[std::size_t(box)]);
    }
    for (int button = 1; button <= 20; ++button)
        Button[std::size_t(button)]->setEnabled(k.buttonEnabled[std::size_t(button)]);
    for (QLabel* readout : Readout)
        readout->setText(QString::fromStdString(k.readout));
    if (QAbstractButton* radio = convertType_->button(k.radioGroup1)) {
        const QSignalBlocker block(convertType_);
        radio->setChecked(true);
    }
}

} // namespace murelo::gui
