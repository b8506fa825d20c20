#include "gui/convert/ConverterControlNames.h"

#include <stdexcept>

namespace murelo::gui {

namespace {

using P = Parameter;
using Pg = ConverterPage;

// clang-format off
constexpr std::array<TrackBarName, TrackBarCount + 1> TrackBars = {{
    {Pg::Tms9918, P::Red, 0},          // (no TrackBar0)
    {Pg::Tms9918, P::Red, 5},          // TrackBar1
    {Pg::Tms9918, P::Green, 6},        // TrackBar2
    {Pg::Tms9918, P::Blue, 7},         // TrackBar3
    {Pg::Tms9918, P::Brightness, 8},   // TrackBar4
    {Pg::Tms9918, P::Contrast, 10},    // TrackBar5
    {Pg::V9958, P::JElement, 15},      // TrackBar6
    {Pg::V9958, P::KElement, 16},      // TrackBar7
    {Pg::V9958, P::YElement, 18},      // TrackBar8
    {Pg::V9938, P::Red, 23},           // TrackBar9
    {Pg::V9938, P::Green, 24},         // TrackBar10
    {Pg::V9938, P::Blue, 25},          // TrackBar11
    {Pg::V9938, P::Brightness, 26},    // TrackBar12
    {Pg::V9938, P::Contrast, 29},      // TrackBar13
    {Pg::Pc6001, P::Red, 34},          // TrackBar14
    {Pg::Pc6001, P::Green, 35},        // TrackBar15
    {Pg::Pc6001, P::Blue, 36},         // TrackBar16
    {Pg::Pc6001, P::Brightness, 37},   // TrackBar17
    {Pg::Pc6001, P::Contrast, 40},     // TrackBar18
    {Pg::Tms9918, P::HalfTone, 42},    // TrackBar19
    {Pg::Pc6001, P::HalfTone, 44},     // TrackBar20
    {Pg::Pc8801, P::Red, 30},          // TrackBar21
    {Pg::Pc8801, P::Green, 45},        // TrackBar22
    {Pg::Pc8801, P::Blue, 46},         // TrackBar23
    {Pg::Pc8801, P::Brightness, 47},   // TrackBar24
    {Pg::Pc8801, P::Contrast, 50},     // TrackBar25
    {Pg::Pc8801, P::HalfTone, 52},     // TrackBar26
    {Pg::Tms9918, P::Dither, 53},      // TrackBar27
    {Pg::V9938, P::Dither, 54},        // TrackBar28
    {Pg::V9958, P::Dither, 55},        // TrackBar29
    {Pg::Tms9918, P::Characters, 56},  // TrackBar30
}};

constexpr std::array<CheckBoxName, CheckBoxCount + 1> CheckBoxes = {{
    {Pg::Tms9918, BoxRole::Preview, P::Red, ""},
    {Pg::Tms9918, BoxRole::Preview, P::Red, "Preview"},                       // CheckBox1
    {Pg::Tms9918, BoxRole::Parameter, P::Rules9918, "9918 Rules"},            // CheckBox2
    {Pg::Tms9918, BoxRole::QuickSave, P::Red, "Quick Save before Applying"},  // CheckBox3
    {Pg::V9958, BoxRole::Preview, P::Red, "Preview"},                         // CheckBox4
    {Pg::Pc6001, BoxRole::Parameter, P::P6Rules, "P6 Rules"},                 // CheckBox5
    {Pg::V9938, BoxRole::Preview, P::Red, "Preview"},                         // CheckBox6
    {Pg::Pc6001, BoxRole::Preview, P::Red, "Preview"},                        // CheckBox7
    {Pg::Pc6001, BoxRole::Parameter, P::NtscWeighting, "NTSC Coef. method"},  // CheckBox8
    {Pg::Pc6001, BoxRole::QuickSave, P::Red, "Quick Save before Applying"},   // CheckBox9
    {Pg::Tms9918, BoxRole::Parameter, P::NtscWeighting, "NTSC Coef. method"}, // CheckBox10
    {Pg::V9938, BoxRole::Parameter, P::Interlace, "Interlace"},               // CheckBox11
    {Pg::V9938, BoxRole::Parameter, P::OddLine, "Odd Line"},                  // CheckBox12
    {Pg::Pc8801, BoxRole::Preview, P::Red, "Preview"},                        // CheckBox13
    {Pg::Pc8801, BoxRole::Parameter, P::NtscWeighting, "NTSC Coef. method"},  // CheckBox14
    {Pg::Pc8801, BoxRole::QuickSave, P::Red, "Quick Save before Applying"},   // CheckBox15
    {Pg::V9938, BoxRole::ConnectPalette, P::Red, "Connect Palette"},          // CheckBox16
    {Pg::Pc8801, BoxRole::Parameter, P::AnalogPalette, "Analog Palette"},     // CheckBox17
}};

constexpr std::array<ButtonName, ButtonCount + 1> Buttons = {{
    {Pg::Tms9918, ButtonRole::Cancel},
    {Pg::V9958, ButtonRole::Save},     // Button1
    {Pg::Tms9918, ButtonRole::Cancel}, // Button2
    {Pg::Tms9918, ButtonRole::Apply},  // Button3
    {Pg::Tms9918, ButtonRole::Reset},  // Button4
    {Pg::V9958, ButtonRole::Export},   // Button5
    {Pg::V9958, ButtonRole::Cancel},   // Button6
    {Pg::V9958, ButtonRole::Reset},    // Button7
    {Pg::V9938, ButtonRole::Save},     // Button8
    {Pg::V9938, ButtonRole::Reset},    // Button9
    {Pg::V9938, ButtonRole::Cancel},   // Button10
    {Pg::V9938, ButtonRole::Export},   // Button11
    {Pg::Pc6001, ButtonRole::Apply},   // Button12
    {Pg::Pc6001, ButtonRole::Reset},   // Button13
    {Pg::Pc6001, ButtonRole::Cancel},  // Button14
    {Pg::Pc6001, ButtonRole::Export},  // Button15
    {Pg::Tms9918, ButtonRole::Export}, // Button16
    {Pg::Pc8801, ButtonRole::Reset},   // Button17
    {Pg::Pc8801, ButtonRole::Cancel},  // Button18
    {Pg::Pc8801, ButtonRole::Apply},   // Button19
    {Pg::Pc8801, ButtonRole::Export},  // Button20
}};
// clang-format on

template <class Table> const auto& Row(const Table& table, int number, const char* what) {
    if (number < 1 || number >= int(table.size()))
        throw std::out_of_range(what);
    return table[std::size_t(number)];
}

} // namespace

const TrackBarName& TrackBarNameOf(int trackBar) {
    return Row(TrackBars, trackBar, "no such track bar");
}

std::vector<int> TrackBarsOf(ConverterPage page) {
    // The YJK bars stand Y, J, K, then Dither; the others in their numbers' order.
    if (page == Pg::V9958)
        return {8, 6, 7, 29};
    std::vector<int> bars;
    for (int bar = 1; bar <= TrackBarCount; ++bar)
        if (TrackBars[std::size_t(bar)].page == page)
            bars.push_back(bar);
    return bars;
}

const CheckBoxName& CheckBoxNameOf(int checkBox) {
    return Row(CheckBoxes, checkBox, "no such check box");
}

std::vector<int> CheckBoxesOf(ConverterPage page) {
    switch (page) {
    case Pg::Tms9918:
        return {2, 10, 1, 3};
    case Pg::V9938:
        return {11, 12, 16, 6};
    case Pg::V9958:
        return {4};
    case Pg::Pc6001:
        return {8, 5, 7, 9};
    case Pg::Pc8801:
        break;
    }
    return {14, 17, 13, 15};
}

const ButtonName& ButtonNameOf(int button) {
    return Row(Buttons, button, "no such button");
}

std::array<int, 4> ButtonsOf(ConverterPage page) {
    std::array<int, 4> out{};
    constexpr ButtonRole Order[] = {ButtonRole::Apply, ButtonRole::Export, ButtonRole::Reset,
                                    ButtonRole::Cancel};
    for (int button = 1; button <= ButtonCount; ++button) {
        const ButtonName& b = Buttons[std::size_t(button)];
        if (b.page != page)
            continue;
        for (std::size_t slot = 0; slot < 4; ++slot)
            if (b.role == Order[slot] || (b.role == ButtonRole::Save && slot == 0))
                out[slot] = button;
    }
    return out;
}

int ComboBoxOf(ConverterPage page) {
    constexpr int Combos[] = {1, 3, 2, 4, 5};
    return Combos[std::size_t(page)];
}

} // namespace murelo::gui
