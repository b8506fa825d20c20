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

    // The save dialogs (binary files without a filter, CAS image, WAV tape). Replaceable so
    // a test can answer them; nullopt means cancelled.
    std::function<std::optional<std::filesystem::path>(ExportSaveDialog dialog)> chooseSavePath;

    ExportOptions options() const;

    QGroupBox* RadioGroup2 = nullptr; // Data Type
    QRadioButton* DataTypeButtons[3] = {};
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton2 = nullptr; // Normal
    QRadioButton* RadioButton1 = nullptr; // Compress
    QCheckBox* CheckBox1 = nullptr;       // Divide NAM Table
    QCheckBox* CheckBox3 = nullptr;       // Store 1 BANK if possible
    QCheckBox* CheckBox2 = nullptr;       // Add MSX Header
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* RadioGroup3 = nullptr; // Baud Rate
    QRadioButton* BaudButtons[2] = {};
    QPushButton* Button1 = nullptr; // Export
    QPushButton* Button2 = nullptr; // Cancel

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
