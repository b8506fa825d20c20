#pragma once

#include "core/dialogs/ToolPaletteModel.h"
#include "core/editor/ToolState.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QRadioButton;
class QSlider;

namespace murelo {
class EditorSession;
struct Document;
struct SessionChange;
} // namespace murelo

namespace murelo::gui {

class PixelImage;
class TForm1;

// "Tool Palette": colours, protected colours, brush patterns, paint tool, scale and the
// palette or colour mode. A tool window above the editor, shown and hidden by the
// editor's "Tool &Palette" item.
class TForm2 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm2(TForm1* mainWindow);

    // The drawing state the painting reads at every mouse event.
    ToolState& tool();
    const ToolState& tool() const;
    const Document& document() const;
    EditorSession& session() const;

    // The palette switch of the palette buttons (recolour = RecolorOnPaletteChange) and of
    // the dialogs. Leaves the editor and its picture enabled or disabled as they were.
    void SwitchPalette(PaletteKindId kind, bool recolour, bool converterVisible);
    // Keeps the chosen colours inside the kind's range and redraws what shows them.
    void RefreshPaletteView(PaletteKindId kind);
    void DrawColorStrip(PaletteKindId kind);
    void DrawBrushStrip();
    // Shows a colour picked on the picture as the first colour, with its palette number.
    void ShowForeground(ColorValue colour, PaletteKindId kind);
    bool IsProtectedIndex(int index) const;
    bool IsProtectedPixel(int x, int y) const;
    void ShowDepthLabel();
    // Redraws the cell buffer preview from the document's CellBuffer.
    void DrawCellBuffer();
    // While Ctrl is held the cell buffer preview takes the colour number's place.
    void ShowCellBufferPreview(bool show);

    // Marks the palette radio button of a kind without running its click handler; kind 6
    // has none and marks nothing.
    void CheckPaletteButton(PaletteKindId kind);
    // The radio button of a kind number; none for kind 6 and numbers that are no kind.
    QRadioButton* paletteButton(int kindNumber) const;
    // Fits the window to the document's pixel mode: the chip or the colour mode panel,
    // Free Draw, Odd Line, the depth label's place, and the PC-8801 palette in its mode.
    void ApplyEditModeToPalette();
    // After a bitmap was loaded: its detected palette and pixel mode take over the window.
    void AdoptLoadedPalette();

    PixelImage* stripImage = nullptr;        // Image1: colour strip and brush strip
    PixelImage* foregroundSwatch = nullptr;  // Image2: first colour swatch
    PixelImage* cellBufferPreview = nullptr; // Image3: cell buffer preview
    QLabel* colorNumberLabel = nullptr;      // Label4: number of the first colour
    QSlider* scaleSlider = nullptr;          // TrackBar1: display scale
    QLabel* scaleLabel = nullptr;            // Label2
    QGroupBox* paintModeGroup = nullptr;     // GroupBox1
    QRadioButton* penButton = nullptr;       // RadioButton1: Pen
    QRadioButton* block4Button = nullptr;    // RadioButton3: Block4
    QRadioButton* block8Button = nullptr;    // RadioButton4: Block8
    QRadioButton* lineButton = nullptr;      // RadioButton2: Line
    QRadioButton* fillButton = nullptr;      // RadioButton19: Fill
    QCheckBox* oddLineBox = nullptr;         // CheckBox1: Odd Line
    QCheckBox* freeDrawBox = nullptr;        // CheckBox2: Free Draw
    QLabel* positionLabel = nullptr;         // Label5: pointer position
    QLabel* aspectLabel = nullptr;           // Label3: pixel aspect
    QLabel* depthLabel = nullptr;            // Label6: colour depth
    QFrame* chipPanel = nullptr;             // Panel2: chip palettes, kinds 0..5
    QFrame* colorModePanel = nullptr;        // Panel3: PC-6x01 colour modes, kinds 7..14

  signals:
    // A colour or palette change the Pixel Converter shows in its preview.
    void converterPreviewRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void createControls();
    QWidget* createSwatchColumn();
    QGroupBox* createPaintModeGroup();
    QWidget* createPalettePanels();
    void connectControls();
    void Image1MouseDown(int x, int y, Qt::MouseButton button);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp(int x, int y);
    void Image3MouseDown(Qt::MouseButton button);
    void TrackBar1Change(int position);
    void CheckBox1Click(bool checked);
    void CheckBox2Click(bool checked);
    void PaletteButtonClick(PaletteKindId kind);
    void followSession(const SessionChange& change);
    void syncPaintMode();
    void placeDepthLabel(int left);
    void paintForegroundSwatch();
    bool converterVisible() const;

    TForm1* form1_;
    ToolPaletteModel model_;
    std::array<QRadioButton*, 15> paletteButtons_{};
    QHBoxLayout* depthRow_ = nullptr;
    bool placed_ = false;
};

} // namespace murelo::gui
