#include "gui/palette/TForm2.h"

#include "core/app/EditorSession.h"
#include "core/dialogs/EditModeModel.h"
#include "core/dialogs/ToolPaletteModel.h"
#include "core/dialogs/ToolPaletteStrips.h"
#include "core/editor/CellBuffer.h"
#include "core/palette/Palettes.h"
#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/EditModeActions.h"
#include "gui/dialogs/PixelModeGroup.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm7.h"
#include "gui/dialogs/TForm9.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/palette/PixelImage.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QVBoxLayout>

namespace murelo::gui {
namespace {

constexpr int SwatchSize = 41;

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TForm2::TForm2(TForm1* mainWindow) : QWidget(nullptr, Qt::Tool), form1_(mainWindow) {
    setObjectName("Form2");
    setWindowTitle("Tool Palette");
    // The window is closed only through the editor's menu item: no close button.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    PrepareSecondaryWindow(this, true);
    createControls();
    connectControls();

    tool().ProtectedColors = 0;
    Label5->setText("X : 0\nY : 0");
    ShowDepthLabel();
    tool().ForegroundIndex = 1;
    RefreshPaletteView(document().PaletteKind);
    DrawCellBuffer();
    Image3->hide();
    setFixedSize(sizeHint());
}

ToolState& TForm2::tool() { return form1_->session().tool(); }
const ToolState& TForm2::tool() const { return form1_->session().tool(); }
const Document& TForm2::document() const { return form1_->document(); }
EditorSession& TForm2::session() const { return form1_->session(); }

void TForm2::createControls() {
    Image1 = new PixelImage(this, StripWidth, StripHeight);
    Image1->setObjectName("Image1");
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip("Click: first colour, right-click: second colour,\n"
                       "drag up or down over a colour: protect it;\nbelow: brush pattern");

    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(createSwatchColumn(), 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(createPaintModeGroup());
    right->addWidget(createPalettePanels());
    right->addStretch(1);
    middle->addLayout(right, 1);

    CheckBox2 = new QCheckBox("Free Draw", this);
    CheckBox2->setObjectName("CheckBox2");
    Label6 = new QLabel(this);
    Label6->setObjectName("Label6");
    Label6->setFont(QFont("Monospace"));
    depthRow_ = new QHBoxLayout;
    depthRow_->addWidget(CheckBox2);
    depthRow_->addStretch(1);
    depthRow_->addWidget(Label6);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->setSpacing(4);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addLayout(middle);
    layout->addLayout(depthRow_);
}

QWidget* TForm2::createSwatchColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(3);

    // Image3 lies at Image2's place and replaces it while Ctrl is held.
    auto* swatchPlace = new QWidget(column);
    swatchPlace->setFixedSize(SwatchSize, SwatchSize);
    Image2 = new PixelImage(swatchPlace, SwatchSize, SwatchSize);
    Image2->setObjectName("Image2");
    Image3 = new PixelImage(swatchPlace, 8, 8);
    Image3->setObjectName("Image3");
    Image3->setFixedSize(SwatchSize, SwatchSize);
    Image3->setToolTip("Cell buffer: click to mirror left to right, right-click top to bottom");
    Label4 = new QLabel("1", column);
    Label4->setObjectName("Label4");
    Label4->setMinimumWidth(Label4->fontMetrics().horizontalAdvance("88") + 4);
    auto* swatchRow = new QHBoxLayout;
    swatchRow->addWidget(swatchPlace);
    swatchRow->addWidget(Label4);
    swatchRow->addStretch(1);
    layout->addLayout(swatchRow);

    TrackBar1 = new QSlider(Qt::Horizontal, column);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(0, 5);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setFocusPolicy(Qt::NoFocus); // Page Up/Down belong to the editor
    TrackBar1->setFixedWidth(72);
    TrackBar1->setToolTip("Display scale");
    Label2 = new QLabel("x1", column);
    Label2->setObjectName("Label2");
    Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance("x32") + 2);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->setSpacing(2);
    scaleRow->addWidget(TrackBar1);
    scaleRow->addWidget(Label2);
    layout->addLayout(scaleRow);

