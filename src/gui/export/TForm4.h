#pragma once

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

namespace murelo {
struct ExportOptions;
}

namespace murelo::gui {

class TForm1;

// "Export": the SCREEN 2 export options and the Export button's sequence.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(TForm1* mainWindow);

    // The save dialogs: 1 binary files (no filter), 2 CAS image, 3 WAV tape, 4 SCREEN 2 image.
    // Replaceable so a test can answer them; nullopt means cancelled.
    std::function<std::optional<std::filesystem::path>(int dialog)> chooseSavePath;

    ExportOptions options() const;

    QGroupBox* RadioGroup2 = nullptr; // Data Type
    static constexpr int DataTypeCount = 4; // binary, CAS, WAV, SCREEN 2 image
    QRadioButton* DataTypeButtons[DataTypeCount] = {};
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
    int dataType() const;
    void Button1Click();
    std::optional<std::filesystem::path> runSaveDialog(int dialog);

    TForm1* form1_;
    DisabledWhileShown disabled_;
};

} // namespace murelo::gui
