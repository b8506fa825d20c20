#include "core/convert/ConversionParameters.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace murelo {

namespace {

using P = Parameter;
using C = ParameterControl;

// clang-format off
constexpr std::array<ParameterInfo, ParameterCount> Infos = {{
    {P::Red, "--red", "Red:", C::Bar, -100, 100, "colour balance: red", false},
    {P::Green, "--green", "Green:", C::Bar, -100, 100, "colour balance: green", false},
    {P::Blue, "--blue", "Blue:", C::Bar, -100, 100, "colour balance: blue", false},
    {P::Brightness, "--brightness", "Brightness:", C::Bar, -100, 100, "colour balance: brightness", false},
    {P::Contrast, "--contrast", "Contrast:", C::Bar, 0, 200, "colour balance: contrast", false},
    {P::HalfTone, "--halftone", "HalfTone", C::Bar, 0, 3, "half-tone level", false},
    {P::Dither, "--dither", "Dither", C::Bar, 0, 100,
     "dither strength: the percentage of each pixel's error passed on", true},
    {P::Characters, "--characters", "Characters", C::Bar, 1, 768,
     "the most distinct 8 x 8 characters the Graphic 2 result may use (768: no limit)", true},
    {P::YElement, "--y", "Y element:", C::Bar, -100, 100, "YJK balance: Y", false},
    {P::JElement, "--j", "J element:", C::Bar, -100, 100, "YJK balance: J", false},
    {P::KElement, "--k", "K element:", C::Bar, -100, 100, "YJK balance: K", false},
    {P::ConvertType, "--convert-type", "Convert Type", C::Choice, 0, 2,
     "0 Normal, 1 GrayScale (Y element Only), 2 GrayScale (NTSC Coef. method)", false},
    {P::NtscWeighting, "--ntsc", "NTSC Coef. method", C::Box, 0, 1,
     "NTSC weighting of the colour differences", false},
    {P::Rules9918, "--no-rules", "9918 Rules", C::Box, 0, 1,
     "Graphic 2 without the two-colour rule", false},
    {P::Interlace, "--interlace", "Interlace", C::Box, 0, 1, "interlaced V9938 modes", false},
    {P::OddLine, "--odd-line", "Odd Line", C::Box, 0, 1,
     "the second row of each pair of an interlaced picture", false},
    {P::P6Rules, "--p6-rules", "P6 Rules", C::Box, 0, 1, "PC-6x01 colour rules", false},
    {P::AnalogPalette, "--analog-palette", "Analog Palette", C::Box, 0, 1,
     "PC-8801 analog palette", false},
    {P::Palette, "--palette", "", C::Other, 0, PaletteKindCount - 1, "the palette kind", false},
    {P::DrawingColors, "--fg", "", C::Other, 0, 0, "the half tone's drawing colours", false},
}};
// clang-format on

// The field behind a bar or choice parameter, or null; const with a const set.
template <class Params> auto* ValueField(Params& params, Parameter parameter) {
    using Field = decltype(&params.HalfToneLevel);
    switch (parameter) {
    case P::Red:
        return Field(&params.Balance.RedOffset);
    case P::Green:
        return Field(&params.Balance.GreenOffset);
    case P::Blue:
        return Field(&params.Balance.BlueOffset);
    case P::Brightness:
        return Field(&params.Balance.Brightness);
    case P::Contrast:
        return Field(&params.Balance.Contrast);
    case P::HalfTone:
        return Field(&params.HalfToneLevel);
    case P::Dither:
        return Field(&params.DitherStrength);
    case P::Characters:
        return Field(&params.Characters);
    case P::YElement:
        return Field(&params.Yjk.YOffset);
    case P::JElement:
        return Field(&params.Yjk.JOffset);
    case P::KElement:
        return Field(&params.Yjk.KOffset);
    case P::ConvertType:
        return Field(&params.ConvertType);
    case P::Palette:
        return Field(&params.PaletteKind);
    default:
        return Field(nullptr);
    }
}

// The field behind a box parameter, or null.
template <class Params> auto* SwitchField(Params& params, Parameter parameter) {
    using Field = decltype(&params.NtscWeighting);
    switch (parameter) {
    case P::NtscWeighting:
        return Field(&params.NtscWeighting);
    case P::Rules9918:
        return Field(&params.Rules9918);
    case P::Interlace:
        return Field(&params.Interlace);
    case P::OddLine:
        return Field(&params.OddLine);
    case P::P6Rules:
        return Field(&params.P6Rules);
    case P::AnalogPalette:
        return Field(&params.AnalogPalette);
    default:
        return Field(nullptr);
    }
}

} // namespace

const ParameterInfo& InfoOf(Parameter parameter) {
    return Infos.at(std::size_t(parameter));
}

int ParameterValue(const ConversionParameters& params, Parameter parameter) {
    if (const bool* box = SwitchField(params, parameter))
        return *box ? 1 : 0;
    if (const int* value = ValueField(params, parameter))
        return *value;
    throw std::invalid_argument("the drawing colours are not one value");
}

void SetParameterValue(ConversionParameters& params, Parameter parameter, int value) {
    const ParameterInfo& info = InfoOf(parameter);
    value = std::clamp(value, info.min, info.max);
    if (bool* box = SwitchField(params, parameter))
        *box = value != 0;
    else if (int* field = ValueField(params, parameter))
        *field = value;
    else
        throw std::invalid_argument("the drawing colours are not one value");
}

int DefaultValue(Parameter parameter) {
    return ParameterValue(ConversionParameters{}, parameter);
}

} // namespace murelo