    Label5 = new QLabel(column);
    Label5->setObjectName("Label5");
    Label5->setFont(QFont("Monospace"));
    Label5->setMinimumHeight(2 * Label5->fontMetrics().lineSpacing());
    Label5->setMinimumWidth(Label5->fontMetrics().horizontalAdvance("X : 639") + 2);
    layout->addWidget(Label5);
    Label3 = new QLabel("Pixel 1:1", column);
    Label3->setObjectName("Label3");
    layout->addWidget(Label3);
    CheckBox1 = new QCheckBox("Odd Line", column);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setToolTip("Leave odd rows unpainted");
    layout->addWidget(CheckBox1);
    layout->addStretch(1);
    return column;
}

QGroupBox* TForm2::createPaintModeGroup() {
    GroupBox1 = new QGroupBox("Paint Mode", this);
    GroupBox1->setObjectName("GroupBox1");
    RadioButton1 = MakeRadio(GroupBox1, "RadioButton1", "Pen");
    RadioButton3 = MakeRadio(GroupBox1, "RadioButton3", "Block4");
    RadioButton4 = MakeRadio(GroupBox1, "RadioButton4", "Block8");
    RadioButton2 = MakeRadio(GroupBox1, "RadioButton2", "Line");
    RadioButton19 = MakeRadio(GroupBox1, "RadioButton19", "Fill");
    RadioButton1->setChecked(true);
    RadioButton19->setEnabled(false);
    auto* grid = new QGridLayout(GroupBox1);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(1);
    grid->addWidget(RadioButton1, 0, 0);
    grid->addWidget(RadioButton3, 1, 0);
    grid->addWidget(RadioButton4, 2, 0);
    grid->addWidget(RadioButton2, 0, 1);
    grid->addWidget(RadioButton19, 1, 1);
    return GroupBox1;
}

QWidget* TForm2::createPalettePanels() {
    // Both panels share one place; the pixel mode shows one of them or neither.
    auto* place = new QWidget(this);
    auto* stack = new QGridLayout(place);
    stack->setContentsMargins(0, 0, 0, 0);

    Panel2 = new QFrame(place);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    const struct {
        const char* name;
        int kind;
    } chips[] = {{"RadioButton5", 0}, {"RadioButton6", 1},  {"RadioButton7", 2},
                 {"RadioButton8", 3}, {"RadioButton10", 5}, {"RadioButton9", 4}};
    auto* chipGrid = new QGridLayout(Panel2);
    chipGrid->setContentsMargins(6, 3, 6, 3);
    chipGrid->setVerticalSpacing(1);
    int slot = 0;
    for (const auto& chip : chips) {
        auto* b = MakeRadio(Panel2, chip.name, Text(std::string(PaletteName(chip.kind))));
        paletteButtons_[chip.kind] = b;
        chipGrid->addWidget(b, slot % 3, slot / 3);
        ++slot;
    }

    Panel3 = new QFrame(place);
    Panel3->setObjectName("Panel3");
    Panel3->setFrameShape(QFrame::StyledPanel);
    auto* modeGrid = new QGridLayout(Panel3);
    modeGrid->setContentsMargins(6, 3, 6, 3);
    modeGrid->setVerticalSpacing(1);
    for (int kind = KindColor15; kind <= KindColor4_6; ++kind) {
        const std::string name = "RadioButton" + std::to_string(kind + 4);
        auto* b = MakeRadio(Panel3, name.c_str(), Text(std::string(PaletteName(kind))));
        paletteButtons_[kind] = b;
        const int i = kind - KindColor15;
        modeGrid->addWidget(b, i % 4, i / 4);
    }
    paletteButtons_[KindTms9918]->setChecked(true);
    paletteButtons_[KindColor15]->setChecked(true);

    stack->addWidget(Panel2, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    stack->addWidget(Panel3, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    place->setMinimumSize(Panel2->sizeHint().expandedTo(Panel3->sizeHint()));
    Panel3->hide();
    return place;
}

void TForm2::connectControls() {
    connect(Image1, &PixelImage::pressed, this,
            [this](int x, int y, Qt::MouseButton b) { Image1MouseDown(x, y, b); });
    connect(Image1, &PixelImage::moved, this, [this](int x, int y) { Image1MouseMove(x, y); });
    connect(Image1, &PixelImage::released, this,
            [this](int x, int y, Qt::MouseButton) { Image1MouseUp(x, y); });
    connect(Image3, &PixelImage::pressed, this,
            [this](int, int, Qt::MouseButton b) { Image3MouseDown(b); });
    // A track bar or check box set by the program runs its handler like a user's change.
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm2::TrackBar1Change);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton19})
        connect(b, &QRadioButton::toggled, this, [this] { syncPaintMode(); });
    // Palette buttons act only on a user's click; marking one by the program switches nothing.
    for (int kind = 0; kind < PaletteKindCount; ++kind)
        if (QRadioButton* b = paletteButtons_[kind])
            connect(b, &QRadioButton::clicked, this,
                    [this, kind] { PaletteButtonClick(static_cast<PaletteKindId>(kind)); });
    connect(form1_, &TForm1::ctrlKeyChanged, this, &TForm2::ShowCellBufferPreview);
    connect(form1_, &TForm1::sessionChanged, this, &TForm2::followSession);
    connect(form1_, &TForm1::fillRunning, this, [this](bool running) {
        Panel2->setEnabled(!running);
        Panel3->setEnabled(!running);
    });
    connect(form1_, &TForm1::pictureLoaded, this, &TForm2::AdoptLoadedPalette);
}

