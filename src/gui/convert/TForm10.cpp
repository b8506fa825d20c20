#include "gui/convert/TForm10.h"

#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/ConverterGuard.h"
#include "gui/convert/ScreenFileDialog.h"
#include "gui/dialogs/TForm5.h"
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
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace murelo::gui {

namespace {

// A drag finishes many conversions; the readout waits until they stop for this long.
constexpr int ReadoutDelayMs = 250;

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
    for (const PageDescriptor& page : AllPages())
        PageControl1->addTab(createPage(page.page),
                             QString::fromUtf8(page.caption.data(), int(page.caption.size())));
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

QWidget* TForm10::createPage(ConverterPage page) {
    auto* widget = new QWidget;
    widget->setObjectName(QString("TabSheet%1").arg(int(page) + 1));
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    QComboBox* combo = new QComboBox(widget);
    const int number = ComboBoxOf(page);
    combo->setObjectName(QString("ComboBox%1").arg(number));
    for (const ModeDescriptor& mode : ModesOf(page))
        combo->addItem(QString::fromUtf8(mode.caption.data(), int(mode.caption.size())));
    ComboBox[std::size_t(number)] = combo;
    layout->addWidget(combo);
    layout->addWidget(createBalanceGroup(page, widget));
    if (page == ConverterPage::V9958) {
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
    for (int box : CheckBoxesOf(page))
        addCheckBox(layout, box);
    layout->addStretch(1);
    layout->addWidget(createButtons(page, widget));
    return widget;
}

QGroupBox* TForm10::createBalanceGroup(ConverterPage page, QWidget* parent) {
    auto* group = new QGroupBox("Color Balance", parent);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    int row = 0;
    for (int bar : TrackBarsOf(page)) {
        const TrackBarName& name = TrackBarNameOf(bar);
        const ParameterInfo& info = InfoOf(name.parameter);
        auto* slider = new QSlider(Qt::Horizontal, group);
        slider->setObjectName(QString("TrackBar%1").arg(bar));
        slider->setRange(info.min, info.max);
        slider->setSingleStep(1);
        slider->setPageStep(1);
        if (name.parameter == Parameter::HalfTone)
            slider->setTickPosition(QSlider::TicksBelow);
        auto* value = new QLabel(group);
        value->setObjectName(QString("Label%1").arg(name.label));
        value->setFont(QFont("monospace"));
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance("-100") + 2);
        TrackBar[std::size_t(bar)] = slider;
        Label[std::size_t(name.label)] = value;
        grid->addWidget(
            new QLabel(QString::fromUtf8(info.caption.data(), int(info.caption.size())), group),
            row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
    }
    return group;
}

void TForm10::addCheckBox(QVBoxLayout* layout, int number) {
    auto* box = new QCheckBox(CheckBoxNameOf(number).caption, layout->parentWidget());
    box->setObjectName(QString("CheckBox%1").arg(number));
    CheckBox[std::size_t(number)] = box;
    layout->addWidget(box);
}

QWidget* TForm10::createButtons(ConverterPage page, QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (int number : ButtonsOf(page)) {
        static constexpr const char* Captions[] = {"Apply", "Save", "Export", "Reset", "Cancel"};
        auto* button = new QPushButton(Captions[int(ButtonNameOf(number).role)], panel);
        button->setObjectName(QString("Button%1").arg(number));
        button->setAutoDefault(false);
        Button[std::size_t(number)] = button;
        grid->addWidget(button, i / 2, i % 2);
        ++i;
    }
    auto* readout = new QLabel(panel);
    readout->setObjectName(QString("Readout%1").arg(int(page) + 1));
    readout->setAlignment(Qt::AlignCenter);
    readout->setToolTip("Mean perceptual error (CIEDE2000) of the finished result against "
                        "the picture: the lower, the closer");
    Readout[std::size_t(page)] = readout;
    if (page != ConverterPage::Tms9918) {
        grid->addWidget(readout, 2, 0, 1, 2);
        return panel;
    }
    grid->addWidget(readout, 2, 0);
    CharacterCount = new QLabel(panel);
    CharacterCount->setObjectName("Characters1");
    CharacterCount->setAlignment(Qt::AlignCenter);
    CharacterCount->setToolTip("Distinct 8 x 8 characters of the finished result, as a "
                               "one-bank export counts them");
    grid->addWidget(CharacterCount, 2, 1);
    return panel;
}

void TForm10::connectControls() {
    connect(form1_->SC1Converter1, &QAction::triggered, this, [this] { SC1Converter1Click(); });
    form1_->SC1Converter1->setEnabled(true);
    connect(Timer1, &QTimer::timeout, this, [this] { showChange(model_->tick()); });
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int page) { showChange(model_->choosePage(ConverterPage(page))); });
    for (int bar = 1; bar <= TrackBarCount; ++bar)
        connect(TrackBar[std::size_t(bar)], &QSlider::valueChanged, this, [this, bar](int value) {
            showChange(model_->setParameter(TrackBarNameOf(bar).parameter, value));
        });
    for (int box = 1; box <= CheckBoxCount; ++box)
        connect(CheckBox[std::size_t(box)], &QCheckBox::toggled, this,
                [this, box](bool checked) { CheckBoxClick(box, checked); });
    for (const PageDescriptor& page : AllPages()) {
        const ConverterPage p = page.page;
        connect(ComboBox[std::size_t(ComboBoxOf(p))], &QComboBox::activated, this,
                [this, p](int item) {
                    if (const auto mode = ModeAt(p, item))
                        showChange(model_->chooseMode(*mode));
                });
    }
    connect(convertType_, &QButtonGroup::idClicked, this,
            [this](int item) { showChange(model_->setParameter(Parameter::ConvertType, item)); });
    for (int button = 1; button <= ButtonCount; ++button)
        connect(Button[std::size_t(button)], &QPushButton::clicked, this,
                [this, button] { ButtonClick(button); });
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

void TForm10::CheckBoxClick(int checkBox, bool checked) {
    const CheckBoxName& name = CheckBoxNameOf(checkBox);
    switch (name.role) {
    case BoxRole::Parameter:
        showChange(model_->setParameter(name.parameter, checked ? 1 : 0));
        return;
    case BoxRole::Preview:
        showChange(model_->setPreview(name.page, checked));
        return;
    case BoxRole::QuickSave:
        showChange(model_->setQuickSave(checked));
        return;
    case BoxRole::ConnectPalette:
        showChange(model_->setConnectPalette(checked));
        return;
    }
}

void TForm10::ButtonClick(int button) {
    switch (ButtonNameOf(button).role) {
    case ButtonRole::Apply:
        showChange(model_->apply());
        return;
    case ButtonRole::Save:
    case ButtonRole::Export:
        runFileButton(button);
        return;
    case ButtonRole::Reset:
        showChange(model_->reset());
        return;
    case ButtonRole::Cancel:
        showChange(model_->cancel());
        return;
    }
}

ScreenFileHooks TForm10::fileHooks(int button) {
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
    hooks.reportWritten = [](const std::string& text) {
        if (TForm5* form5 = AllWindows().Form5) {
            form5->setText(text);
            form5->show();
        }
    };
    return hooks;
}

void TForm10::runFileButton(int button) {
    const ScreenFileHooks hooks = fileHooks(button);
    if (ButtonNameOf(button).role == ButtonRole::Save)
        model_->saveBitmap(hooks);
    else
        model_->exportFiles(hooks);
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
    place();
    const ConverterChange change = model_->open();
    QDialog::show();
    showChange(change);
}

void TForm10::place() {
    // Where the user left it in this session; the first time beside the picture it previews.
    if (lastPosition_) {
        move(*lastPosition_);
        return;
    }
    PlaceBesideArea(this, form1_, form1_->visiblePictureRect(), {AllWindows().Form2});
}

void TForm10::closeEvent(QCloseEvent* event) {
    // The title bar's close is Cancel.
    if (model_->shown())
        showChange(model_->cancel());
    event->accept();
}

void TForm10::reject() {
    if (model_->shown())
        showChange(model_->cancel());
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
    if (change.closed) {
        lastPosition_ = pos();
        QDialog::hide();
    }
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
    const std::initializer_list<QMenu*> menus = {form1_->File1, form1_->Edit1, form1_->Tool1};
    if (locked) {
        // The actions themselves, so their shortcuts are off too.
        for (QMenu* menu : menus) {
            lockedActions_.emplace_back(menu->menuAction(), menu->menuAction()->isEnabled());
            for (QAction* action : menu->actions())
                lockedActions_.emplace_back(action, action->isEnabled());
        }
        for (auto& [action, wasEnabled] : lockedActions_)
            action->setEnabled(false);
        // A menu gives its title its own enabled state whenever the main window's changes
        // (a palette switch disables and enables the editor): the menus themselves go off.
        for (QMenu* menu : menus)
            menu->setEnabled(false);
        form1_->Image1->setEnabled(false);
        return;
    }
    for (QMenu* menu : menus)
        menu->setEnabled(true);
    for (auto& [action, wasEnabled] : lockedActions_)
        action->setEnabled(wasEnabled);
    lockedActions_.clear();
    form1_->Image1->setEnabled(true);
}

void TForm10::syncControls() {
    const ConverterControls& k = model_->controls();
    const ConversionParameters& params = model_->parameters();
    {
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentIndex(int(k.page));
    }
    for (const PageDescriptor& page : AllPages()) {
        QComboBox* combo = ComboBox[std::size_t(ComboBoxOf(page.page))];
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(IndexInPage(k.mode[std::size_t(page.page)]));
    }
    for (int bar = 1; bar <= TrackBarCount; ++bar) {
        const TrackBarName& name = TrackBarNameOf(bar);
        const int value = ParameterValue(params, name.parameter);
        QSlider* slider = TrackBar[std::size_t(bar)];
        const QSignalBlocker block(slider);
        slider->setValue(value);
        slider->setEnabled(model_->enabled(name.page, name.parameter));
        Label[std::size_t(name.label)]->setText(QString::fromStdString(ValueLabelText(value)));
    }
    for (int box = 1; box <= CheckBoxCount; ++box) {
        const CheckBoxName& name = CheckBoxNameOf(box);
        QCheckBox* check = CheckBox[std::size_t(box)];
        const QSignalBlocker block(check);
        switch (name.role) {
        case BoxRole::Parameter:
            check->setChecked(ParameterValue(params, name.parameter) != 0);
            check->setEnabled(model_->enabled(name.page, name.parameter));
            break;
        case BoxRole::Preview:
            check->setChecked(k.preview[std::size_t(name.page)]);
            break;
        case BoxRole::QuickSave:
            check->setChecked(k.quickSave);
            break;
        case BoxRole::ConnectPalette:
            check->setChecked(k.connectPalette);
            check->setEnabled(k.connectPaletteEnabled);
            break;
        }
    }
    for (int button = 1; button <= ButtonCount; ++button) {
        const ButtonName& name = ButtonNameOf(button);
        const std::size_t page = std::size_t(name.page);
        const bool enabled = name.role == ButtonRole::Export ? k.exportEnabled[page]
                             : name.role == ButtonRole::Apply || name.role == ButtonRole::Save
                                 ? k.applyEnabled[page]
                                 : true;
        Button[std::size_t(button)]->setEnabled(enabled);
    }
    for (QLabel* readout : Readout)
        readout->setText(QString::fromStdString(k.readout));
    CharacterCount->setText(QString::fromStdString(k.characters));
    if (QAbstractButton* radio = convertType_->button(params.ConvertType)) {
        const QSignalBlocker block(convertType_);
        radio->setChecked(true);
    }
}

} // namespace murelo::gui
