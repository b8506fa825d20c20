#pragma once

#include "core/convert/ColorMath.h"
#include "core/palette/ColorValue.h"
#include "core/palette/Palettes.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace murelo {

// Everything the user can set for a conversion. One set serves every page: the colour
// balance, the weighting and the half-tone level are shared by all of them.
struct ConversionParameters {
    int PaletteKind = KindTms9918;
    ColorBalance Balance;
    bool NtscWeighting = false;
    int HalfToneLevel = 3; // 0..3
    YjkBalance Yjk;
    bool Rules9918 = true;      // TMS9918 "9918 Rules"
    bool Interlace = false;     // V9938 "Interlace" (also read by the PC-8801 analog palette)
    bool OddLine = false;       // V9938 "Odd Line"
    bool P6Rules = false;       // PC-6x01 "P6 Rules"
    bool AnalogPalette = false; // PC-8801 "Analog Palette"
    int ConvertType = 0;        // V9958 "Convert Type" 0..2
    int DitherStrength = 95;    // "Dither" 0..100 (%), the dithered modes' strength
    int Characters = 768;       // "Characters" 1..768: the Graphic 2 budget; 768 sets no limit
    // The editor's drawing colours, used by the half-tone pens; NoColor = none.
    ColorValue ForegroundColor = 0x000000;
    ColorValue BackgroundColor = 0xFFFFFF;
    // The tool palette's protected colours (bit i: index i of PaletteKind); the half-tone
    // pens leave pixels of the source in those colours alone, as the painting pen does.
    std::uint16_t ProtectedColors = 0;
};

// The settings of a conversion by name: the window's track bars, boxes and radio group, the
// command line's options, and what a mode declares it reads.
enum class Parameter : int {
    Red,
    Green,
    Blue,
    Brightness,
    Contrast,
    HalfTone,
    Dither,
    Characters,
    YElement,
    JElement,
    KElement,
    ConvertType,
    NtscWeighting,
    Rules9918,
    Interlace,
    OddLine,
    P6Rules,
    AnalogPalette,
    Palette,       // the palette kind the mode draws in
    DrawingColors, // the first and second drawing colours and the protected ones
};
inline constexpr int ParameterCount = int(Parameter::DrawingColors) + 1;

// A set of parameters.
class ParameterSet {
  public:
    constexpr ParameterSet() = default;
    constexpr ParameterSet(std::initializer_list<Parameter> parameters) {
        for (Parameter p : parameters)
            bits_ |= Bit(p);
    }
    constexpr bool contains(Parameter p) const { return (bits_ & Bit(p)) != 0; }
    constexpr ParameterSet operator|(ParameterSet other) const {
        ParameterSet s;
        s.bits_ = bits_ | other.bits_;
        return s;
    }
    friend constexpr bool operator==(ParameterSet, ParameterSet) = default;

  private:
    static constexpr std::uint32_t Bit(Parameter p) { return std::uint32_t(1) << int(p); }
    std::uint32_t bits_ = 0;
};

// How the window shows a parameter and the command line takes it.
enum class ParameterControl {
    Bar,    // a track bar with its value label
    Box,    // a check box; the value is 0 or 1
    Choice, // a radio group of items 0..max
    Other,  // chosen elsewhere (the tool palette's kind and colours)
};

struct ParameterInfo {
    Parameter parameter;
    std::string_view option;  // the command line's option ("--red")
    std::string_view caption; // the window's caption ("Red:", "9918 Rules")
    ParameterControl control;
    int min;
    int max;
    std::string_view help; // what the option does, for the command line's help
    // The control is usable only while the chosen mode reads it (a control that other modes
    // would ignore is greyed out rather than silently doing nothing).
    bool onlyWhenRead;
};

const ParameterInfo& InfoOf(Parameter parameter);

// The value of a bar, box or choice parameter (a box as 0 or 1).
int ParameterValue(const ConversionParameters& params, Parameter parameter);
// Stores a value, limited to the parameter's range.
void SetParameterValue(ConversionParameters& params, Parameter parameter, int value);
// The value a parameter has before anyone sets it.
int DefaultValue(Parameter parameter);

// The colour-balance bars of the indexed and V9938 pages, in the order they stand.
inline constexpr Parameter BalanceParameters[] = {Parameter::Red, Parameter::Green, Parameter::Blue,
                                                  Parameter::Brightness, Parameter::Contrast};
// The V9958 page's component bars.
inline constexpr Parameter YjkParameters[] = {Parameter::YElement, Parameter::JElement,
                                              Parameter::KElement};

} // namespace murelo