void TForm2::followSession(const SessionChange& change) {
    const Document& doc = document();
    if (change.colors) {
        ShowForeground(tool().ForegroundColor, doc.PaletteKind);
        DrawBrushStrip();
    }
    if (change.cellBuffer)
        DrawCellBuffer();
    if (change.showColorNumber)
        ShowCellBufferPreview(false);
    if (change.saveDepth)
        ShowDepthLabel();
}

void TForm2::AdoptLoadedPalette() {
    const Document& doc = document();
    SelectPaletteControls(doc.PaletteKind);
    TForm9* form9 = AllWindows().Form9;
    session().setEditMode(form9->RadioGroup1->mode());
    form9->model.remember(doc.EditMode);
    ApplyEditModeToPalette();
    SwitchPalette(doc.PaletteKind, true, converterVisible());
    ShowDepthLabel();
    if (TForm5* form5 = AllWindows().Form5)
        form5->setText("");
}

bool TForm2::converterVisible() const { return ConverterVisible(); }

void TForm2::PaletteButtonClick(PaletteKindId kind) {
    SwitchPalette(kind, document().RecolorOnPaletteChange, converterVisible());
}

void TForm2::SwitchPalette(PaletteKindId kind, bool recolour, bool converterVisible) {
    // Put back exactly what was enabled: a dialog or the converter may have disabled the
    // editor, and a palette click under it must not lift that.
    const bool windowWasEnabled = OwnEnabledState(form1_);
    const bool pictureWasEnabled = OwnEnabledState(form1_->Image1);
    form1_->setEnabled(false);
    form1_->Image1->setEnabled(false);
    if (session().switchPalette(kind, recolour).picture)
        form1_->refreshPicture();
    RefreshPaletteView(kind);
    form1_->Image1->setEnabled(pictureWasEnabled);
    form1_->setEnabled(windowWasEnabled);
    if (TForm7* form7 = AllWindows().Form7)
        form7->UpdateWhiteChoice();
    if (converterVisible)
        emit converterPreviewRequested();
}

void TForm2::RefreshPaletteView(PaletteKindId kind) {
    ToolState& t = tool();
    const PaletteSelection s =
        ToolPaletteModel::ClampSelection(t.ForegroundIndex, t.BackgroundIndex, kind);
    t.ForegroundIndex = s.foregroundIndex;
    t.BackgroundIndex = s.backgroundIndex;
    t.ForegroundColor = s.foreground;
    t.BackgroundColor = s.background;
    DrawColorStrip(kind);
    DrawBrushStrip();
    paintForegroundSwatch();
    Label4->setText(QString::number(t.ForegroundIndex));
}

void TForm2::DrawColorStrip(PaletteKindId kind) {
    murelo::DrawColorStrip(Image1->picture(), kind, tool().ProtectedColors);
    Image1->refresh();
}

void TForm2::DrawBrushStrip() {
    const Document& doc = document();
    murelo::DrawBrushStrip(Image1->picture(), tool(), doc.EditMode, doc.PaletteKind);
    Image1->refresh();
    Label3->setText(EditModeModel::PixelAspectText(doc.EditMode));
}

void TForm2::paintForegroundSwatch() {
    Picture& swatch = Image2->picture();
    swatch.fill(0x000000);
    swatch.fillRect(1, 1, SwatchSize - 2, SwatchSize - 2, tool().ForegroundColor);
    Image2->refresh();
}

void TForm2::ShowForeground(ColorValue colour, PaletteKindId kind) {
    ToolState& t = tool();
    t.ForegroundColor = colour;
    paintForegroundSwatch();
    const int i = PaletteIndexOf(colour, kind);
    t.ForegroundIndex = i < 0 ? 0 : i;
    Label4->setText(Text(ToolPaletteModel::ForegroundIndexText(i)));
}

bool TForm2::IsProtectedIndex(int index) const {
    return ToolPaletteModel::IsProtectedIndex(tool().ProtectedColors, index);
}

bool TForm2::IsProtectedPixel(int x, int y) const {
    const Document& doc = document();
    return murelo::IsProtectedPixel(tool(), doc.picture, x, y, KindNumber(doc.PaletteKind));
}

void TForm2::ShowDepthLabel() {
    Label6->setText(ToolPaletteModel::DepthLabelText(document().SaveDepth));
}

void TForm2::DrawCellBuffer() {
    const CellPixels& cell = document().CellBuffer;
    Picture& preview = Image3->picture();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            preview.setPixel(x, y, CellAt(cell, x, y));
    Image3->refresh();
}

void TForm2::ShowCellBufferPreview(bool show) {
    if (show) {
        DrawCellBuffer();
        Image3->show();
        Image3->raise();
        Label4->hide();
    } else {
        Image3->hide();
        Label4->show();
    }
}

