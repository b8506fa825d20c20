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
#include <QKeyEvent>
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

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

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
    positionLabel->setText("X : 0\nY : 0");
    ShowDepthLabel();
    tool().ForegroundIndex = 1;
    RefreshPaletteView(document().PaletteKind);
    DrawCellBuffer();
    cellBufferPreview->hide();
    setFixedSize(sizeHint());
}

ToolState& TForm2::tool() {
    return form1_->session().tool();
}
const ToolState& TForm2::tool() const {
    return form1_->session().tool();
}
const Document& TForm2::document() const {
    return form1_->document();
}
EditorSession& TForm2::session() const {
    return form1_->session();
}

void TForm2::createControls() {
    stripImage = new PixelImage(this, StripWidth, StripHeight);
    stripImage->setObjectName("Image1");
    stripImage->setCursor(Qt::PointingHandCursor);
    stripImage->setToolTip("Click: first colour, right-click: second colour,\n"
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

    freeDrawBox = new QCheckBox("Free Draw", this);
    freeDrawBox->setObjectName("CheckBox2");
    depthLabel = new QLabel(this);
    depthLabel->setObjectName("Label6");
    depthLabel->setFont(QFont("Monospace"));
    depthRow_ = new QHBoxLayout;
    depthRow_->addWidget(freeDrawBox);
    depthRow_->addStretch(1);
    depthRow_->addWidget(depthLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->setSpacing(4);
    layout->addWidget(stripImage, 0, Qt::AlignHCenter);
    layout->addLayout(middle);
    layout->addLayout(depthRow_);
}

QWidget* TForm2::createSwatchColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(3);

    // cellBufferPreview lies at foregroundSwatch's place and replaces it while Ctrl is held.
    auto* swatchPlace = new QWidget(column);
    swatchPlace->setFixedSize(SwatchSize, SwatchSize);
    foregroundSwatch = new PixelImage(swatchPlace, SwatchSize, SwatchSize);
    foregroundSwatch->setObjectName("Image2");
    cellBufferPreview = new PixelImage(swatchPlace, 8, 8);
    cellBufferPreview->setObjectName("Image3");
    cellBufferPreview->setFixedSize(SwatchSize, SwatchSize);
    cellBufferPreview->setToolTip(
        "Cell buffer: click to mirror left to right, right-click top to bottom");
    colorNumberLabel = new QLabel("1", column);
    colorNumberLabel->setObjectName("Label4");
    colorNumberLabel->setMinimumWidth(colorNumberLabel->fontMetrics().horizontalAdvance("88") + 4);
    auto* swatchRow = new QHBoxLayout;
    swatchRow->addWidget(swatchPlace);
    swatchRow->addWidget(colorNumberLabel);
    swatchRow->addStretch(1);
    layout->addLayout(swatchRow);

    scaleSlider = new QSlider(Qt::Horizontal, column);
    scaleSlider->setObjectName("TrackBar1");
    scaleSlider->setRange(0, 5);
    scaleSlider->setPageStep(1);
    scaleSlider->setTickPosition(QSlider::TicksBelow);
    scaleSlider->setFocusPolicy(Qt::NoFocus); // Page Up/Down belong to the editor
    scaleSlider->setFixedWidth(72);
    scaleSlider->setToolTip("Display scale");
    scaleLabel = new QLabel("x1", column);
    scaleLabel->setObjectName("Label2");
    scaleLabel->setMinimumWidth(scaleLabel->fontMetrics().horizontalAdvance("x32") + 2);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->setSpacing(2);
    scaleRow->addWidget(scaleSlider);
    scaleRow->addWidget(scaleLabel);
    layout->addLayout(scaleRow);

    positionLabel = new QLabel(column);
    positionLabel->setObjectName("Label5");
    positionLabel->setFont(QFont("Monospace"));
    positionLabel->setMinimumHeight(2 * positionLabel->fontMetrics().lineSpacing());
    positionLabel->setMinimumWidth(positionLabel->fontMetrics().horizontalAdvance("X : 639") + 2);
    layout->addWidget(positionLabel);
    aspectLabel = new QLabel("Pixel 1:1", column);
    aspectLabel->setObjectName("Label3");
    layout->addWidget(aspectLabel);
    oddLineBox = new QCheckBox("Odd Line", column);
    oddLineBox->setObjectName("CheckBox1");
    oddLineBox->setToolTip("Leave odd rows unpainted");
    layout->addWidget(oddLineBox);
    layout->addStretch(1);
    return column;
}

QGroupBox* TForm2::createPaintModeGroup() {
    paintModeGroup = new QGroupBox("Paint Mode", this);
    paintModeGroup->setObjectName("GroupBox1");
    penButton = MakeRadio(paintModeGroup, "RadioButton1", "Pen");
    block4Button = MakeRadio(paintModeGroup, "RadioButton3", "Block4");
    block8Button = MakeRadio(paintModeGroup, "RadioButton4", "Block8");
    lineButton = MakeRadio(paintModeGroup, "RadioButton2", "Line");
    fillButton = MakeRadio(paintModeGroup, "RadioButton19", "Fill");
    penButton->setChecked(true);
    fillButton->setEnabled(false);
    auto* grid = new QGridLayout(paintModeGroup);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(1);
    grid->addWidget(penButton, 0, 0);
    grid->addWidget(block4Button, 1, 0);
    grid->addWidget(block8Button, 2, 0);
    grid->addWidget(lineButton, 0, 1);
    grid->addWidget(fillButton, 1, 1);
    return paintModeGroup;
}

QWidget* TForm2::createPalettePanels() {
    // Both panels share one place; the pixel mode shows one of them or neither.
    auto* place = new QWidget(this);
    auto* stack = new QGridLayout(place);
    stack->setContentsMargins(0, 0, 0, 0);

    chipPanel = new QFrame(place);
    chipPanel->setObjectName("Panel2");
    chipPanel->setFrameShape(QFrame::StyledPanel);
    const struct {
        const char* name;
        int kind;
    } chips[] = {{"RadioButton5", 0}, {"RadioButton6", 1},  {"RadioButton7", 2},
                 {"RadioButton8", 3}, {"RadioButton10", 5}, {"RadioButton9", 4}};
    auto* chipGrid = new QGridLayout(chipPanel);
    chipGrid->setContentsMargins(6, 3, 6, 3);
    chipGrid->setVerticalSpacing(1);
    int slot = 0;
    for (const auto& chip : chips) {
        auto* b = MakeRadio(chipPanel, chip.name, Text(std::string(PaletteName(chip.kind))));
        paletteButtons_[chip.kind] = b;
        chipGrid->addWidget(b, slot % 3, slot / 3);
        ++slot;
    }

    colorModePanel = new QFrame(place);
    colorModePanel->setObjectName("Panel3");
    colorModePanel->setFrameShape(QFrame::StyledPanel);
    auto* modeGrid = new QGridLayout(colorModePanel);
    modeGrid->setContentsMargins(6, 3, 6, 3);
    modeGrid->setVerticalSpacing(1);
    for (int kind = KindColor15; kind <= KindColor4_6; ++kind) {
        const std::string name = "RadioButton" + std::to_string(kind + 4);
        auto* b = MakeRadio(colorModePanel, name.c_str(), Text(std::string(PaletteName(kind))));
        paletteButtons_[kind] = b;
        const int i = kind - KindColor15;
        modeGrid->addWidget(b, i % 4, i / 4);
    }
    paletteButtons_[KindTms9918]->setChecked(true);
    paletteButtons_[KindColor15]->setChecked(true);

    stack->addWidget(chipPanel, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    stack->addWidget(colorModePanel, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    place->setMinimumSize(chipPanel->sizeHint().expandedTo(colorModePanel->sizeHint()));
    colorModePanel->hide();
    return place;
}

void TForm2::connectControls() {
    connect(stripImage, &PixelImage::pressed, this,
            [this](int x, int y, Qt::MouseButton b) { Image1MouseDown(x, y, b); });
    connect(stripImage, &PixelImage::moved, this, [this](int x, int y) { Image1MouseMove(x, y); });
    connect(stripImage, &PixelImage::released, this,
            [this](int x, int y, Qt::MouseButton) { Image1MouseUp(x, y); });
    connect(cellBufferPreview, &PixelImage::pressed, this,
            [this](int, int, Qt::MouseButton b) { Image3MouseDown(b); });
    // A track bar or check box set by the program runs its handler like a user's change.
    connect(scaleSlider, &QSlider::valueChanged, this, &TForm2::TrackBar1Change);
    connect(oddLineBox, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
    connect(freeDrawBox, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
    for (QRadioButton* b : {penButton, lineButton, block4Button, block8Button, fillButton})
        connect(b, &QRadioButton::toggled, this, [this] { syncPaintMode(); });
    // Palette buttons act only on a user's click; marking one by the program switches nothing.
    for (int kind = 0; kind < PaletteKindCount; ++kind)
        if (QRadioButton* b = paletteButtons_[kind])
            connect(b, &QRadioButton::clicked, this,
                    [this, kind] { PaletteButtonClick(static_cast<PaletteKindId>(kind)); });
    connect(form1_, &TForm1::ctrlKeyChanged, this, &TForm2::ShowCellBufferPreview);
    connect(form1_, &TForm1::sessionChanged, this, &TForm2::followSession);
    connect(form1_, &TForm1::fillRunning, this, [this](bool running) {
        chipPanel->setEnabled(!running);
        colorModePanel->setEnabled(!running);
    });
    connect(form1_, &TForm1::pictureLoaded, this, &TForm2::AdoptLoadedPalette);
}

void TForm2::followSession(const SessionChange& change) {
    const Document& doc = document();
    if (change.colors) {
        // The session has chosen the index (a pick, a load, a palette switch); deriving it
        // again from the colour would put a colour missing from the palette on index 0.
        paintForegroundSwatch();
        const bool inPalette = PaletteIndexOf(tool().ForegroundColor, doc.PaletteKind) >= 0;
        colorNumberLabel->setText(
            Text(ToolPaletteModel::ForegroundIndexText(inPalette ? tool().ForegroundIndex : -1)));
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
    session().setEditMode(form9->modeGroup->mode());
    form9->model.remember(doc.EditMode);
    ApplyEditModeToPalette();
    SwitchPalette(doc.PaletteKind, true, converterVisible());
    ShowDepthLabel();
    if (TForm5* form5 = AllWindows().Form5)
        form5->setText("");
}

bool TForm2::converterVisible() const {
    return ConverterVisible();
}

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
    const SessionChange change = session().switchPalette(kind, recolour);
    if (change.picture)
        form1_->refreshPicture();
    if (change.undoState) // a recoloured picture is an undo step of its own
        form1_->updateUndoItems();
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
    colorNumberLabel->setText(QString::number(t.ForegroundIndex));
}

void TForm2::DrawColorStrip(PaletteKindId kind) {
    murelo::DrawColorStrip(stripImage->picture(), kind, tool().ProtectedColors);
    stripImage->refresh();
}

void TForm2::DrawBrushStrip() {
    const Document& doc = document();
    murelo::DrawBrushStrip(stripImage->picture(), tool(), doc.EditMode, doc.PaletteKind);
    stripImage->refresh();
    aspectLabel->setText(EditModeModel::PixelAspectText(doc.EditMode));
}

void TForm2::paintForegroundSwatch() {
    Picture& swatch = foregroundSwatch->picture();
    swatch.fill(0x000000);
    swatch.fillRect(1, 1, SwatchSize - 2, SwatchSize - 2, tool().ForegroundColor);
    foregroundSwatch->refresh();
}

void TForm2::ShowForeground(ColorValue colour, PaletteKindId kind) {
    ToolState& t = tool();
    t.ForegroundColor = colour;
    paintForegroundSwatch();
    const int i = PaletteIndexOf(colour, kind);
    t.ForegroundIndex = i < 0 ? 0 : i;
    colorNumberLabel->setText(Text(ToolPaletteModel::ForegroundIndexText(i)));
}

bool TForm2::IsProtectedIndex(int index) const {
    return ToolPaletteModel::IsProtectedIndex(tool().ProtectedColors, index);
}

bool TForm2::IsProtectedPixel(int x, int y) const {
    const Document& doc = document();
    return murelo::IsProtectedPixel(tool(), doc.picture, x, y, KindNumber(doc.PaletteKind));
}

void TForm2::ShowDepthLabel() {
    depthLabel->setText(ToolPaletteModel::DepthLabelText(document().SaveDepth));
}

void TForm2::DrawCellBuffer() {
    const CellPixels& cell = document().CellBuffer;
    Picture& preview = cellBufferPreview->picture();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            preview.setPixel(x, y, CellAt(cell, x, y));
    cellBufferPreview->refresh();
}

void TForm2::ShowCellBufferPreview(bool show) {
    if (show) {
        DrawCellBuffer();
        cellBufferPreview->show();
        cellBufferPreview->raise();
        colorNumberLabel->hide();
    } else {
        cellBufferPreview->hide();
        colorNumberLabel->show();
    }
}

void TForm2::Image3MouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (session().flipCellBuffer(button == Qt::LeftButton).cellBuffer)
        DrawCellBuffer();
}

void TForm2::Image1MouseDown(int x, int y, Qt::MouseButton button) {
    const StripAction a = model_.press(x, y, button == Qt::RightButton, document().PaletteKind,
                                       tool().ProtectedColors);
    if (a.kind == StripAction::SelectBrush) {
        tool().BrushPattern = a.index;
        DrawBrushStrip();
    }
}

void TForm2::Image1MouseMove(int x, int y) {
    const PaletteKindId kind = document().PaletteKind;
    if (model_.move(x, y, kind, tool().ProtectedColors).kind == StripAction::ToggleProtection)
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
    scaleLabel->setText(Text(ToolPaletteModel::ScaleLabelText(session().view().Scale)));
    form1_->scaleChanged();
}

void TForm2::CheckBox1Click(bool checked) {
    tool().OddLine = checked;
    DrawBrushStrip();
}

void TForm2::CheckBox2Click(bool checked) {
    tool().FreeDraw = checked;
    const PaintModeEnabling e = ToolPaletteModel::FreeDrawChanged(checked, fillButton->isChecked());
    if (e.selectPen)
        penButton->setChecked(true);
    fillButton->setEnabled(e.fillEnabled);
}

void TForm2::syncPaintMode() {
    ToolState& t = tool();
    if (penButton->isChecked())
        t.Mode = PaintMode::Pen;
    else if (lineButton->isChecked())
        t.Mode = PaintMode::Line;
    else if (block4Button->isChecked())
        t.Mode = PaintMode::Block4;
    else if (block8Button->isChecked())
        t.Mode = PaintMode::Block8;
    else if (fillButton->isChecked())
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
    chipPanel->setVisible(l.chipPanelShown);
    colorModePanel->setVisible(l.colorModePanelShown);
    freeDrawBox->setChecked(l.freeDrawChecked);
    freeDrawBox->setVisible(l.freeDrawShown);
    if (l.oddLineUnchecked)
        oddLineBox->setChecked(false);
    oddLineBox->setVisible(l.oddLineShown);
    placeDepthLabel(l.depthLabelLeft);
    if (!converterVisible())
        session().setRecolorOnPaletteChange(l.recolorOnPaletteChange);
    if (l.switchToKind)
        SwitchPalette(*l.switchToKind, false, converterVisible());
    DrawBrushStrip(); // the pixel aspect label and samples follow the mode
}

void TForm2::placeDepthLabel(int left) {
    // Left of the row when Free Draw is hidden, at the right end beside it otherwise.
    depthRow_->removeWidget(depthLabel);
    if (left < freeDrawBox->sizeHint().width())
        depthRow_->insertWidget(0, depthLabel);
    else
        depthRow_->addWidget(depthLabel);
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    ShowDepthLabel();
    if (form1_->Palet1)
        form1_->Palet1->setChecked(true);
    // Beside the editor the first time; later where the user left it.
    if (!placed_) {
        placed_ = true;
        PlaceBesideMainWindow(this, form1_);
    }
}

void TForm2::keyReleaseEvent(QKeyEvent* event) {
    // Ctrl held on the editor and let go over the palette (after a click on the cell
    // preview): the editor's key-up, so the preview gives way to the colour number again.
    if (!event->isAutoRepeat() && event->key() == Qt::Key_Control)
        form1_->heldKeyReleased(event);
    QWidget::keyReleaseEvent(event);
}

void TForm2::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden by the menu item or closed by the window manager: the check mark follows.
    // (Minimizing the editor hides it spontaneously and keeps the mark.)
    if (!event->spontaneous() && form1_->Palet1)
        form1_->Palet1->setChecked(false);
}

} // namespace murelo::gui
