// convert: the Pixel Converter's modes run to completion on a bitmap file.
#include "Command.h"
#include "CommandLine.h"
#include "ConvertExport.h"
#include "ConvertThroughModel.h"
#include "PictureFileLoading.h"

#include "core/convert/ConversionDriver.h"
#include "core/editor/AtomicFileSet.h"
#include "core/editor/BitmapCodec.h"

#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <memory>

namespace murelo::cli {
namespace {

constexpr const char* Usage =
    "usage: convert FILE.bmp --page tms9918|v9938|v9958|pc6001|pc8801 --mode N -o RESULT.bmp "
    "[options] (-o may give way to --export PATH [--connect-palette] and --save PATH)";

constexpr std::array<std::string_view, ConverterPageCount> PageNames = {"tms9918", "v9938", "v9958",
                                                                        "pc6001", "pc8801"};

ConverterPage ParsePage(std::string_view text) {
    for (int p = 0; p < ConverterPageCount; ++p)
        if (PageNames[std::size_t(p)] == text)
            return ConverterPage(p);
    throw UsageError("unknown page '" + std::string(text) +
                     "' (use tms9918, v9938, v9958, pc6001 or pc8801)");
}

// The kind a page switches to when it is chosen.
int DefaultKind(ConverterPage page) {
    switch (page) {
    case ConverterPage::Pc6001:
        return KindColor15;
    case ConverterPage::Pc8801:
        return KindPc8801;
    default:
        return KindTms9918;
    }
}

// A drawing colour: a palette index of the kind, #RRGGBB, or (where allowed) none.
struct ColorArg {
    std::string text;
    bool given = false;
};

ColorValue ParseColor(const std::string& text, std::string_view what, int kind, bool noneAllowed) {
    if (noneAllowed && text == "none")
        return NoColor;
    if (text.size() == 7 && text[0] == '#') {
        std::uint32_t rrggbb = 0;
        auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rrggbb, 16);
        if (ec == std::errc() && end == text.data() + 7)
            return FromRrggbb(rrggbb);
    }
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return PaletteColor(kind, ParseInt(text, what, 0, PaletteEntries - 1));
    throw UsageError(std::string(what) + " must be a palette index 0..15, #RRGGBB" +
                     (noneAllowed ? " or none" : "") + ", not '" + text + "'");
}

// The tool palette's start indices 1 and 15, clamped to the kind as its palette view does.
void DefaultColors(ConversionParameters& p) {
    const IndexRange& range = PaletteRange(p.PaletteKind);
    int fg = 1;
    int bg = 15;
    if (fg > range.last)
        fg = range.last;
    if (bg > range.last)
        bg = range.first;
    p.ForegroundColor = PaletteColor(p.PaletteKind, fg);
    p.BackgroundColor = PaletteColor(p.PaletteKind, bg);
}

struct Options {
    std::string file, out, screenBytes, quantizerPalette;
    ConverterPage page = ConverterPage::Tms9918;
    bool pageGiven = false;
    int mode = -1;
    int kind = -1;
    ColorArg fg, bg;
    ConversionParameters params;
    ScreenFileOptions files;
};

int Offset(const std::string& text, const std::string& option) {
    return ParseInt(text, option, -100, 100);
}

// Options that take no value; false when `arg` is none of them.
bool ParseFlag(const std::string& arg, ConversionParameters& p) {
    if (arg == "--ntsc")
        p.NtscWeighting = true;
    else if (arg == "--no-rules")
        p.Rules9918 = false;
    else if (arg == "--interlace")
        p.Interlace = true;
    else if (arg == "--odd-line")
        p.OddLine = true;
    else if (arg == "--p6-rules")
        p.P6Rules = true;
    else if (arg == "--analog-palette")
        p.AnalogPalette = true;
    else
        return false;
    return true;
}

// Balance and mode options with a value; false when `arg` is none of them.
bool ParseSetting(const std::string& arg, const std::string& text, ConversionParameters& p) {
    if (arg == "--red")
        p.Balance.RedOffset = Offset(text, arg);
    else if (arg == "--green")
        p.Balance.GreenOffset = Offset(text, arg);
    else if (arg == "--blue")
        p.Balance.BlueOffset = Offset(text, arg);
    else if (arg == "--brightness")
        p.Balance.Brightness = Offset(text, arg);
    else if (arg == "--contrast")
        p.Balance.Contrast = ParseInt(text, arg, 0, 200);
    else if (arg == "--halftone")
        p.HalfToneLevel = ParseInt(text, arg, 0, 3);
    else if (arg == "--dither")
        p.DitherStrength = ParseInt(text, arg, 0, 100);
    else if (arg == "--convert-type")
        p.ConvertType = ParseInt(text, arg, 0, 2);
    else if (arg == "--y")
        p.Yjk.YOffset = Offset(text, arg);
    else if (arg == "--j")
        p.Yjk.JOffset = Offset(text, arg);
    else if (arg == "--k")
        p.Yjk.KOffset = Offset(text, arg);
    else
        return false;
    return true;
}

struct ValueInfo {
    const char* name;
    const char* values;
    const char* description;
};

constexpr ValueInfo ValueOptions[] = {
    {"--page", "tms9918|v9938|v9958|pc6001|pc8801", "the converter page"},
    {"--mode", "N", "the page's mode, counted from 0"},
    {"-o", "RESULT.bmp", "the converted picture, a 24-bit bitmap"},
    {"--palette", "KIND", "0..14 or a name (default: the page's first kind)"},
    {"--fg", "0..15|#RRGGBB", "drawing colour of the half tone (default: index 1)"},
    {"--bg", "0..15|#RRGGBB|none", "background of the half tone (default: index 15)"},
    {"--red", "-100..100", "colour balance (default: 0)"},
    {"--green", "-100..100", "colour balance (default: 0)"},
    {"--blue", "-100..100", "colour balance (default: 0)"},
    {"--brightness", "-100..100", "(default: 0)"},
    {"--contrast", "0..200", "(default: 100)"},
    {"--halftone", "0..3", "half-tone level (default: 0)"},
    {"--dither", "0..100", "dithered Graphic 2: strength in percent (default: 95)"},
    {"--convert-type", "0..2", "V9938 and YJK conversion type (default: 0)"},
    {"--y", "-100..100", "YJK balance (default: 0)"},
    {"--j", "-100..100", "YJK balance (default: 0)"},
    {"--k", "-100..100", "YJK balance (default: 0)"},
    {"--screen-bytes", "OUT.bin", "SCREEN 8 or V9958 modes: the screen bytes"},
    {"--quantizer-palette", "OUT.bin", "V9938 modes 0..2, PC-8801 analog: the palette"},
    {"--export", "PATH", "the page's Export button: its screen files under PATH"},
    {"--save", "PATH", "the page's Save button: its screen files under PATH"},
};

struct FlagInfo {
    const char* name;
    const char* description;
};

constexpr FlagInfo FlagOptions[] = {
    {"--ntsc", "NTSC weighting of the colour differences"},
    {"--no-rules", "Graphic 2 without the two-colour rule"},
    {"--interlace", "interlaced V9938 modes"},
    {"--odd-line", "odd lines of an interlaced picture"},
    {"--p6-rules", "PC-6x01 colour rules"},
    {"--analog-palette", "PC-8801 analog palette"},
    {"--connect-palette", "with --export on v9938 modes 0..2: the palette in the screen file"},
};

// Takes one given value option into the options, in command-line order.
void TakeValue(const std::string& arg, const std::string& text, Options& o) {
    if (ParseSetting(arg, text, o.params))
        return;
    if (arg == "--page") {
        o.page = ParsePage(text);
        o.pageGiven = true;
    } else if (arg == "--mode") {
        o.mode = ParseInt(text, arg, 0, 1000);
    } else if (arg == "--palette") {
        o.kind = ParsePaletteKindArg(text);
    } else if (arg == "--fg") {
        o.fg = {text, true};
    } else if (arg == "--bg") {
        o.bg = {text, true};
    } else if (arg == "-o") {
        o.out = text;
    } else if (arg == "--screen-bytes") {
        o.screenBytes = text;
    } else if (arg == "--quantizer-palette") {
        o.quantizerPalette = text;
    }
}

// Empty file when --help was printed.
Options ParseOptions(Args args, bool& helpShown) {
    Options o;
    CommandLine line("convert",
                     "Runs one Pixel Converter mode to its end on FILE and writes the result.",
                     Usage, StrayStyle::Unexpected);
    line.file("FILE", o.file, "the picture to convert");
    std::map<std::string, std::string> values;
    std::map<std::string, bool> flags;
    for (const ValueInfo& v : ValueOptions)
        line.value(v.name, values[v.name], v.values, v.description);
    for (const FlagInfo& f : FlagOptions)
        line.flag(f.name, flags[f.name], f.description);
    helpShown = !line.parse(args);
    if (helpShown)
        return o;
    for (const std::string& name : line.givenInOrder()) {
        if (!ParseFlag(name, o.params) && !TakeScreenFileOption(name, values[name], o.files))
            TakeValue(name, values[name], o);
    }
    if (o.file.empty() || (o.out.empty() && !o.files.any()) || !o.pageGiven || o.mode < 0)
        throw UsageError(Usage);
    const int modes = ModeCount(o.page);
    if (o.mode >= modes)
        throw UsageError("--mode must be from 0 to " + std::to_string(modes - 1) + " on page " +
                         std::string(PageNames[std::size_t(o.page)]));
    o.params.PaletteKind = o.kind >= 0 ? o.kind : DefaultKind(o.page);
    DefaultColors(o.params);
    if (o.fg.given)
        o.params.ForegroundColor = ParseColor(o.fg.text, "--fg", o.params.PaletteKind, false);
    if (o.bg.given)
        o.params.BackgroundColor = ParseColor(o.bg.text, "--bg", o.params.PaletteKind, true);
    return o;
}

bool StoresScreenBytes(const Options& o, const Picture& picture) {
    const bool sized = picture.width() == ScreenByteWidth && picture.height() <= 212;
    const bool screen8 = o.page == ConverterPage::V9938 && o.mode >= 3;
    return sized && (screen8 || o.page == ConverterPage::V9958);
}

bool QuantizesPalette(const Options& o) {
    return (o.page == ConverterPage::V9938 && o.mode <= 2) ||
           (o.page == ConverterPage::Pc8801 && o.mode == 0 && o.params.AnalogPalette);
}

// Refuses outputs the conversion cannot fill before anything is converted or written.
void CheckOutputs(const Options& o, const Picture& picture) {
    if (!o.screenBytes.empty() && !StoresScreenBytes(o, picture))
        throw UsageError("--screen-bytes needs SCREEN 8 (v9938 modes 3..6) or a v9958 mode on a "
                         "picture 256 wide and at most 212 high");
    if (!o.quantizerPalette.empty() && !QuantizesPalette(o))
        throw UsageError("--quantizer-palette needs v9938 modes 0..2 or pc8801 mode 0 with "
                         "--analog-palette");
}

std::vector<std::uint8_t> PaletteBytes(const QuantizerPalette& palette) {
    std::vector<std::uint8_t> bytes;
    for (const QuantizerEntry& e : palette)
        bytes.insert(bytes.end(), {e.Blue, e.Green, e.Red, e.Zero});
    return bytes;
}

int RunConvert(Args args) {
    bool helpShown = false;
    const Options o = ParseOptions(args, helpShown);
    if (helpShown)
        return ExitOk;
    Document doc = LoadPictureOrThrow(o.file);
    CheckOutputs(o, doc.picture);
    CheckScreenFiles(o.files, o.page, o.mode, o.params.Interlace, doc.picture);
    const auto run = ConvertThroughModel(doc, o.page, o.mode, o.params);
    const ConversionState& state = run->state();
    const ScreenFileSets files = BuildScreenFiles(o.files, state);
    // The result and its companions are replaced together or not at all.
    AtomicFileSet outputs;
    if (!o.out.empty())
        outputs.add(o.out).write(EncodeBitmap24(state.result));
    if (!o.screenBytes.empty())
        outputs.add(o.screenBytes)
            .write(std::span(state.screenBytes)
                       .first(std::size_t(ScreenByteWidth) * std::size_t(doc.picture.height())));
    if (!o.quantizerPalette.empty())
        outputs.add(o.quantizerPalette).write(PaletteBytes(state.quantizerPalette));
    outputs.commit();
    WriteScreenFiles(files);
    return ExitOk;
}

const Registration registration({
    "convert",
    "convert FILE.bmp --page PAGE --mode N -o OUT.bmp|--export PATH|--save PATH [options]  run "
    "a Pixel Converter mode",
    RunConvert,
});

} // namespace
} // namespace murelo::cli
