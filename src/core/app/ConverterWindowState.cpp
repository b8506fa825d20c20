#include "core/app/ConverterWindowState.h"

#include "core/convert/Graphic2Dither.h"

#include <stdexcept>

namespace murelo {

namespace {

using P = BalanceParameter;

constexpr TrackBarInfo Offset(int page, P parameter, int label) {
    return {page, parameter, label, -100, 100};
}

// clang-format off
constexpr std::array<TrackBarInfo, TrackBarCount + 1> TrackBars = {{
    {0, P::Red, 0, 0, 0},          // (no TrackBar0)
    Offset(0, P::Red, 5),          // TrackBar1
    Offset(0, P::Green, 6),        // TrackBar2
    Offset(0, P::Blue, 7),         // TrackBar3
    Offset(0, P::Brightness, 8),   // TrackBar4
    {0, P::Contrast, 10, 0, 200},  // TrackBar5
    Offset(2, P::J, 15),           // TrackBar6
    Offset(2, P::K, 16),           // TrackBar7
    Offset(2, P::Y, 18),           // TrackBar8
    Offset(1, P::Red, 23),         // TrackBar9
    Offset(1, P::Green, 24),       // TrackBar10
    Offset(1, P::Blue, 25),        // TrackBar11
    Offset(1, P::Brightness, 26),  // TrackBar12
    {1, P::Contrast, 29, 0, 200},  // TrackBar13
    Offset(3, P::Red, 34),         // TrackBar14
    Offset(3, P::Green, 35),       // TrackBar15
    Offset(3, P::Blue, 36),        // TrackBar16
    Offset(3, P::Brightness, 37),  // TrackBar17
    {3, P::Contrast, 40, 0, 200},  // TrackBar18
    {0, P::HalfTone, 42, 0, 3},    // TrackBar19
    {3, P::HalfTone, 44, 0, 3},    // TrackBar20
    Offset(4, P::Red, 30),         // TrackBar21
    Offset(4, P::Green, 45),       // TrackBar22
    Offset(4, P::Blue, 46),        // TrackBar23
    Offset(4, P::Brightness, 47),  // TrackBar24
    {4, P::Contrast, 50, 0, 200},  // TrackBar25
    {4, P::HalfTone, 52, 0, 3},    // TrackBar26
    {0, P::Dither, DitherLabel, DitherStrengthMin, DitherStrengthMax}, // TrackBar27
}};
// clang-format on

int Checked(int page) {
    if (page < 0 || page > 4)
        throw std::out_of_range("no such converter page");
    return page;
}

} // namespace

const std::vector<std::string>& ModeCaptions(int page) {
    static const std::array<std::vector<std::string>, 5> Captions = {{
        {"Graphic 2 (SCREEN 2)", "Multi Color Mode (SCREEN 3)", "Half Tone",
         std::string(Graphic2DitheredModeName)},
        {"Graphic 4 (SCREEN 5)", "Graphic 5 (SCREEN 6)", "Graphic 6 (SCREEN 7)",
         "Graphic 7 (SCREEN 8)", "Graphic 7 (SCREEN 8) 1D Error Diffusion",
         "Graphic 7 (SCREEN 8) 2D Error Diffusion", "Graphic 7 (SCREEN 8) Floyd-Steinberg"},
        {"YJK Video Mode (SCREEN 10/11)", "YJK Video Mode (SCREEN 12)"},
        {"Pixel Aspect Ratio 1:1", "Pixel Aspect Ratio 2:1", "Pixel Aspect Ratio 1:2",
         "Pixel Aspect Ratio 4:4", "Pixel Aspect Ratio 4:6", "Half Tone 1:1", "Half Tone 2:1"},
        {"Pixel Aspect Ratio 1:2", "1D Error Diffusion", "2D Error Diffusion", "Floyd-Steinberg",
         "Color Tone 1", "Color Tone 2", "Half Tone"},
    }};
    return Captions[std::size_t(Checked(page))];
}

const TrackBarInfo& TrackBarOf(int trackBar) {
    if (trackBar < 1 || trackBar > TrackBarCount)
        throw std::out_of_range("no such track bar");
    return TrackBars[std::size_t(trackBar)];
}

std::array<int, 5> ColourTrackBars(int page) {
    static constexpr std::array<std::array<int, 5>, 5> Bars = {{{1, 2, 3, 4, 5},
                                                                {9, 10, 11, 12, 13},
                                                                {0, 0, 0, 0, 0},
                                                                {14, 15, 16, 17, 18},
                                                                {21, 22, 23, 24, 25}}};
    return Bars[std::size_t(Checked(page))];
}

int HalfToneTrackBar(int page) {
    static constexpr std::array<int, 5> Bars = {19, 0, 0, 20, 26};
    return Bars[std::size_t(Checked(page))];
}

int PreviewBoxOf(int page) {
    static constexpr std::array<int, 5> Boxes = {1, 6, 4, 7, 13};
    return Boxes[std::size_t(Checked(page))];
}

int ApplyButtonOf(int page) {
    static constexpr std::array<int, 5> Buttons = {3, 8, 1, 12, 19};
    return Buttons[std::size_t(Checked(page))];
}

int ExportButtonOf(int page) {
    static constexpr std::array<int, 5> Buttons = {16, 11, 5, 15, 20};
    return Buttons[std::size_t(Checked(page))];
}

int ResetButtonOf(int page) {
    static constexpr std::array<int, 5> Buttons = {4, 9, 7, 13, 17};
    return Buttons[std::size_t(Checked(page))];
}

int CancelButtonOf(int page) {
    static constexpr std::array<int, 5> Buttons = {2, 10, 6, 14, 18};
    return Buttons[std::size_t(Checked(page))];
}

} // namespace murelo