void TForm2::Image3MouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (session().flipCellBuffer(button == Qt::LeftButton).cellBuffer)
        DrawCellBuffer();
}

void TForm2::Image1MouseDown(int x, int y, Qt::MouseButton button) {
    const StripAction a = model_.press(x, y, button == Qt::RightButton,
                                            document().PaletteKind, tool().ProtectedColors);
    if (a.kind == StripAction::SelectBrush) {
        tool().BrushPattern = a.index;
        DrawBrushStrip();
    }
}

void TForm2::Image1MouseMove(int x, int y) {
    const PaletteKindId kind = document().PaletteKind;
    if (model_.move(x, y, kind, tool().ProtectedColors).kind ==
        StripAction::ToggleProtection)
        DrawColorStrip(kind);
}

void TForm2::Image1MouseUp(int x, int y) {
    const PaletteKindId kind = document().PaletteKind;
    const StripAction a = model_.release(x, y, kind, tool().ProtectedColors);
    ToolState& t = tool();
    if (a.kind == StripAction::SelectBackground) {
        t.BackgroundColor = PaletteColor(kind, a.index);
        t.BackgroundIndex = a.index;
    } else if (a.kind == StripAction::SelectForeground) {
        t.ForegroundColor = PaletteColor(kind, a.index);
        t.ForegroundIndex = a.index;
        ShowForeground(t.ForegroundColor, kind);
    }
    DrawBrushStrip();
    if (converterVisible())
        emit converterPreviewRequested();
}

void TForm2::TrackBar1Change(int position) {
    session().setScalePosition(position);
    Label2->setText(Text(ToolPaletteModel::ScaleLabelText(session().view().Scale)));
    form1_->scaleChanged();
}

void TForm2::CheckBox1Click(bool checked) {
    tool().OddLine = checked;
    DrawBrushStrip();
}

void TForm2::CheckBox2Click(bool checked) {
    tool().FreeDraw = checked;
    const PaintModeEnabling e =
        ToolPaletteModel::FreeDrawChanged(checked, RadioButton19->isChecked());
    if (e.selectPen)
        RadioButton1->setChecked(true);
    RadioButton19->setEnabled(e.fillEnabled);
}

void TForm2::syncPaintMode() {
    ToolState& t = tool();
    if (RadioButton1->isChecked())
        t.Mode = PaintMode::Pen;
    else if (RadioButton2->isChecked())
        t.Mode = PaintMode::Line;
    else if (RadioButton3->isChecked())
        t.Mode = PaintMode::Block4;
    else if (RadioButton4->isChecked())
        t.Mode = PaintMode::Block8;
    else if (RadioButton19->isChecked())
        t.Mode = PaintMode::Fill;
}

QRadioButton* TForm2::paletteButton(int kindNumber) const {
    return IsPaletteKind(kindNumber) ? paletteButtons_[kindNumber] : nullptr;
}

void TForm2::CheckPaletteButton(PaletteKindId kind) {
    if (QRadioButton* b = paletteButton(KindNumber(kind)))
        b->setChecked(true); // setChecked emits no clicked(): no palette switch
}

void TForm2::ApplyEditModeToPalette() {
    const PaletteLayout l = EditModeModel::LayoutFor(document().EditMode);
    Panel2->setVisible(l.chipPanelShown);
    Panel3->setVisible(l.colorModePanelShown);
    CheckBox2->setChecked(l.freeDrawChecked);
    CheckBox2->setVisible(l.freeDrawShown);
    if (l.oddLineUnchecked)
        CheckBox1->setChecked(false);
    CheckBox1->setVisible(l.oddLineShown);
    placeDepthLabel(l.depthLabelLeft);
    if (!converterVisible())
        session().setRecolorOnPaletteChange(l.recolorOnPaletteChange);
    if (l.switchToKind)
        SwitchPalette(*l.switchToKind, false, converterVisible());
    DrawBrushStrip(); // the pixel aspect label and samples follow the mode
}

void TForm2::placeDepthLabel(int left) {
    // Left of the row when Free Draw is hidden, at the right end beside it otherwise.
    depthRow_->removeWidget(Label6);
    if (left < CheckBox2->sizeHint().width())
        depthRow_->insertWidget(0, Label6);
    else
        depthRow_->addWidget(Label6);
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    ShowDepthLabel();
    if (form1_->Palet1)
        form1_->Palet1->setChecked(true);
}

void TForm2::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden by the menu item or closed by the window manager: the check mark follows.
    // (Minimizing the editor hides it spontaneously and keeps the mark.)
    if (!event->spontaneous() && form1_->Palet1)
        form1_->Palet1->setChecked(false);
}

} // namespace murelo::gui
