#include "core/convert/ConversionModes.h"

#include "core/convert/CharacterBudget.h"
#include "core/convert/Pc6001Conversion.h"
#include "core/convert/Pc8801Conversion.h"
#include "core/convert/Tms9918Conversion.h"
#include "core/convert/V9938Conversion.h"
#include "core/convert/V9938Dither.h"
#include "core/convert/YjkConversion.h"
#include "core/convert/YjkDither.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace murelo {

namespace {

using P = Parameter;
using F = ScreenFileKind;
using E = EditModeId;

constexpr ParameterSet Balance = {P::Red, P::Green, P::Blue, P::Brightness, P::Contrast};
// What every indexed mode reads: the balance, the weighting and the kind it draws in.
constexpr ParameterSet Indexed = Balance | ParameterSet{P::NtscWeighting, P::Palette};
constexpr ParameterSet HalfTones = Indexed | ParameterSet{P::HalfTone, P::DrawingColors};
constexpr ParameterSet Yjk = {P::YElement, P::JElement, P::KElement, P::ConvertType};
// The searching YJK encoders convert in full colour: no convert type, a dither strength.
constexpr ParameterSet YjkSearched = {P::YElement, P::JElement, P::KElement, P::Dither};

constexpr Sampling Every = {1, 1};
constexpr Sampling EverySecondColumn = {2, 1};
constexpr Sampling EverySecondRow = {1, 2};

// A mode without files of its own.
constexpr F NoFiles = F::None;

// clang-format off
constexpr ModeDescriptor Modes[] = {
    // TMS9918
    {ModeId::Graphic2, ConverterPage::Tms9918, "Graphic 2 (SCREEN 2)", E::Tms99x8, PaletteFamily::Chip,
     StartWithCharacterBudget<StartGraphic2, BudgetStyle::Plain>, true, false,
     Indexed | ParameterSet{P::Rules9918, P::Characters},
     NoFiles, NoFiles, CompanionKind::None, Every},
    {ModeId::MultiColor, ConverterPage::Tms9918, "Multi Color Mode (SCREEN 3)", E::Tms99x8, PaletteFamily::Chip,
     StartMultiColor, false, true, Indexed,
     F::Screen3, F::Screen3, CompanionKind::None, Every},
    {ModeId::HalfTone, ConverterPage::Tms9918, "Half Tone", E::Tms99x8, PaletteFamily::Chip,
     StartHalfTone, false, false, HalfTones,
     NoFiles, NoFiles, CompanionKind::None, Every},
    {ModeId::Graphic2Dithered, ConverterPage::Tms9918, "Graphic 2 (SCREEN 2) Dithered", E::Tms99x8, PaletteFamily::Chip,
     StartWithCharacterBudget<StartGraphic2Dithered, BudgetStyle::Dithered>, true, false,
     Balance | ParameterSet{P::Dither, P::Palette, P::Characters},
     NoFiles, NoFiles, CompanionKind::None, Every},
    // V9938
    {ModeId::Screen5, ConverterPage::V9938, "Graphic 4 (SCREEN 5)", E::Tms99x8, PaletteFamily::Own,
     StartScreen5, false, false, Balance | ParameterSet{P::Interlace},
     F::Screen5, F::Screen5Interlaced, CompanionKind::Sc5, Every},
    {ModeId::Screen6, ConverterPage::V9938, "Graphic 5 (SCREEN 6)", E::Tms99x8, PaletteFamily::Own,
     StartScreen6, false, false, Balance | ParameterSet{P::Interlace, P::OddLine},
     F::Screen6, F::Screen6Interlaced, CompanionKind::Sc6, Every},
    {ModeId::Screen7, ConverterPage::V9938, "Graphic 6 (SCREEN 7)", E::Tms99x8, PaletteFamily::Own,
     StartScreen7, false, false, Balance | ParameterSet{P::Interlace, P::OddLine},
     F::Screen7, F::Screen7Interlaced, CompanionKind::Sc7, Every},
    {ModeId::Screen8, ConverterPage::V9938, "Graphic 7 (SCREEN 8)", E::Tms99x8, PaletteFamily::Own,
     StartScreen8, false, false, Balance,
     F::Screen8, F::Screen8, CompanionKind::Sc8, Every},
    {ModeId::Screen8Diffusion1D, ConverterPage::V9938, "Graphic 7 (SCREEN 8) 1D Error Diffusion", E::Tms99x8,
     PaletteFamily::Own, StartScreen8Diffusion1D, false, false, Balance,
     F::Screen8, F::Screen8, CompanionKind::Sc8, Every},
    {ModeId::Screen8Diffusion2D, ConverterPage::V9938, "Graphic 7 (SCREEN 8) 2D Error Diffusion", E::Tms99x8,
     PaletteFamily::Own, StartScreen8Diffusion2D, false, false, Balance,
     F::Screen8, F::Screen8, CompanionKind::Sc8, Every},
    {ModeId::Screen8FloydSteinberg, ConverterPage::V9938, "Graphic 7 (SCREEN 8) Floyd-Steinberg", E::Tms99x8,
     PaletteFamily::Own, StartScreen8FloydSteinberg, false, false, Balance,
     F::Screen8, F::Screen8, CompanionKind::Sc8, Every},
    {ModeId::Screen5Dithered, ConverterPage::V9938, "Graphic 4 (SCREEN 5) Dithered", E::Tms99x8,
     PaletteFamily::Own, StartScreen5Dithered, false, false, Balance | ParameterSet{P::Interlace, P::Dither},
     F::Screen5, F::Screen5Interlaced, CompanionKind::Sc5, Every},
    {ModeId::Screen6Dithered, ConverterPage::V9938, "Graphic 5 (SCREEN 6) Dithered", E::Tms99x8,
     PaletteFamily::Own, StartScreen6Dithered, false, false, Balance | ParameterSet{P::Interlace, P::OddLine, P::Dither},
     F::Screen6, F::Screen6Interlaced, CompanionKind::Sc6, Every},
    {ModeId::Screen7Dithered, ConverterPage::V9938, "Graphic 6 (SCREEN 7) Dithered", E::Tms99x8,
     PaletteFamily::Own, StartScreen7Dithered, false, false, Balance | ParameterSet{P::Interlace, P::OddLine, P::Dither},
     F::Screen7, F::Screen7Interlaced, CompanionKind::Sc7, Every},
    {ModeId::Screen8Dithered, ConverterPage::V9938, "Graphic 7 (SCREEN 8) Dithered", E::Tms99x8,
     PaletteFamily::Own, StartScreen8Dithered, false, false, Balance | ParameterSet{P::Dither},
     F::Screen8, F::Screen8, CompanionKind::Sc8, Every},
    // V9958
    {ModeId::Yjk10, ConverterPage::V9958, "YJK Video Mode (SCREEN 10/11)", E::Tms99x8, PaletteFamily::Own,
     StartYjk10, false, false, Yjk,
     F::Screen10, F::Screen10, CompanionKind::S10, Every},
    {ModeId::Yjk12, ConverterPage::V9958, "YJK Video Mode (SCREEN 12)", E::Tms99x8, PaletteFamily::Own,
     StartYjk12, false, false, Yjk,
     F::Screen12, F::Screen12, CompanionKind::S12, Every},
    {ModeId::Yjk10Dithered, ConverterPage::V9958, "YJK Video Mode (SCREEN 10/11) Dithered", E::Tms99x8,
     PaletteFamily::Own, StartYjk10Dithered, false, false, YjkSearched,
     F::Screen10WithPalette, F::Screen10WithPalette, CompanionKind::S10, Every},
    {ModeId::Yjk12Dithered, ConverterPage::V9958, "YJK Video Mode (SCREEN 12) Dithered", E::Tms99x8,
     PaletteFamily::Own, StartYjk12Dithered, false, false, YjkSearched,
     F::Screen12, F::Screen12, CompanionKind::S12, Every},
    // PC-6x01
    {ModeId::Pc6001Square, ConverterPage::Pc6001, "Pixel Aspect Ratio 1:1", E::Pc6001, PaletteFamily::Pc6001,
     StartPc6001Square, true, false, Indexed,
     F::Pc6001Bitmap, F::Pc6001Bitmap, CompanionKind::P6, Every},
    {ModeId::Pc6001Wide, ConverterPage::Pc6001, "Pixel Aspect Ratio 2:1", E::Pc6001Wide, PaletteFamily::Pc6001,
     StartPc6001Wide, true, false, Indexed | ParameterSet{P::P6Rules},
     F::Pc6001Bitmap, F::Pc6001Bitmap, CompanionKind::P6, EverySecondColumn},
    {ModeId::Pc6001Tall, ConverterPage::Pc6001, "Pixel Aspect Ratio 1:2", E::Pc6001, PaletteFamily::Pc6001,
     StartPc6001Tall, true, false, Indexed,
     F::Pc6001BitmapTall, F::Pc6001BitmapTall, CompanionKind::P6, EverySecondRow},
    {ModeId::Pc6001Blocks4x4, ConverterPage::Pc6001, "Pixel Aspect Ratio 4:4", E::Pc6001Wide, PaletteFamily::Pc6001,
     StartPc6001Blocks4x4, false, true, Indexed,
     NoFiles, NoFiles, CompanionKind::None, Every},
    {ModeId::Pc6001Blocks4x6, ConverterPage::Pc6001, "Pixel Aspect Ratio 4:6", E::Pc6001Wide, PaletteFamily::Pc6001,
     StartPc6001Blocks4x6, false, true, Indexed,
     NoFiles, NoFiles, CompanionKind::None, Every},
    {ModeId::Pc6001HalfTone, ConverterPage::Pc6001, "Half Tone 1:1", E::Pc6001, PaletteFamily::Pc6001,
     StartPc6001HalfTone, false, false, HalfTones,
     F::Pc6001Bitmap, F::Pc6001Bitmap, CompanionKind::P6, Every},
    {ModeId::Pc6001WideHalfTone, ConverterPage::Pc6001, "Half Tone 2:1", E::Pc6001Wide, PaletteFamily::Pc6001,
     StartPc6001WideHalfTone, false, false, HalfTones,
     F::Pc6001Bitmap, F::Pc6001Bitmap, CompanionKind::P6, EverySecondColumn},
    // PC-8801
    {ModeId::Pc8801Tall, ConverterPage::Pc8801, "Pixel Aspect Ratio 1:2", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801Tall, true, false, Indexed | ParameterSet{P::AnalogPalette, P::Interlace, P::OddLine},
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
    {ModeId::Pc8801Diffusion1D, ConverterPage::Pc8801, "1D Error Diffusion", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801Diffusion1D, true, false, Indexed,
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
    {ModeId::Pc8801Diffusion2D, ConverterPage::Pc8801, "2D Error Diffusion", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801Diffusion2D, true, false, Indexed,
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
    {ModeId::Pc8801FloydSteinberg, ConverterPage::Pc8801, "Floyd-Steinberg", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801FloydSteinberg, true, false, Indexed,
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
    {ModeId::Pc8801ColorTone1, ConverterPage::Pc8801, "Color Tone 1", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801ColorTone1, false, false, Indexed | ParameterSet{P::HalfTone},
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
    {ModeId::Pc8801ColorTone2, ConverterPage::Pc8801, "Color Tone 2", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801ColorTone2, false, false, Indexed | ParameterSet{P::HalfTone},
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
    {ModeId::Pc8801HalfTone, ConverterPage::Pc8801, "Half Tone", E::Pc8801Tall, PaletteFamily::Pc8801,
     StartPc8801HalfTone, false, false, HalfTones,
     F::ColorPlanes, F::ColorPlanes, CompanionKind::None, Every},
};

constexpr PageDescriptor Pages[] = {
    {ConverterPage::Tms9918, "tms9918", "TMS9918", PaletteKindId::Tms9918, false},
    {ConverterPage::V9938, "v9938", "V9938", PaletteKindId::Tms9918, true},
    {ConverterPage::V9958, "v9958", "V9958", PaletteKindId::Tms9918, true},
    {ConverterPage::Pc6001, "pc6001", "PC-6x01", PaletteKindId::Color15, false},
    {ConverterPage::Pc8801, "pc8801", "PC-8801", PaletteKindId::Pc8801, false},
};
// clang-format on

// The table is read by id: every row stands at its id's place, pages in order.
constexpr bool RowsInOrder() {
    for (std::size_t i = 0; i < std::size(Modes); ++i) {
        if (int(Modes[i].id) != int(i))
            return false;
        if (i > 0 && int(Modes[i].page) < int(Modes[i - 1].page))
            return false;
    }
    for (std::size_t i = 0; i < std::size(Pages); ++i)
        if (int(Pages[i].page) != int(i))
            return false;
    return std::size(Pages) == ConverterPageCount;
}
static_assert(RowsInOrder(), "the mode table must list the modes in the order of their ids");

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::span<const ModeDescriptor> AllModes() {
    return Modes;
}

const ModeDescriptor& Describe(ModeId id) {
    return Modes[std::size_t(id)];
}

std::span<const ModeDescriptor> ModesOf(ConverterPage page) {
    const auto first = std::find_if(std::begin(Modes), std::end(Modes),
                                    [&](const ModeDescriptor& d) { return d.page == page; });
    const auto last = std::find_if(first, std::end(Modes),
                                   [&](const ModeDescriptor& d) { return d.page != page; });
    return {first, last};
}

int IndexInPage(ModeId id) {
    const std::span<const ModeDescriptor> modes = ModesOf(Describe(id).page);
    return int(id) - int(modes.front().id);
}

std::optional<ModeId> ModeAt(ConverterPage page, int index) {
    const std::span<const ModeDescriptor> modes = ModesOf(page);
    if (index < 0 || index >= int(modes.size()))
        return std::nullopt;
    return modes[std::size_t(index)].id;
}

std::optional<ModeId> FindMode(ConverterPage page, std::string_view text) {
    int index = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (ec == std::errc() && end == text.data() + text.size() && !text.empty())
        return ModeAt(page, index);
    const std::string wanted = Lower(text);
    for (const ModeDescriptor& d : ModesOf(page))
        if (Lower(d.caption) == wanted)
            return d.id;
    return std::nullopt;
}

std::span<const PageDescriptor> AllPages() {
    return Pages;
}

const PageDescriptor& Describe(ConverterPage page) {
    return Pages[std::size_t(page)];
}

std::optional<ConverterPage> FindPage(std::string_view name) {
    for (const PageDescriptor& p : Pages)
        if (p.name == name)
            return p.page;
    return std::nullopt;
}

ScreenFileKind FilesOf(ModeId id, bool interlace) {
    const ModeDescriptor& d = Describe(id);
    return interlace ? d.interlaced : d.files;
}

std::string ModeListing() {
    std::string text;
    for (const ModeDescriptor& d : Modes)
        text += std::string(Describe(d.page).name) + " " + std::to_string(IndexInPage(d.id)) + " " +
                std::string(d.caption) + "\n";
    return text;
}

} // namespace murelo
