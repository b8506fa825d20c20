#pragma once

#include "core/dialogs/ExportDialogModel.h"
#include "gui/dialogs/WindowPlacement.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace murelo::gui {

class TForm1;

// "Export": the SCREEN 2 export options and the Export button's sequence.
class TForm4 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm4(TForm1* mainWindow);

    // The save dialogs (binary files without a filter, CAS image, WAV tape, SCREEN 2 image).
    // Replaceable so
    // a test can answer them; nullopt means cancelled.
    std::function<std::optional<std::filesystem::path>(ExportSaveDialog dialog)> chooseSavePath;

    ExportOptions options() const;

    QGroupBox* dataTypeGroup = nullptr;                // RadioGroup2: Data Type
    static constexpr int DataTypeCount = 4;            // binary, CAS, WAV, SCREEN 2 image
    QRadioButton* dataTypeButtons[DataTypeCount] = {}; // objectNames RadioGroup2Item0..3
    QGroupBox* binaryGroup = nullptr;                  // GroupBox1
    QRadioButton* normalButton = nullptr;              // RadioButton2: Normal
    QRadioButton* compressButton = nullptr;            // RadioButton1: Compress
    QCheckBox* divideNameTableBox = nullptr;           // CheckBox1: Divide NAM Table
    QCheckBox* oneBankBox = nullptr;                   // CheckBox3: Store 1 BANK if possible
    QCheckBox* msxHeaderBox = nullptr;                 // CheckBox2: Add MSX Header
    QGroupBox* tapeGroup = nullptr;                    // GroupBox2
    QLabel* startAddressLabel = nullptr;               // Label2
    QComboBox* startAddressBox = nullptr;              // ComboBox1
    QLabel* tapeNameLabel = nullptr;                   // Label4
    QLineEdit* tapeNameEdit = nullptr;                 // Edit1
    QLabel* volumeLabel = nullptr;                     // Label1
    QSlider* volumeSlider = nullptr;                   // TrackBar1
    QLabel* volumeValueLabel = nullptr;                // Label3
    QGroupBox* baudGroup = nullptr;                    // RadioGroup3: Baud Rate
    QRadioButton* baudButtons[2] = {};                 // objectNames RadioGroup3Item0..1
    QPushButton* exportButton = nullptr;               // Button1: Export
    QPushButton* cancelButton = nullptr;               // Button2: Cancel

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void createControls();
    void applyEnabling();
    ExportDataType dataType() const;
    void Button1Click();
    std::optional<std::filesystem::path> runSaveDialog(ExportSaveDialog dialog);

    TForm1* form1_;
    ExportDialogModel model_;
    DisabledWhileShown disabled_;
};

} // namespace murelo::gui
