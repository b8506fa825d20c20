#pragma once

#include "core/editor/EditMode.h"
#include "core/palette/Palettes.h"

#include <array>
#include <string>
#include <vector>

namespace murelo {

// The Pixel Converter window's own record: what it saved of the editor when it opened.
struct ConverterWindowState {
    bool Applied = false;
    bool SavedRecolour = true;
    bool SavedGridMark = true;
    bool SavedOddLine = false;
    EditModeId SavedEditMode = EditModeId::Tms99x8;
    PaletteKindId SavedPaletteKind = PaletteKindId::Tms9918;
    int LastConvertType = -1; // the "Convert Type" item of the last V9958 start; -1 = none
};

// TrackBar1..TrackBar26 of the colour balance pages, and TrackBar27, the TMS9918 page's
// "Dither" strength of its dithered Graphic 2 mode (value label Label53).
inline constexpr int TrackBarCount = 27;
inline constexpr int DitherTrackBar = 27;
inline constexpr int DitherLabel = 53;

// The state of every control of the window, by the controls' numbers (index 0 unused), as
// the window shows it. The model is the owner; the window only mirrors it.
struct ConverterControls {
    int page = 0;                                  // PageControl1
    std::array<int, 6> comboBox{};                 // ComboBox1..ComboBox5: the mode lists
    std::array<int, TrackBarCount + 1> trackBar{}; // TrackBar1..TrackBar27 positions
    std::array<bool, TrackBarCount + 1> trackBarEnabled{};
    std::array<bool, 18> checkBox{}; // CheckBox1..CheckBox17
    std::array<bool, 18> checkBoxEnabled{};
    std::array<bool, 21> buttonEnabled{};          // Button1..Button20
    int radioGroup1 = 0;                           // "Convert Type"
    std::array<int, DitherLabel + 1> labelValue{}; // the value labels Label5..Label53 ("%4d")
    bool image1Shown = true;                       // the picture in the main window
    bool image6Shown = false;                      // the result over it
    bool timerRunning = false;                     // Timer1
    bool editorLocked = false;                     // File, Edit, Tool menus and Image1 disabled
    bool paletteSelectorEnabled = true;            // the tool palette's palette panels
    // The page's quality readout beside its buttons ("ΔE 5.3"): the error of the finished
    // conversion, empty from every start until it is measured.
    std::string readout;
};

// Identifiers of the window's controls, named as in the window.
enum ConverterCheckBox : int {
    PreviewTms9918 = 1,
    Rules9918 = 2,
    QuickSaveTms9918 = 3,
    PreviewV9958 = 4,
    RulesP6 = 5,
    PreviewV9938 = 6,
    PreviewPc6001 = 7,
    NtscPc6001 = 8,
    QuickSavePc6001 = 9,
    NtscTms9918 = 10,
    Interlace = 11,
    OddLineV9938 = 12,
    PreviewPc8801 = 13,
    NtscPc8801 = 14,
    QuickSavePc8801 = 15,
    ConnectPalette = 16,
    AnalogPalette = 17,
};

// The value a track bar stands for.
enum class BalanceParameter { Red, Green, Blue, Brightness, Contrast, HalfTone, Y, J, K, Dither };

// One track bar: page, parameter, value label, range.
struct TrackBarInfo {
    int page;
    BalanceParameter parameter;
    int label;
    int min;
    int max;
};

// The items of a page's mode list, in the order of the engine's modes.
const std::vector<std::string>& ModeCaptions(int page);

// Track bars 1..TrackBarCount (index 0 unused).
const TrackBarInfo& TrackBarOf(int trackBar);
// The five colour track bars (red, green, blue, brightness, contrast) of a balance page,
// and its HalfTone track bar (0 for the V9938 page, which has none).
std::array<int, 5> ColourTrackBars(int page);
int HalfToneTrackBar(int page);
// The page's "Preview" box, "Apply" (or "Save"), "Export", "Reset" and "Cancel" buttons.
int PreviewBoxOf(int page);
int ApplyButtonOf(int page); // "Save" on the V9938 and V9958 pages
int ExportButtonOf(int page);
int ResetButtonOf(int page);
int CancelButtonOf(int page);

} // namespace murelo
