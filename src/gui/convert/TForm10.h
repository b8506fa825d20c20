#pragma once

#include "core/app/ConverterWindowModel.h"
#include "gui/convert/ConverterControlNames.h"
#include "gui/convert/ConverterGuiHost.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimer;
class QVBoxLayout;

namespace murelo::gui {

class ConverterGuard;
class PictureView;
class TForm1;

// "Pixel Converter": the converter window model's controls. Every widget mirrors the
// model; every user action goes to the model's handler and the window then shows what
// changed. Opened by Tool > Pixel Converter; closed by Apply, Cancel or the title bar.
class TForm10 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm10(TForm1* mainWindow);
    ~TForm10() override;

    ConverterWindowModel& model() { return *model_; }
    // Tool > Pixel Converter: the opening steps, then the window is shown.
    void SC1Converter1Click();

    QTabWidget* PageControl1 = nullptr;
    std::array<QComboBox*, 6> ComboBox{};                 // ComboBox1..ComboBox5
    std::array<QSlider*, TrackBarCount + 1> TrackBar{};   // TrackBar1..TrackBar30
    std::array<QCheckBox*, CheckBoxCount + 1> CheckBox{}; // CheckBox1..CheckBox17
    std::array<QPushButton*, ButtonCount + 1> Button{};   // Button1..Button20
    std::array<QLabel*, LabelCount + 1> Label{};          // the value labels by number
    std::array<QLabel*, ConverterPageCount> Readout{};    // beside each page's buttons: "ΔE 5.3"
    QLabel* CharacterCount = nullptr; // beside the TMS9918 page's readout: "Characters 254"
    // SaveDialog1..SaveDialog11 and SavePictureDialog1, by ScreenDialog.
    std::array<QFileDialog*, ScreenDialogCount> SaveDialog{};
    QGroupBox* RadioGroup1 = nullptr; // "Convert Type"
    QTimer* Timer1 = nullptr;
    // Measures the readout once the conversions have stopped finishing for a moment.
    QTimer* ReadoutTimer = nullptr;
    PictureView* Image6 = nullptr; // the result, over the editor's picture

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    QWidget* createPage(ConverterPage page);
    QGroupBox* createBalanceGroup(ConverterPage page, QWidget* parent);
    void addCheckBox(QVBoxLayout* layout, int number);
    QWidget* createButtons(ConverterPage page, QWidget* parent);
    void connectControls();
    // Each control's handler: what its number stands for, told to the model.
    void ButtonClick(int button);
    void CheckBoxClick(int checkBox, bool checked);
    // "Save" and "Export": the files of the finished conversion through the dialogs.
    void runFileButton(int button);
    ScreenFileHooks fileHooks(int button);
    void scheduleReadout();
    // Opening: beside the picture, or where the user last left the window.
    void place();
    // Shows what a model call changed, then re-reads every control from the model.
    void showChange(const ConverterChange& change);
    void syncControls();
    void syncEditor();
    void lockEditor(bool locked);

    TForm1* form1_;
    ConverterGuiHost host_;
    std::unique_ptr<ConverterWindowModel> model_;
    std::unique_ptr<ConverterGuard> guard_;
    QButtonGroup* convertType_ = nullptr;
    bool syncing_ = false;
    int readoutStart_ = -1; // the start whose readout is scheduled
    bool editorLocked_ = false;
    std::vector<std::pair<QAction*, bool>> lockedActions_;
    std::optional<QPoint> lastPosition_;
};

} // namespace murelo::gui
