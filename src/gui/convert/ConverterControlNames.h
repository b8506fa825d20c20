#pragma once

#include "core/convert/ConversionModes.h"

#include <array>
#include <vector>

namespace murelo::gui {

// The converter window's controls carry the design's numbers as object names (TrackBar5,
// CheckBox11, Button3); these tables say what each number stands for in the model's words.

// TrackBar27, TrackBar28 and TrackBar29 are the "Dither" bars of the TMS9918, V9938 and V9958
// pages (value labels Label53, Label54, Label55); TrackBar30 (Label56) is the TMS9918 page's
// "Characters" budget.
inline constexpr int TrackBarCount = 30;
inline constexpr int CheckBoxCount = 17;
inline constexpr int ButtonCount = 20;
inline constexpr int LabelCount = 56;

// A track bar: the page it stands on, the parameter it shows and its value label.
struct TrackBarName {
    ConverterPage page;
    Parameter parameter;
    int label;
};
const TrackBarName& TrackBarNameOf(int trackBar); // 1..TrackBarCount
// The track bars of a page in the order they stand.
std::vector<int> TrackBarsOf(ConverterPage page);

// What a check box stands for.
enum class BoxRole { Parameter, Preview, QuickSave, ConnectPalette };
struct CheckBoxName {
    ConverterPage page;
    BoxRole role;
    Parameter parameter; // for BoxRole::Parameter
    const char* caption;
};
const CheckBoxName& CheckBoxNameOf(int checkBox); // 1..CheckBoxCount
// The check boxes of a page in the order they stand.
std::vector<int> CheckBoxesOf(ConverterPage page);

// What a button does.
enum class ButtonRole { Apply, Save, Export, Reset, Cancel };
struct ButtonName {
    ConverterPage page;
    ButtonRole role;
};
const ButtonName& ButtonNameOf(int button); // 1..ButtonCount
// A page's buttons in the order they stand: Apply or Save, Export, Reset, Cancel.
std::array<int, 4> ButtonsOf(ConverterPage page);

// The mode list of a page: ComboBox1 (TMS9918), ComboBox3 (V9938), ComboBox2 (V9958),
// ComboBox4 (PC-6x01), ComboBox5 (PC-8801).
int ComboBoxOf(ConverterPage page);

} // namespace murelo::gui
